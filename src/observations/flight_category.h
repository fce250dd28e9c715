// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The FAA flight category of a METAR (VFR, MVFR, IFR, LIFR), read from its
// prevailing visibility and its ceiling.

#include <optional>
#include <string_view>

namespace ventoral {

// Worst first, so the lower of two categories is the one that decides.
enum class FlightCategory { Lifr, Ifr, Mvfr, Vfr };

struct FlightConditions {
    // Statute miles. "M1/4SM" (less than) is read just below its value and
    // "P6SM" (more than) just above; metres, kilometres and nautical miles are
    // converted exactly, and "9999" and CAVOK are 10 km.
    double visibilityMiles = 0;
    // Feet above ground of the lowest BKN, OVC or VV layer of known height;
    // none when the sky is clear or holds only FEW and SCT layers.
    std::optional<int> ceilingFeet;
    // A BKN, OVC or VV layer of unknown height ("BKN///", "VV///"), which
    // may lie below ceilingFeet.
    bool ceilingUnknown = false;
};

// The body before RMK and any TEMPO, BECMG or NOSIG trend is read. Nothing
// when it lacks a visibility or a sky group, or when the visibility is
// reported missing ("////", "M") or the sky only as unobserved ("//////").
std::optional<FlightConditions> flightConditionsOf(std::string_view metar);

// The FAA categorical outlook, where the worse of ceiling and visibility decides:
//   LIFR  ceiling below 500 ft            and/or visibility below 1 mile
//   IFR   ceiling 500 to below 1,000 ft   and/or visibility 1 to below 3 miles
//   MVFR  ceiling 1,000 to 3,000 ft       and/or visibility 3 to 5 miles inclusive
//   VFR   ceiling above 3,000 ft or none  and    visibility above 5 miles
// With a ceiling of unknown height only LIFR can be told; anything better is nothing.
std::optional<FlightCategory> flightCategoryOf(const FlightConditions& conditions);

std::optional<FlightCategory> flightCategoryOf(std::string_view metar);

// "VFR", "MVFR", "IFR" or "LIFR".
std::string_view flightCategoryName(FlightCategory category);

// The METAR on the "ob:" line of a decoded report, blanks trimmed; empty
// when the report has no such line.
std::string_view metarOfReport(std::string_view report);

} // namespace ventoral
