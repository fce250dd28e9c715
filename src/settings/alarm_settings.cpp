// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/alarm_settings.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/core/number_text.h"

namespace ventoral {

namespace {

constexpr const char* kStationsKey = "Stations";

struct LimitKey {
    const char* key;
    std::optional<double> AlarmLimits::*limit;
};

constexpr LimitKey kLimitKeys[] = {
    {"GustKph", &AlarmLimits::gustKph},
    {"WindKph", &AlarmLimits::windKph},
    {"TempLowC", &AlarmLimits::temperatureLowC},
    {"TempHighC", &AlarmLimits::temperatureHighC},
    {"PressureFallHpa", &AlarmLimits::pressureFallHpa},
};

AlarmLimits readLimits(const IniDocument& ini, const std::string& prefix)
{
    AlarmLimits limits;
    for (const LimitKey& k : kLimitKeys)
        limits.*k.limit = strictNumber(ini.value(kAlarmSection, prefix + k.key, ""));
    return limits;
}

void putLimits(IniDocument& doc, const std::string& prefix, const AlarmLimits& limits)
{
    for (const LimitKey& k : kLimitKeys) {
        if (const auto value = limits.*k.limit)
            doc.setValue(kAlarmSection, prefix + k.key, doubleText(*value));
        else
            doc.removeKey(kAlarmSection, prefix + k.key);
    }
}

// The codes of a "Stations" value, in its order, without repeats.
std::vector<std::string> listedCodes(std::string_view list)
{
    std::vector<std::string> codes;
    std::size_t start = 0;
    while (start <= list.size()) {
        auto comma = list.find(',', start);
        if (comma == std::string_view::npos)
            comma = list.size();
        const std::string code(trimBlanks(list.substr(start, comma - start)));
        if (isStationCode(code) && std::find(codes.begin(), codes.end(), code) == codes.end())
            codes.push_back(code);
        start = comma + 1;
    }
    return codes;
}

std::optional<double> mapped(std::optional<double> value, double (*convert)(double))
{
    return value ? std::optional<double>(convert(*value)) : std::nullopt;
}

double oneDecimal(double v) { return std::round(v * 10) / 10; }
double threeDecimals(double v) { return std::round(v * 1000) / 1000; }

} // namespace

bool AlarmLimits::any() const
{
    for (const LimitKey& k : kLimitKeys)
        if (this->*k.limit)
            return true;
    return false;
}

bool AlarmLimits::operator==(const AlarmLimits& other) const
{
    for (const LimitKey& k : kLimitKeys)
        if (this->*k.limit != other.*k.limit)
            return false;
    return true;
}

const AlarmLimits& AlarmSettings::limitsFor(std::string_view code) const
{
    const auto it = stations.find(std::string(code));
    return it == stations.end() ? allStations : it->second;
}

bool AlarmSettings::operator==(const AlarmSettings& other) const
{
    return allStations == other.allStations && stations == other.stations;
}

bool isStationCode(std::string_view code)
{
    if (code.size() != 4)
        return false;
    for (char c : code)
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    return true;
}

std::optional<AlarmLimitError> checkAlarmLimits(const AlarmLimits& limits)
{
    const auto outside = [](const std::optional<double>& v, double low, double high) {
        return v && !(*v >= low && *v <= high);
    };
    if (outside(limits.gustKph, 1, 500))
        return AlarmLimitError::GustOutOfRange;
    if (outside(limits.windKph, 1, 500))
        return AlarmLimitError::WindOutOfRange;
    if (outside(limits.temperatureLowC, -90, 70) || outside(limits.temperatureHighC, -90, 70))
        return AlarmLimitError::TemperatureOutOfRange;
    if (limits.temperatureLowC && limits.temperatureHighC && *limits.temperatureLowC >= *limits.temperatureHighC)
        return AlarmLimitError::LowNotBelowHigh;
    if (outside(limits.pressureFallHpa, 0.1, 50))
        return AlarmLimitError::PressureOutOfRange;
    return std::nullopt;
}

AlarmLimits limitsInDisplayUnits(const AlarmLimits& limits, DisplayUnits units)
{
    AlarmLimits shown = limits;
    if (!units.kph) {
        shown.gustKph = mapped(limits.gustKph, kphToMph);
        shown.windKph = mapped(limits.windKph, kphToMph);
    }
    if (!units.celsius) {
        shown.temperatureLowC = mapped(limits.temperatureLowC, celsiusToFahrenheit);
        shown.temperatureHighC = mapped(limits.temperatureHighC, celsiusToFahrenheit);
    }
    for (const LimitKey& k : kLimitKeys)
        shown.*k.limit = mapped(shown.*k.limit, oneDecimal);
    return shown;
}

AlarmLimits limitsFromDisplayUnits(const AlarmLimits& shown, DisplayUnits units)
{
    AlarmLimits limits = shown;
    if (!units.kph) {
        limits.gustKph = mapped(shown.gustKph, mphToKph);
        limits.windKph = mapped(shown.windKph, mphToKph);
    }
    if (!units.celsius) {
        limits.temperatureLowC = mapped(shown.temperatureLowC, fahrenheitToCelsius);
        limits.temperatureHighC = mapped(shown.temperatureHighC, fahrenheitToCelsius);
    }
    for (const LimitKey& k : kLimitKeys)
        limits.*k.limit = mapped(limits.*k.limit, threeDecimals);
    return limits;
}

AlarmSettings ReadAlarmSettings(const IniDocument& ini)
{
    AlarmSettings alarms;
    alarms.allStations = readLimits(ini, "");
    for (const std::string& code : listedCodes(ini.value(kAlarmSection, kStationsKey, "")))
        alarms.stations[code] = readLimits(ini, code + ".");
    return alarms;
}

bool WriteAlarmSettings(const std::string& file, const AlarmSettings& alarms)
{
    auto doc = IniDocument::loadForUpdate(file);
    if (!doc)
        return false;
    for (const std::string& code : listedCodes(doc->value(kAlarmSection, kStationsKey, "")))
        if (!alarms.stations.count(code))
            putLimits(*doc, code + ".", AlarmLimits{});
    putLimits(*doc, "", alarms.allStations);
    std::string list;
    for (const auto& [code, limits] : alarms.stations) {
        if (!isStationCode(code))
            continue;
        list += (list.empty() ? "" : ",") + code;
        putLimits(*doc, code + ".", limits);
    }
    if (list.empty())
        doc->removeKey(kAlarmSection, kStationsKey);
    else
        doc->setValue(kAlarmSection, kStationsKey, list);
    return doc->save(file);
}

} // namespace ventoral
