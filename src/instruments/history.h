// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 24-hour band just inside a dial's rim: each hour step painted in the
// shade of its age, newest last.

#include <array>
#include <optional>

#include "settings/settings.h"
#include "instruments/dial.h"
#include "observations/observation.h"

namespace ventoral {

struct HistorySeries {
    int column = 0;             // TrendSeries column of the quantity
    double minimum = 0;         // scale range
    double maximum = 0;
    double angleMinimum = 0;    // the value at startAngle; 180 on the compass
    bool fullCircle = false;    // the compass: arcs take the short way through 0
};

// The 24 whole-degree angles, oldest first (the hour after latestCycle), or
// nullopt when the series holds no value at all.
std::optional<std::array<int, 24>> historyAngles(const ScaleAngles& scale, const TrendSeries& trend, int latestCycle,
                                                 const HistorySeries& series);

// Start and end of the counter-clockwise arc between two hourly angles.
std::pair<int, int> historyArc(const DialGeometry& dial, bool fullCircle, int a, int b);

// The band's arcs from the 24 hourly angles, oldest first, on the dial set
// up by drawScale; nothing without angles.
void drawHistoryBand(DialGeometry& dial, const ColorScheme& colors, const ShadeTable& shades,
                     const std::optional<std::array<int, 24>>& angles, bool fullCircle);

// Black or white, whichever stands out more against background (the larger
// contrast ratio of the two relative luminances).
ColorRef labelColorOn(ColorRef background);

// The legend of the band: shades 0-23 as boxes 290 x 300 twips, 30 apart,
// labelled -23 ... 0 (hours before the data time) in a colour readable on
// each box.
void drawColorCodeBar(Surface& target, const ShadeTable& shades);

} // namespace ventoral
