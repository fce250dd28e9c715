// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The present values of a report as the panel shows them: each in the
// display unit with the text its caption writes, or nothing where the
// report gives no reading.

#include <cstdint>
#include <optional>
#include <string>

#include "observations/present_report.h"
#include "settings/units.h"

namespace ventoral {

struct ShownValue {
    float value = 0;
    std::string text;   // as a caption writes it
};

struct ShownReadings {
    std::optional<ShownValue> windDirection;   // degrees clockwise from north
    std::optional<ShownValue> windSpeed;       // km/h or MPH; the text cut to tenths; 0 for calm
    std::optional<float> gust;                 // km/h or MPH; above 0 only
    std::optional<ShownValue> temperature;     // ºC or ºF, NOAA's own figure
    std::optional<ShownValue> dewPoint;
    std::optional<ShownValue> humidity;        // percent
    std::optional<ShownValue> pressure;        // hPa or inches of mercury
    std::optional<std::int16_t> cycle;         // the report's reporting hour
};

// Nothing of an absent report, or of one that is its station line alone.
ShownReadings shownReadingsOf(const std::optional<PresentReport>& report, const DisplayUnits& units);

} // namespace ventoral
