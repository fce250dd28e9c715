// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The alarm limits, for all stations and for single stations, kept in the
// settings file's "Alarms" section (which older versions never read).
//
//   [Alarms]
//   GustKph=60            limits of all stations; a missing key is a limit not set
//   TempLowC=0
//   Stations=KSEA,EGLL    stations with limits of their own
//   KSEA.WindKph=40       a station's own limits replace those of all stations

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "settings/ini_file.h"
#include "settings/units.h"

namespace ventoral {

inline constexpr const char* kAlarmSection = "Alarms";

// Every limit is optional; stored speeds are km/h, temperatures Celsius and
// pressure hPa, whatever units the display uses.
struct AlarmLimits {
    std::optional<double> gustKph;           // gust at or above
    std::optional<double> windKph;           // wind at or above
    std::optional<double> temperatureLowC;   // temperature at or below
    std::optional<double> temperatureHighC;  // temperature at or above
    std::optional<double> pressureFallHpa;   // fallen by at least this much in 3 hours

    bool any() const;
    bool operator==(const AlarmLimits& other) const;
    bool operator!=(const AlarmLimits& other) const { return !(*this == other); }
};

struct AlarmSettings {
    AlarmLimits allStations;
    std::map<std::string, AlarmLimits> stations;  // by ICAO code

    // A station's own limits where it has them, else those of all stations.
    const AlarmLimits& limitsFor(std::string_view code) const;
    bool operator==(const AlarmSettings& other) const;
};

// Four letters or digits, upper case: a code the section can hold as a key prefix.
bool isStationCode(std::string_view code);

enum class AlarmLimitError {
    GustOutOfRange,         // 1 to 500 km/h
    WindOutOfRange,         // 1 to 500 km/h
    TemperatureOutOfRange,  // -90 to 70 ºC
    LowNotBelowHigh,        // a low limit at or above the high one would always ring
    PressureOutOfRange,     // 0.1 to 50 hPa
};

// The first fault of the limits, or nothing when they can be kept.
std::optional<AlarmLimitError> checkAlarmLimits(const AlarmLimits& limits);

// The limits in the display units and back (km/h or MPH, ºC or ºF; the
// pressure fall stays in hPa), rounded to one decimal in the display unit.
AlarmLimits limitsInDisplayUnits(const AlarmLimits& limits, DisplayUnits units);
AlarmLimits limitsFromDisplayUnits(const AlarmLimits& shown, DisplayUnits units);

// Keys that do not read as numbers, and station keys of codes that are not
// listed or not codes, are ignored.
AlarmSettings ReadAlarmSettings(const IniDocument& ini);
// Rewrites the "Alarms" section only; keys of limits no longer set and of
// stations no longer listed are removed. False when the file could not be written.
bool WriteAlarmSettings(const std::string& file, const AlarmSettings& alarms);

} // namespace ventoral
