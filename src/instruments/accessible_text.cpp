// SPDX-License-Identifier: GPL-3.0-or-later
#include "instruments/accessible_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "observations/metar.h"
#include "platform/core/number_text.h"
#include "platform/core/text_encoding.h"
#include "settings/units.h"

namespace ventoral {

namespace {

struct UnitWord {
    const char* unit;
    const char* words;
};

// The dials' unit texts and the settings' own.
constexpr UnitWord kUnitWords[] = {
    {"kph", "kilometres per hour"},        {"Kph", "kilometres per hour"},
    {"mph", "miles per hour"},             {"Mph", "miles per hour"},
    {"\xC2\xB0" "C", "degrees Celsius"},   {"\xC2\xBA" "C", "degrees Celsius"},
    {"\xC2\xB0" "F", "degrees Fahrenheit"}, {"\xC2\xBA" "F", "degrees Fahrenheit"},
    {"hPa", "hectopascals"},               {"inHg", "inches of mercury"},
    {"In", "inches of mercury"},           {"%", "percent"},
};

std::string plural(long long count, const char* one)
{
    return std::to_string(count) + " " + one + (count == 1 ? "" : "s");
}

std::string windDirectionWords(const PanelReadings& r)
{
    if (r.windDirectionDegrees)
        return "Wind from the " + compassWords(*r.windDirectionDegrees) + ", " + r.windDirection + " degrees";
    if (r.windSpeed == "0")
        return "Calm, no wind direction";
    return "No wind direction data";
}

std::string windSpeedWords(const PanelReadings& r, const std::string& unit)
{
    if (r.windSpeed.empty())
        return "No wind speed data";
    std::string words = "Wind speed " + r.windSpeed + " " + unitWords(unit);
    if (!r.gust.empty())
        words += ", gusting " + r.gust;
    return words;
}

std::string temperatureWords(const PanelReadings& r, const std::string& unit, bool dewPoint)
{
    if (r.temperature.empty())
        return "No temperature data";
    std::string words = "Temperature " + r.temperature + " " + unitWords(unit);
    if (dewPoint && !r.dewPoint.empty())
        words += ", dew point " + r.dewPoint;
    return words;
}

std::string humidityWords(const PanelReadings& r)
{
    return r.humidity.empty() ? "No humidity data" : "Humidity " + r.humidity + " percent";
}

// The change as the caption shows it, without its sign: 1.4 hPa, 0.04 inches.
std::string changeFigure(double changeHpa, bool hpa, long& steps)
{
    const double value = hpa ? changeHpa : hpaToInches(changeHpa);
    const int decimals = hpa ? 1 : 2;
    const double scale = hpa ? 10.0 : 100.0;
    steps = std::lround(value * scale);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, std::fabs(static_cast<double>(steps) / scale));
    return buffer;
}

std::string pressureWords(const PanelReadings& r, const std::string& unit, const std::optional<double>& changeHpa)
{
    if (r.pressure.empty())
        return "No air pressure data";
    std::string words = "Air pressure " + r.pressure + " " + unitWords(unit);
    if (changeHpa) {
        long steps = 0;
        const std::string figure = changeFigure(*changeHpa, unit == "hPa", steps);
        words += ", " + std::string(pressureTrendWords(pressureTrendOf(*changeHpa)));
        if (steps != 0)
            words += ", " + figure + " in 3 hours";
    }
    return words;
}

// The figure of a graph point as the trend table holds it: whole hPa,
// percent and speeds, tenths of a degree, hundredths of an inch.
std::string graphFigure(const GraphModel& graph, double offset)
{
    const GraphScale& s = graph.scale;
    const double fromTop = graph.compass ? s.height - offset : offset;
    const double value = s.maximum - fromTop * s.range() / s.height;
    double step = 1;
    if (s.column == TrendSeries::PressureIn)
        step = 0.01;
    else if (s.column == TrendSeries::TemperatureC || s.column == TrendSeries::TemperatureF)
        step = 0.1;
    return decimalText(static_cast<float>(std::nearbyint(value / step) * step));
}

double graphValue(const GraphModel& graph, double offset)
{
    return readNumber(graphFigure(graph, offset));
}

std::string graphUnit(const PanelModel& model, GraphKind kind)
{
    switch (kind) {
    case GraphKind::Pressure:
        return model.dial(DialKind::Pressure).scale.unit;
    case GraphKind::Humidity:
        return "%";
    case GraphKind::Temperature:
        return model.dial(DialKind::Temperature).scale.unit;
    case GraphKind::WindSpeed:
        return model.dial(DialKind::WindSpeed).scale.unit;
    case GraphKind::WindDirection:
        break;
    }
    return "degrees";
}

// Runs of blanks as one space, none at the ends: the strip spaces its parts out.
std::string singleSpaced(std::string_view text)
{
    std::string out;
    for (const char c : trimBlanks(text))
        if (c != ' ' || (!out.empty() && out.back() != ' '))
            out += c;
    return out;
}

std::string sentence(const std::string& text)
{
    return text.empty() ? text : text + ". ";
}

} // namespace

std::string compassWords(double degreesFromNorth)
{
    std::string words;
    for (const char letter : compassName(degreesFromNorth)) {
        if (!words.empty())
            words += '-';
        words += letter == 'N' ? "north" : letter == 'S' ? "south" : letter == 'E' ? "east" : "west";
    }
    return words;
}

std::string unitWords(const std::string& unit)
{
    for (const UnitWord& u : kUnitWords)
        if (unit == u.unit)
            return u.words;
    return unit;
}

std::string ageWords(long long minutes)
{
    minutes = std::max(minutes, 0LL);
    if (minutes < 60)
        return plural(minutes, "minute");
    if (minutes < 48 * 60) {
        const std::string hours = plural(minutes / 60, "hour");
        return minutes % 60 == 0 ? hours : hours + " " + plural(minutes % 60, "minute");
    }
    return plural(minutes / (24 * 60), "day");
}

std::string dialName(DialKind kind)
{
    switch (kind) {
    case DialKind::WindDirection:
        return "Wind direction";
    case DialKind::WindSpeed:
        return "Wind speed";
    case DialKind::Temperature:
        return "Temperature";
    case DialKind::Humidity:
        return "Humidity";
    case DialKind::Pressure:
        break;
    }
    return "Air pressure";
}

std::string dialDescription(const PanelModel& model, DialKind kind)
{
    const PanelReadings& r = model.readings;
    const DialModel& dial = model.dial(kind);
    switch (kind) {
    case DialKind::WindDirection:
        return windDirectionWords(r);
    case DialKind::WindSpeed:
        return windSpeedWords(r, dial.scale.unit);
    case DialKind::Temperature:
        return temperatureWords(r, dial.scale.unit, !dial.secondCaption.empty());
    case DialKind::Humidity:
        return humidityWords(r);
    case DialKind::Pressure:
        break;
    }
    return pressureWords(r, dial.scale.unit, model.pressureChangeHpa);
}

std::string graphName(GraphKind kind)
{
    switch (kind) {
    case GraphKind::Pressure:
        return "Air pressure, last 24 hours";
    case GraphKind::Humidity:
        return "Humidity, last 24 hours";
    case GraphKind::Temperature:
        return "Temperature, last 24 hours";
    case GraphKind::WindSpeed:
        return "Wind speed, last 24 hours";
    case GraphKind::WindDirection:
        break;
    }
    return "Wind direction, last 24 hours";
}

std::string graphDescription(const PanelModel& model, GraphKind kind)
{
    const GraphModel& graph = model.graph(kind);
    std::vector<double> offsets;
    for (const GraphPoint& point : graph.points)
        if (point.measured && point.offset)
            offsets.push_back(*point.offset);
    if (offsets.empty())
        return "No data";
    if (kind == GraphKind::WindDirection) {
        const auto compass = [&graph](double offset) { return compassWords(graphValue(graph, offset)); };
        return "From the " + compass(offsets.front()) + " to the " + compass(offsets.back());
    }
    const auto [lowest, highest] = std::minmax_element(offsets.begin(), offsets.end(), [&graph](double a, double b) {
        return graphValue(graph, a) < graphValue(graph, b);
    });
    return "From " + graphFigure(graph, offsets.front()) + " to " + graphFigure(graph, offsets.back()) + " " +
           unitWords(graphUnit(model, kind)) + ", lowest " + graphFigure(graph, *lowest) + ", highest " +
           graphFigure(graph, *highest);
}

std::string stripDescription(const PanelModel& model)
{
    std::string words;
    for (const StripLine& line : model.strip) {
        const std::string text = singleSpaced(decodeLegacyText(line.text));
        words += words.empty() ? text : " - " + text;
    }
    if (words.empty())
        words = "No conditions reported";
    if (model.flightCategory)
        words += ". Flight category " + std::string(flightCategoryName(*model.flightCategory));
    return words;
}

std::string tileName(const WallTile& tile)
{
    return tile.name.empty() ? tile.code : tile.code + " " + tile.name;
}

std::string tileDescription(const WallTile& tile)
{
    if (!tile.hasReport)
        return tile.statusLine;
    const PanelReadings& r = tile.readings;
    std::string words = sentence(temperatureWords(r, tile.temperatureUnit, true));
    words += sentence(windDirectionWords(r));
    if (!r.windSpeed.empty())
        words += sentence(windSpeedWords(r, tile.speedUnit));
    words += sentence(pressureWords(r, tile.pressureUnit, tile.pressureChangeHpa));
    words += sentence(humidityWords(r));
    if (tile.flightCategory)
        words += sentence("Flight category " + std::string(flightCategoryName(*tile.flightCategory)));
    if (!r.weather.empty())
        words += sentence("Weather: " + decodeLegacyText(r.weather));
    else if (!r.sky.empty())
        words += sentence("Sky: " + decodeLegacyText(r.sky));
    if (tile.age)
        words += sentence("Report " + ageWords(tile.age->minutes) + " old" + (tile.stale ? ", stale" : ""));
    if (!tile.source.empty())
        words += sentence("Source: " + tile.source);
    if (!words.empty())
        words.pop_back();   // the space after the last sentence
    return words;
}

} // namespace ventoral
