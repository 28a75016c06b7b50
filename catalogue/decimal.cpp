#include "catalogue/decimal.h"

#include "core/decimal_text.h"
#include "core/error.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

// Checks the number grammar and copies the number itself, without the spaces and
// without a leading "+", into ascii (the form std::from_chars takes).
static bool CheckNumberGrammar(QStringView text, std::string &ascii)
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
static bool ReadNumber(QStringView text, std::string &ascii, long double &value)
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

// The common case of ParseNumber, a plain decimal ("43.6", "-12", "5.", ".5") of at most
// 18 digits, read without building strings: its digits are a whole number exact as an
// extended value, and one division by an exact power of ten rounds it to the nearest
// extended value, as std::from_chars does. Anything else is left to the grammar.
static bool ReadPlainNumber(QStringView text, long double &value)
{
    static const long double kPowers[] = {1e0L, 1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L, 1e9L,
                                          1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L};
    const qsizetype n = text.size();
    qsizetype i = n > 0 && (text.at(0) == u'-' || text.at(0) == u'+') ? 1 : 0;
    unsigned long long whole = 0;
    int digits = 0, decimals = -1;
    for (; i < n; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c == u'.' && decimals < 0) {
            decimals = 0;
            continue;
        }
        if (c < u'0' || c > u'9' || ++digits > 18)
            return false;
        whole = whole * 10 + (c - u'0');
        if (decimals >= 0)
            ++decimals;
    }
    if (digits == 0)
        return false;
    const long double x = (long double)whole / kPowers[std::max(decimals, 0)];
    value = text.at(0) == u'-' ? -x : x;
    return true;
}

bool ParseNumber(QStringView text, long double &value)
{
    if (ReadPlainNumber(text, value))
        return true;
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

// The common case of the tables, a plain decimal ("523.45", "-12", ".5") of at most
// 18 digits up to its third decimal, read without building strings: cut to thousandths
// it is a whole number of thousandths, exact as an extended value, and one division
// rounds it to the nearest extended value as the general path does. Anything else
// (spaces, an exponent, more digits) is left to the general path.
static bool ReadPlainDecimal(QStringView text, long double &value)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    const bool negative = n > 0 && text.at(0) == u'-';
    if (n > 0 && (text.at(0) == u'-' || text.at(0) == u'+'))
        ++i;
    unsigned long long thousandths = 0;
    int whole = 0, decimals = -1, digits = 0;
    for (; i < n; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c == u'.' && decimals < 0) {
            decimals = 0;
            continue;
        }
        if (c < u'0' || c > u'9')
            return false;
        ++digits;
        if (decimals >= 0 && ++decimals > 3)
            continue;  // cut
        if (decimals < 0 && ++whole > 15)
            return false;  // at most 18 digits with the three decimals
        thousandths = thousandths * 10 + (c - u'0');
    }
    if (digits == 0)
        return false;
    for (int d = std::max(decimals, 0); d < 3; ++d)
        thousandths *= 10;
    if (thousandths == 0) {
        value = 0;
        return true;
    }
    const long double x = (long double)thousandths / 1000.0L;
    value = negative ? -x : x;
    return true;
}

long double ReadValue(QStringView text)
{
    long double plain = 0;
    if (ReadPlainDecimal(text, plain))
        return plain;
    std::string ascii;
    long double x = 0;
    if (!ReadNumber(text, ascii, x))
        throw InvalidFloatError(text.toString());
    return ValueOf(CutToThousandths(DecimalOfText(ascii)));
}

// The common case of CutQuotient, a quotient of magnitude 1 to 10^11 (turn rates), in
// integers: its 15 significant digits are the integer nearest to it times a power of
// ten, which one rounding of extended precision gets within 2^-15 of; only where that
// product lies too near a half to tell which integer is nearest does the general path
// decide. Cut to thousandths it is a whole number of thousandths, which one division
// rounds to the nearest extended value as the general path does.
static_assert(std::numeric_limits<long double>::digits >= 64, "the quick path's margin needs extended precision");
static bool CutPlainQuotient(long double q, long double &value)
{
    static const long double kPowers[] = {1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L, 1e7L,
                                          1e8L,  1e9L,  1e10L, 1e11L, 1e12L, 1e13L, 1e14L};
    const long double a = std::fabs(q);
    if (!(a >= 1.0L && a < 1e11L))
        return false;
    int k = 0;  // 10^k <= a < 10^(k+1)
    while (a >= kPowers[k + 1])
        ++k;
    const long double scaled = a * kPowers[14 - k];  // 10^14 <= scaled < 10^15
    const long double whole = std::floor(scaled);
    const long double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5L) < 1e-3L)
        return false;
    const unsigned long long digits = (unsigned long long)whole + (fraction > 0.5L ? 1 : 0);
    unsigned long long cut = 1;
    for (int i = 0; i < 11 - k; ++i)
        cut *= 10;
    const long double x = (long double)(digits / cut) / 1000.0L;
    value = q < 0 ? -x : x;
    return true;
}

long double CutQuotient(long double dividend, long double divisor)
{
    const long double q = dividend / divisor;
    if (!std::isfinite(q))
        return q;
    long double plain = 0;
    if (CutPlainQuotient(q, plain))
        return plain;
    return ValueOf(CutToThousandths(DecimalOfValue(q)));
}

QString FormatSummaryValue(long double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    return DecimalText(value, 2);
}
