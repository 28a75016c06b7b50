#pragma once
// Numbers as the program writes them for people: chart marks, read-outs, the tracker's
// box, copied data and the trees' summary values all go through here.
#include <QString>

// `value` rounded to at most `decimals` decimals, as plain decimal text: "." for the
// point whatever the locale, no exponent, no trailing zeros, no point for a whole
// number, and "-" only before a number that is not zero ("-0.0004" to two decimals is
// "0"). The rounding works on the value's 15 significant digits and sends a tie to the
// even neighbour, so 2.675 gives "2.68" as written although its binary value lies just
// below. A value that is not finite gives an empty text.
QString DecimalText(long double value, int decimals);
// The number DecimalText(value, decimals) writes, as the nearest extended value (0 for
// a value that rounds to zero); a value that is not finite comes back as is.
long double RoundedDecimal(long double value, int decimals);

// The same with every one of the 15 significant digits, however small the value.
QString DecimalText(long double value);
