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
#include "settings/units.h"

namespace ventoral {

enum class AlarmKind { Gust, Wind, TemperatureLow, TemperatureHigh, PressureFall };

// One station's readings in the units of the limits; nothing where the
// report does not tell (a wind line without a gust tells a gust of 0).
struct AlarmReadings {
    std::optional<double> gustKph;
    std::optional<double> windKph;
    std::optional<double> temperatureC;
    std::optional<double> pressureChangeHpa;  // over 3 hours; negative: falling
};

// The readings of a station's present report and trend report.
AlarmReadings alarmReadingsOf(std::string_view presentText, std::string_view trendText);

struct RaisedAlarm {
    std::string station;
    AlarmKind kind = AlarmKind::Gust;
    double value = 0;  // in the unit of the limit; for a pressure fall, the fall in hPa
    double limit = 0;
};

// "KSEA: gust 65 km/h, at or above the limit of 60 km/h", in the display units.
std::string alarmMessage(const RaisedAlarm& alarm, DisplayUnits units);

// The alarms raised and not yet armed again, per station and limit.
class AlarmState {
public:
    // Raises every armed limit the readings cross and returns those, in
    // AlarmKind order. A raised limit whose value has gone back across it,
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
