// SPDX-License-Identifier: GPL-3.0-or-later
#include "instruments/span_graphs.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

#include "observations/metar.h"
#include "settings/units.h"

namespace ventoral {

namespace {

constexpr std::int64_t kMinutesPerDay = 24 * 60;
// Day numbers stand at least this far apart, in twips.
constexpr double kNarrowestLabelStep = 300;

using ValueOf = std::function<std::optional<double>(const ArchivedObservation&)>;

struct Span {
    std::int64_t startMinutes = 0;
    std::int64_t minutes = 0;
};

std::int64_t reportingHour(const ArchivedObservation& o)
{
    return (o.timeMinutes + 15) / 60;
}

std::vector<DayMark> dayMarks(const Span& span, double width, const TimeZone& zone)
{
    const double perMinute = width / static_cast<double>(span.minutes);
    const double dayWidth = kMinutesPerDay * perMinute;
    std::vector<DayMark> marks;
    std::vector<bool> wide;   // at least half of the day is shown
    const std::int64_t endMinutes = span.startMinutes + span.minutes;
    // Each local midnight by the zone's rules at that instant, so a change of
    // daylight saving within the span moves the marks after it.
    const CivilTime startLocal = zone.localTime(CivilTime::fromMinutes(span.startMinutes));
    CivilTime day{startLocal.year, startLocal.month, startLocal.day, 0, 0, 0};
    for (;;) {
        day = CivilTime::fromMinutes(day.minutesSinceEpoch() + kMinutesPerDay);
        const std::int64_t midnight = zone.utcOf(day).minutesSinceEpoch();
        if (midnight >= endMinutes)
            break;
        DayMark mark;
        mark.x = static_cast<double>(midnight - span.startMinutes) * perMinute;
        const double shownEnd = std::min(mark.x + dayWidth, width);
        mark.labelX = (mark.x + shownEnd) / 2;
        mark.label = std::to_string(day.day);
        wide.push_back(shownEnd - mark.x >= dayWidth / 2);
        marks.push_back(std::move(mark));
    }
    // Counted from the newest day back, so the newest whole day is written.
    const int step = std::max(1, static_cast<int>(std::ceil(kNarrowestLabelStep / dayWidth)));
    int counted = 0;
    for (std::size_t i = marks.size(); i-- > 0;) {
        if (!wide[i] || counted++ % step != 0)
            marks[i].label.clear();
    }
    return marks;
}

GraphModel spanGraph(const std::vector<ArchivedObservation>& hourly, const Span& span, GraphScale scale,
                     bool compass, const ValueOf& valueOf, const TimeZone& zone, GraphSpan graphSpan)
{
    GraphModel graph;
    SpanPlot plot;
    plot.days = spanDays(graphSpan);
    const double perMinute = scale.width / static_cast<double>(span.minutes);
    const double low = std::min(scale.minimum, scale.maximum);
    const double high = std::max(scale.minimum, scale.maximum);
    std::optional<std::int64_t> previous;
    for (const ArchivedObservation& o : hourly) {
        const std::optional<double> value = valueOf(o);
        if (!value || scale.range() == 0)
            continue;
        double offset = scale.offsetOf(std::clamp(*value, low, high));
        if (compass)
            offset = scale.height - offset;
        if (!previous || o.timeMinutes - *previous > kLongestJoinedGapMinutes)
            plot.runs.emplace_back();
        plot.runs.back().push_back({static_cast<double>(o.timeMinutes - span.startMinutes) * perMinute, offset});
        previous = o.timeMinutes;
    }
    plot.marks = dayMarks(span, scale.width, zone);
    scale.title += " over " + std::to_string(plot.days) + " days";
    graph.scale = std::move(scale);
    graph.compass = compass;
    graph.span = std::move(plot);
    return graph;
}

std::optional<double> celsius(const std::optional<ReportedCelsius>& reported)
{
    return reported ? std::optional<double>(reported->value) : std::nullopt;
}

} // namespace

std::vector<ArchivedObservation> hourlyObservations(const std::vector<ArchivedObservation>& observations)
{
    std::vector<ArchivedObservation> hourly;
    for (const ArchivedObservation& o : observations) {
        if (hourly.empty() || reportingHour(hourly.back()) != reportingHour(o)) {
            hourly.push_back(o);
            continue;
        }
        // A routine report holds its hour; among reports of one kind the newest.
        ArchivedObservation& held = hourly.back();
        if (!o.special || held.special)
            held = o;
    }
    return hourly;
}

std::array<GraphModel, kGraphCount> spanGraphModelsOf(const std::vector<ArchivedObservation>& observations,
                                                      GraphSpan graphSpan, const UnitSettings& units,
                                                      const CivilTime& endUtc, const TimeZone& zone)
{
    Span span;
    span.minutes = spanDays(graphSpan) * kMinutesPerDay;
    span.startMinutes = endUtc.minutesSinceEpoch() - span.minutes;
    std::vector<ArchivedObservation> within;
    for (const ArchivedObservation& o : observations)
        if (o.timeMinutes >= span.startMinutes && o.timeMinutes <= span.startMinutes + span.minutes)
            within.push_back(o);
    const std::vector<ArchivedObservation> hourly = hourlyObservations(within);

    const DisplayUnits display = DisplayUnits::fromTexts(units.speedUnit, units.temperatureUnit, units.pressureUnit);
    const double speedPerKnot = display.kph ? kKphPerKnot : kMphPerKnot;
    const ValueOf pressure = [&](const ArchivedObservation& o) -> std::optional<double> {
        if (!o.pressureHpa)
            return std::nullopt;
        return display.hpa ? *o.pressureHpa : hpaToInches(*o.pressureHpa);
    };
    const ValueOf humidity = [](const ArchivedObservation& o) -> std::optional<double> {
        const std::optional<int> percent = humidityOf(o);
        return percent ? std::optional<double>(*percent) : std::nullopt;
    };
    const ValueOf temperature = [&](const ArchivedObservation& o) -> std::optional<double> {
        const std::optional<double> c = celsius(o.temperature);
        if (!c)
            return std::nullopt;
        return display.celsius ? *c : celsiusToFahrenheit(*c);
    };
    const ValueOf speed = [&](const ArchivedObservation& o) -> std::optional<double> {
        if (!o.windSpeedKnots)
            return std::nullopt;
        return *o.windSpeedKnots * speedPerKnot;
    };
    // A calm or variable wind has no direction to plot.
    const ValueOf direction = [](const ArchivedObservation& o) -> std::optional<double> {
        if (!o.windDirectionDegrees || !o.windSpeedKnots || *o.windSpeedKnots <= 0)
            return std::nullopt;
        return *o.windDirectionDegrees;
    };
    double largest = 0;
    for (const ArchivedObservation& o : hourly)
        largest = std::max(largest, speed(o).value_or(0));

    return {spanGraph(hourly, span, pressureScale(units), false, pressure, zone, graphSpan),
            spanGraph(hourly, span, humidityScale(), false, humidity, zone, graphSpan),
            spanGraph(hourly, span, temperatureScale(units), false, temperature, zone, graphSpan),
            spanGraph(hourly, span, windSpeedScale(units, static_cast<int>(std::lround(largest))), false, speed,
                      zone, graphSpan),
            spanGraph(hourly, span, windDirectionScale(), true, direction, zone, graphSpan)};
}

} // namespace ventoral
