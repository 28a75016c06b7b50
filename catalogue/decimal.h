#pragma once
// Numbers of the data files and their decimal rules: the grammar, the cut to three
// decimals for charts and the rounding to two for the summary captions.
#include <QString>

// Strict number grammar: spaces, optional sign, digits with optional "." and fraction,
// optional exponent, spaces. No comma, no inf/nan, no hex, nothing out of range.
bool ParseNumber(QStringView text, long double &value);
// A number cut toward zero to three decimals on its decimal digits as written
// (1.234567E2 gives 123.456, -0.0009 gives 0, 0.126 stays 0.126), then the nearest
// extended value (below 2^53 its double is the nearest double as well: the binary
// digits of a thousandth never run long enough to round twice). Raises "'%s' is not a
// valid floating point value" for anything else.
long double ReadValue(QStringView text);
// A computed value: dividend / divisor in extended precision, rounded to 15
// significant digits, then cut to three decimals like ReadValue, so an exact quotient
// stays whole (360 / 0.36 gives 1000). A quotient that is not finite comes back as is.
long double CutQuotient(long double dividend, long double divisor);

// The value's 15 significant digits rounded to two decimals, a tie going to the even
// neighbour (2.675 gives 2.68, 0.125 gives 0.12), as the shortest plain text.
QString FormatSummaryValue(long double value);
