#pragma once
// Data files as text: lines, and reading a whole file with its size limit (the
// decoding rule is text_code's).
#include "catalogue/file_name.h"
#include "catalogue/text_code.h"

#include <QByteArrayView>
#include <QStringList>
#include <QStringView>

#include <functional>
#include <optional>

// Splits raw bytes into lines: CR LF, LF or a lone CR end a line; a break at the very
// end adds no empty line; a NUL byte ends the text. Bytes that start with a UTF-8
// byte-order mark, or that are valid UTF-8, are UTF-8; any others are Windows-1251.
QStringList SplitTextLines(const QByteArray &bytes);
// The largest data file read; a larger one is refused before it is read.
constexpr qint64 kMaxDataFileBytes = qint64(256) << 20;
// Reads a whole file into lines. Raises "Cannot open file "%s". %s" when it can't,
// with the reason "File too large" for a file over kMaxDataFileBytes.
QStringList ReadTextLines(const FileName &path);
// How many data files ReadTextLines and ReadText have opened since the program started:
// each aircraft's files are read once, by the scan, and never again for a selection.
qint64 DataFilesOpened();
// The same file as one text, without splitting it: for a file read line by line.
QString ReadText(const FileName &path);
// The same for a file that may be missing: none, without opening it, where the path
// names no regular file (as RegularFileExists says); its status is looked up once.
std::optional<QString> ReadTextIfRegular(const FileName &path);
std::optional<QStringList> ReadTextLinesIfRegular(const FileName &path);
// Hands take each line of text, ended as SplitTextLines ends them, until take gives false.
void ForEachLine(QStringView text, const std::function<bool(QStringView line)> &take);
