#pragma once
// How the program shows numbers and texts to people: in which units and in which
// language. The window and the command line decide it; whatever draws or prints below
// them is handed one and reads no setting of its own, so a report in imperial units can
// be made beside a metric window.
#include "core/units.h"

#include <QString>

#include <climits>

struct View {
    UnitSystem units = UnitSystem::Metric;
    QString language = QStringLiteral("ru");  // "ru" or "en": the language the texts are in
};

// How a place writes its numbers.
enum class NumberStyle {
    Plain,    // as DecimalText writes it: "." for the point, "-", no grouping, no trailing
              // zeros; empty when not finite (read-outs, marks, copied data)
    Padded,   // Plain with every decimal written, "435.0" (the trees' converted values)
    Tracker,  // Plain, rounded half away from zero; "-" when not finite (the tracker's box)
    Page,     // every decimal written, thousands set apart by a no-break space (U+00A0),
              // a minus sign "−"; "—" when not finite (the verdict, the ranking, reports)
    Data,     // as the data hold it, for a spreadsheet: whole thousandths (what arithmetic
              // adds beyond them dropped, the form's decimals not read), "." and "-", no
              // grouping, no trailing zeros; empty when not finite (copied tables, tsv, json)
};

// Decimals a number is written to.
constexpr int kEveryDigit = INT_MAX;  // all of its 15 significant digits
constexpr int kByMagnitude = -1;      // none from 1000 up, one from 100, else two

struct NumberForm {
    int decimals = 3;
    NumberStyle style = NumberStyle::Plain;
    bool sign = false;  // "+" before a positive number that is not written as zero
    bool trimmed = false;  // Page: trailing zeros of the decimals dropped ("+1.5", "+2")
    // Decimals count in metric units: two fewer in ft/min (a hundred and more times the
    // m/s, ShownDecimals); otherwise as many in every unit.
    bool metricDecimals = false;
};

// The text shown for the metric value of `quantity` in `units`: converted, rounded to
// the form's decimals in those units and written in its style. The one way a number
// reaches people; NumberText is its second half, for a value already in the units shown
// (a difference of shown values, a count).
QString ShownNumber(Quantity quantity, double metric, UnitSystem units, const NumberForm &form);
QString NumberText(double shown, const NumberForm &form);
// NumberText written at the end of `out` (a table of thousands of cells writes its
// numbers without a text each).
void AppendNumberText(QString &out, double shown, const NumberForm &form);
// The value a number written to `decimals` places (0 to 3, as the page writes it) stands
// for: a difference of two cells is the difference of what they show.
double WrittenValue(double shown, int decimals);
