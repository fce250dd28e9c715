// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/alarm_settings.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/core/number_text.h"

namespace ventoral {

namespace {

constexpr const char* kStationsKey = "Stations";

// Each limit under the key every version reads, in its unit, and the
// figure it was set as where that was the other unit of its quantity.
struct LimitKey {
    std::optional<AlarmLimit> AlarmLimits::*limit;
    const char* key;
    AlarmUnit unit;
    const char* ownKey;   // nullptr: the limit has one unit only
    AlarmUnit ownUnit;
};

constexpr LimitKey kLimitKeys[] = {
    {&AlarmLimits::gust, "GustKph", AlarmUnit::Kph, "GustMph", AlarmUnit::Mph},
    {&AlarmLimits::wind, "WindKph", AlarmUnit::Kph, "WindMph", AlarmUnit::Mph},
    {&AlarmLimits::temperatureLow, "TempLowC", AlarmUnit::Celsius, "TempLowF", AlarmUnit::Fahrenheit},
    {&AlarmLimits::temperatureHigh, "TempHighC", AlarmUnit::Celsius, "TempHighF", AlarmUnit::Fahrenheit},
    {&AlarmLimits::pressureFall, "PressureFallHpa", AlarmUnit::Hpa, nullptr, AlarmUnit::Hpa},
};

double oneDecimal(double v) { return std::round(v * 10) / 10; }
double threeDecimals(double v) { return std::round(v * 1000) / 1000; }

AlarmLimits readLimits(const IniDocument& ini, const std::string& prefix)
{
    AlarmLimits limits;
    for (const LimitKey& k : kLimitKeys) {
        const std::optional<double> value = strictNumber(ini.value(kAlarmSection, prefix + k.key, ""));
        if (!value)
            continue;
        const std::optional<double> own =
            k.ownKey ? strictNumber(ini.value(kAlarmSection, prefix + k.ownKey, "")) : std::nullopt;
        const AlarmLimit setAs{own.value_or(0), k.ownUnit};
        // Both keys are written to three decimals at most: half of the last apart is a different limit.
        if (own && std::abs(threeDecimals(valueIn(setAs, k.unit)) - *value) < 0.0005)
            limits.*k.limit = setAs;
        else
            limits.*k.limit = AlarmLimit{*value, k.unit};
    }
    return limits;
}

void putLimits(IniDocument& doc, const std::string& prefix, const AlarmLimits& limits)
{
    for (const LimitKey& k : kLimitKeys) {
        const std::optional<AlarmLimit>& limit = limits.*k.limit;
        if (limit)
            doc.setValue(kAlarmSection, prefix + k.key,
                         doubleText(limit->unit == k.unit ? limit->value : threeDecimals(valueIn(*limit, k.unit))));
        else
            doc.removeKey(kAlarmSection, prefix + k.key);
        if (!k.ownKey)
            continue;
        if (limit && limit->unit == k.ownUnit)
            doc.setValue(kAlarmSection, prefix + k.ownKey, doubleText(limit->value));
        else
            doc.removeKey(kAlarmSection, prefix + k.ownKey);
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

} // namespace

double valueIn(const AlarmLimit& limit, AlarmUnit unit)
{
    if (limit.unit == AlarmUnit::Mph && unit == AlarmUnit::Kph)
        return mphToKph(limit.value);
    if (limit.unit == AlarmUnit::Kph && unit == AlarmUnit::Mph)
        return kphToMph(limit.value);
    if (limit.unit == AlarmUnit::Fahrenheit && unit == AlarmUnit::Celsius)
        return fahrenheitToCelsius(limit.value);
    if (limit.unit == AlarmUnit::Celsius && unit == AlarmUnit::Fahrenheit)
        return celsiusToFahrenheit(limit.value);
    return limit.value;
}

AlarmUnit speedUnitOf(DisplayUnits units)
{
    return units.kph ? AlarmUnit::Kph : AlarmUnit::Mph;
}

AlarmUnit temperatureUnitOf(DisplayUnits units)
{
    return units.celsius ? AlarmUnit::Celsius : AlarmUnit::Fahrenheit;
}

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
    // In km/h and ºC, whatever unit a limit was set in.
    const auto in = [](const std::optional<AlarmLimit>& limit, AlarmUnit unit) {
        return limit ? std::optional<double>(valueIn(*limit, unit)) : std::nullopt;
    };
    const auto outside = [](const std::optional<double>& v, double low, double high) {
        return v && !(*v >= low && *v <= high);
    };
    const std::optional<double> low = in(limits.temperatureLow, AlarmUnit::Celsius);
    const std::optional<double> high = in(limits.temperatureHigh, AlarmUnit::Celsius);
    if (outside(in(limits.gust, AlarmUnit::Kph), 1, 500))
        return AlarmLimitError::GustOutOfRange;
    if (outside(in(limits.wind, AlarmUnit::Kph), 1, 500))
        return AlarmLimitError::WindOutOfRange;
    if (outside(low, -90, 70) || outside(high, -90, 70))
        return AlarmLimitError::TemperatureOutOfRange;
    if (low && high && *low >= *high)
        return AlarmLimitError::LowNotBelowHigh;
    if (outside(in(limits.pressureFall, AlarmUnit::Hpa), 0.1, 50))
        return AlarmLimitError::PressureOutOfRange;
    return std::nullopt;
}

AlarmLimits limitsInDisplayUnits(const AlarmLimits& limits, DisplayUnits units)
{
    AlarmLimits shown;
    for (const LimitKey& k : kLimitKeys) {
        const std::optional<AlarmLimit>& limit = limits.*k.limit;
        if (!limit)
            continue;
        AlarmUnit unit = AlarmUnit::Hpa;
        if (k.unit == AlarmUnit::Kph)
            unit = speedUnitOf(units);
        else if (k.unit == AlarmUnit::Celsius)
            unit = temperatureUnitOf(units);
        shown.*k.limit = AlarmLimit{oneDecimal(valueIn(*limit, unit)), unit};
    }
    return shown;
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
