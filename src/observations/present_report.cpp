// SPDX-License-Identifier: GPL-3.0-or-later
#include "observations/present_report.h"

#include "observations/observation.h"
#include "platform/core/number_text.h"

namespace ventoral {

namespace {

bool contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

std::string_view withoutCr(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

// The speed before "MPH": the number after the lowest space among the four
// positions ahead of it. No space there reads as no speed.
std::optional<float> speedBeforeMph(std::string_view wind, std::size_t m)
{
    for (std::size_t s = (m > 5 ? m - 5 : 1); s + 2 <= m; ++s)
        if (midText(wind, s, 1) == " ")
            return static_cast<float>(readNumberAt(wind, s, 5));
    return std::nullopt;
}

void readWind(std::string_view text, PresentReport& report)
{
    const auto windValue = labelValue(text, "Wind:");
    const std::string_view wind = windValue.value_or(std::string_view{});

    const std::size_t p = findText(wind, "(");
    if (!contains(wind, "Variable") && p != 0 && !wind.empty())
        report.windDirectionDegrees = static_cast<float>(readNumberAt(wind, p + 1, 3));

    std::optional<float> speed;
    if (windValue) {
        const std::size_t m = findText(wind, "MPH");
        if (m == 0)
            speed = contains(wind, "Calm") ? std::optional<float>(0.0f) : std::nullopt;
        else
            speed = speedBeforeMph(wind, m);
    }
    if (const std::size_t g = findText(text, "gusting to"))
        report.gustMph = static_cast<float>(readNumberAt(text, g + 10, 4));
    if (contains(text, "Calm"))
        speed = 0.0f;
    // A speed read as the old no-wind marker is no speed.
    if (speed && *speed != kNoWindLine)
        report.windSpeedMph = speed;
}

// "Temperature:" and "Dew Point:": Fahrenheit first, Celsius in parentheses.
void readTemperature(std::string_view text, std::string_view label, std::optional<float>& fahrenheit,
                     std::optional<float>& celsius)
{
    const auto t = labelValue(text, label);
    if (!t || t->empty())
        return;
    fahrenheit = static_cast<float>(readNumberAt(*t, 1, 5));
    celsius = static_cast<float>(readNumberAt(*t, findText(*t, "(") + 1, 5));
}

// Implausible readings (over 32 inches, over 1070 hPa after dropping a
// leading 1 of a five-digit figure) are no readings.
void readPressure(std::string_view text, PresentReport& report)
{
    const auto p = labelValue(text, "Pressure (altimeter):");
    if (!p)
        return;
    double hpa = readNumberAt(*p, findText(*p, "(") + 1, 5);
    if (hpa > 1500)
        hpa -= 1000;
    if (hpa > 1070)
        hpa = 0;
    double inches = readNumberAt(*p, 1, 6);
    if (inches > 50)
        inches -= 30;
    if (inches > 32)
        inches = 0;
    if (static_cast<float>(hpa) > 0.0f)
        report.pressureHpa = static_cast<float>(hpa);
    if (static_cast<float>(inches) > 0.0f)
        report.pressureInches = static_cast<float>(inches);
}

std::optional<std::string> textOf(std::optional<std::string_view> value)
{
    return value ? std::optional<std::string>(std::string(*value)) : std::nullopt;
}

} // namespace

std::optional<std::string_view> labelValue(std::string_view report, std::string_view label)
{
    const auto at = report.find(label);
    if (at == std::string_view::npos)
        return std::nullopt;
    std::string_view rest = report.substr(at + label.size());
    return withoutCr(rest.substr(0, rest.find('\n')));
}

std::optional<CivilTime> readObservationTime(std::string_view dateLine)
{
    const std::size_t k = findText(dateLine, "/");
    const auto year = integerOf(midText(dateLine, k + 2, 4));
    const auto month = integerOf(midText(dateLine, k + 7, 2));
    const auto day = integerOf(midText(dateLine, k + 10, 2));
    const auto hour = integerOf(midText(dateLine, k + 13, 2));
    const auto minute = integerOf(midText(dateLine, k + 15, 2));
    if (!year || !month || !day || !hour || !minute)
        return std::nullopt;
    CivilTime t;
    t.year = *year;
    t.month = *month;
    t.day = *day;
    t.hour = *hour;
    t.minute = *minute;
    if (!t.isValid())
        return std::nullopt;
    return t;
}

std::optional<PresentReport> readPresentReport(std::string_view text)
{
    if (isAbsentReport(text))
        return std::nullopt;
    PresentReport report;
    const std::size_t firstBreak = text.find('\n', 1);
    report.stationLine = std::string(withoutCr(text.substr(0, firstBreak)));
    if (firstBreak == std::string_view::npos)
        return report;
    report.hasBody = true;
    const std::string_view afterFirst = text.substr(firstBreak + 1);
    report.dateLine = std::string(withoutCr(afterFirst.substr(0, afterFirst.find('\n'))));
    report.observedUtc = readObservationTime(report.dateLine);

    readWind(text, report);
    report.visibility = textOf(labelValue(text, "Visibility:"));
    report.sky = textOf(labelValue(text, "Sky conditions:"));
    report.weather = textOf(labelValue(text, "Weather:"));
    readTemperature(text, "Temperature:", report.temperatureF, report.temperatureC);
    readTemperature(text, "Dew Point:", report.dewPointF, report.dewPointC);
    if (const auto humidity = labelValue(text, "Relative Humidity:"))
        report.humidityPercent = static_cast<float>(readNumber(*humidity));
    readPressure(text, report);
    if (const auto cycle = labelValue(text, "cycle:"))
        report.cycle = roundToInt16(readNumber(*cycle));
    return report;
}

} // namespace ventoral
