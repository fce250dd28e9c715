// SPDX-License-Identifier: GPL-3.0-or-later
#include "observations/trend_graphs.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "platform/core/number_text.h"
#include "settings/units.h"

namespace ventoral {

namespace {

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
    // The unit as the pressure dial names it.
    const std::string title =
        std::string("Air Pressure (") + (units.pressureUnit == kPressureHpa ? "hPa" : "inHg") + ")";
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

std::optional<CivilTime> recordTimeUtc(const TrendSeries& trend, int row, const CivilTime& reference)
{
    if (row < 0 || row > kLastRow || trend.at(row, TrendSeries::Record).size() <= 16)
        return std::nullopt;
    const std::string_view field = trend.at(row, TrendSeries::OrderKey);
    const auto bar = field.find('|');
    if (bar == std::string_view::npos)
        return std::nullopt;
    const std::optional<double> month = strictNumber(field.substr(0, bar));
    const std::optional<double> key = strictNumber(field.substr(bar + 1));
    // ddhhmm: at most day 31, 23:59.
    constexpr double kLargestKey = 312359;
    if (!month || !key || !(*key >= 0 && *key <= kLargestKey) || *key != std::floor(*key)
        || !(*month >= 1 && *month <= 12) || *month != std::floor(*month))
        return std::nullopt;
    const auto whole = static_cast<long long>(*key);
    CivilTime t{reference.year, static_cast<int>(*month), static_cast<int>(whole / 10000),
                static_cast<int>(whole / 100 % 100), static_cast<int>(whole % 100), 0};
    if (!t.isValid())
        return std::nullopt;
    constexpr std::int64_t kMonthMinutes = 31 * 24 * 60;
    if (t.minutesSinceEpoch() - reference.minutesSinceEpoch() > kMonthMinutes) {
        --t.year;
        if (!t.isValid())   // 29 February
            return std::nullopt;
    }
    return t;
}

std::int16_t newestCycle(const TrendSeries& trend, std::int16_t fallback)
{
    if (const auto row = newestRecordRow(trend))
        return roundToInt16(readNumber(trend.at(*row, TrendSeries::Cycle)));
    return fallback;
}

GraphPoints orderedPoints(const TrendSeries& trend, const GraphScale& scale, int cycle)
{
    GraphPoints points;
    const int start = startRow(cycle);
    const bool usable = scale.range() != 0;
    for (int k = 0; k < kGraphColumns; ++k) {
        const std::string& cell = trend.at((start + k) % kGraphColumns, scale.column);
        if (!cell.empty() && usable) {
            points[k].offset = scale.offsetOf(readNumber(cell));
            points[k].measured = true;
        }
    }

    // The ends copy the nearest value inwards.
    if (!points[0].offset) {
        const auto first = std::find_if(points.begin() + 1, points.end(), [](const GraphPoint& p) { return p.offset; });
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

void fillHumidity(TrendSeries& trend)
{
    for (int row = 0; row <= kLastRow; ++row) {
        const auto humidity = humidityOfRow(trend, row);
        trend.at(row, TrendSeries::Humidity) = humidity ? std::to_string(*humidity) : std::string();
    }
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

AxisHours timeAxisHours(int cycle, const CivilTime& near, const TimeZone& zone)
{
    constexpr std::int64_t kDayMinutes = 24 * 60;
    const CivilTime sameDay{near.year, near.month, near.day, ((cycle % 24) + 24) % 24, 0, 0};
    std::int64_t newest = sameDay.minutesSinceEpoch();
    const std::int64_t target = near.minutesSinceEpoch();
    for (const std::int64_t shift : {-kDayMinutes, kDayMinutes})
        if (std::llabs(sameDay.minutesSinceEpoch() + shift - target) < std::llabs(newest - target))
            newest = sameDay.minutesSinceEpoch() + shift;

    AxisHours hours{};
    for (int k = 0; k < kGraphColumns; ++k) {
        const CivilTime column = CivilTime::fromMinutes(newest - (kLastRow - k) * 60);
        hours[static_cast<std::size_t>(k)] = timeAxisHour(cycle, zone.offsetMinutesAt(column) / 60.0, k);
    }
    return hours;
}

} // namespace ventoral
