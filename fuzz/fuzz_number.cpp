// The number readers on arbitrary text: ParseNumber against a table-driven model of
// the number grammar and the C library's strtold, ReadValue's cut to three decimals,
// the chart readers built on it, and FormatSummaryValue's text.
#include "catalogue/chart_values.h"
#include "charts/fill_common.h"
#include "charts/turn_rate.h"
#include "fuzz/fuzz_support.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <string>

namespace {
QString Show(long double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.21Lg", v);
    return QString::fromLatin1(buf);
}

// The number grammar as a state machine: spaces, sign, digits with an optional "."
// and fraction (at least one digit in all), optional exponent, spaces. On success
// gives the ASCII text without the spaces.
bool ModelGrammar(const QString &text, std::string &ascii)
{
    enum State { Lead, Sign, Int, Dot, Frac, E, ESign, EDigits, Trail, Bad };
    State s = Lead;
    ascii.clear();
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        const bool digit = c >= u'0' && c <= u'9';
        const bool sign = c == u'+' || c == u'-';
        const bool e = c == u'e' || c == u'E';
        State next = Bad;
        switch (s) {
        case Lead: next = c == u' ' ? Lead : sign ? Sign : digit ? Int : c == u'.' ? Dot : Bad; break;
        case Sign: next = digit ? Int : c == u'.' ? Dot : Bad; break;
        case Int: next = digit ? Int : c == u'.' ? Frac : e ? E : c == u' ' ? Trail : Bad; break;
        case Dot: next = digit ? Frac : Bad; break;  // "." needs a digit after it when none came before
        case Frac: next = digit ? Frac : e ? E : c == u' ' ? Trail : Bad; break;
        case E: next = sign ? ESign : digit ? EDigits : Bad; break;
        case ESign: next = digit ? EDigits : Bad; break;
        case EDigits: next = digit ? EDigits : c == u' ' ? Trail : Bad; break;
        case Trail: next = c == u' ' ? Trail : Bad; break;
        case Bad: break;
        }
        if (next == Bad)
            return false;
        if (c != u' ')
            ascii.push_back(char(c));
        s = next;
    }
    return s == Int || s == Frac || s == EDigits || s == Trail;
}

// The value the C library reads, or nothing when it is out of range.
std::optional<long double> ModelValue(const std::string &ascii)
{
    errno = 0;
    char *end = nullptr;
    const long double v = std::strtold(ascii.c_str(), &end);
    if (errno == ERANGE || !std::isfinite(v) || end != ascii.c_str() + ascii.size())
        return std::nullopt;
    return v;
}

// Digits of the number's significand, leading zeros left out.
int SignificantDigits(const std::string &ascii)
{
    int n = 0;
    for (const char c : ascii) {
        if (c == 'e' || c == 'E')
            break;
        if ((c >= '1' && c <= '9') || (c == '0' && n > 0))
            ++n;
    }
    return n;
}

QString NotANumber(const QString &text)
{
    return InvalidFloatError(text).message();
}

long double RoundHalfEvenModel(long double y)
{
    return std::nearbyint(y);  // the default rounding mode sends ties to even
}

void CheckSummaryText(long double value)
{
    const QString s = FormatSummaryValue(value);
    const QString where = Show(value) + QStringLiteral(" -> ") + s;
    // Shape: optional "-", whole part without leading zeros, optional fraction without
    // trailing zeros; never "-0".
    qsizetype i = s.startsWith(u'-') ? 1 : 0;
    const qsizetype dot = s.indexOf(u'.');
    const QStringView whole = QStringView(s).sliced(i, (dot < 0 ? s.size() : dot) - i);
    const QStringView fraction = dot < 0 ? QStringView() : QStringView(s).sliced(dot + 1);
    const auto allDigits = [](QStringView v) {
        for (QChar c : v)
            if (c < u'0' || c > u'9')
                return false;
        return true;
    };
    FUZZ_CHECK(!whole.isEmpty() && allDigits(whole) && allDigits(fraction), where);
    FUZZ_CHECK(whole.size() == 1 || whole.front() != u'0', where);
    FUZZ_CHECK(dot < 0 || (!fraction.isEmpty() && fraction.back() != u'0'), where);
    FUZZ_CHECK(fraction.size() <= 2, where);
    FUZZ_CHECK(s != QLatin1String("-0"), where);
    QString digits = whole.toString() + fraction.toString();
    while (digits.startsWith(u'0'))
        digits.remove(0, 1);
    while (digits.endsWith(u'0'))
        digits.chop(1);
    FUZZ_CHECK(digits.size() <= 15, where);

    // The text reads back as the value rounded to two decimals, to 15 digits (near the
    // top of the range the 15-digit text may round past the largest number).
    if (std::fabs(value) > 1e4900L)
        return;
    long double back = 0;
    FUZZ_CHECK(ParseNumber(s, back), where);
    // Only where the value lies half a hundredth from both neighbours, to 15 digits,
    // may the decimal tie rule part from the binary one, and then by one hundredth.
    const long double scaled = value * 100.0L;
    const long double expected = std::isfinite(scaled) ? RoundHalfEvenModel(scaled) / 100.0L : value;
    const long double slack = std::fabs(value) * 1e-14L;
    if (std::fabs(back - expected) > std::fabs(expected) * 1e-14L) {
        FUZZ_CHECK(std::fabs(std::fabs(back - expected) - 0.01L) <= slack, where);
        FUZZ_CHECK(std::fabs(std::fabs(back - value) - 0.005L) <= slack, where);
    }
}

void CheckText(const QString &text)
{
    std::string ascii;
    const bool grammar = ModelGrammar(text, ascii);
    const std::optional<long double> model = grammar ? ModelValue(ascii) : std::nullopt;

    long double x = 0;
    const bool ok = ParseNumber(text, x);
    FUZZ_CHECK(!ok || grammar, QStringLiteral("read outside the grammar: ") + text);
    FUZZ_CHECK(ok == model.has_value(), QStringLiteral("read %1, model %2: ").arg(ok).arg(model.has_value()) + text);
    if (ok) {
        FUZZ_CHECK(std::isfinite(x), text);
        FUZZ_CHECK(x == *model, Show(x) + QStringLiteral(" != ") + Show(*model) + QStringLiteral(" for ") + text);
    }

    // ReadValue: the number cut toward zero to three decimals of its text. The cut
    // value never exceeds the text's value and never falls more than 0.001 below it.
    try {
        const long double r = ReadValue(text);
        FUZZ_CHECK(ok, QStringLiteral("ReadValue took ") + text);
        FUZZ_CHECK(std::isfinite(r), text);
        const QString where = Show(x) + QStringLiteral(" -> ") + Show(r) + QStringLiteral(" for ") + text;
        FUZZ_CHECK(r == 0 || std::signbit(r) == std::signbit(x), where);
        FUZZ_CHECK(!(r == 0 && std::signbit(r)), where);
        const long double ax = std::fabs(x), ar = std::fabs(r);
        FUZZ_CHECK(ar <= ax, where);
        FUZZ_CHECK(ax - ar <= 0.001L + ax * 1e-18L, where);
        if (ax < 1e15L) {
            // r is a whole number of thousandths k, converted to the nearest value; the
            // text lies below the next thousandth, which the extended value shows
            // exactly unless the text has more digits than it holds.
            const long double k = std::nearbyint(ar * 1000.0L);
            FUZZ_CHECK(ar == k / 1000.0L, where);
            FUZZ_CHECK(ax < (k + 1) / 1000.0L || (ax == (k + 1) / 1000.0L && SignificantDigits(ascii) > 18), where);
            // What the charts draw is the nearest double of the thousandths.
            if (k < 0x1p53L)
                FUZZ_CHECK(double(ar) == double(k) / 1000.0, where);
        }
    } catch (const VarnelError &e) {
        FUZZ_CHECK(!ok, QStringLiteral("ReadValue refused ") + text);
        FUZZ_CHECK(e.message() == NotANumber(text), e.message());
    }

    // A chart value is a finite double, the same error, or an overflow of a number.
    try {
        const double v = ChartValue(text);
        FUZZ_CHECK(ok && std::isfinite(v), text);
    } catch (const VarnelError &e) {
        FUZZ_CHECK(e.message() == (ok ? QStringLiteral("Floating point overflow") : NotANumber(text)), e.message());
    }

    // A turn time gives a finite rate of the same sign, or one of two errors.
    try {
        const double rate = TurnTimeToRate(text);
        FUZZ_CHECK(ok && x != 0 && std::isfinite(rate), text);
        FUZZ_CHECK(rate == 0 || std::signbit(rate) == std::signbit(x), text);
        // The quotient to 15 significant digits, cut to three decimals.
        const long double q = 360.0L / std::fabs(x);
        FUZZ_CHECK(std::fabs(rate) <= q * (1 + 1e-14L), text);
        FUZZ_CHECK(std::fabs(rate) >= q * (1 - 1e-14L) - 0.001L - q * 1e-15L, text);
    } catch (const VarnelError &e) {
        if (ok && x == 0)
            FUZZ_CHECK(e.message() == QLatin1String("Floating point division by zero"), e.message());
        else if (ok)
            FUZZ_CHECK(e.message() == QLatin1String("Floating point overflow"), e.message());
        else
            FUZZ_CHECK(e.message() == NotANumber(text), e.message());
    }

    if (ok)
        CheckSummaryText(x);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The bytes as 8-bit text, as the data files give it, and as UTF-16 code units,
    // which reach characters no data file holds.
    CheckText(QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(size)));
    QString wide(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(wide.data(), data, size / 2 * sizeof(QChar));
    CheckText(wide);

    // Summary texts of values no text gives directly: a double's bits scaled by a
    // power of ten.
    if (size >= 9) {
        double d;
        std::memcpy(&d, data, sizeof d);
        const int exponent = int(int8_t(data[8])) * 38;
        const long double v = (long double)d * std::pow(10.0L, exponent);
        if (std::isfinite(v))
            CheckSummaryText(v);
    }
    return 0;
}
