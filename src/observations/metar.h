// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One raw METAR or SPECI report cut into its groups, as far as the trend
// and the decoded present report need them. Groups after a TEMPO, BECMG or
// RMK keyword, or after the pressure group, are no weather or sky of the
// observation; the remarks still give the tenths of the temperatures and
// the lightning remark.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/civil_time.h"

namespace ventoral {

enum class SpeedUnit { Knots, MetresPerSecond, KilometresPerHour };

// Speeds and pressures convert as NOAA's decoded reports convert them.
inline constexpr double kMphPerKnot = 1.150779;

struct MetarWind {
    std::optional<int> directionDegrees;  // nullopt: VRB
    std::string directionText;            // the three digits as written ("020"), empty for VRB
    int speed = 0;                        // in unit; a "P99" speed reads 99
    std::optional<int> gust;
    SpeedUnit unit = SpeedUnit::Knots;
    double speedKnots() const { return knots(speed); }
    // A speed of this group's unit in knots.
    double knots(int value) const;
    // Whole knots and whole MPH of a speed of this group, as NOAA rounds them.
    int wholeKnots(int value) const;
    int wholeMph(int value) const;
};

struct MetarVisibility {
    enum class Kind { Metres, StatuteMiles, AtLeast10Km, LessThanQuarterMile, NotReported };
    Kind kind = Kind::Metres;
    int metres = 0;
    std::string milesText;  // "10", "1 1/2", "1/4" as written before "SM"
};

struct MetarCloud {
    std::string cover;  // FEW, SCT, BKN, OVC, VV
    std::string type;   // CB, TCU or empty
};

// The three-hourly pressure tendency group 5appp of the remarks.
struct MetarPressureTendency {
    int character = 0;        // a: 0-3 higher than three hours ago, 4 steady, 5-8 lower
    int changeTenthsHpa = 0;  // ppp: the size of the change
};

// The PRESRR or PRESFR remark.
enum class MetarPressureRapidly { None, Rising, Falling };

struct Metar {
    bool special = false;     // a SPECI
    bool corrected = false;   // COR
    bool nil = false;         // a NIL report: no observation
    std::string station;
    int day = 0;
    int hour = 0;
    int minute = 0;

    std::optional<MetarWind> wind;
    bool windVariableSector = false;   // 250V330
    std::optional<MetarVisibility> visibility;
    bool cavok = false;
    bool clearSky = false;             // SKC or CLR
    std::vector<MetarCloud> clouds;
    std::vector<std::string> weather;  // -RA, VCSH, TSRA, ... in report order
    bool cumulonimbus = false;         // CB in a cloud group or named anywhere
    bool toweringCumulus = false;
    bool lightning = false;            // LTG in the remarks

    std::optional<int> temperatureC;   // whole degrees of the main group
    std::optional<int> dewPointC;
    std::optional<double> temperatureTenthsC;  // T group of the remarks
    std::optional<double> dewPointTenthsC;
    std::optional<double> altimeterInches;     // A group
    std::optional<int> pressureHpa;            // Q group
    std::optional<MetarPressureTendency> pressureTendency;  // the first 5appp of the remarks
    MetarPressureRapidly pressureRapidly = MetarPressureRapidly::None;

    std::string raw;  // from the station code on, without the type word

    // The best temperature reading: tenths when the remarks give them.
    std::optional<double> temperature() const { return temperatureTenthsC ? temperatureTenthsC : toDouble(temperatureC); }
    std::optional<double> dewPoint() const { return dewPointTenthsC ? dewPointTenthsC : toDouble(dewPointC); }
    // The decoded reports' cycle: the UTC hour, the next one from minute 45.
    int cycle() const { return minute >= 45 ? (hour + 1) % 24 : hour; }

private:
    static std::optional<double> toDouble(const std::optional<int>& v)
    {
        return v ? std::optional<double>(*v) : std::nullopt;
    }
};

// The words that may stand before a report's station code: METAR, SPECI,
// COR and AUTO.
bool isTypeWord(std::string_view word);

// Nullopt when the line is no report: no four-letter station followed by a
// ddhhmmZ time. A NIL report is read with nil set and nothing else.
std::optional<Metar> readMetar(std::string_view line);

// The UTC date and time of the report, its year and month taken from the
// real UTC clock nowUtc: the latest date up to today with the report's day
// (a day after today's belongs to the month before, or the one before that
// when the month before has no such day). Nullopt for a day outside 1-31.
std::optional<CivilTime> observationTime(const Metar& metar, const CivilTime& nowUtc);

// The 16-point compass name of a direction in degrees ("N" for 0 and 360).
std::string compassName(double degrees);

inline constexpr double kInchesPerHpa = 0.02953;
// hPa of an altimeter setting in inches, truncated: 29.94 in gives 1013.
int hpaFromInches(double inches);
// Inches of a hPa setting, rounded to hundredths.
double inchesFromHpa(int hpa);

} // namespace ventoral
