// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/alarms.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "observations/present_parser.h"
#include "observations/pressure_tendency.h"
#include "observations/trend_parser.h"
#include "platform/core/number_text.h"

namespace ventoral {

namespace {

struct KindInfo {
    AlarmKind kind;
    const char* name;   // in the state file
    std::optional<double> AlarmLimits::*limit;
};

constexpr KindInfo kKinds[] = {
    {AlarmKind::Gust, "Gust", &AlarmLimits::gustKph},
    {AlarmKind::Wind, "Wind", &AlarmLimits::windKph},
    {AlarmKind::TemperatureLow, "TempLow", &AlarmLimits::temperatureLowC},
    {AlarmKind::TemperatureHigh, "TempHigh", &AlarmLimits::temperatureHighC},
    {AlarmKind::PressureFall, "PressureFall", &AlarmLimits::pressureFallHpa},
};

// The value a limit is held against: a pressure fall counts as a positive number.
std::optional<double> valueFor(AlarmKind kind, const AlarmReadings& r)
{
    switch (kind) {
    case AlarmKind::Gust: return r.gustKph;
    case AlarmKind::Wind: return r.windKph;
    case AlarmKind::TemperatureLow:
    case AlarmKind::TemperatureHigh: return r.temperatureC;
    case AlarmKind::PressureFall:
        return r.pressureChangeHpa ? std::optional<double>(-*r.pressureChangeHpa) : std::nullopt;
    }
    return std::nullopt;
}

bool beyond(AlarmKind kind, double value, double limit)
{
    return kind == AlarmKind::TemperatureLow ? value <= limit : value >= limit;
}

// Up to one decimal, none when it is 0: "65", "-2.5".
std::string shortNumber(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", value);
    std::string text = buffer;
    if (text.size() > 2 && text.compare(text.size() - 2, 2, ".0") == 0)
        text.resize(text.size() - 2);
    return text == "-0" ? "0" : text;
}

} // namespace

AlarmReadings alarmReadingsOf(std::string_view presentText, std::string_view trendText)
{
    AlarmReadings readings;
    if (isAbsentReport(presentText))
        return readings;
    Observation obs;
    obs.presetForParse();
    PresentContext context;   // km/h, Celsius and hPa, the units of the limits
    presentData(presentText, context, obs);
    if (obs.windSpeed >= 0) {
        readings.windKph = obs.windSpeed;
        readings.gustKph = std::max(0.0f, obs.windGust);
    }
    if (obs.temperature > kNoTemperatureLine)
        readings.temperatureC = obs.temperature;
    TrendSeries trend;
    trendData(trendText, true, trend);
    readings.pressureChangeHpa = pressureTendencyHpa(presentText, trend);
    return readings;
}

std::string alarmMessage(const RaisedAlarm& alarm, DisplayUnits units)
{
    const auto speed = [&](double kph) {
        return shortNumber(units.kph ? kph : kphToMph(kph)) + (units.kph ? " km/h" : " mph");
    };
    const auto temperature = [&](double c) {
        return shortNumber(units.celsius ? c : celsiusToFahrenheit(c)) + (units.celsius ? " \xC2\xB0" "C" : " \xC2\xB0" "F");
    };
    std::string text = alarm.station + ": ";
    switch (alarm.kind) {
    case AlarmKind::Gust:
        return text + "gust " + speed(alarm.value) + ", at or above the limit of " + speed(alarm.limit);
    case AlarmKind::Wind:
        return text + "wind " + speed(alarm.value) + ", at or above the limit of " + speed(alarm.limit);
    case AlarmKind::TemperatureLow:
        return text + "temperature " + temperature(alarm.value) + ", at or below the limit of " +
               temperature(alarm.limit);
    case AlarmKind::TemperatureHigh:
        return text + "temperature " + temperature(alarm.value) + ", at or above the limit of " +
               temperature(alarm.limit);
    case AlarmKind::PressureFall:
        return text + "pressure fell " + shortNumber(alarm.value) + " hPa in 3 hours, at least the limit of " +
               shortNumber(alarm.limit) + " hPa";
    }
    return text;
}

std::vector<RaisedAlarm> AlarmState::update(const std::string& station, const AlarmReadings& readings,
                                            const AlarmLimits& limits)
{
    std::vector<RaisedAlarm> raised;
    for (const KindInfo& k : kKinds) {
        const auto key = std::make_pair(station, k.kind);
        const std::optional<double> limit = limits.*k.limit;
        if (!limit) {
            m_raised.erase(key);
            continue;
        }
        const std::optional<double> value = valueFor(k.kind, readings);
        if (!value)
            continue;
        if (!beyond(k.kind, *value, *limit)) {
            m_raised.erase(key);
        } else if (m_raised.insert(key).second) {
            raised.push_back({station, k.kind, *value, *limit});
        }
    }
    return raised;
}

bool AlarmState::isRaised(const std::string& station, AlarmKind kind) const
{
    return m_raised.count({station, kind}) > 0;
}

std::string AlarmState::toText() const
{
    std::string text;
    for (const auto& [station, kind] : m_raised)
        for (const KindInfo& k : kKinds)
            if (k.kind == kind)
                text += station + " " + k.name + "\n";
    return text;
}

AlarmState AlarmState::fromText(std::string_view text)
{
    AlarmState state;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = trimBlanks(text.substr(start, end - start));
        start = end + 1;
        const auto space = line.find(' ');
        if (space == std::string_view::npos || !isStationCode(line.substr(0, space)))
            continue;
        const std::string_view name = trimBlanks(line.substr(space + 1));
        for (const KindInfo& k : kKinds)
            if (name == k.name)
                state.m_raised.insert({std::string(line.substr(0, space)), k.kind});
    }
    return state;
}

} // namespace ventoral
