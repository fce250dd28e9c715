// SPDX-License-Identifier: GPL-3.0-or-later
#include "observations/trend_graphs.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "platform/core/number_text.h"
#include "settings/units.h"

namespace ventoral {

namespace {

constexpr ColorRef kPaperOutline = rgb(150, 150, 150);
constexpr ColorRef kPrintLine = rgb(100, 100, 100);
constexpr double kPointRadius = 30;
constexpr int kLastRow = kGraphColumns - 1;

// Grid and label walks stop at the maximum; the tolerance keeps a last step
// that lands on it within rounding.
constexpr double kStepTolerance = 1e-9;

int stepsUpTo(double range, double step)
{
    if (!(range >= 0) || !(step > 0))
        return 0;
    return static_cast<int>(std::floor(range / step + kStepTolerance)) + 1;
}

ColorRef textColor(const GraphContext& g)
{
    return g.target.isPrint() ? kBlack : g.colors.windowTextColor;
}

ColorRef gridLineColor(const GraphContext& g, const GraphScale& scale, int number)
{
    if (g.target.isPrint())
        return kPrintLine;
    return number == scale.midLineNumber() ? g.colors.midLineColor : g.colors.graphLineColor;
}

GraphScale scaleWithStep(int column, double minimum, double maximum, double labelStep, double width,
                         std::string title)
{
    GraphScale scale;
    scale.column = column;
    scale.minimum = minimum;
    scale.maximum = maximum;
    scale.labelStep = labelStep;
    scale.divisions = 2 * (maximum - minimum) / labelStep;
    scale.width = width;
    scale.title = std::move(title);
    return scale;
}

double wholeNumber(std::string_view text)
{
    return std::nearbyint(readNumber(text));
}

void valueLabels(GraphContext& g, const GraphScale& scale)
{
    Surface& t = g.target;
    t.setFontSize(6);
    t.setForeColor(textColor(g));
    const int count = stepsUpTo(scale.range(), scale.labelStep);
    for (int i = 0; i < count; ++i) {
        const double v = scale.minimum + i * scale.labelStep;
        const std::string label = decimalText(static_cast<float>(v));
        t.text(g.leftMargin - t.textWidth(label) - 40,
               g.topMargin + scale.offsetOf(v) - t.textHeight(label) / 2, label);
    }
}

// North at the top line, then a name every 45 degrees down to north again.
void compassLabels(GraphContext& g, const GraphScale& scale)
{
    static constexpr const char* kNames[] = {"N", "NE", "E", "SE", "S", "SW", "W", "NW", "N"};
    Surface& t = g.target;
    t.setFontSize(6);
    t.setForeColor(textColor(g));
    for (int line = 0; line <= 8; ++line) {
        std::string name = kNames[line];
        if (name.size() == 1)
            name += ' ';
        t.text(g.leftMargin - 250 + (250 - t.textWidth(name)) / 2, g.topMargin + line * scale.height / 8 - 70,
               name);
    }
}

// On the print page the plot moves with its margin, so the title follows it.
void title(GraphContext& g, const GraphScale& scale)
{
    Surface& t = g.target;
    t.setFontSize(7);
    double x = (g.pictureWidthTwips - t.textWidth(scale.title)) / 2;
    if (t.isPrint())
        x += g.leftMargin - g.screenLeftMargin;
    t.text(x, g.topMargin - 220, scale.title);
}

enum class Labels { Values, Compass };

void drawWholeGraph(GraphContext& g, const GraphScale& scale, TrendSeries& trend, Observation& obs, Labels labels)
{
    // The hours under the plot belong to the points drawn over them.
    obs.cycle = newestCycle(trend, obs.cycle);
    DrawGraph(g, scale, obs.cycle);
    PlotPoints points = OrderValues(trend, scale, textColor(g), g.shades[kFilledShade], obs);
    if (labels == Labels::Compass)
        for (PlotPoint& point : points)
            if (point.offset)
                point.offset = scale.height - *point.offset;
    DrawDataLine(g, scale, points);
    if (labels == Labels::Compass)
        compassLabels(g, scale);
    else
        valueLabels(g, scale);
    title(g, scale);
}

void clearOnScreen(GraphContext& g)
{
    if (!g.target.isPrint())
        g.target.clear(g.colors.backgroundColor);
}

} // namespace

int GraphScale::midLineNumber() const
{
    return static_cast<int>(std::nearbyint(divisions / 2 + 1));
}

int GraphScale::gridLineCount() const
{
    return range() > 0 ? stepsUpTo(range(), gridStep()) : 0;
}

GraphScale pressureScale(const UnitSettings& units)
{
    const std::string title = "Air Pressure (" + units.pressureUnit + ")";
    if (units.pressureUnit == kPressureHpa)
        return scaleWithStep(TrendSeries::PressureHpa, 950, 1050, 20, kWidePlotWidthTwips, title);
    return scaleWithStep(TrendSeries::PressureIn, 28, 31.5, 0.5, kWidePlotWidthTwips, title);
}

GraphScale temperatureScale(const UnitSettings& units)
{
    const std::string title = "Temperature (" + units.temperatureUnit + ")";
    if (units.temperatureUnit == kTempCelsius)
        return scaleWithStep(TrendSeries::TemperatureC, units.tempLowC, units.tempHighC, 10, kWidePlotWidthTwips,
                             title);
    return scaleWithStep(TrendSeries::TemperatureF, units.tempLowF, units.tempHighF, 20, kWidePlotWidthTwips, title);
}

GraphScale humidityScale()
{
    return scaleWithStep(TrendSeries::Humidity, 0, 100, 20, kNarrowPlotWidthTwips, "Humidity (%)");
}

GraphScale windSpeedScale(const UnitSettings& units, int largestSpeed)
{
    const bool kph = units.speedUnit == kSpeedKph;
    const bool strong = largestSpeed > (kph ? 50 : 40);
    const double maximum = strong ? (kph ? 160 : 100) : 50;
    return scaleWithStep(TrendSeries::WindSpeed, 0, maximum, strong ? 20 : 10, kNarrowPlotWidthTwips,
                         "Wind Speed (" + units.speedUnit + ")");
}

GraphScale windDirectionScale()
{
    GraphScale scale = scaleWithStep(TrendSeries::WindDirection, 0, 360, 45, kNarrowPlotWidthTwips, "Wind Direction");
    scale.divisions = 8;
    return scale;
}

std::optional<int> newestRecordRow(const TrendSeries& trend)
{
    std::array<double, kGraphColumns> months{};
    std::array<double, kGraphColumns> keys{};
    double month = 0;
    double newestMonth = 0;
    for (int row = 0; row <= kLastRow; ++row) {
        const std::string_view field = trend.at(row, TrendSeries::OrderKey);
        const auto bar = field.find('|');
        if (bar == std::string_view::npos) {
            keys[row] = readNumber(field);
        } else {
            month = wholeNumber(field.substr(0, bar));
            keys[row] = wholeNumber(field.substr(bar + 1));
        }
        months[row] = month;
        // A day running from December into January: January is the newer.
        if (month > newestMonth && !(newestMonth == 1 && month == 12))
            newestMonth = month;
    }

    std::optional<int> newest;
    for (int row = 0; row <= kLastRow; ++row) {
        if (months[row] != newestMonth || trend.at(row, TrendSeries::Record).size() <= 16)
            continue;
        if (!newest || keys[row] >= keys[*newest])
            newest = row;
    }
    return newest;
}

int startRow(int cycle)
{
    const int start = cycle == kLastRow ? 0 : cycle + 1;
    return ((start % kGraphColumns) + kGraphColumns) % kGraphColumns;
}

std::int16_t newestCycle(const TrendSeries& trend, std::int16_t fallback)
{
    if (const auto row = newestRecordRow(trend))
        return roundToInt16(readNumber(trend.at(*row, TrendSeries::Cycle)));
    return fallback;
}

PlotPoints OrderValues(const TrendSeries& trend, const GraphScale& scale, ColorRef valueColor,
                       ColorRef filledColor, Observation& obs)
{
    obs.cycle = newestCycle(trend, obs.cycle);

    PlotPoints points;
    const int start = startRow(obs.cycle);
    const bool usable = scale.range() != 0;
    for (int k = 0; k < kGraphColumns; ++k) {
        const std::string& cell = trend.at((start + k) % kGraphColumns, scale.column);
        if (cell.empty() || !usable) {
            points[k].color = filledColor;
        } else {
            points[k].offset = scale.offsetOf(readNumber(cell));
            points[k].color = valueColor;
        }
    }

    // The ends copy the nearest value inwards.
    if (!points[0].offset) {
        const auto first = std::find_if(points.begin() + 1, points.end(), [](const PlotPoint& p) { return p.offset; });
        if (first != points.end())
            points[0].offset = first->offset;
    }
    if (!points[kLastRow].offset) {
        for (int k = kLastRow - 1; k >= 0; --k)
            if (points[k].offset) {
                points[kLastRow].offset = points[k].offset;
                break;
            }
    }

    // Runs between two values lie on the straight line joining them.
    int k = 1;
    while (k < kGraphColumns) {
        if (points[k].offset || !points[k - 1].offset) {
            ++k;
            continue;
        }
        const int first = k;
        while (k < kGraphColumns && !points[k].offset)
            ++k;
        if (k == kGraphColumns)
            break;
        const double from = *points[first - 1].offset;
        const double step = (*points[k].offset - from) / (k - first + 1);
        for (int j = first; j < k; ++j)
            points[j].offset = from + step * (j - first + 1);
    }
    if (!points[kLastRow].offset)
        points[kLastRow].offset = points[kLastRow - 1].offset;
    return points;
}

std::optional<int> humidityOfRow(const TrendSeries& trend, int row)
{
    const std::string& dewPointC = trend.at(row, TrendSeries::DewPointC);
    const std::string& temperatureC = trend.at(row, TrendSeries::TemperatureC);
    if (dewPointC.empty() || temperatureC.empty() || readNumber(temperatureC) < readNumber(dewPointC))
        return std::nullopt;
    // Magnus formula over the Fahrenheit readings, which carry more digits.
    constexpr double a = 17.2693882;
    constexpr double b = 237.3;
    const double t = fahrenheitToCelsius(readNumber(trend.at(row, TrendSeries::TemperatureF)));
    const double d = fahrenheitToCelsius(readNumber(trend.at(row, TrendSeries::DewPointF)));
    // The Fahrenheit dew point can stand above the temperature where the Celsius
    // one does not (each is rounded on its own): the air is then saturated.
    return std::min(100, static_cast<int>(std::floor(100 * std::exp(a * d / (d + b) - a * t / (t + b)))));
}

int largestSpeed(const TrendSeries& trend)
{
    double largest = 0;
    for (int row = 0; row <= kLastRow; ++row) {
        const std::string& cell = trend.at(row, TrendSeries::WindSpeed);
        if (!cell.empty())
            largest = std::max(largest, readNumber(cell));
    }
    return roundToInt32(largest);
}

int timeAxisHour(int cycle, double utcOffsetHours, int k)
{
    // The half hour guards the floor against an offset just below a whole hour.
    int hour = static_cast<int>(std::floor(cycle + 0.5 + utcOffsetHours)) + 1 + k;
    while (hour < 0)
        hour += 24;
    while (hour > 24)
        hour -= 24;
    return hour;
}

void DrawGraph(GraphContext& g, const GraphScale& scale, int cycle)
{
    Surface& t = g.target;
    const double left = g.leftMargin;
    const double top = g.topMargin;
    const double right = left + scale.width;
    const double bottom = top + scale.height;

    t.setFillSolid(!t.isPrint());
    t.setForeColor(kPaperOutline);
    t.setFillColor(g.colors.paperColor);
    t.box(left, top, right, bottom);

    const int lines = scale.gridLineCount();
    for (int i = 0; i < lines; ++i) {
        const int number = i + 1;
        const double y = top + scale.offsetOf(scale.minimum + i * scale.gridStep());
        t.setForeColor(gridLineColor(g, scale, number));
        t.line(left, y, right + 10, y);
    }

    // Hour lines take the colour of the top grid line, which is never the mid line.
    t.setFillColor(kBlack);
    t.setForeColor(t.isPrint() ? kPrintLine : g.colors.graphLineColor);
    for (int k = 0; k < kGraphColumns; ++k) {
        const double x = left + k * scale.width / kGraphColumns + scale.halfColumn();
        t.line(x, top, x, bottom);
    }

    t.setFillSolid(false);
    t.setForeColor(kBlack);
    t.box(left, top, right, bottom);

    t.setFontSize(6);
    t.setForeColor(textColor(g));
    t.text(left - 225, bottom + 50, "Time:");
    for (int k = 1; k < kGraphColumns; k += 2) {
        const std::string label = std::to_string(timeAxisHour(cycle, g.utcOffsetHours, k));
        t.text(left + k * scale.width / kGraphColumns + scale.halfColumn() - t.textWidth(label) / 2 - 20, bottom + 50,
               label);
    }
}

void DrawDataLine(GraphContext& g, const GraphScale& scale, const PlotPoints& points)
{
    Surface& t = g.target;
    t.setDrawWidth(1);
    t.setFillSolid(true);
    const double column = scale.width / kGraphColumns;
    const auto xOf = [&](int k) { return g.leftMargin + std::nearbyint(k * column + scale.halfColumn()); };
    for (int k = 0; k < kLastRow; ++k) {
        if (!points[k].offset || !points[k + 1].offset)
            continue;
        t.setForeColor(points[k + 1].color);
        t.setFillColor(points[k + 1].color);
        t.line(xOf(k), g.topMargin + *points[k].offset, xOf(k) + column, g.topMargin + *points[k + 1].offset);
    }
    for (int k = 0; k < kGraphColumns; ++k) {
        if (!points[k].offset)
            continue;
        t.setForeColor(points[k].color);
        t.setFillColor(points[k].color);
        t.circle(xOf(k), g.topMargin + *points[k].offset, kPointRadius);
    }
}

void graphPresure(GraphContext& g, TrendSeries& trend, Observation& obs)
{
    clearOnScreen(g);
    drawWholeGraph(g, pressureScale(g.units), trend, obs, Labels::Values);
}

void graphHumidity(GraphContext& g, TrendSeries& trend, Observation& obs)
{
    clearOnScreen(g);
    for (int row = 0; row <= kLastRow; ++row) {
        const auto humidity = humidityOfRow(trend, row);
        trend.at(row, TrendSeries::Humidity) = humidity ? std::to_string(*humidity) : std::string();
    }
    drawWholeGraph(g, humidityScale(), trend, obs, Labels::Values);
}

void graphTemperature(GraphContext& g, TrendSeries& trend, Observation& obs)
{
    clearOnScreen(g);
    const GraphScale scale = temperatureScale(g.units);
    for (int row = 0; row <= kLastRow; ++row) {
        std::string& cell = trend.at(row, scale.column);
        if (cell.empty())
            continue;
        const double value = readNumber(cell);
        if (value < scale.minimum)
            cell = decimalText(static_cast<float>(scale.minimum));
        else if (value > scale.maximum)
            cell = decimalText(static_cast<float>(scale.maximum));
    }
    drawWholeGraph(g, scale, trend, obs, Labels::Values);
}

void graphWindS(GraphContext& g, TrendSeries& trend, Observation& obs)
{
    clearOnScreen(g);
    drawWholeGraph(g, windSpeedScale(g.units, largestSpeed(trend)), trend, obs, Labels::Values);
}

void graphWindD(GraphContext& g, TrendSeries& trend, Observation& obs)
{
    clearOnScreen(g);
    drawWholeGraph(g, windDirectionScale(), trend, obs, Labels::Compass);
}

} // namespace ventoral
