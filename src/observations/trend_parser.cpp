// SPDX-License-Identifier: GPL-3.0-or-later
#include "observations/trend_parser.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "platform/core/number_text.h"
#include "settings/units.h"

namespace ventoral {

namespace {

using Column = TrendSeries::Column;

// Rows 0-23 hold one reporting cycle each and are the ones interpreted; the
// last row only ever keeps the raw record and its first eight fields.
constexpr int kCycleRows = 24;
constexpr int kFields = 8;

// Field k of a record is first stored in column k, then split out of it.
enum FieldColumn : int {
    TemperatureField = 4,
    DewPointField = 5,
    PressureField = 6,
    WindField = 7,
    LastField = 8,
};

constexpr double kMaxSpeedMph = 100.0;
constexpr double kMaxSpeedKph = 160.0;
constexpr std::size_t kWholeMphTexts = 201;

struct Limits {
    double low;
    double high;
};

constexpr Limits kPressureHpaLimits{950.0, 1060.0};
constexpr Limits kPressureInLimits{28.0, 31.5};
constexpr Limits kTemperatureCLimits{-50.0, 60.0};
constexpr Limits kTemperatureFLimits{-60.0, 140.0};
constexpr Limits kDewPointCLimits{-50.0, 60.0};
constexpr Limits kDewPointFLimits{-40.0, 140.0};

// Pressures above the threshold arrive with a fixed excess (2013 hPa for
// 1013, 61 inches for 31); the offset is taken away before the range test.
struct Correction {
    double above;
    double offset;
};

constexpr Correction kPressureHpaCorrection{1100.0, 1000.0};
constexpr Correction kPressureInCorrection{59.0, 30.0};

// The line the records are on: the last non-terminated line, or the one
// before the final LF. A CR left over from CR LF breaks is not part of it.
std::string_view recordLine(std::string_view text)
{
    if (!text.empty() && text.back() == '\n')
        text.remove_suffix(1);
    const auto lastBreak = text.rfind('\n');
    if (lastBreak != std::string_view::npos)
        text.remove_prefix(lastBreak + 1);
    if (!text.empty() && text.back() == '\r')
        text.remove_suffix(1);
    return text;
}

void storeFields(std::string_view record, std::array<std::string, TrendSeries::kColumns>& row)
{
    // A new string moved in costs half an assign of a short one.
    row[Column::Record] = std::string(record);
    for (int field = 1; field <= kFields; ++field) {
        const auto colon = record.find(':');
        row[field] = std::string(record.substr(0, colon));
        if (colon == std::string_view::npos)
            break;
        record.remove_prefix(colon + 1);
    }
}

// "44.1 (6.7)" -> "44.1" and "6.7"; both empty when there is no space.
void splitPair(std::string_view pair, std::string& outside, std::string& inside)
{
    const auto space = pair.find(' ');
    if (space == std::string_view::npos) {
        outside.clear();
        inside.clear();
        return;
    }
    const std::string_view after = pair.substr(space + 1);
    outside = std::string(pair.substr(0, space));
    if (after.size() >= 2)
        inside = std::string(after.substr(1, after.size() - 2));
    else
        inside.clear();
}

// Both ends are allowed.
bool within(double value, Limits limits)
{
    return !(value < limits.low || value > limits.high);
}

// A pressure corrected for its excess, then limited.
void correctAndLimit(std::string& cell, Correction correction, Limits limits)
{
    if (cell.empty())
        return;
    double value = readNumber(cell);
    if (value > correction.above) {
        cell = decimalText(static_cast<float>(value - correction.offset));
        value = readNumber(cell);
    }
    if (!within(value, limits))
        cell.clear();
}

// An empty cell stays empty.
void limit(std::string& cell, Limits limits)
{
    if (cell.empty())
        return;
    if (!within(readNumber(cell), limits))
        cell.clear();
}

// Wind as "NNE 12", "Variable 4" or "Calm", speeds in MPH; speeds above
// 100 MPH are dropped. A "Variable" without a space has no speed.
void splitWind(std::array<std::string, TrendSeries::kColumns>& row)
{
    // The wind field keeps its column; only the direction and speed columns change.
    const std::string_view wind = row[WindField];
    std::string& direction = row[Column::WindDirection];
    std::string& speed = row[Column::WindSpeed];
    const auto space = wind.find(' ');
    const bool variable = wind.substr(0, 8) == "Variable" || wind.substr(0, 8) == "variable";

    if (wind == "Calm" || wind == "calm") {
        direction.clear();
        speed = "0";
    } else if (variable) {
        direction.clear();
        speed = space == std::string_view::npos ? std::string_view() : wind.substr(space + 1);
    } else if (space == std::string_view::npos) {
        direction.clear();
        speed.clear();
    } else {
        direction = wind.substr(0, space);
        speed = wind.substr(space + 1);
    }
    if (!speed.empty() && readNumber(speed) > kMaxSpeedMph)
        speed.clear();
}

// Each step reads its field before a later step overwrites that column with
// a split value, so the order matters.
void interpretRow(std::array<std::string, TrendSeries::kColumns>& row)
{
    row[Column::Field8] = row[LastField];
    splitWind(row);

    splitPair(row[PressureField], row[Column::PressureIn], row[Column::PressureHpa]);
    correctAndLimit(row[Column::PressureHpa], kPressureHpaCorrection, kPressureHpaLimits);
    correctAndLimit(row[Column::PressureIn], kPressureInCorrection, kPressureInLimits);

    splitPair(row[DewPointField], row[Column::DewPointF], row[Column::DewPointC]);
    limit(row[Column::DewPointC], kDewPointCLimits);
    limit(row[Column::DewPointF], kDewPointFLimits);

    // The Fahrenheit half goes back into the field's own column, so split a copy.
    const std::string temperature = row[TemperatureField];
    splitPair(temperature, row[Column::TemperatureF], row[Column::TemperatureC]);
    limit(row[Column::TemperatureC], kTemperatureCLimits);
    limit(row[Column::TemperatureF], kTemperatureFLimits);
}

// A speed in MPH as the km/h table holds it, capped at 160.
std::string kphText(double mph)
{
    return doubleText(trendSpeedKph(mph));
}

} // namespace

double compassDegrees(std::string_view name)
{
    static constexpr std::array<std::string_view, 16> kPoints = {
        "N", "NNE", "NE", "ENE", "E", "ESE", "SE", "SSE",
        "S", "SSW", "SW", "WSW", "W", "WNW", "NW", "NNW",
    };
    for (std::size_t i = 0; i < kPoints.size(); ++i) {
        if (kPoints[i] == name)
            return 22.5 * static_cast<double>(i);
    }
    return -1.0;
}

void trendData(std::string_view lastText, bool kph, TrendSeries& trend)
{
    trend.clear();
    if (isAbsentReport(lastText))
        return;

    // Records beyond the last row have nowhere to go.
    std::string_view line = recordLine(lastText);
    for (int row = 0; row < TrendSeries::kRows; ++row) {
        const auto hash = line.find('#');
        storeFields(line.substr(0, hash), trend.cells[row]);
        if (hash == std::string_view::npos)
            break;
        line.remove_prefix(hash + 1);
    }

    for (int row = 0; row < kCycleRows; ++row)
        interpretRow(trend.cells[row]);

    for (int row = 0; row < kCycleRows; ++row) {
        std::string& direction = trend.at(row, Column::WindDirection);
        static const std::array<std::string, 16> kDegreeTexts = [] {
            std::array<std::string, 16> texts;
            for (std::size_t i = 0; i < texts.size(); ++i)
                texts[i] = decimalText(static_cast<float>(22.5 * static_cast<double>(i)));
            return texts;
        }();
        const double degrees = compassDegrees(direction);
        direction = degrees < 0.0 ? std::string() : kDegreeTexts[static_cast<std::size_t>(degrees / 22.5)];
    }

    if (kph)
        speedsToKph(trend);
}

double trendSpeedKph(double mph)
{
    return std::min(mphToKph(mph), kMaxSpeedKph);
}

void speedsToKph(TrendSeries& trend)
{
    // Whole MPH, as the reports give them, converted once for every table.
    static const std::array<std::string, kWholeMphTexts> kWhole = [] {
        std::array<std::string, kWholeMphTexts> texts;
        for (std::size_t mph = 0; mph < texts.size(); ++mph)
            texts[mph] = kphText(static_cast<double>(mph));
        return texts;
    }();
    for (int row = 0; row < kCycleRows; ++row) {
        std::string& speed = trend.at(row, Column::WindSpeed);
        if (speed.empty())
            continue;
        const double mph = readNumber(speed);
        if (mph >= 0 && mph < kWholeMphTexts && mph == std::trunc(mph))
            speed = kWhole[static_cast<std::size_t>(mph)];
        else
            speed = kphText(mph);
    }
}

} // namespace ventoral
