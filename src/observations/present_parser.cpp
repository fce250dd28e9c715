// SPDX-License-Identifier: GPL-3.0-or-later
#include "observations/present_parser.h"

#include <cmath>
#include <cstdio>

#include "platform/core/number_text.h"

namespace ventoral {

namespace {

constexpr std::size_t kStripWrapLength = 65;
constexpr int kFirstLineY = 20;
constexpr int kOneLineOffset = 100;
constexpr int kTwoLineOffset = 180;

bool contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

bool endsWith(std::string_view text, std::string_view tail)
{
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

std::string_view withoutCr(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

std::string twoDigits(int n)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", n);
    return buffer;
}

DateLabel dateLabelFor(const CivilTime& utc, std::string_view dateLine, const PresentContext& context)
{
    const DateForms& forms = *context.forms;
    const std::string utcText =
        forms.shortDate(utc.year, utc.month, utc.day) + " " + twoDigits(utc.hour) + ":" + twoDigits(utc.minute);

    const CivilTime local = utc.plusMinutes(static_cast<std::int64_t>(std::trunc(context.utcOffsetHours * 60.0)));
    std::string localText = forms.shortDate(local.year, local.month, local.day);
    if (local.hour == 0 && local.minute == 0 && local.second == 0)
        localText += " 00:00";
    else
        localText += " " + forms.longTime(local.hour, local.minute, local.second);

    DateLabel label;
    label.caption = "UTC: " + utcText + "; Local: " + localText;
    setLabelAge(label, dateLine, context.nowLocal, context.utcOffsetHours);
    return label;
}

// The speed before "MPH": the number after the lowest space among the four
// positions ahead of it. No space there reads as no wind line.
float speedBeforeMph(std::string_view wind, std::size_t m)
{
    for (std::size_t s = (m > 5 ? m - 5 : 1); s + 2 <= m; ++s)
        if (midText(wind, s, 1) == " ")
            return static_cast<float>(readNumberAt(wind, s, 5));
    return kNoWindLine;
}

void readWind(std::string_view report, Observation& obs, const PresentContext& context)
{
    const auto windValue = labelValue(report, "Wind:");
    const std::string_view wind = windValue.value_or(std::string_view{});

    const std::size_t p = findText(wind, "(");
    if (contains(wind, "Variable")) {
        obs.windDirectionText.clear();
    } else if (p == 0 || wind.empty()) {
        obs.windDirectionText.clear();
        obs.windDirection = 0.0f;
    } else {
        obs.windDirection = static_cast<float>(readNumberAt(wind, p + 1, 3));
        obs.windDirectionText = decimalText(obs.windDirection);
    }

    float speed = kNoWindLine;
    if (windValue) {
        const std::size_t m = findText(wind, "MPH");
        if (m == 0)
            speed = contains(wind, "Calm") ? 0.0f : kNoWindLine;
        else
            speed = speedBeforeMph(wind, m);
    }

    const std::size_t g = findText(report, "gusting to");
    obs.windGust = g ? static_cast<float>(readNumberAt(report, g + 10, 4)) : 0.0f;

    if (contains(report, "Calm"))
        speed = 0.0f;

    if (context.units.kph) {
        // The no-wind marker stays the marker: converted it would read as a speed of -1.61.
        if (speed >= 0.0f)
            speed = static_cast<float>(mphToKph(speed));
        obs.windGust = static_cast<float>(mphToKph(obs.windGust));
    }
    if (obs.maxGustSeen < obs.windGust)
        obs.maxGustSeen = roundToInt16(obs.windGust);

    obs.windSpeed = speed;
    obs.windSpeedText.clear();
    if (speed > -1.0f)
        obs.windSpeedText = decimalText(static_cast<float>(std::floor(speed * 10.0f) / 10.0));
}

std::vector<StripLine> conditionStrip(std::string_view report, StripSurface surface)
{
    std::vector<StripLine> lines;
    std::string strip;
    if (auto visibility = labelValue(report, "Visibility:")) {
        std::string_view v = *visibility;
        if (endsWith(v, ":0"))
            v.remove_suffix(2);
        strip = "Visibility: " + std::string(v);
    }
    if (auto sky = labelValue(report, "Sky conditions:")) {
        if (!strip.empty())
            strip += "  - ";
        strip += "  Sky conditions: " + std::string(*sky);
    }
    int lineOffset = kOneLineOffset;
    if (auto weather = labelValue(report, "Weather:")) {
        if (strip.size() + weather->size() > kStripWrapLength) {
            if (!strip.empty())
                lines.push_back({strip, kFirstLineY});
            strip.clear();
            lineOffset = kTwoLineOffset;
        }
        if (!strip.empty())
            strip += "  - ";
        strip += "  Weather: " + std::string(*weather);
    }
    if (strip.size() > 10) {
        const int pageOffset = surface == StripSurface::PrintPage ? kPrintPageStripOffsetTwips : 0;
        lines.push_back({strip, lineOffset + 20 + pageOffset});
    }
    return lines;
}

// "Temperature:" and "Dew Point:": Fahrenheit first, Celsius in parentheses.
void readTemperature(std::string_view report, std::string_view label, bool celsius, float& value, std::string& text)
{
    const auto t = labelValue(report, label);
    if (!t) {
        value = kNoTemperatureLine;
        return;
    }
    const std::size_t start = celsius ? findText(*t, "(") + 1 : 1;
    if (!t->empty()) {
        value = static_cast<float>(readNumberAt(*t, start, 5));
        text = decimalText(value);
    }
}

void readPressure(std::string_view report, bool hpa, Observation& obs)
{
    const auto p = labelValue(report, "Pressure (altimeter):");
    if (!p) {
        obs.pressure = kNoPressure;
        return;
    }
    double value;
    if (hpa) {
        value = readNumberAt(*p, findText(*p, "(") + 1, 5);
        if (value > 1500)
            value -= 1000;
        if (value > 1070)
            value = 0;
    } else {
        value = readNumberAt(*p, 1, 6);
        if (value > 50)
            value -= 30;
        if (value > 32)
            value = 0;
    }
    if (value < 0)
        value = 0;
    obs.pressure = static_cast<float>(value);
    // An implausible pressure reads 0 and has no text: it is no reading.
    if (!p->empty() && obs.pressure > kNoPressure)
        obs.pressureText = decimalText(obs.pressure);
}

} // namespace

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

void setLabelAge(DateLabel& label, std::string_view dateLine, const CivilTime& nowLocal, double utcOffsetHours)
{
    label.age = reportAge(dateLine, nowLocal, utcOffsetHours);
    label.freshness = label.age ? freshnessText(*label.age) : std::string();
    label.stale = label.age && label.age->stale();
}

std::string DateLabel::text() const
{
    return freshness.empty() ? caption : caption + "; " + freshness;
}

std::optional<std::string_view> labelValue(std::string_view report, std::string_view label)
{
    const auto at = report.find(label);
    if (at == std::string_view::npos)
        return std::nullopt;
    std::string_view rest = report.substr(at + label.size());
    return withoutCr(rest.substr(0, rest.find('\n')));
}

PresentResult presentData(std::string_view text, const PresentContext& context, Observation& obs)
{
    PresentResult result;
    if (isAbsentReport(text)) {
        // Nothing of the report read before may stand for this one.
        obs.clearPresentValues();
        obs.temperature = kNoPresentReport;
        obs.humidity = kNoReportHumidity;
        obs.windSpeed = kNoReportSpeed;
        obs.pressure = kNoPressure;
        result.reportAbsent = true;
        return result;
    }

    obs.temperatureText.clear();
    obs.dewPointText.clear();
    obs.stationLine.clear();
    obs.windDirectionText.clear();
    obs.windSpeedText.clear();
    obs.humidityText.clear();
    obs.pressureText.clear();

    const std::size_t firstBreak = text.find('\n', 1);
    obs.stationLine = std::string(withoutCr(text.substr(0, firstBreak)));
    if (firstBreak == std::string_view::npos)
        return result;
    const std::string_view afterFirst = text.substr(firstBreak + 1);
    obs.dateLine = std::string(withoutCr(afterFirst.substr(0, afterFirst.find('\n'))));

    if (const auto utc = readObservationTime(obs.dateLine)) {
        obs.observationTime = std::chrono::hours(utc->hour) + std::chrono::minutes(utc->minute);
        obs.utcHour = static_cast<float>(utc->hour);
        if (context.forms)
            result.dateLabel = dateLabelFor(*utc, obs.dateLine, context);
    }

    readWind(text, obs, context);
    result.strip = conditionStrip(text, context.surface);

    readTemperature(text, "Temperature:", context.units.celsius, obs.temperature, obs.temperatureText);
    readTemperature(text, "Dew Point:", context.units.celsius, obs.dewPoint, obs.dewPointText);

    if (const auto humidity = labelValue(text, "Relative Humidity:")) {
        obs.humidity = static_cast<float>(readNumber(*humidity));
        obs.humidityText = decimalText(obs.humidity);
    } else {
        obs.humidity = kNoHumidityLine;
    }

    readPressure(text, context.units.hpa, obs);

    if (const auto cycle = labelValue(text, "cycle:"))
        obs.cycle = roundToInt16(readNumber(*cycle));
    return result;
}

} // namespace ventoral

