// SPDX-License-Identifier: GPL-3.0-or-later
#include "observations/history_csv.h"

#include <cmath>
#include <cstdio>

namespace ventoral {

std::string utcTimeText(std::int64_t minutes)
{
    const CivilTime t = CivilTime::fromMinutes(minutes);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02dZ", t.year, t.month, t.day, t.hour, t.minute);
    return buffer;
}

std::string shortNumber(const std::optional<double>& value, int decimals)
{
    if (!value)
        return {};
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, *value);
    std::string text(buffer);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    return text == "-0" ? "0" : text;
}

std::string celsiusText(const std::optional<ReportedCelsius>& celsius)
{
    if (!celsius)
        return {};
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, celsius->tenths ? "%.1f" : "%.0f", celsius->value);
    return buffer;
}

namespace {

std::string csvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::optional<double> number(const std::optional<int>& value)
{
    return value ? std::optional<double>(*value) : std::nullopt;
}

} // namespace

std::string historyCsv(const std::vector<ArchivedObservation>& observations)
{
    std::string csv = std::string(kHistoryCsvHeader) + '\n';
    for (const ArchivedObservation& o : observations) {
        const std::string category = o.flightCategory ? std::string(flightCategoryName(*o.flightCategory)) : "";
        csv += utcTimeText(o.timeMinutes) + ',' + celsiusText(o.temperature) + ',' + celsiusText(o.dewPoint) + ',' +
               shortNumber(number(humidityOf(o)), 0) + ',' + shortNumber(number(o.windDirectionDegrees), 0) + ',' +
               shortNumber(o.windSpeedKnots, 1) + ',' + shortNumber(o.gustKnots, 1) + ',' +
               shortNumber(o.pressureHpa, 1) + ',' + shortNumber(o.visibilityMiles, 2) + ',' + category + ',' +
               csvField(o.raw) + '\n';
    }
    return csv;
}

} // namespace ventoral
