// SPDX-License-Identifier: GPL-3.0-or-later
#include "instruments/shade_swatches.h"

#include <algorithm>
#include <cmath>

#include "platform/core/number_text.h"

namespace ventoral {

namespace {

constexpr double kLargestColour = 16777215;   // white, 0xFFFFFF

int channel(double value)
{
    return static_cast<int>(std::clamp(value, 0.0, 255.0));
}

} // namespace

ShadeSwatches swatchesOf(const ShadeTable& table)
{
    ShadeSwatches swatches;
    for (std::size_t i = 0; i < table.size(); ++i)
        swatches[i] = {table[i], true};
    return swatches;
}

ShadeTable tableOf(const ShadeSwatches& swatches)
{
    ShadeTable table{};
    for (std::size_t i = 0; i < swatches.size(); ++i)
        table[i] = swatches[i].color;
    return table;
}

void clearShades(ShadeSwatches& swatches)
{
    for (int i = 0; i < kHourShades; ++i)
        swatches[static_cast<std::size_t>(i)] = {kWhite, false};
}

void fillShades(ShadeSwatches& swatches)
{
    const auto isSet = [&](int i) { return swatches[static_cast<std::size_t>(i)].set; };
    for (int i = 0; i + 1 < kHourShades; ++i) {
        if (!isSet(i) || isSet(i + 1))
            continue;
        for (int j = i + 2; j < kHourShades; ++j) {
            if (isSet(j)) {
                fillBetween(swatches, i, j);
                break;
            }
        }
    }
}

void fillBetween(ShadeSwatches& swatches, int a, int b)
{
    const int n = b - a;
    if (n < 2)
        return;
    const ColorRef from = swatches[static_cast<std::size_t>(a)].color;
    const ColorRef to = swatches[static_cast<std::size_t>(b)].color;
    const auto step = [n](int start, int end) { return std::nearbyint(static_cast<double>(start - end) / n); };
    const double dR = step(redOf(from), redOf(to));
    const double dG = step(greenOf(from), greenOf(to));
    const double dB = step(blueOf(from), blueOf(to));
    double r = redOf(from);
    double g = greenOf(from);
    double bl = blueOf(from);
    swatches[static_cast<std::size_t>(a)] = {rgb(channel(r), channel(g), channel(bl)), true};
    for (int k = a + 1; k < b; ++k) {
        r -= dR;
        g -= dG;
        bl -= dB;
        swatches[static_cast<std::size_t>(k)] = {rgb(channel(r), channel(g), channel(bl)), true};
    }
}

std::string shadesFileText(const ShadeTable& table)
{
    std::string text;
    for (const std::int32_t shade : table)
        text += std::to_string(shade) + "\r\n";
    return text;
}

ShadesFileRead readShadesFile(std::string_view bytes)
{
    ShadesFileRead read;
    ShadeTable table{};
    int lineNumber = 0;
    std::size_t start = 0;
    while (start < bytes.size() && read.numbersRead < static_cast<int>(table.size())) {
        auto end = bytes.find('\n', start);
        if (end == std::string_view::npos)
            end = bytes.size();
        const std::string_view line = trimBlanks(bytes.substr(start, end - start));
        start = end + 1;
        ++lineNumber;
        if (line.empty())
            continue;
        const auto value = strictNumber(line);
        if (!value || *value < 0 || *value > kLargestColour || *value != std::floor(*value)) {
            read.problem = ShadesFileProblem::NotAColour;
            read.line = lineNumber;
            return read;
        }
        table[static_cast<std::size_t>(read.numbersRead++)] = static_cast<std::int32_t>(*value);
    }
    if (read.numbersRead < static_cast<int>(table.size()))
        return read;
    read.table = table;
    return read;
}

} // namespace ventoral
