// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Archived observations as text: the CSV of `ventoral-cli history` and of
// File > Export History, and the value texts both that and the JSON use.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "observations/archived_observation.h"

namespace ventoral {

inline constexpr const char* kHistoryCsvHeader =
    "time_utc,temperature_c,dew_point_c,humidity,wind_dir_deg,wind_speed_kt,wind_gust_kt,pressure_hpa,"
    "visibility_sm,flight_category,raw";

// "2026-08-18T05:39Z".
std::string utcTimeText(std::int64_t minutes);

// A number without trailing zeros after its point, at most decimals of
// them: 10, 1.5, 0.25, 1008.1; empty for nothing.
std::string shortNumber(const std::optional<double>& value, int decimals);
// Tenths from the remarks' T group as "29.6", whole degrees as "30".
std::string celsiusText(const std::optional<ReportedCelsius>& celsius);

// The header line and one line per observation in the given order, each
// ending in a line feed. The raw report is quoted where it holds a comma
// or a double quote.
std::string historyCsv(const std::vector<ArchivedObservation>& observations);

} // namespace ventoral
