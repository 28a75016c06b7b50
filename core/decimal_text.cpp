#include "core/decimal_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

QString DecimalText(long double value, int decimals)
{
    if (!std::isfinite(value))
        return {};
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
    if (last == std::string::npos)
        return QStringLiteral("0");
    digits.resize(last + 1);

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

QString DecimalText(long double value)
{
    return DecimalText(value, std::numeric_limits<int>::max());
}
