// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One METAR or SPECI as the archive keeps it: the report as received and
// the values decoded from it by the same reader as the trend, in the
// report's own units (knots, statute miles) or in degrees Celsius and hPa.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "observations/flight_category.h"
#include "platform/core/civil_time.h"

namespace ventoral {

// A temperature as the report gives it: to a tenth from the remarks' T
// group, else in whole degrees.
struct ReportedCelsius {
    double value = 0;
    bool tenths = false;
};

struct ArchivedObservation {
    std::string station;
    std::int64_t timeMinutes = 0;   // UTC, whole minutes since 1970-01-01 00:00
    bool special = false;           // a SPECI
    bool corrected = false;         // COR: replaces the report of its station and time
    std::optional<ReportedCelsius> temperature;
    std::optional<ReportedCelsius> dewPoint;
    // Degrees clockwise from north the wind blows from; nothing for a
    // variable wind (VRB) or no wind group. A calm wind reads 0 at 0 knots.
    std::optional<int> windDirectionDegrees;
    std::optional<double> windSpeedKnots;
    std::optional<double> gustKnots;
    std::optional<double> pressureHpa;        // the Q group, or the A group in hPa to a tenth
    std::optional<double> visibilityMiles;    // statute miles to a hundredth
    std::optional<FlightCategory> flightCategory;
    std::string raw;                          // the report as received, blanks trimmed

    CivilTime timeUtc() const { return CivilTime::fromMinutes(timeMinutes); }
};

// The observation of one report line (with or without its "METAR" or
// "SPECI" word); the year and month of its day come from nowUtc, the real
// UTC clock when the report was received (see observationTime). Nothing for
// a line that is no report, a NIL report or a day that no month up to now has.
std::optional<ArchivedObservation> archivedObservationOf(std::string_view line, const CivilTime& nowUtc);

// The observations of a text of reports, one a line (a METAR history), in
// its order; lines that are no observation are left out.
std::vector<ArchivedObservation> archivedObservationsOf(std::string_view text, const CivilTime& nowUtc);

// Nothing when either reading is missing or the dew point stands above the temperature.
std::optional<int> humidityOf(const ArchivedObservation& observation);

inline constexpr double kKphPerKnot = 1.852;

} // namespace ventoral
