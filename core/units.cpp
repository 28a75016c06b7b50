#include "core/units.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace {
constexpr double kFeetPerMetre = 3.28084;
constexpr double kMphPerKmh = 0.621371;
constexpr double kKnotsPerKmh = 0.539957;
constexpr double kFeetPerMinutePerMetrePerSecond = 196.850;
constexpr double kPoundsPerKilogram = 2.20462;

UnitSystem &shown()
{
    static UnitSystem units = UnitSystem::Metric;
    return units;
}

double Factor(Quantity quantity, UnitSystem units)
{
    if (units == UnitSystem::Metric)
        return 1.0;
    switch (quantity) {
    case Quantity::Altitude:
    case Quantity::Radius:
        return kFeetPerMetre;
    case Quantity::Speed:
        return units == UnitSystem::Knots ? kKnotsPerKmh : kMphPerKmh;
    case Quantity::Climb:
        return kFeetPerMinutePerMetrePerSecond;
    case Quantity::Weight:
        return kPoundsPerKilogram;
    case Quantity::Time:
    case Quantity::TurnRate:
        return 1.0;
    }
    return 1.0;
}
}  // namespace

double ToShown(Quantity quantity, double metric, UnitSystem units) { return metric * Factor(quantity, units); }
double FromShown(Quantity quantity, double shown, UnitSystem units) { return shown / Factor(quantity, units); }

QString UnitName(Quantity quantity, UnitSystem units)
{
    const bool metric = units == UnitSystem::Metric;
    switch (quantity) {
    case Quantity::Altitude:
    case Quantity::Radius:
        return metric ? QCoreApplication::translate("Units", "м") : QCoreApplication::translate("Units", "ft");
    case Quantity::Speed:
        if (metric)
            return QCoreApplication::translate("Units", "км/ч");
        return units == UnitSystem::Knots ? QCoreApplication::translate("Units", "kt")
                                          : QCoreApplication::translate("Units", "mph");
    case Quantity::Climb:
        return metric ? QCoreApplication::translate("Units", "м/с") : QCoreApplication::translate("Units", "ft/min");
    case Quantity::Weight:
        return metric ? QCoreApplication::translate("Units", "кг") : QCoreApplication::translate("Units", "lb");
    case Quantity::Time:
        return QCoreApplication::translate("Units", "с");
    case Quantity::TurnRate:
        return QCoreApplication::translate("Units", "°/с");
    }
    return {};
}

QString UnitKey(Quantity quantity, UnitSystem units)
{
    const bool metric = units == UnitSystem::Metric;
    switch (quantity) {
    case Quantity::Altitude:
    case Quantity::Radius:
        return metric ? QStringLiteral("m") : QStringLiteral("ft");
    case Quantity::Speed:
        return metric ? QStringLiteral("km/h") : units == UnitSystem::Knots ? QStringLiteral("kt") : QStringLiteral("mph");
    case Quantity::Climb:
        return metric ? QStringLiteral("m/s") : QStringLiteral("ft/min");
    case Quantity::Weight:
        return metric ? QStringLiteral("kg") : QStringLiteral("lb");
    case Quantity::Time:
        return QStringLiteral("s");
    case Quantity::TurnRate:
        return QStringLiteral("deg/s");
    }
    return {};
}

QString WithUnit(const QString &number, const QString &unit) { return number + QChar(0x00A0) + unit; }

QString AltitudesIn(const QString &title, UnitSystem units)
{
    if (!Converts(Quantity::Altitude, units))
        return title;
    // A whole number, then "м" or "m" (a space or none between) that no letter or "/"
    // follows: "1000м", "0 m", but not "м/с" or "mph".
    static const QRegularExpression metres(QStringLiteral("(\\d+)[ \\x{00A0}]?(?:м|m)(?![\\p{L}/])"));
    QString out;
    qsizetype from = 0;
    for (const QRegularExpressionMatch &m : metres.globalMatch(title)) {
        const double shown = std::round(ToShown(Quantity::Altitude, m.captured(1).toDouble(), units));
        out += title.mid(from, m.capturedStart() - from) + WithUnit(QString::number(shown, 'f', 0), UnitName(Quantity::Altitude, units));
        from = m.capturedEnd();
    }
    return out + title.mid(from);
}

bool Converts(Quantity quantity, UnitSystem units) { return Factor(quantity, units) != 1.0; }

int ShownDecimals(Quantity quantity, int metricDecimals, UnitSystem units)
{
    const int fewer = int(std::floor(std::log10(Factor(quantity, units))));
    return std::max(0, metricDecimals - std::max(0, fewer));
}

UnitSystem ShownUnits() { return shown(); }
void SetShownUnits(UnitSystem units) { shown() = units; }

QString UnitSystemKey(UnitSystem units)
{
    switch (units) {
    case UnitSystem::Metric:
        return QStringLiteral("metric");
    case UnitSystem::Imperial:
        return QStringLiteral("imperial");
    case UnitSystem::Knots:
        return QStringLiteral("knots");
    }
    return {};
}

std::optional<UnitSystem> UnitSystemNamed(QStringView key)
{
    for (UnitSystem u : {UnitSystem::Metric, UnitSystem::Imperial, UnitSystem::Knots})
        if (key == UnitSystemKey(u))
            return u;
    return std::nullopt;
}
