#include "catalogue/chart_values.h"
#include "catalogue/readers.h"

#include <cmath>

double ChartValue(QStringView text)
{
    const double value = double(ReadValue(text));
    if (!std::isfinite(value))
        throw OverflowError();
    return value;
}

double TurnTimeToRate(QStringView text)
{
    long double seconds = 0;
    if (!ParseNumber(text, seconds))
        throw InvalidFloatError(text.toString());
    if (seconds == 0)
        throw VarnelError(QStringLiteral("Floating point division by zero"));
    const double value = double(CutQuotient(360.0L, seconds));
    if (!std::isfinite(value))
        throw OverflowError();
    return value;
}

VarnelError Located(const VarnelError &error, const QString &aircraft, const QString &file)
{
    return error.row() < 0 ? error : LocatedError(error, aircraft, file, error.row());
}

void ReadLocated(const QString &aircraft, const QString &file, const std::function<void()> &read)
{
    try {
        read();
    } catch (const VarnelError &e) {
        throw Located(e, aircraft, file);
    }
}
