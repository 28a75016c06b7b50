#include "catalogue/readers.h"

#include "core/decimal_text.h"
#include "core/error.h"

#include <QDir>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

static FileName Joined(const FileName &dir, const char *middle, const FileName &name, const char *end)
{
    return FileName::FromBytes(dir.bytes + middle + name.bytes + end);
}
FileName DataPaths::speedDir() const { return FileName::FromBytes(start.bytes + "/DataSpeed"); }
FileName DataPaths::speedFile(const FileName &name) const { return Joined(start, "/DataSpeed/", name, "_speed.txt"); }
FileName DataPaths::turnFile(const FileName &name) const { return Joined(start, "/DataTurn/", name, "_turn.txt"); }
FileName DataPaths::craftFile(const FileName &name) const { return Joined(start, "/DataCraft/", name, ".txt"); }
FileName DataPaths::weaponFile(const FileName &name) const { return Joined(start, "/DataWeapon/", name, ".txt"); }

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

// Text bytes as UTF-8 when they start with its byte-order mark or are valid UTF-8,
// else as Windows-1251 (whose Cyrillic text is practically never valid UTF-8). UTF-8
// keeps line breaks in their places too: its multi-byte characters hold no ASCII bytes.
static QString DecodeText(QByteArrayView bytes)
{
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
    if (ascii)
        return QString::fromLatin1(bytes);
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError() || bytes.startsWith("\xEF\xBB\xBF") || !CodePage().isValid())
        return text;
    return CodePage().decode(bytes);
}

QString DisplayName(const QByteArray &bytes)
{
    QStringList parts;
    for (const QByteArray &part : bytes.split('/'))
        parts.append(DecodeText(part));
    return parts.join(u'/');
}

FileName::operator QString() const { return DisplayName(bytes); }

FileKind KindOf(const FileName &path)
{
    struct stat st;
    if (::stat(path.bytes.constData(), &st) != 0)
        return FileKind::None;
    return S_ISREG(st.st_mode) ? FileKind::Regular : S_ISDIR(st.st_mode) ? FileKind::Directory : FileKind::Other;
}

FileName LocateFileName(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    if (KindOf(FileName::FromBytes(utf8)) != FileKind::None)
        return FileName::FromBytes(utf8);
    QByteArray out;
    const QStringList parts = text.split(u'/');
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            out += '/';
        const QByteArray u = parts.at(i).toUtf8();
        QStringEncoder cp1251("windows-1251", QStringEncoder::Flag::Stateless);
        const QByteArray w = cp1251.encode(parts.at(i));
        const auto exists = [&](const QByteArray &part) { return KindOf(FileName::FromBytes(out + part)) != FileKind::None; };
        out += !cp1251.hasError() && w != u && !exists(u) && exists(w) ? w : u;
    }
    return FileName::FromBytes(out);
}

FileName CurrentDirectory()
{
    QByteArray buf(4096, Qt::Uninitialized);
    while (!::getcwd(buf.data(), size_t(buf.size()))) {
        if (errno != ERANGE)
            return FileName::FromBytes(".");
        buf.resize(buf.size() * 2);
    }
    return FileName::FromBytes(QByteArray(buf.constData()));
}

FileName AbsoluteFileName(const FileName &path)
{
    if (path.bytes.startsWith('/'))
        return path;
    return FileName::FromBytes(CurrentDirectory().bytes + '/' + path.bytes);
}

QStringList SplitTextLines(const QByteArray &bytes)
{
    CheckCodePage();
    const qsizetype nul = bytes.indexOf('\0');
    const QString text = DecodeText(nul < 0 ? QByteArrayView(bytes) : QByteArrayView(bytes).first(nul));

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

static VarnelError CannotOpen(const FileName &path, const QString &reason)
{
    return VarnelError(QStringLiteral("Cannot open file \"%1\". %2").arg(QDir::toNativeSeparators(path), reason));
}

namespace {
struct FdCloser {
    int fd;
    ~FdCloser() { ::close(fd); }
};
}  // namespace

QStringList ReadTextLines(const FileName &path)
{
    const char *native = path.bytes.constData();
    // A pipe or a device named like a data file would block or never end.
    const FileKind kind = KindOf(path);
    if (kind == FileKind::Other)
        throw CannotOpen(path, QStringLiteral("Not a regular file"));
    const int fd = ::open(native, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        throw CannotOpen(path, qt_error_string(errno));
    const FdCloser closer{fd};
    struct stat st;
    if (::fstat(fd, &st) != 0)
        throw CannotOpen(path, qt_error_string(errno));
    if (S_ISDIR(st.st_mode))
        throw CannotOpen(path, QStringLiteral("file to open is a directory"));
    if (!S_ISREG(st.st_mode))
        throw CannotOpen(path, QStringLiteral("Not a regular file"));
    // Refused before a byte is read: a sparse file of many gigabytes costs nothing.
    if (st.st_size > kMaxDataFileBytes)
        throw CannotOpen(path, QStringLiteral("File too large"));

    // The file may grow while it is read: the buffer grows with it, up to the limit.
    QByteArray bytes(qsizetype(st.st_size) + 1, Qt::Uninitialized);
    qsizetype got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got > kMaxDataFileBytes)
                throw CannotOpen(path, QStringLiteral("File too large"));
            bytes.resize(std::min<qsizetype>(got * 2, kMaxDataFileBytes + 1));
        }
        const ssize_t n = ::read(fd, bytes.data() + got, size_t(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw CannotOpen(path, qt_error_string(errno));
        if (n == 0)
            break;
        got += n;
    }
    bytes.truncate(got);
    return SplitTextLines(bytes);
}

bool RegularFileExists(const FileName &path)
{
    return KindOf(path) == FileKind::Regular;
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

// Reads a grammar-checked number, keeping its text as well for the decimal rules below.
static bool ReadNumber(const QString &text, std::string &ascii, long double &value)
{
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

bool ParseNumber(const QString &text, long double &value)
{
    std::string ascii;
    return ReadNumber(text, ascii, value);
}

namespace {
// A number as decimal digits, so that cutting and rounding work on the digits as
// written and not on a binary value that may lie just below them. The value is
// 0.<digits> times 10 to the power point; digits hold no leading or trailing zeros,
// and no digits at all is zero.
struct Decimal {
    bool negative = false;
    std::string digits;
    long long point = 0;
};

void StripZeros(Decimal &d)
{
    const std::size_t lead = d.digits.find_first_not_of('0');
    if (lead == std::string::npos) {
        d = Decimal();
        return;
    }
    d.digits.erase(0, lead);
    d.point -= (long long)lead;
    d.digits.erase(d.digits.find_last_not_of('0') + 1);
}

// The digits of a number in the grammar's ASCII form ("-12.5e3"; the C library's
// "1.25e+02" as well).
Decimal DecimalOfText(const std::string &ascii)
{
    Decimal d;
    std::size_t i = 0;
    if (i < ascii.size() && (ascii[i] == '-' || ascii[i] == '+'))
        d.negative = ascii[i++] == '-';
    bool fraction = false;
    for (; i < ascii.size() && ascii[i] != 'e' && ascii[i] != 'E'; ++i) {
        if (ascii[i] == '.') {
            fraction = true;
            continue;
        }
        d.digits.push_back(ascii[i]);
        if (!fraction)
            ++d.point;
    }
    if (i < ascii.size()) {
        ++i;
        const bool negativeExponent = i < ascii.size() && ascii[i] == '-';
        if (i < ascii.size() && (ascii[i] == '-' || ascii[i] == '+'))
            ++i;
        // Saturates: an exponent this large leaves only a zero in range, and the
        // grammar has refused every other number it would carry out of range.
        long long exponent = 0;
        for (; i < ascii.size(); ++i)
            exponent = std::min(exponent * 10 + (ascii[i] - '0'), 1'000'000'000'000LL);
        d.point += negativeExponent ? -exponent : exponent;
    }
    StripZeros(d);
    return d;
}

// A value's 15 significant digits.
Decimal DecimalOfValue(long double value)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    return DecimalOfText(std::string(buf, res.ptr));
}

// Drops every digit after the third decimal.
Decimal CutToThousandths(Decimal d)
{
    const long long keep = d.point + 3;
    if (keep <= 0)
        return Decimal();
    if ((long long)d.digits.size() > keep)
        d.digits.resize(std::size_t(keep));
    StripZeros(d);
    return d;
}

// The nearest extended value.
long double ValueOf(const Decimal &d)
{
    if (d.digits.empty())
        return 0;
    const std::string text = (d.negative ? "-" : "") + d.digits + "e" + std::to_string(d.point - (long long)d.digits.size());
    long double x = 0;
    // Never out of range: the digits were cut or rounded from a value in range.
    std::from_chars(text.data(), text.data() + text.size(), x, std::chars_format::scientific);
    return x;
}
}  // namespace

long double ReadValue(const QString &text)
{
    std::string ascii;
    long double x = 0;
    if (!ReadNumber(text, ascii, x))
        throw InvalidFloatError(text);
    return ValueOf(CutToThousandths(DecimalOfText(ascii)));
}

long double CutQuotient(long double dividend, long double divisor)
{
    const long double q = dividend / divisor;
    if (!std::isfinite(q))
        return q;
    return ValueOf(CutToThousandths(DecimalOfValue(q)));
}

QString GetCraftValue(const DataPaths &paths, const FileName &name, const QString &key)
{
    const FileName path = paths.craftFile(name);
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

QString GetTurnValue(const DataPaths &paths, const FileName &name, const QString &key)
{
    const FileName path = paths.turnFile(name);
    if (!RegularFileExists(path))
        return QStringLiteral("unknown");
    const QStringList rows = ReadTextLines(path);
    for (qsizetype r = kFirstSummaryRow; r < rows.size(); ++r) {
        if (!rows.at(r).contains(key))
            continue;
        // The value stands two characters after the key's length, wherever the key was.
        const QString text = rows.at(r).mid(key.size() + 2);
        long double x = 0;
        if (!ParseNumber(text, x))
            throw LocatedError(InvalidFloatError(text), name, FileName::FromBytes(path.bytes.mid(path.bytes.lastIndexOf('/') + 1)), r);
        return FormatSummaryValue(x);
    }
    return QString();
}

QString FormatSummaryValue(long double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    return DecimalText(value, 2);
}
