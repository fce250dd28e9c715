// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Builds a trend report from raw METAR history (the Aviation Weather
// Center's "format=raw" answer), in the form the trend parser reads: header
// lines, then one line of 24 records separated by "#", record r for the
// reporting cycle (UTC hour) r.

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "observations/metar.h"
#include "platform/core/civil_time.h"

namespace ventoral {

// One raw report, decoded as far as the trend needs it.
struct MetarReport {
    std::string station;
    bool special = false;  // a SPECI; a line without a type word counts as routine
    int day = 0;
    int hour = 0;
    int minute = 0;
    std::optional<double> temperatureC;
    std::optional<double> dewPointC;
    std::optional<double> pressureInches;
    std::optional<double> pressureHpa;
    std::string wind;    // "NNE 12" (MPH), "Calm", "Variable 4", or empty
    std::string raw;     // the report as received, without "METAR "/"SPECI "

    // The decoded reports' cycle: the UTC hour, the next one from minute 45.
    int cycle() const { return minute >= 45 ? (hour + 1) % 24 : hour; }
};

// Nullopt when the line is no METAR report (no station and ddhhmmZ time)
// or a NIL report.
std::optional<MetarReport> parseMetar(std::string_view line);

// The whole trend report for station, built at nowUtc, the real UTC clock
// (which also gives the month of each report's day). A cycle holds its
// routine METAR, a SPECI only when the cycle has no routine report.
std::string trendFromMetars(std::string_view history, const std::string& station, const CivilTime& nowUtc);

// The newest report of station in a METAR history, special or routine, with
// its UTC date and time (year and month from nowUtc); nullopt when the
// history holds none. NIL reports do not count.
struct NewestMetar {
    std::string line;     // the report as received, for buildPresentReport
    CivilTime observedUtc;
};
std::optional<NewestMetar> newestMetar(std::string_view history, const std::string& station, const CivilTime& nowUtc);

// The reports of a history of several stations, grouped by the station each
// line names (after the words METAR, SPECI, COR and AUTO that may come
// first), one a line.
std::map<std::string, std::string> metarsByStation(std::string_view history);

// The history address of a trend base address of the METAR data service,
// or nullopt when base is an ordinary trend folder. station may be a
// comma-separated list of codes: the service answers for all of them at once.
std::optional<std::string> metarHistoryAddress(const std::string& base, const std::string& station,
                                               int hours = 25);

} // namespace ventoral
