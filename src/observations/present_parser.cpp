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

bool endsWith(std::string_view text, std::string_view tail)
{
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

std::string twoDigits(int n)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", n);
    return buffer;
}

DateLabel dateLabelFor(const CivilTime& utc, const PresentContext& context)
{
    const DateForms& forms = *context.forms;
    const std::string utcText =
        forms.shortDate(utc.year, utc.month, utc.day) + " " + twoDigits(utc.hour) + ":" + twoDigits(utc.minute);

    const CivilTime local = context.zone ? context.zone->localTime(utc) : utc;
    std::string localText = forms.shortDate(local.year, local.month, local.day);
    if (local.hour == 0 && local.minute == 0 && local.second == 0)
        localText += " 00:00";
    else
        localText += " " + forms.longTime(local.hour, local.minute, local.second);

    DateLabel label;
    label.caption = "UTC: " + utcText + "; Local: " + localText;
    label.observedUtc = utc;
    static const TrendSeries kNoTrend;
    label.nextDueUtc = reportingRhythm(context.trend ? *context.trend : kNoTrend, utc).nextAfter(utc);
    setLabelAge(label, context.nowUtc);
    return label;
}

} // namespace

std::vector<StripLine> conditionStrip(const PresentReport& report, StripSurface surface)
{
    std::vector<StripLine> lines;
    std::string strip;
    if (report.visibility) {
        std::string_view v = *report.visibility;
        if (endsWith(v, ":0"))
            v.remove_suffix(2);
        strip = "Visibility: " + std::string(v);
    }
    if (report.sky) {
        if (!strip.empty())
            strip += "  - ";
        strip += "  Sky conditions: " + *report.sky;
    }
    int lineOffset = kOneLineOffset;
    if (const auto& weather = report.weather) {
        if (strip.size() + weather->size() > kStripWrapLength) {
            if (!strip.empty())
                lines.push_back({strip, kFirstLineY});
            strip.clear();
            lineOffset = kTwoLineOffset;
        }
        if (!strip.empty())
            strip += "  - ";
        strip += "  Weather: " + *weather;
    }
    if (strip.size() > 10) {
        const int pageOffset = surface == StripSurface::PrintPage ? kPrintPageStripOffsetTwips : 0;
        lines.push_back({strip, lineOffset + 20 + pageOffset});
    }
    return lines;
}

std::optional<DateLabel> dateLabelOf(const PresentReport& report, const PresentContext& context)
{
    if (!report.observedUtc || !context.forms)
        return std::nullopt;
    return dateLabelFor(*report.observedUtc, context);
}

void setLabelAge(DateLabel& label, const CivilTime& nowUtc)
{
    label.age = reportAge(label.observedUtc, label.nextDueUtc, nowUtc);
    label.freshness = label.age ? freshnessText(*label.age) : std::string();
    label.stale = label.age && label.age->stale();
}

std::string DateLabel::text() const
{
    return freshness.empty() ? caption : caption + "; " + freshness;
}

Observation observationOf(const std::optional<PresentReport>& report, const DisplayUnits& units)
{
    Observation obs;
    if (!report) {
        obs.temperature = kNoPresentReport;
        obs.humidity = kNoReportHumidity;
        obs.windSpeed = kNoReportSpeed;
        obs.pressure = kNoPressure;
        return obs;
    }
    obs.presetForParse();
    obs.stationLine = report->stationLine;
    if (!report->hasBody)
        return obs;
    obs.dateLine = report->dateLine;
    if (const auto& utc = report->observedUtc) {
        obs.observationTime = std::chrono::hours(utc->hour) + std::chrono::minutes(utc->minute);
        obs.utcHour = static_cast<float>(utc->hour);
    }

    if (report->windDirectionDegrees) {
        obs.windDirection = *report->windDirectionDegrees;
        obs.windDirectionText = decimalText(obs.windDirection);
    }
    float speed = report->windSpeedMph.value_or(kNoWindLine);
    obs.windGust = report->gustMph.value_or(0.0f);
    if (units.kph) {
        // The no-wind marker stays the marker: converted it would read as a speed of -1.61.
        if (speed >= 0.0f)
            speed = static_cast<float>(mphToKph(speed));
        obs.windGust = static_cast<float>(mphToKph(obs.windGust));
    }
    if (obs.maxGustSeen < obs.windGust)
        obs.maxGustSeen = roundToInt16(obs.windGust);
    obs.windSpeed = speed;
    if (speed > -1.0f)
        obs.windSpeedText = decimalText(static_cast<float>(std::floor(speed * 10.0f) / 10.0));

    const auto temperature = [&units](const std::optional<float>& f, const std::optional<float>& c, float& value,
                                      std::string& text) {
        if (!f)
            return;
        value = units.celsius ? *c : *f;
        text = decimalText(value);
    };
    temperature(report->temperatureF, report->temperatureC, obs.temperature, obs.temperatureText);
    temperature(report->dewPointF, report->dewPointC, obs.dewPoint, obs.dewPointText);

    obs.humidity = report->humidityPercent.value_or(kNoHumidityLine);
    if (report->humidityPercent)
        obs.humidityText = decimalText(obs.humidity);

    const std::optional<float>& pressure = units.hpa ? report->pressureHpa : report->pressureInches;
    obs.pressure = pressure.value_or(kNoPressure);
    if (pressure)
        obs.pressureText = decimalText(obs.pressure);

    if (report->cycle)
        obs.cycle = *report->cycle;
    return obs;
}

PresentResult presentData(std::string_view text, const PresentContext& context, Observation& obs)
{
    PresentResult result;
    const std::optional<PresentReport> report = readPresentReport(text);
    const std::int16_t gustSeen = obs.maxGustSeen;
    obs = observationOf(report, context.units);
    // The highest gust seen belongs to the station's min/max record and only rises here.
    obs.maxGustSeen = gustSeen < obs.windGust ? roundToInt16(obs.windGust) : gustSeen;
    if (!report) {
        result.reportAbsent = true;
        return result;
    }
    if (!report->hasBody)
        return result;
    result.dateLabel = dateLabelOf(*report, context);
    result.strip = conditionStrip(*report, context.surface);
    return result;
}

} // namespace ventoral

