// SPDX-License-Identifier: GPL-3.0-or-later
#include "stations/core/coordinates.h"

#include <algorithm>
#include <cctype>

#include "platform/core/number_text.h"

namespace ventoral {

namespace {

struct Axis {
    char positive;
    char negative;
    int limit;
    std::size_t width;   // digits of the degrees
};

constexpr Axis kLatitude{'N', 'S', 90, 2};
constexpr Axis kLongitude{'E', 'W', 180, 3};

char upper(char c)
{
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

bool allDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string normalise(std::string_view input, const Axis& axis)
{
    const std::string_view text = trimBlanks(input);
    const std::size_t n = text.size();
    bool negative = false;
    bool decimal = false;
    std::size_t start = 0;
    std::size_t separator = std::string_view::npos;
    char hemisphere = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const char c = text[i];
        const char u = upper(c);
        if (i == 0 && c == '-') {
            negative = true;
            start = 1;
        } else if (i > 0 && (u == axis.positive || u == axis.negative)) {
            if (i == n - 1 && hemisphere != 0)
                return {};
            hemisphere = u;
            if (i != n - 1) {
                separator = i;
                decimal = false;
            }
        } else if (i > 0 && i < n - 1 && (c == '.' || c == '-')) {
            separator = i;
            decimal = c == '.';
        }
    }
    if (hemisphere == 0)
        hemisphere = negative ? axis.negative : axis.positive;
    if (separator == std::string_view::npos || separator < start)
        return {};

    std::string degrees(text.substr(start, separator - start));
    if (!allDigits(degrees))
        return {};
    std::string rest(trimBlanks(text.substr(separator + 1)));
    if (!rest.empty() && !(rest.back() >= '0' && rest.back() <= '9')) {
        const char u = upper(rest.back());
        if (u != axis.positive && u != axis.negative)
            return {};
        rest.pop_back();
    }
    if (!allDigits(rest))
        return {};
    if (rest.size() > 3)
        rest.resize(3);
    if (rest == "999")
        rest = "99";

    const double value = (negative ? -1 : 1) * readNumber(degrees);
    if (value < -axis.limit || value > axis.limit)
        return {};
    if ((value == axis.limit || value == -axis.limit) && readNumber(rest) != 0)
        return {};

    if (degrees.size() < axis.width)
        degrees.insert(0, axis.width - degrees.size(), '0');
    std::string minutes;
    if (decimal) {
        rest.append(3 - rest.size(), '0');
        const int thousandths = static_cast<int>(readNumber(rest));
        minutes = std::to_string(static_cast<int>(thousandths * 60 / 1000.0 + 0.5));
    } else {
        if (rest.size() > 2)
            return {};
        minutes = std::to_string(static_cast<int>(readNumber(rest)));
    }
    if (minutes.size() == 1)
        minutes.insert(0, "0");
    return degrees + "-" + minutes + hemisphere;
}

} // namespace

std::string normaliseLatitude(std::string_view text)
{
    return normalise(text, kLatitude);
}

std::string normaliseLongitude(std::string_view text)
{
    return normalise(text, kLongitude);
}

double degreesOfDirectoryText(std::string_view text)
{
    const std::string_view t = trimBlanks(text);
    const std::size_t dash = t.find('-');
    const double degrees = readNumber(t.substr(0, dash));
    double minutes = 0;
    if (dash != std::string_view::npos) {
        std::string_view m = t.substr(dash + 1);
        while (!m.empty() && !(m.back() >= '0' && m.back() <= '9'))
            m.remove_suffix(1);
        minutes = readNumber(m);
    }
    const double value = degrees + minutes / 60.0;
    const char hemisphere = t.empty() ? ' ' : upper(t.back());
    return hemisphere == 'S' || hemisphere == 'W' ? -value : value;
}

} // namespace ventoral
