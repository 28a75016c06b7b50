#pragma once
// Reading the aircraft data files: whole files into lines, tab-terminated fields,
// numbers, and the summary values shown in the aircraft trees.
#include <QString>
#include <QStringList>

#include <utility>

// A file's name or path as the file system has it: bytes. Names from a directory
// listing keep the bytes the listing gave, so a file is opened by the very name it has;
// text written in the program stands for its UTF-8. As text it shows as DisplayName
// shows it.
struct FileName {
    FileName() = default;
    FileName(const QString &text) : bytes(text.toUtf8()) {}
    FileName(const char *text) : bytes(text) {}
    static FileName FromBytes(QByteArray b)
    {
        FileName f;
        f.bytes = std::move(b);
        return f;
    }
    operator QString() const;
    bool isEmpty() const { return bytes.isEmpty(); }

    QByteArray bytes;
};
// A name as it is shown, each component of a path on its own: its bytes as UTF-8, or as
// Windows-1251 when they are no valid UTF-8 (so the bytes DF EA 2D 33 show as "Як-3").
QString DisplayName(const QByteArray &bytes);
// The bytes of the path that text names, the inverse of DisplayName for paths that
// exist: component by component, the text's UTF-8, or its Windows-1251 where only that
// names an existing entry.
FileName LocateFileName(const QString &text);
// The process's working directory, as bytes.
FileName CurrentDirectory();
// path as it is when absolute, else taken from the working directory.
FileName AbsoluteFileName(const FileName &path);
enum class FileKind { None, Regular, Directory, Other };
// What stands at path (links followed).
FileKind KindOf(const FileName &path);

// Where one aircraft's files lie, built from the start directory (the directory the
// program was started in): <start>/DataSpeed/<name>_speed.txt and so on.
struct DataPaths {
    FileName start;  // absolute start directory
    FileName speedDir() const;
    FileName speedFile(const FileName &name) const;   // DataSpeed/<name>_speed.txt
    FileName turnFile(const FileName &name) const;    // DataTurn/<name>_turn.txt
    FileName craftFile(const FileName &name) const;   // DataCraft/<name>.txt
    FileName weaponFile(const FileName &name) const;  // DataWeapon/<name>.txt
};

// Raises "The Windows-1251 code page is not available: ..." when this Qt can't decode
// the data files' code page (checked at start-up, and by every read).
void CheckCodePage();
// Splits raw bytes into lines: CR LF, LF or a lone CR end a line; a break at the very
// end adds no empty line; a NUL byte ends the text. Bytes that start with a UTF-8
// byte-order mark, or that are valid UTF-8, are UTF-8; any others are Windows-1251.
QStringList SplitTextLines(const QByteArray &bytes);
// The largest data file read; a larger one is refused before it is read.
constexpr qint64 kMaxDataFileBytes = qint64(256) << 20;
// Reads a whole file into lines. Raises "Cannot open file "%s". %s" when it can't,
// with the reason "File too large" for a file over kMaxDataFileBytes.
QStringList ReadTextLines(const FileName &path);
// True when a regular file exists at path.
bool RegularFileExists(const FileName &path);

// The text before the first tab; removes it and the tab from row. A row without a tab
// gives an empty field and stays unchanged.
QString CutField(QString &row);

struct SpeedRowFields {
    QString altitude, tasMax, rocMax, tas100, roc100;
};
// Five CutField calls: altitude, TAS at MAX, climb at MAX, TAS at 100%, climb at 100%.
SpeedRowFields SplitSpeedRow(QString &row);

// Strict number grammar: spaces, optional sign, digits with optional "." and fraction,
// optional exponent, spaces. No comma, no inf/nan, no hex, nothing out of range.
bool ParseNumber(const QString &text, long double &value);
// A number cut toward zero to three decimals on its decimal digits as written
// (1.234567E2 gives 123.456, -0.0009 gives 0, 0.126 stays 0.126), then the nearest
// extended value (below 2^53 its double is the nearest double as well: the binary
// digits of a thousandth never run long enough to round twice). Raises "'%s' is not a
// valid floating point value" for anything else.
long double ReadValue(const QString &text);
// A computed value: dividend / divisor in extended precision, rounded to 15
// significant digits, then cut to three decimals like ReadValue, so an exact quotient
// stays whole (360 / 0.36 gives 1000). A quotient that is not finite comes back as is.
long double CutQuotient(long double dividend, long double divisor);

// Summary values for the tree captions: "unknown" for a missing file, empty text for
// a missing key.
// A bad summary value's error says where it stands (aircraft, file, row).
QString GetCraftValue(const DataPaths &paths, const FileName &name, const QString &key);
QString GetTurnValue(const DataPaths &paths, const FileName &name, const QString &key);
// The value's 15 significant digits rounded to two decimals, a tie going to the even
// neighbour (2.675 gives 2.68, 0.125 gives 0.12), as the shortest plain text.
QString FormatSummaryValue(long double value);
