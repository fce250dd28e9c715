// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The thermometer ranges the units window offers: six rows, each setting the
// Celsius and the Fahrenheit ends together (Celsius spans 70 degrees,
// Fahrenheit 100).

#include <array>
#include <optional>
#include <string>

#include "settings/settings.h"

namespace ventoral {

struct ScaleRangeRow {
    float lowC;
    float highC;
    float lowF;
    float highF;
};

inline constexpr std::array<ScaleRangeRow, 6> kScaleRanges = {{
    {0, 70, 40, 140},
    {-10, 60, 20, 120},
    {-20, 50, 0, 100},
    {-30, 40, -20, 80},
    {-40, 30, -40, 60},
    {-50, 20, -60, 40},
}};

// The row whose low end in the selected temperature unit equals the stored
// one; nullopt when none does (the default Fahrenheit low of 10 matches none).
std::optional<int> selectedScaleRow(const UnitSettings& units);

// "-20 to 80": the low and high ends of a row in one unit.
std::string scaleRowLabel(int row, bool fahrenheit);

// Sets all four ends from the row.
void chooseScaleRow(UnitSettings& units, int row);

} // namespace ventoral
