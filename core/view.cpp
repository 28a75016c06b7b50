#include "core/view.h"

#include "core/decimal_text.h"

#include <QLocale>

#include <cmath>

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

// Thousands set apart by a no-break space, so a number never breaks inside.
QString Grouped(QString digits)
{
    const qsizetype point = digits.indexOf(u'.');
    for (qsizetype i = (point < 0 ? digits.size() : point) - 3; i > 0; i -= 3)
        digits.insert(i, QChar(0x00A0));
    return digits;
}

QString PageText(double v, int decimals, bool sign)
{
    if (!std::isfinite(v))
        return QStringLiteral("—");
    const int places = decimals == kEveryDigit ? int(QLocale::FloatingPointShortest) : decimals;
    const QString digits = Grouped(QString::number(std::abs(v), 'f', places));
    if (WrittenAsZero(digits))
        return digits;
    return (v < 0 ? QStringLiteral("−") : sign ? QStringLiteral("+") : QString()) + digits;
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

QString NumberText(double v, const NumberForm &form)
{
    const int decimals = form.decimals == kByMagnitude ? DecimalsByMagnitude(v) : form.decimals;
    if (form.style == NumberStyle::Page)
        return PageText(v, decimals, form.sign);
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
