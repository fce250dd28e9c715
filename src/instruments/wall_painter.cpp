// SPDX-License-Identifier: GPL-3.0-or-later
#include "instruments/wall_painter.h"

#include <algorithm>

#include "instruments/condition_strip.h"
#include "instruments/dial_painter.h"
#include "observations/metar.h"
#include "platform/core/text_encoding.h"

namespace ventoral {

namespace {

constexpr double kPad = 90;
// Tops of the rows, twips from the tile's top.
constexpr double kHeaderTop = 50;
constexpr double kTemperatureTop = 330;
constexpr double kWindTop = 800;
constexpr double kPressureTop = 1000;
constexpr double kWeatherTop = 1200;
constexpr double kAgeTop = 1400;
constexpr double kSourceTop = 1610;
constexpr double kLinesTop = 1830;
constexpr double kLinesHeight = 470;
constexpr double kTagPadX = 70;
constexpr double kTagPadY = 20;
// The 24-hour lines span at least this many units of their scale, so a
// steady day stays a nearly level line.
constexpr double kLeastLineSpan = 4;

// The text cut to fit width, with an ellipsis where it was cut.
std::string fitted(Surface& t, const std::string& text, double width)
{
    if (t.textWidth(text) <= width)
        return text;
    const std::string ellipsis = "\xE2\x80\xA6";
    std::string cut = text;
    while (!cut.empty() && t.textWidth(cut + ellipsis) > width) {
        cut.pop_back();
        while (!cut.empty() && (static_cast<unsigned char>(cut.back()) & 0xC0) == 0x80)
            cut.pop_back();   // a whole UTF-8 character at a time
        if (!cut.empty() && (static_cast<unsigned char>(cut.back()) & 0xC0) == 0xC0)
            cut.pop_back();
    }
    return cut + ellipsis;
}

// The category tag at the tile's top right; returns its left edge.
double paintTag(Surface& t, FlightCategory category)
{
    const std::string name(flightCategoryName(category));
    t.setFontSize(8);
    t.setBold(true);
    const double width = t.textWidth(name) + 2 * kTagPadX;
    const double height = t.textHeight(name) + 2 * kTagPadY;
    const double right = kTileWidthTwips - kPad;
    t.setForeColor(flightCategoryColor(category));
    t.filledBox(right - width, kHeaderTop, right, kHeaderTop + height);
    t.setForeColor(kWhite);
    t.text(right - width + kTagPadX, kHeaderTop + kTagPadY, name);
    t.setBold(false);
    return right - width;
}

void paintHeader(Surface& t, const WallTile& tile, const ColorScheme& colors)
{
    const double right = tile.flightCategory ? paintTag(t, *tile.flightCategory) - kPad : kTileWidthTwips - kPad;
    t.setForeColor(colors.textColor);
    t.setFontSize(11);
    t.setBold(true);
    t.text(kPad, kHeaderTop, tile.code);
    const double codeWidth = t.textWidth(tile.code) + kPad;
    const double codeHeight = t.textHeight(tile.code);
    t.setBold(false);
    t.setFontSize(7);
    const double nameTop = kHeaderTop + codeHeight - t.textHeight(tile.name) - 20;
    t.text(kPad + codeWidth, nameTop, fitted(t, tile.name, right - kPad - codeWidth));
}

std::string windLine(const WallTile& tile)
{
    const PanelReadings& r = tile.readings;
    if (r.windSpeed.empty())
        return "No wind data";
    if (r.windSpeed == "0")
        return "Wind calm";
    std::string line = "Wind ";
    line += r.windDirectionDegrees ? compassName(*r.windDirectionDegrees) + " " + r.windDirection + "\xC2\xB0 "
                                   : std::string("variable ");
    line += r.windSpeed + " " + tile.speedUnit;
    if (!r.gust.empty())
        line += ", gust " + r.gust;
    return line;
}

void paintFigures(Surface& t, const WallTile& tile, const ColorScheme& colors)
{
    const PanelReadings& r = tile.readings;
    const double width = kTileWidthTwips - 2 * kPad;
    t.setForeColor(colors.textColor);
    t.setFontSize(18);
    t.setBold(true);
    const std::string temperature =
        r.temperature.empty() ? std::string("--") : r.temperature + " " + tile.temperatureUnit;
    t.text(kPad, kTemperatureTop, temperature);
    const double temperatureRight = kPad + t.textWidth(temperature) + kPad;
    const double baseline = kTemperatureTop + t.textHeight(temperature);
    t.setBold(false);
    t.setFontSize(8);
    if (!r.dewPoint.empty()) {
        const std::string dew = "dew point " + r.dewPoint + " " + tile.temperatureUnit;
        t.text(temperatureRight, baseline - 1.25 * t.textHeight(dew), fitted(t, dew, kTileWidthTwips - kPad - temperatureRight));
    }

    t.text(kPad, kWindTop, fitted(t, windLine(tile), width));

    const std::string humidity = r.humidity.empty() ? std::string() : "Humidity " + r.humidity + "%";
    const double humidityWidth = t.textWidth(humidity);
    t.text(kTileWidthTwips - kPad - humidityWidth, kPressureTop, humidity);
    if (r.pressure.empty()) {
        t.text(kPad, kPressureTop, "No pressure data");
    } else {
        const std::string pressure = r.pressure + " " + tile.pressureUnit;
        t.text(kPad, kPressureTop, pressure);
        double left = kPad + t.textWidth(pressure);
        if (tile.pressureChangeHpa) {
            const double height = t.textHeight(pressure);
            drawTendencyArrow(t, left + 0.8 * height, kPressureTop + height / 2, 0.8 * height,
                              pressureTrendOf(*tile.pressureChangeHpa), colors.textColor);
            left += 1.4 * height;
            t.setForeColor(colors.textColor);
            t.text(left, kPressureTop, fitted(t, tile.tendencyText, kTileWidthTwips - 2 * kPad - humidityWidth - left));
        }
    }

    const std::string weather = decodeLegacyText(r.weather.empty() ? r.sky : r.weather);
    t.text(kPad, kWeatherTop, fitted(t, weather, width));
}

void paintAge(Surface& t, const WallTile& tile, const ColorScheme& colors)
{
    t.setFontSize(8);
    if (!tile.ageText.empty()) {
        if (tile.stale) {
            // Red on white, as the date label of a stale report.
            t.setForeColor(kWhite);
            t.filledBox(kPad - 30, kAgeTop - 10, kPad + t.textWidth(tile.ageText) + 30,
                        kAgeTop + t.textHeight(tile.ageText) + 10);
            t.setForeColor(kRed);
        } else {
            t.setForeColor(colors.textColor);
        }
        t.text(kPad, kAgeTop, tile.ageText);
    }
    if (!tile.source.empty()) {
        t.setForeColor(colors.textColor);
        t.setFontSize(6);
        t.text(kPad, kSourceTop, fitted(t, "Source: " + tile.source, kTileWidthTwips - 2 * kPad));
    }
}

// A 24-hour line on paper, scaled to its own range.
void paintLine(Surface& t, const GraphModel& graph, const std::string& title, double left, double width,
               const ColorScheme& colors)
{
    const double top = kLinesTop;
    t.setDrawWidth(1);
    t.setForeColor(colors.graphLineColor);
    t.setFillColor(colors.paperColor);
    t.setFillSolid(true);
    t.box(left, top, left + width, top + kLinesHeight);
    t.setFillSolid(false);
    t.setForeColor(colors.windowTextColor);
    t.setFontSize(6);
    t.text(left + 40, top + 10, title);

    double lowest = 1e300;
    double highest = -1e300;
    for (const GraphPoint& p : graph.points)
        if (p.offset) {
            lowest = std::min(lowest, *p.offset);
            highest = std::max(highest, *p.offset);
        }
    if (lowest > highest)
        return;
    const GraphScale& s = graph.scale;
    const double least = s.range() != 0 ? kLeastLineSpan * s.height / std::abs(s.range()) : 1;
    const double span = std::max(highest - lowest, least);
    const double middle = (lowest + highest) / 2;
    const double plotTop = top + 0.3 * kLinesHeight;
    const double plotHeight = 0.6 * kLinesHeight;
    const auto x = [&](int k) { return left + (k + 0.5) * width / kGraphColumns; };
    const auto y = [&](double offset) { return plotTop + plotHeight * (0.5 + (offset - middle) / span); };
    t.setForeColor(colors.pointerColor);
    t.setDrawWidth(2);
    for (int k = 1; k < kGraphColumns; ++k) {
        const GraphPoint& a = graph.points[static_cast<std::size_t>(k - 1)];
        const GraphPoint& b = graph.points[static_cast<std::size_t>(k)];
        if (a.offset && b.offset)
            t.line(x(k - 1), y(*a.offset), x(k), y(*b.offset));
    }
    t.setDrawWidth(1);
}

} // namespace

void paintTile(Surface& t, const WallTile& tile, const WallStyle& style, bool focused)
{
    const ColorScheme& colors = style.colors;
    t.setDrawWidth(focused ? 6 : 1);
    t.setForeColor(focused ? colors.tickColor : colors.graphLineColor);
    t.setFillColor(colors.faceColor);
    t.setFillSolid(true);
    t.box(0, 0, kTileWidthTwips, kTileHeightTwips);
    t.setFillSolid(false);
    t.setDrawWidth(1);

    paintHeader(t, tile, colors);
    if (!tile.hasReport) {
        t.setForeColor(kRed);
        t.setFontSize(8);
        t.text(kPad, kTemperatureTop, fitted(t, tile.statusLine, kTileWidthTwips - 2 * kPad));
        return;
    }
    paintFigures(t, tile, colors);
    paintAge(t, tile, colors);
    const double lineWidth = (kTileWidthTwips - 3 * kPad) / 2;
    paintLine(t, tile.temperatureLine, "Temperature, 24 h", kPad, lineWidth, colors);
    paintLine(t, tile.pressureLine, "Pressure, 24 h", 2 * kPad + lineWidth, lineWidth, colors);
}

void paintWall(Surface& t, const std::vector<WallTile>& tiles, const WallStyle& style, const WallLayout& layout)
{
    t.clear(style.colors.backgroundColor);
    t.save();
    t.scale(layout.zoom);
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        const int index = static_cast<int>(i);
        t.save();
        t.translate(layout.tileLeft(index), layout.tileTop(index));
        paintTile(t, tiles[i], style);
        t.restore();
    }
    t.restore();
}

} // namespace ventoral
