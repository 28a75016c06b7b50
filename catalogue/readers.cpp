#include "catalogue/readers.h"

#include "core/error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <charconv>
#include <cmath>
#include <string>

QString DataPaths::speedDir() const { return start + QStringLiteral("/DataSpeed"); }
QString DataPaths::speedFile(const QString &name) const
{
    return start + QStringLiteral("/DataSpeed/") + name + QStringLiteral("_speed.txt");
}
QString DataPaths::turnFile(const QString &name) const
{
    return start + QStringLiteral("/DataTurn/") + name + QStringLiteral("_turn.txt");
}
QString DataPaths::craftFile(const QString &name) const
{
    return start + QStringLiteral("/DataCraft/") + name + QStringLiteral(".txt");
}
QString DataPaths::weaponFile(const QString &name) const
{
    return start + QStringLiteral("/DataWeapon/") + name + QStringLiteral(".txt");
}

// Windows-1251 maps every byte to one character, so line breaks keep their places.
static QStringDecoder &CodePage()
{
    static QStringDecoder decoder("windows-1251", QStringConverter::Flag::Stateless);
    return decoder;
}

void CheckCodePage()
{
    if (!CodePage().isValid())
        throw VarnelError(QStringLiteral("The Windows-1251 code page is not available: the data files can't be read"));
}

QStringList SplitTextLines(const QByteArray &bytes)
{
    CheckCodePage();
    QStringDecoder &decoder = CodePage();
    const qsizetype nul = bytes.indexOf('\0');
    const QString text = decoder.decode(nul < 0 ? QByteArrayView(bytes) : QByteArrayView(bytes).first(nul));

    QStringList lines;
    const qsizetype n = text.size();
    qsizetype begin = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(begin, i - begin));
        if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
            ++i;
        begin = i + 1;
    }
    if (begin < n)
        lines.append(text.mid(begin));
    return lines;
}

static VarnelError CannotOpen(const QString &path, const QString &reason)
{
    return VarnelError(QStringLiteral("Cannot open file \"%1\". %2").arg(QDir::toNativeSeparators(path), reason));
}

QStringList ReadTextLines(const QString &path)
{
    // A pipe or a device named like a data file would block or never end.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile() && !info.isDir())
        throw CannotOpen(path, QStringLiteral("Not a regular file"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw CannotOpen(path, file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw CannotOpen(path, file.errorString());
    return SplitTextLines(bytes);
}

bool RegularFileExists(const QString &path)
{
    return QFileInfo(path).isFile();
}

QString CutField(QString &row)
{
    const qsizetype tab = row.indexOf(u'\t');
    if (tab < 0)
        return QString();
    QString field = row.left(tab);
    row.remove(0, tab + 1);
    return field;
}

SpeedRowFields SplitSpeedRow(QString &row)
{
    SpeedRowFields f;
    f.altitude = CutField(row);
    f.tasMax = CutField(row);
    f.rocMax = CutField(row);
    f.tas100 = CutField(row);
    f.roc100 = CutField(row);
    return f;
}

// Checks the number grammar and copies the number itself, without the spaces and
// without a leading "+", into ascii (the form std::from_chars takes).
static bool CheckNumberGrammar(const QString &text, std::string &ascii)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    const auto isDigit = [&](qsizetype k) { return k < n && text.at(k) >= u'0' && text.at(k) <= u'9'; };
    const auto take = [&]() { ascii.push_back(char(text.at(i++).unicode())); };

    ascii.clear();
    while (i < n && text.at(i) == u' ')
        ++i;
    if (i < n && text.at(i) == u'+')
        ++i;
    else if (i < n && text.at(i) == u'-')
        take();
    int digits = 0;
    while (isDigit(i)) {
        take();
        ++digits;
    }
    if (i < n && text.at(i) == u'.') {
        take();
        while (isDigit(i)) {
            take();
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (i < n && (text.at(i) == u'e' || text.at(i) == u'E')) {
        take();
        if (i < n && (text.at(i) == u'+' || text.at(i) == u'-'))
            take();
        if (!isDigit(i))
            return false;
        while (isDigit(i))
            take();
    }
    while (i < n && text.at(i) == u' ')
        ++i;
    return i == n;
}

bool ParseNumber(const QString &text, long double &value)
{
    std::string ascii;
    if (!CheckNumberGrammar(text, ascii))
        return false;
    long double x = 0;
    const char *end = ascii.data() + ascii.size();
    const auto [ptr, ec] = std::from_chars(ascii.data(), end, x, std::chars_format::general);
    if (ec != std::errc() || ptr != end || !std::isfinite(x))
        return false;
    value = x;
    return true;
}

static long double ParseOrRaise(const QString &text)
{
    long double x = 0;
    if (!ParseNumber(text, x))
        throw InvalidFloatError(text);
    return x;
}

long double ReadValue(const QString &text)
{
    const long double x = ParseOrRaise(text);
    const long double scaled = x * 1000.0L;
    // Beyond the range of the product every value is a whole number already.
    if (!std::isfinite(scaled))
        return x;
    return std::trunc(scaled) / 1000.0L;
}

QString GetCraftValue(const DataPaths &paths, const QString &name, const QString &key)
{
    const QString path = paths.craftFile(name);
    if (!RegularFileExists(path))
        return QStringLiteral("unknown");
    for (const QString &row : ReadTextLines(path)) {
        const qsizetype eq = row.indexOf(u'=');
        if (eq >= 0 && QStringView(row).first(eq).compare(key, Qt::CaseInsensitive) == 0)
            return row.mid(eq + 1);
    }
    return QString();
}

// The turn file's summary rows follow its six table rows.
constexpr qsizetype kFirstSummaryRow = 6;

QString GetTurnValue(const DataPaths &paths, const QString &name, const QString &key)
{
    const QString path = paths.turnFile(name);
    if (!RegularFileExists(path))
        return QStringLiteral("unknown");
    const QStringList rows = ReadTextLines(path);
    for (qsizetype r = kFirstSummaryRow; r < rows.size(); ++r) {
        if (rows.at(r).contains(key))
            // The value stands two characters after the key's length, wherever the key was.
            return FormatSummaryValue(ParseOrRaise(rows.at(r).mid(key.size() + 2)));
    }
    return QString();
}

// Nearest whole number, ties to the even neighbour.
static long double RoundHalfEven(long double y)
{
    const long double down = std::floor(y);
    const long double diff = y - down;
    if (diff > 0.5L)
        return down + 1;
    if (diff < 0.5L)
        return down;
    return std::fmod(down, 2.0L) == 0 ? down : down + 1;
}

QString FormatSummaryValue(long double value)
{
    const long double scaled = value * 100.0L;
    long double v = std::isfinite(scaled) ? RoundHalfEven(scaled) / 100.0L : value;
    if (v == 0 || !std::isfinite(v))
        return QStringLiteral("0");

    // 15 significant digits in scientific form: d.dddddddddddddde±x.
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14);
    const std::string sci(buf, res.ptr);
    const std::size_t ePos = sci.find('e');
    const bool negative = sci[0] == '-';
    std::string digits;
    for (std::size_t k = negative ? 1 : 0; k < ePos; ++k)
        if (sci[k] != '.')
            digits.push_back(sci[k]);
    int exponent = std::stoi(sci.substr(ePos + 1));
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out = negative ? "-" : "";
    const int count = int(digits.size());
    if (exponent < 0) {
        out += "0." + std::string(std::size_t(-exponent - 1), '0') + digits;
    } else if (exponent + 1 >= count) {
        out += digits + std::string(std::size_t(exponent + 1 - count), '0');
    } else {
        out += digits.substr(0, std::size_t(exponent + 1)) + "." + digits.substr(std::size_t(exponent + 1));
    }
    return QString::fromLatin1(out);
}
