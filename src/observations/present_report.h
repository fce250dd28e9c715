// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The values of one decoded present report as the report gives them, read
// once: every figure in the unit the report writes it in, to single
// precision as the program has always kept them, and nothing where the
// report has no such value. Display units and absent-value markers are made
// from it where they are needed.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/civil_time.h"

namespace ventoral {

struct PresentReport {
    std::string stationLine;
    // False for a report that is its station line alone: nothing else was read.
    bool hasBody = false;
    std::string dateLine;
    std::optional<CivilTime> observedUtc;       // of the date line
    // Degrees clockwise from north; nothing for a variable wind, a wind line
    // without a direction, or no wind line.
    std::optional<float> windDirectionDegrees;
    std::optional<float> windSpeedMph;         // 0 for calm
    std::optional<float> gustMph;              // "gusting to"
    // NOAA's own figures: Fahrenheit first, Celsius in parentheses.
    std::optional<float> temperatureF;
    std::optional<float> temperatureC;
    std::optional<float> dewPointF;
    std::optional<float> dewPointC;
    std::optional<float> humidityPercent;
    // Plausible readings only: at most 32 inches and 1070 hPa.
    std::optional<float> pressureInches;
    std::optional<float> pressureHpa;
    std::optional<std::int16_t> cycle;          // reporting hour, 0-23
    // The condition strip's sources, as the report writes them.
    std::optional<std::string> visibility;
    std::optional<std::string> sky;
    std::optional<std::string> weather;
};

// Nothing for an absent report: the placeholder, or under 10 characters.
std::optional<PresentReport> readPresentReport(std::string_view text);

// The value of a label: the text right after its first occurrence up to the
// next line feed (a CR before it dropped); nothing when the label is missing.
std::optional<std::string_view> labelValue(std::string_view report, std::string_view label);

// The UTC date and time of a date line, "... / 2023.12.06 1753 UTC";
// nothing when it cannot be read.
std::optional<CivilTime> readObservationTime(std::string_view dateLine);

} // namespace ventoral
