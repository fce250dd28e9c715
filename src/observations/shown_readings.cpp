// SPDX-License-Identifier: GPL-3.0-or-later
#include "observations/shown_readings.h"

#include <cmath>

#include "platform/core/number_text.h"

namespace ventoral {

namespace {

std::optional<ShownValue> shown(const std::optional<float>& value)
{
    if (!value)
        return std::nullopt;
    return ShownValue{*value, decimalText(*value)};
}

} // namespace

ShownReadings shownReadingsOf(const std::optional<PresentReport>& report, const DisplayUnits& units)
{
    ShownReadings r;
    if (!report || !report->hasBody)
        return r;
    r.windDirection = shown(report->windDirectionDegrees);
    // A negative speed is no reading.
    if (report->windSpeedMph && *report->windSpeedMph >= 0) {
        const float speed = units.kph ? static_cast<float>(mphToKph(*report->windSpeedMph)) : *report->windSpeedMph;
        r.windSpeed = ShownValue{speed, decimalText(static_cast<float>(std::floor(speed * 10.0f) / 10.0))};
    }
    if (report->gustMph && *report->gustMph > 0)
        r.gust = units.kph ? static_cast<float>(mphToKph(*report->gustMph)) : *report->gustMph;
    r.temperature = shown(units.celsius ? report->temperatureC : report->temperatureF);
    r.dewPoint = shown(units.celsius ? report->dewPointC : report->dewPointF);
    r.humidity = shown(report->humidityPercent);
    r.pressure = shown(units.hpa ? report->pressureHpa : report->pressureInches);
    r.cycle = report->cycle;
    return r;
}

} // namespace ventoral
