#pragma once
// Reading the aircraft data files: whole files into lines, tab-terminated fields,
// numbers, and the summary values shown in the aircraft trees.
#include <QString>
#include <QStringList>

// Where one aircraft's files lie, built from the start directory (the directory the
// program was started in): <start>/DataSpeed/<name>_speed.txt and so on.
struct DataPaths {
    QString start;  // absolute start directory
    QString speedDir() const;
    QString speedFile(const QString &name) const;   // DataSpeed/<name>_speed.txt
    QString turnFile(const QString &name) const;    // DataTurn/<name>_turn.txt
    QString craftFile(const QString &name) const;   // DataCraft/<name>.txt
    QString weaponFile(const QString &name) const;  // DataWeapon/<name>.txt
};

// Raises "The Windows-1251 code page is not available: ..." when this Qt can't decode
// the data files' code page (checked at start-up, and by every read).
void CheckCodePage();
// Splits raw bytes into lines: CR LF, LF or a lone CR end a line; a break at the very
// end adds no empty line; a NUL byte ends the text. Bytes are Windows-1251.
QStringList SplitTextLines(const QByteArray &bytes);
// Reads a whole file into lines. Raises "Cannot open file "%s". %s" when it can't.
QStringList ReadTextLines(const QString &path);
// True when a regular file exists at path.
bool RegularFileExists(const QString &path);

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
QString GetCraftValue(const DataPaths &paths, const QString &name, const QString &key);
QString GetTurnValue(const DataPaths &paths, const QString &name, const QString &key);
// The value's 15 significant digits rounded to two decimals, a tie going to the even
// neighbour (2.675 gives 2.68, 0.125 gives 0.12), as the shortest plain text.
QString FormatSummaryValue(long double value);
