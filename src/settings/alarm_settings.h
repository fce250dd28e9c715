// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The alarm limits, for all stations and for single stations, kept in the
// settings file's "Alarms" section (which older versions never read).
//
//   [Alarms]
//   GustKph=60            limits of all stations; a missing key is a limit not set
//   TempLowC=5.556        every limit in km/h, ºC or hPa, as older versions read it,
//   TempLowF=42           and beside one set in MPH or ºF the figure it was set as
//   Stations=KSEA,EGLL    stations with limits of their own
//   KSEA.WindKph=40       a station's own limits replace those of all stations
//
// A figure in MPH or ºF counts only while its km/h or ºC key still holds it
// converted (to three decimals): an older version that changed the limit
// since wrote only the key it reads.

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "settings/ini_file.h"
#include "settings/units.h"

namespace ventoral {

inline constexpr const char* kAlarmSection = "Alarms";

// The unit a limit was set in; it is held against the reading in that unit.
enum class AlarmUnit { Kph, Mph, Celsius, Fahrenheit, Hpa };

struct AlarmLimit {
    double value = 0;
    AlarmUnit unit = AlarmUnit::Kph;

    bool operator==(const AlarmLimit& other) const { return value == other.value && unit == other.unit; }
    bool operator!=(const AlarmLimit& other) const { return !(*this == other); }
};

// The limit's value in another unit of its quantity (km/h and MPH, ºC and
// ºF), unrounded; the value itself in its own unit.
double valueIn(const AlarmLimit& limit, AlarmUnit unit);

// The units the display shows speeds and temperatures in.
AlarmUnit speedUnitOf(DisplayUnits units);
AlarmUnit temperatureUnitOf(DisplayUnits units);

// Every limit is optional.
struct AlarmLimits {
    std::optional<AlarmLimit> gust;             // gust at or above; km/h or MPH
    std::optional<AlarmLimit> wind;             // wind at or above; km/h or MPH
    std::optional<AlarmLimit> temperatureLow;   // temperature at or below; ºC or ºF
    std::optional<AlarmLimit> temperatureHigh;  // temperature at or above; ºC or ºF
    std::optional<AlarmLimit> pressureFall;     // fallen in 3 hours by at least; hPa

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

// The limits as the display shows them: speeds in its km/h or MPH,
// temperatures in its ºC or ºF, rounded to one decimal.
AlarmLimits limitsInDisplayUnits(const AlarmLimits& limits, DisplayUnits units);

// Keys that do not read as numbers, and station keys of codes that are not
// listed or not codes, are ignored.
AlarmSettings ReadAlarmSettings(const IniDocument& ini);
// Rewrites the "Alarms" section only; keys of limits no longer set and of
// stations no longer listed are removed. False when the file could not be written.
bool WriteAlarmSettings(const std::string& file, const AlarmSettings& alarms);

} // namespace ventoral
