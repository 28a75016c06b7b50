#include "core/view.h"

#include "core/decimal_text.h"

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {
int DecimalsByMagnitude(double v)
{
    const double a = std::abs(v);
    return a >= 1000 ? 0 : a >= 100 ? 1 : 2;
}

// Decimal text rounded half away from zero, as the tracker's box has always read.
QString HalfAwayText(double v, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return DecimalText(std::round(v * scale) / scale, decimals);
}

bool WrittenAsZero(const QString &digits)
{
    for (QChar c : digits)
        if (c != u'0' && c != u'.' && c != u'-')
            return false;
    return true;
}

// Room for the digits of any double at three places.
constexpr int kDigitsRoom = 400;

// The digits of a magnitude (finite, not negative) at `decimals` places into buf, as
// QString::number writes them (an exact half rounded away from zero); their count. Up
// to three places below 10^12 without Qt's writer: a table of thousands of numbers.
int FixedDigits(double magnitude, int decimals, char *buf)
{
    if (!(magnitude < 1e12) || decimals < 0 || decimals > 3) {
        const int places = decimals == kEveryDigit ? int(QLocale::FloatingPointShortest) : decimals;
        const QByteArray digits = QString::number(magnitude, 'f', places).toLatin1().left(kDigitsRoom);
        std::memcpy(buf, digits.constData(), size_t(digits.size()));
        return int(digits.size());
    }
    // magnitude times 2·10^decimals is exact in a long double: a whole odd number there
    // is an exact half, which std::to_chars would round to even.
    static const long double kTwice[4] = {2, 20, 200, 2000};
    const long double twice = static_cast<long double>(magnitude) * kTwice[decimals];
    if (twice == std::floor(twice) && std::fmod(twice, 2.0L) == 1)
        magnitude = std::nextafter(magnitude, HUGE_VAL);
    return int(std::to_chars(buf, buf + kDigitsRoom, magnitude, std::chars_format::fixed, decimals).ptr - buf);
}

void AppendPage(QString &out, double value, int decimals, bool sign, bool trimmed)
{
    if (!std::isfinite(value)) {
        out += QChar(0x2014);
        return;
    }
    char buf[kDigitsRoom];
    int n = FixedDigits(std::abs(value), decimals, buf);
    const bool zero = std::all_of(buf, buf + n, [](char c) { return c == '0' || c == '.'; });
    const char *point = static_cast<const char *>(std::memchr(buf, '.', size_t(n)));
    if (trimmed && point) {
        while (buf[n - 1] == '0')
            --n;
        if (buf[n - 1] == '.')
            --n;
    }
    const int whole = point ? int(point - buf) : n;
    char16_t shown[kDigitsRoom * 4 / 3 + 2];  // not cleared first: every place used is written
    int k = 0;
    if (!zero && value < 0)
        shown[k++] = u'\u2212';
    else if (!zero && sign)
        shown[k++] = u'+';
    for (int i = 0; i < n; ++i) {
        if (i > 0 && i < whole && (whole - i) % 3 == 0)
            shown[k++] = u'\u00A0';  // a number never breaks inside
        shown[k++] = char16_t(buf[i]);
    }
    out.append(QStringView(shown, k));
}

void AppendData(QString &out, double v)
{
    if (!std::isfinite(v))
        return;
    if (std::abs(v) >= 1e15) {
        out += QString::number(v, 'g', QLocale::FloatingPointShortest);
        return;
    }
    char buf[kDigitsRoom];
    int n = FixedDigits(std::abs(v), 3, buf);
    while (buf[n - 1] == '0')
        --n;
    if (buf[n - 1] == '.')
        --n;
    if (v < 0 && !(n == 1 && buf[0] == '0'))
        out += QLatin1Char('-');
    out += QLatin1StringView(buf, n);
}

// Trailing zeros written up to `decimals` ("435" to one decimal is "435.0").
QString Padded(QString text, int decimals)
{
    if (text.isEmpty() || decimals <= 0)
        return text;
    const qsizetype point = text.indexOf(u'.');
    return text + (point < 0 ? QStringLiteral(".") : QString())
        + QString(decimals - (point < 0 ? 0 : text.size() - point - 1), u'0');
}
}  // namespace

void AppendNumberText(QString &out, double v, const NumberForm &form)
{
    if (form.style == NumberStyle::Page)
        AppendPage(out, v, form.decimals == kByMagnitude ? DecimalsByMagnitude(v) : form.decimals, form.sign, form.trimmed);
    else if (form.style == NumberStyle::Data)
        AppendData(out, v);
    else
        out += NumberText(v, form);
}

QString NumberText(double v, const NumberForm &form)
{
    const int decimals = form.decimals == kByMagnitude ? DecimalsByMagnitude(v) : form.decimals;
    if (form.style == NumberStyle::Page || form.style == NumberStyle::Data) {
        QString out;
        AppendNumberText(out, v, form);
        return out;
    }
    if (!std::isfinite(v))
        return form.style == NumberStyle::Tracker ? QStringLiteral("-") : QString();
    QString text = form.style == NumberStyle::Tracker ? HalfAwayText(v, decimals) : DecimalText(v, decimals);
    if (form.style == NumberStyle::Padded)
        text = Padded(text, decimals);
    return form.sign && v > 0 && !WrittenAsZero(text) ? QLatin1Char('+') + text : text;
}

QString ShownNumber(Quantity quantity, double metric, UnitSystem units, const NumberForm &form)
{
    NumberForm shown = form;
    if (form.metricDecimals && form.decimals >= 0 && form.decimals != kEveryDigit)
        shown.decimals = ShownDecimals(quantity, form.decimals, units);
    return NumberText(ToShown(quantity, metric, units), shown);
}

double WrittenValue(double v, int decimals)
{
    if (!std::isfinite(v))
        return v;
    char buf[kDigitsRoom];
    const int n = FixedDigits(std::abs(v), decimals, buf);
    double magnitude = 0;
    std::from_chars(buf, buf + n, magnitude);
    return (v < 0 ? -magnitude : magnitude) + 0.0;
}
