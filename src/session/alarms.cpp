// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/alarms.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "observations/present_report.h"
#include "observations/pressure_tendency.h"
#include "observations/trend_parser.h"
#include "platform/core/number_text.h"

namespace ventoral {

namespace {

struct KindInfo {
    AlarmKind kind;
    const char* name;   // in the state file
    std::optional<AlarmLimit> AlarmLimits::*limit;
};

constexpr KindInfo kKinds[] = {
    {AlarmKind::Gust, "Gust", &AlarmLimits::gust},
    {AlarmKind::Wind, "Wind", &AlarmLimits::wind},
    {AlarmKind::TemperatureLow, "TempLow", &AlarmLimits::temperatureLow},
    {AlarmKind::TemperatureHigh, "TempHigh", &AlarmLimits::temperatureHigh},
    {AlarmKind::PressureFall, "PressureFall", &AlarmLimits::pressureFall},
};

double threeDecimals(double v) { return std::round(v * 1000) / 1000; }

// A speed in MPH in the limit's unit. A limit in km/h holds three decimals
// at most (one set as 40 MPH by an older version holds 64.431), so the
// reading is compared to three decimals too.
std::optional<double> speedIn(AlarmUnit unit, const std::optional<double>& mph)
{
    if (!mph || unit == AlarmUnit::Mph)
        return mph;
    return threeDecimals(mphToKph(*mph));
}

// The value a limit is held against, in the limit's unit: a pressure fall
// counts as a positive number.
std::optional<double> valueFor(AlarmKind kind, AlarmUnit unit, const AlarmReadings& r)
{
    switch (kind) {
    case AlarmKind::Gust: return speedIn(unit, r.gustMph);
    case AlarmKind::Wind: return speedIn(unit, r.windMph);
    case AlarmKind::TemperatureLow:
    // NOAA's own figure in the limit's unit: a report gives both.
    case AlarmKind::TemperatureHigh: return unit == AlarmUnit::Fahrenheit ? r.temperatureF : r.temperatureC;
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

std::string unitText(AlarmUnit unit)
{
    switch (unit) {
    case AlarmUnit::Kph: return " km/h";
    case AlarmUnit::Mph: return " mph";
    case AlarmUnit::Celsius: return " \xC2\xB0" "C";
    case AlarmUnit::Fahrenheit: return " \xC2\xB0" "F";
    case AlarmUnit::Hpa: return " hPa";
    }
    return {};
}

// A report's figure, kept in single precision, as the figure NOAA wrote:
// one decimal at most, so 60.1 ºF is held against a limit of 60.1 exactly.
std::optional<double> reportFigure(const std::optional<float>& value)
{
    return value ? std::optional<double>(std::round(*value * 10.0) / 10.0) : std::nullopt;
}

} // namespace

AlarmReadings alarmReadingsOf(std::string_view presentText, std::string_view trendText)
{
    AlarmReadings readings;
    const std::optional<PresentReport> report = readPresentReport(presentText);
    if (!report)
        return readings;
    if (report->windSpeedMph) {
        readings.windMph = reportFigure(report->windSpeedMph);
        readings.gustMph = reportFigure(std::max(0.0f, report->gustMph.value_or(0.0f)));
    }
    readings.temperatureF = reportFigure(report->temperatureF);
    readings.temperatureC = reportFigure(report->temperatureC);
    TrendSeries trend;
    trendData(trendText, true, trend);
    readings.pressureChangeHpa = pressureTendencyHpa(presentText, trend);
    return readings;
}

std::string alarmMessage(const RaisedAlarm& alarm)
{
    const auto value = [&alarm] { return shortNumber(alarm.value) + unitText(alarm.limit.unit); };
    const auto limit = [&alarm] { return shortNumber(alarm.limit.value) + unitText(alarm.limit.unit); };
    const std::string text = alarm.station + ": ";
    switch (alarm.kind) {
    case AlarmKind::Gust: return text + "gust " + value() + ", at or above the limit of " + limit();
    case AlarmKind::Wind: return text + "wind " + value() + ", at or above the limit of " + limit();
    case AlarmKind::TemperatureLow:
        return text + "temperature " + value() + ", at or below the limit of " + limit();
    case AlarmKind::TemperatureHigh:
        return text + "temperature " + value() + ", at or above the limit of " + limit();
    case AlarmKind::PressureFall:
        return text + "pressure fell " + value() + " in 3 hours, at least the limit of " + limit();
    }
    return text;
}

std::vector<RaisedAlarm> AlarmState::update(const std::string& station, const AlarmReadings& readings,
                                            const AlarmLimits& limits)
{
    std::vector<RaisedAlarm> raised;
    for (const KindInfo& k : kKinds) {
        const auto key = std::make_pair(station, k.kind);
        const std::optional<AlarmLimit>& limit = limits.*k.limit;
        if (!limit) {
            m_raised.erase(key);
            continue;
        }
        const std::optional<double> value = valueFor(k.kind, limit->unit, readings);
        if (!value)
            continue;
        if (!beyond(k.kind, *value, limit->value)) {
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
