#pragma once
// Shared pieces of the fuzz targets: turning the fuzzer's bytes into the program's
// inputs, checks that stop the run with a message, and scratch files for the readers
// that take paths.
#include "core/error.h"
#include "catalogue/readers.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

// The bytes as a QByteArray without copying, so reads past the end reach the
// fuzzer's own buffer and the address sanitizer sees them.
inline QByteArray FuzzBytes(const uint8_t *data, size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
}

// Inputs that hold two files separate them with this mark: the bytes before it are
// the first file, the bytes after it the second. Without a mark there is no second
// file.
inline constexpr char kFileMark[] = "@@@@";

struct TwoFiles {
    QByteArray first;
    std::optional<QByteArray> second;
};

inline TwoFiles SplitAtFileMark(const QByteArray &bytes)
{
    const qsizetype at = bytes.indexOf(kFileMark);
    if (at < 0)
        return {bytes, std::nullopt};
    return {bytes.first(at), bytes.sliced(at + qsizetype(sizeof kFileMark) - 1)};
}

[[noreturn]] inline void FuzzFail(const char *file, int line, const char *condition, const QString &detail)
{
    std::fprintf(stderr, "%s:%d: check failed: %s\n  %s\n", file, line, condition, detail.toUtf8().constData());
    std::abort();
}

// Stops the run (a crash to the fuzzer) when cond is false; detail says what was seen.
#define FUZZ_CHECK(cond, detail)                                  \
    do {                                                          \
        if (!(cond))                                              \
            FuzzFail(__FILE__, __LINE__, #cond, (detail));        \
    } while (0)

// The first line of an error about a bad value; a second line, when there is one, says
// where the value stands ("<aircraft>: <file>, row <n>", and ", column <n>" in a table).
inline QString ValueErrorLine(const QString &message)
{
    static const QRegularExpression where(QStringLiteral("\\n[^\\n]*: [^\\n]*, строка [1-9][0-9]*(?:, столбец [1-9][0-9]*)?\\z"));
    const QRegularExpressionMatch m = where.match(message);
    if (!m.hasMatch())
        return message;
    // Above the location the message stands as the box shows it, with the full stop
    // the box adds after a last character that sorts after ".".
    QString line = message.left(m.capturedStart());
    if (line.size() >= 2 && line.endsWith(u'.') && line.at(line.size() - 2) > u'.')
        line.chop(1);
    return line;
}

// The texts of the errors that reading and charting may raise; anything else is a
// fault of its own.
inline bool IsKnownDataError(const QString &fullMessage)
{
    const QString message = ValueErrorLine(fullMessage);
    static const QString notANumberTail = QStringLiteral("' is not a valid floating point value");
    if (message.startsWith(u'\'') && message.endsWith(notANumberTail))
        return true;
    if (message == QLatin1String("Floating point division by zero") || message == QLatin1String("Floating point overflow"))
        return true;
    return message.startsWith(QLatin1String("List index out of bounds (")) && message.endsWith(u')');
}

// A data directory in the system's temporary directory, made once per process; the
// targets overwrite its files for every input.
class ScratchData {
public:
    ScratchData()
    {
        if (!dir_.isValid()) {
            std::fprintf(stderr, "cannot make a temporary directory\n");
            std::abort();
        }
        for (const char *sub : {"DataSpeed", "DataTurn", "DataCraft", "DataWeapon"})
            QDir(dir_.path()).mkpath(QString::fromLatin1(sub));
    }
    DataPaths paths() const { return DataPaths{dir_.path()}; }

    // Writes bytes to path, or removes the file when bytes is empty-optional.
    static void put(const QString &path, const std::optional<QByteArray> &bytes)
    {
        if (!bytes) {
            QFile::remove(path);
            return;
        }
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(*bytes) != bytes->size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            std::abort();
        }
    }

private:
    QTemporaryDir dir_;
};
