// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace ventoral {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string trimmedNumber(std::string text)
{
    const auto e = text.find_first_of("eE");
    std::string exponent;
    if (e != std::string::npos) {
        exponent = text.substr(e);
        text.erase(e);
    }
    if (text.find('.') != std::string::npos) {
        while (!text.empty() && text.back() == '0')
            text.pop_back();
        if (!text.empty() && text.back() == '.')
            text.pop_back();
    }
    if (text == "-0" || text.empty())
        text = "0";
    return text + exponent;
}

std::string formatSignificant(double value, int digits)
{
    if (!std::isfinite(value))
        return "0";
    char buffer[64];
    // A whole number of fewer digits, the commonest case, is written as the
    // general form writes it, without its cost.
    static constexpr double kLimits[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,
                                         1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17};
    if (digits >= 1 && digits <= 17 && std::fabs(value) < kLimits[digits] && value == std::trunc(value)) {
        const auto whole = std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(value));
        return std::string(buffer, whole.ptr);
    }
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    std::string text(buffer, written.ptr);
    if (text.find_first_of("eE") != std::string::npos && std::fabs(value) < 1e15 && std::fabs(value) >= 1e-6) {
        // Write small and large magnitudes out in full rather than with an exponent.
        const int decimals = std::max(0, digits - 1 - static_cast<int>(std::floor(std::log10(std::fabs(value)))));
        std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
        text = buffer;
    }
    return trimmedNumber(text);
}

} // namespace

double readNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    // Up to 18 digits fit the mantissa exactly; one division by an exact
    // power of ten then rounds correctly, as strtod would.
    std::uint64_t mantissa = 0;
    int digits = 0;
    int decimals = 0;
    bool point = false;
    bool tooLong = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isBlank(c))
            continue;
        if (isDigit(c)) {
            if (digits < 18)
                mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
            else
                tooLong = true;
            ++digits;
            if (point && digits <= 18)
                ++decimals;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        return 0.0;
    double value;
    if (!tooLong && decimals <= 22) {
        static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                             1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
        value = static_cast<double>(mantissa) / kPowers[decimals];
        if (mantissa >= (1ULL << 53)) {
            // Too many digits for an exact double: let strtod round them.
            char buffer[40];
            std::snprintf(buffer, sizeof buffer, "%llue-%d", static_cast<unsigned long long>(mantissa), decimals);
            value = std::strtod(buffer, nullptr);
        }
    } else {
        // Rare very long numbers: collect them and let strtod do it.
        std::string all;
        std::size_t j = 0;
        while (j < text.size() && (isBlank(text[j]) || text[j] == '-' || text[j] == '+'))
            ++j;
        bool seenPoint = false;
        for (; j < text.size(); ++j) {
            const char c = text[j];
            if (isBlank(c))
                continue;
            if (isDigit(c) || (c == '.' && !seenPoint)) {
                seenPoint = seenPoint || c == '.';
                all += c;
            } else {
                break;
            }
        }
        value = std::strtod(all.c_str(), nullptr);
    }
    return negative ? -value : value;
}

double readNumberAt(std::string_view text, std::size_t pos, std::size_t n)
{
    return readNumber(midText(text, pos, n));
}

std::optional<double> strictNumber(std::string_view text)
{
    text = trimBlanks(text);
    if (text.empty())
        return std::nullopt;
    std::size_t i = 0;
    if (text[0] == '-' || text[0] == '+')
        ++i;
    bool point = false;
    bool anyDigit = false;
    for (; i < text.size(); ++i) {
        if (isDigit(text[i]))
            anyDigit = true;
        else if (text[i] == '.' && !point)
            point = true;
        else
            return std::nullopt;
    }
    if (!anyDigit)
        return std::nullopt;
    return readNumber(text);
}

std::optional<std::int16_t> integerOf(std::string_view text)
{
    const auto value = strictNumber(text);
    if (!value)
        return std::nullopt;
    const double rounded = std::nearbyint(*value);
    if (rounded < std::numeric_limits<std::int16_t>::min() || rounded > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

namespace {

// Rounds half to even, as the default floating-point mode does, and clamps.
template <typename Int>
Int roundClamped(double value)
{
    if (std::isnan(value))
        return 0;
    const double rounded = std::nearbyint(value);
    if (rounded <= static_cast<double>(std::numeric_limits<Int>::min()))
        return std::numeric_limits<Int>::min();
    if (rounded >= static_cast<double>(std::numeric_limits<Int>::max()))
        return std::numeric_limits<Int>::max();
    return static_cast<Int>(rounded);
}

} // namespace

std::int16_t roundToInt16(double value)
{
    return roundClamped<std::int16_t>(value);
}

std::int32_t roundToInt32(double value)
{
    return roundClamped<std::int32_t>(value);
}

std::string decimalText(float value)
{
    return formatSignificant(static_cast<double>(value), 7);
}

std::string doubleText(double value)
{
    return formatSignificant(value, 15);
}

std::size_t findText(std::string_view haystack, std::string_view needle, std::size_t from)
{
    if (from == 0)
        from = 1;
    if (from > haystack.size() + 1)
        return 0;
    const auto found = haystack.find(needle, from - 1);
    return found == std::string_view::npos ? 0 : found + 1;
}

std::string_view midText(std::string_view text, std::size_t pos, std::size_t n)
{
    if (pos == 0)
        pos = 1;
    if (pos > text.size())
        return {};
    return text.substr(pos - 1, n);
}

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace ventoral
