// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The trend shade table as the shade editor works on it: 25 swatches, each
// a colour that is either set or cleared, the fill that blends cleared runs
// between set swatches, and the "Shades*.txt" exchange file.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "settings/settings.h"
#include "platform/surface.h"

namespace ventoral {

inline constexpr int kHourShades = 24;     // 0 the oldest hour (-23 h) ... 23 the newest
inline constexpr int kNoDataShade = 24;

struct ShadeSwatch {
    ColorRef color = kWhite;
    bool set = true;
};
using ShadeSwatches = std::array<ShadeSwatch, 25>;

ShadeSwatches swatchesOf(const ShadeTable& table);
ShadeTable tableOf(const ShadeSwatches& swatches);

// The hour swatches turn white and cleared; No Data keeps its colour.
void clearShades(ShadeSwatches& swatches);

// Every cleared run of hour swatches between two set ones is blended; a run
// after the last set swatch stays cleared.
void fillShades(ShadeSwatches& swatches);

// Colours swatches a+1 ... b-1 by stepping from a towards b. The per-swatch
// step of each channel is rounded once, so the last one may miss the exact
// blend by a little; channels stay within 0-255.
void fillBetween(ShadeSwatches& swatches, int a, int b);

// 25 lines of decimal colour references, each ended by CR LF.
std::string shadesFileText(const ShadeTable& table);

enum class ShadesFileProblem {
    TooFewNumbers,   // fewer than 25 numbers
    NotAColour,      // a line that is not a whole number 0-16777215
};

struct ShadesFileRead {
    std::optional<ShadeTable> table;   // all 25 shades, or nothing
    ShadesFileProblem problem = ShadesFileProblem::TooFewNumbers;
    int line = 0;                      // 1-based line of a NotAColour problem
    int numbersRead = 0;
};

// Blank lines are skipped and anything after the 25th number is ignored.
ShadesFileRead readShadesFile(std::string_view bytes);

} // namespace ventoral
