// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The change of air pressure over the last three hours: from the present
// report's "Pressure tendency" line where it gives one, else from the trend
// table's newest record and the record three cycles before it.

#include <optional>
#include <string>
#include <string_view>

#include "observations/observation.h"
#include "platform/core/civil_time.h"

namespace ventoral {

// Falling fastest first.
enum class PressureTrend {
    FallingVeryRapidly,
    FallingQuickly,
    Falling,
    FallingSlowly,
    Steady,
    RisingSlowly,
    Rising,
    RisingQuickly,
    RisingVeryRapidly,
};

// hPa higher (positive) or lower than three hours ago, from a line such as
// "Pressure tendency: 0.04 inches (1.4 hPa) higher than three hours ago".
// Nothing when the report has no such line or the line gives no figure
// ("rising rapidly") or no direction.
std::optional<double> reportTendencyHpa(std::string_view presentText);

// The newest record against the one of the cycle three before it, when
// both have a pressure and lie 2 to 4 hours apart by their full dates (so a
// row left over from an earlier day or month does not count). A row holds
// its month, day and time; its year is the one that puts it nearest to
// referenceUtc (UTC), so midnight, a month's end and a year's end are
// crossed by the calendar. The inches column is preferred for its finer
// steps (0.01 inHg is 0.34 hPa); rows lacking it use the hPa column.
std::optional<double> trendTendencyHpa(const TrendSeries& trend, const CivilTime& referenceUtc);

// The report's line first, the trend table where the line gives no figure,
// its rows dated by the report's observation time (its second line); nothing
// from the trend when that line cannot be read.
std::optional<double> pressureTendencyHpa(std::string_view presentText, const TrendSeries& trend);

// On the change rounded to 0.1 hPa, each bound belonging to the slower band:
// steady within 0.1 hPa either way, slowly up to 1.5, plain up to 3.5,
// quickly up to 6, very rapidly beyond.
PressureTrend pressureTrendOf(double changeHpa);

// "steady", "rising slowly", "falling", "rising very rapidly" and so on.
std::string_view pressureTrendWords(PressureTrend trend);

// "+1.2 hPa/3 h" or, in inches, "+0.04 inHg/3 h"; a change that rounds to
// nothing has no sign ("0.0 hPa/3 h").
std::string pressureTendencyText(double changeHpa, bool hpa);

} // namespace ventoral
