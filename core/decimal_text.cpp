#include "core/decimal_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {
// A value rounded as written for people: 0.<digits> times 10 to the power `point`,
// digits without trailing zeros (none for zero).
struct Rounded {
    bool negative = false;
    std::string digits;
    long long point = 0;
};

// The significant digits of value as 15 of them written in scientific form give them,
// and the power of ten after the first: the value is 0.<digits> times 10^point.
void SignificantDigits(long double value, bool &negative, std::string &digits, long long &point)
{
    negative = std::signbit(value);
    const long double magnitude = std::fabs(value);
    // A whole number of up to 15 digits is written exactly: its own digits, quickly.
    if (magnitude < 1e15L && magnitude == std::trunc(magnitude)) {
        digits = std::to_string((unsigned long long)magnitude);
        point = magnitude == 0 ? 1 : (long long)digits.size();
        return;
    }
    // "-d.dddddddddddddde-x".
    char buf[64];
    const char *end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14).ptr;
    const char *p = buf + (negative ? 1 : 0);
    for (; p < end && *p != 'e'; ++p)
        if (*p != '.')
            digits.push_back(*p);
    int exponent = 0;
    if (p < end)
        std::from_chars(p + 1 + (p[1] == '+'), end, exponent);
    point = exponent + 1LL;
}

Rounded RoundedDigits(long double value, int decimals)
{
    bool negative = false;
    std::string digits;
    long long point = 0;
    SignificantDigits(value, negative, digits, point);

    const long long keep = point + decimals;
    if (keep < 0) {
        digits.clear();
    } else if (keep < (long long)digits.size()) {
        const std::size_t k = std::size_t(keep);
        const bool beyond = digits.find_first_not_of('0', k + 1) != std::string::npos;
        const bool odd = k > 0 && (digits[k - 1] - '0') % 2 == 1;
        const bool up = digits[k] > '5' || (digits[k] == '5' && (beyond || odd));
        digits.resize(k);
        if (up) {
            std::size_t i = k;
            while (i > 0 && digits[i - 1] == '9')
                digits[--i] = '0';
            if (i == 0) {
                digits.insert(0, 1, '1');
                ++point;
            } else {
                ++digits[i - 1];
            }
        }
    }
    const std::size_t last = digits.find_last_not_of('0');
    digits.resize(last == std::string::npos ? 0 : last + 1);
    return {negative && !digits.empty(), digits, point};
}
}  // namespace

QString DecimalText(long double value, int decimals)
{
    if (!std::isfinite(value))
        return {};
    const auto [negative, digits, point] = RoundedDigits(value, decimals);
    if (digits.empty())
        return QStringLiteral("0");
    const long long n = (long long)digits.size();
    std::string out = negative ? "-" : "";
    if (point <= 0)
        out += "0." + std::string(std::size_t(-point), '0') + digits;
    else if (point >= n)
        out += digits + std::string(std::size_t(point - n), '0');
    else
        out += digits.substr(0, std::size_t(point)) + "." + digits.substr(std::size_t(point));
    return QString::fromLatin1(out);
}

long double RoundedDecimal(long double value, int decimals)
{
    if (!std::isfinite(value))
        return value;
    const Rounded r = RoundedDigits(value, decimals);
    if (r.digits.empty())
        return 0;
    const std::string text = (r.negative ? "-0." : "0.") + r.digits + "e" + std::to_string(r.point);
    long double x = 0;
    std::from_chars(text.data(), text.data() + text.size(), x, std::chars_format::scientific);
    return x;
}

QString DecimalText(long double value)
{
    return DecimalText(value, std::numeric_limits<int>::max());
}
