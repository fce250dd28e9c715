// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Alarms after an update: which limits a station's new readings have
// crossed, raised once and armed again only when the value has gone back
// across its limit.

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "settings/alarm_settings.h"

namespace ventoral {

enum class AlarmKind { Gust, Wind, TemperatureLow, TemperatureHigh, PressureFall };

// One station's readings as its report gives them: speeds in MPH, and
// NOAA's own Fahrenheit and Celsius figures; nothing where the report does
// not tell (a wind line without a gust tells a gust of 0).
struct AlarmReadings {
    std::optional<double> gustMph;
    std::optional<double> windMph;
    std::optional<double> temperatureF;
    std::optional<double> temperatureC;
    std::optional<double> pressureChangeHpa;  // over 3 hours; negative: falling
};

// The readings of a station's present report and trend report.
AlarmReadings alarmReadingsOf(std::string_view presentText, std::string_view trendText);

struct RaisedAlarm {
    std::string station;
    AlarmKind kind = AlarmKind::Gust;
    double value = 0;  // in the unit of the limit; for a pressure fall, the fall in hPa
    AlarmLimit limit;
};

// "KSEA: gust 65 km/h, at or above the limit of 60 km/h": the value and the
// limit in the unit the limit was set in, which is the one they were held
// against.
std::string alarmMessage(const RaisedAlarm& alarm);

// The alarms raised and not yet armed again, per station and limit.
class AlarmState {
public:
    // Raises every armed limit the readings cross and returns those, in
    // AlarmKind order; a reading equal to its limit crosses it. Each limit
    // is held against the reading in the limit's own unit: an MPH limit
    // against the report's MPH, a Fahrenheit one against NOAA's Fahrenheit
    // figure. A raised limit whose value has gone back across it,
    // or that is no longer set, is armed again; a reading the report does
    // not give changes nothing.
    std::vector<RaisedAlarm> update(const std::string& station, const AlarmReadings& readings,
                                    const AlarmLimits& limits);

    bool isRaised(const std::string& station, AlarmKind kind) const;
    bool operator==(const AlarmState& other) const { return m_raised == other.m_raised; }

    // One "CODE Kind" line per raised alarm; unknown lines are skipped.
    std::string toText() const;
    static AlarmState fromText(std::string_view text);

private:
    std::set<std::pair<std::string, AlarmKind>> m_raised;
};

} // namespace ventoral
