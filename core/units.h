#pragma once
// The units numbers are shown in. Values stay metric inside the program (metres, km/h,
// m/s, kg, seconds, degrees a second); this is the one place that converts them for
// people and names their units: axes, the tracker, the trees, the verdict, copied data.
#include <QString>
#include <QStringView>

#include <optional>

enum class UnitSystem { Metric, Imperial, Knots };

// What a number measures, which decides its unit.
enum class Quantity { Altitude, Speed, Climb, Time, TurnRate, Weight, Radius };

// A metric value as shown in the unit system, and back.
double ToShown(Quantity quantity, double metric, UnitSystem units);
double FromShown(Quantity quantity, double shown, UnitSystem units);

// The unit's name as people read it in the interface's language ("км/ч", "mph", "ft").
QString UnitName(Quantity quantity, UnitSystem units);
// The unit's name for scripts, the same in every language ("km/h", "mph", "ft/min").
QString UnitKey(Quantity quantity, UnitSystem units);

// A number and its unit as one, joined by a no-break space, so that no line breaks
// between them ("+8.7 м/с").
QString WithUnit(const QString &number, const QString &unit);

// A title that names an altitude in metres ("на высоте 1000м", "Altitude=0 m") with
// the altitude in the units shown ("на высоте 3 281 ft"); as it is in metric units.
QString AltitudesIn(const QString &title, UnitSystem units);

// Whether the quantity is shown in other units than metric ones (time and turn rate are
// the same in every system).
bool Converts(Quantity quantity, UnitSystem units);
// Decimals of a shown value written to `metricDecimals` places in metric units: two
// fewer in ft/min (a hundred and more times the m/s), the same elsewhere.
int ShownDecimals(Quantity quantity, int metricDecimals, UnitSystem units);

// The units the program shows now (metric until set).
UnitSystem ShownUnits();
void SetShownUnits(UnitSystem units);

// "metric", "imperial", "knots": the names on the command line and in the settings.
QString UnitSystemKey(UnitSystem units);
std::optional<UnitSystem> UnitSystemNamed(QStringView key);
