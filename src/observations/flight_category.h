// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The flight category of a METAR (VFR, MVFR, IFR, LIFR) as the Aviation
// Weather Center publishes it: the worse of what the prevailing visibility
// and the ceiling give.

#include <optional>
#include <string_view>

namespace ventoral {

// Worst first, so the lower of two categories is the one that decides.
enum class FlightCategory { Lifr, Ifr, Mvfr, Vfr };

// What a METAR's body (before RMK and any TEMPO, BECMG, INTER or NOSIG
// trend) says of visibility and sky.
struct FlightConditions {
    // Statute miles; none when the report gives no visibility or gives it as
    // missing ("////", "M"). "M1/4SM" (less than) is read just below its
    // value and "P6SM" (more than) just above; metres, kilometres and nautical
    // miles are converted exactly, and "9999" and CAVOK are 10 km.
    std::optional<double> visibilityMiles;
    // Whether the sky is told at all: SKC, CLR, NSC, NCD, CAVOK or a cloud
    // layer of known or unknown height. "//////" does not tell it.
    bool skyReported = false;
    // Feet above ground of the lowest BKN, OVC or VV layer of known height;
    // none when there is no such layer.
    std::optional<int> ceilingFeet;
    // The ceiling is a vertical visibility into an obscured sky (VV).
    bool ceilingIsVertical = false;
    // A BKN, OVC or VV layer of unknown height ("BKN///", "VV///") was
    // reported. It is no ceiling: the category goes by the other groups.
    bool layerOfUnknownHeight = false;
};

FlightConditions flightConditionsOf(std::string_view metar);

// The FAA categories (AIM 7-1-6), the worse of ceiling and visibility deciding:
//   LIFR  ceiling below 500 ft            or visibility below 1 mile
//   IFR   ceiling 500 to below 1,000 ft   or visibility 1 to below 3 miles
//   MVFR  ceiling 1,000 to 3,000 ft       or visibility 3 to 5 miles inclusive
//   VFR   ceiling above 3,000 ft or none  and visibility above 5 miles
// With the visibility or the sky missing, the other part alone decides only
// where it gives LIFR, which nothing could worsen, or where it is a vertical
// visibility (VV) ceiling; otherwise there is no category.
std::optional<FlightCategory> flightCategoryOf(const FlightConditions& conditions);

std::optional<FlightCategory> flightCategoryOf(std::string_view metar);

// "VFR", "MVFR", "IFR" or "LIFR".
std::string_view flightCategoryName(FlightCategory category);

// The METAR on the "ob:" line of a decoded report, blanks trimmed; empty
// when the report has no such line.
std::string_view metarOfReport(std::string_view report);

} // namespace ventoral
