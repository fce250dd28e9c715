// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The condition strip under the dials: the report's visibility, sky and
// weather lines centred on it, and the flight category as a coloured tag
// at its right end.

#include <optional>
#include <vector>

#include "observations/flight_category.h"
#include "observations/present_parser.h"
#include "platform/surface.h"

namespace ventoral {

// The strip's size on screen, twips.
inline constexpr int kStripWidthTwips = 8695;
inline constexpr int kStripHeightTwips = 420;

// The tag's colour, on which white text reads: VFR green, MVFR blue, IFR red, LIFR magenta.
ColorRef flightCategoryColor(FlightCategory category);

// Clears the strip to the background, then draws the lines in black and the
// tag where there is a category.
void drawConditionStrip(Surface& strip, ColorRef background, const std::vector<StripLine>& lines,
                        std::optional<FlightCategory> category);

} // namespace ventoral
