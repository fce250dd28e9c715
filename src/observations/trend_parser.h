// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Cuts a trend report into the 25-row trend table.

#include <string_view>

#include "observations/observation.h"

namespace ventoral {

// Only the report's last line is read: records separated by "#", fields by
// ":". Implausible values become empty cells; compass names become degrees;
// with kph set, speeds are converted from MPH and capped at 160. An absent
// report (placeholder, or under 10 characters) leaves the table empty, so no
// other station's or earlier day's hours are drawn.
void trendData(std::string_view lastText, bool kph, TrendSeries& trend);

// The speeds of a table read in MPH converted to km/h, capped at 160, as
// trendData does with kph set.
void speedsToKph(TrendSeries& trend);

// A speed of the MPH table as the km/h table holds it, read back: converted
// and capped at 160.
double trendSpeedKph(double mph);

// Degrees of a 16-point upper-case compass name, or a negative value when
// the name is not one of them.
double compassDegrees(std::string_view name);

} // namespace ventoral
