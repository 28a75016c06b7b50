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

Rounded RoundedDigits(long double value, int decimals)
{
    // "-d.dddddddddddddde-x": the value is 0.<digits> times 10 to the power `point`.
    char buf[64];
    const char *end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14).ptr;
    const char *p = buf;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    std::string digits;
    for (; p < end && *p != 'e'; ++p)
        if (*p != '.')
            digits.push_back(*p);
    int exponent = 0;
    if (p < end)
        std::from_chars(p + 1 + (p[1] == '+'), end, exponent);
    long long point = exponent + 1LL;

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
