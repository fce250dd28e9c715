// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Builds a present report in NOAA's decoded layout from one raw METAR, worded
// and converted as NOAA's decoded reports are, so presentData reads it like
// the decoded report of the same observation.

#include <optional>
#include <string>
#include <string_view>

#include "platform/core/civil_time.h"

namespace ventoral {

// The station as the station directory describes it. An empty name gives
// the line "Station name not available", as NOAA writes for a station it
// does not know.
struct StationInfo {
    std::string name;             // "Seattle-Tacoma International Airport, WA, United States"
    std::string latitude;         // "47-27N"
    std::string longitude;        // "122-19W"
    std::string elevationMetres;  // "137", or empty when unknown
};

// The first line of the report: "<name> (<code>) <latitude> <longitude>
// [<elevation>M]", or "Station name not available".
std::string stationLineFor(const std::string& code, const StationInfo& station);

// The decoded report of metar (one report, with or without its "METAR" or
// "SPECI" word). nowUtc is the real UTC clock; it gives the year and month
// of the report's day, as observationTime takes them. Nullopt for a line
// that is no report or a NIL report.
std::optional<std::string> buildPresentReport(std::string_view metar, const StationInfo& station,
                                              const CivilTime& nowUtc);

// NOAA's server writes the local part of the date line in US Eastern time:
// "Dec 07, 2023 - 03:53 PM EST / 2023.12.07 2053 UTC".
std::string noaaDateLine(const CivilTime& utc);

} // namespace ventoral
