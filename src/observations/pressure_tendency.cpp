// SPDX-License-Identifier: GPL-3.0-or-later
#include "observations/pressure_tendency.h"

#include <cmath>
#include <cstdio>

#include "observations/present_parser.h"
#include "observations/trend_graphs.h"
#include "platform/core/number_text.h"
#include "settings/units.h"

namespace ventoral {

namespace {

constexpr int kCycles = 24;
constexpr int kCyclesBack = 3;
constexpr double kHpaPerInch = 1.0 / 0.02953;
// Records of cycles three apart were observed between 2 h 1 min and 3 h 59 min apart.
constexpr long kShortestGapMinutes = 120;
constexpr long kLongestGapMinutes = 240;
// A month ends on day 28 at the earliest.
constexpr int kEarliestLastDay = 28;

// When a record was observed: its month and its day, hour and minute from
// the ordering key (day x 10000 + hour x 100 + minute).
struct RecordTime {
    int month = 0;
    int day = 0;
    long minuteOfDay = 0;
};

std::optional<RecordTime> recordTime(const TrendSeries& trend, int row)
{
    const std::string_view field = trend.at(row, TrendSeries::OrderKey);
    const auto bar = field.find('|');
    if (bar == std::string_view::npos)
        return std::nullopt;
    const auto month = strictNumber(field.substr(0, bar));
    const auto key = strictNumber(field.substr(bar + 1));
    if (!month || !key || *key < 0)
        return std::nullopt;
    const long k = std::lround(*key);
    RecordTime t{static_cast<int>(std::lround(*month)), static_cast<int>(k / 10000), 0};
    const long hour = (k / 100) % 100;
    const long minute = k % 100;
    if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || hour > 23 || minute > 59)
        return std::nullopt;
    t.minuteOfDay = hour * 60 + minute;
    return t;
}

// Minutes from older to newer; nothing when the month changes other than
// from the last days of one month into the first day of the next.
std::optional<long> minutesBetween(const RecordTime& older, const RecordTime& newer)
{
    if (older.month == newer.month)
        return (newer.day - older.day) * 1440L + newer.minuteOfDay - older.minuteOfDay;
    const bool nextMonth = newer.month == older.month % 12 + 1;
    if (!nextMonth || newer.day != 1 || older.day < kEarliestLastDay)
        return std::nullopt;
    return (1440L - older.minuteOfDay) + newer.minuteOfDay;
}

// The row holding the record of the given cycle, as newestRecordRow counts records.
std::optional<int> rowOfCycle(const TrendSeries& trend, int cycle)
{
    for (int row = 0; row < kCycles; ++row) {
        if (trend.at(row, TrendSeries::Record).size() <= 16)
            continue;
        const auto c = strictNumber(trend.at(row, TrendSeries::Cycle));
        if (c && std::lround(*c) == cycle)
            return row;
    }
    return std::nullopt;
}

std::optional<double> cellNumber(const TrendSeries& trend, int row, int column)
{
    return strictNumber(trend.at(row, column));
}

// The text after the last blank before marker, as a number.
std::optional<double> numberBefore(std::string_view text, std::string_view marker)
{
    const auto at = text.find(marker);
    if (at == std::string_view::npos)
        return std::nullopt;
    std::string_view head = trimBlanks(text.substr(0, at));
    const auto start = head.find_last_of(" (");
    return strictNumber(start == std::string_view::npos ? head : head.substr(start + 1));
}

} // namespace

std::optional<double> reportTendencyHpa(std::string_view presentText)
{
    const auto line = labelValue(presentText, "Pressure tendency:");
    if (!line)
        return std::nullopt;
    std::optional<double> size = numberBefore(*line, "hPa)");
    if (!size) {
        if (const auto inches = numberBefore(*line, " inches"))
            size = *inches * kHpaPerInch;
    }
    if (!size || *size < 0)
        return std::nullopt;
    if (line->find("higher") != std::string_view::npos)
        return *size;
    if (line->find("lower") != std::string_view::npos)
        return -*size;
    if (*size == 0)
        return 0.0;
    return std::nullopt;
}

std::optional<double> trendTendencyHpa(const TrendSeries& trend)
{
    const auto newest = newestRecordRow(trend);
    if (!newest)
        return std::nullopt;
    const auto cycle = strictNumber(trend.at(*newest, TrendSeries::Cycle));
    if (!cycle)
        return std::nullopt;
    const int olderCycle = static_cast<int>(((std::lround(*cycle) - kCyclesBack) % kCycles + kCycles) % kCycles);
    const auto older = rowOfCycle(trend, olderCycle);
    if (!older)
        return std::nullopt;

    const auto newTime = recordTime(trend, *newest);
    const auto oldTime = recordTime(trend, *older);
    if (!newTime || !oldTime)
        return std::nullopt;
    const auto gap = minutesBetween(*oldTime, *newTime);
    if (!gap || *gap < kShortestGapMinutes || *gap > kLongestGapMinutes)
        return std::nullopt;

    const auto oldInches = cellNumber(trend, *older, TrendSeries::PressureIn);
    const auto newInches = cellNumber(trend, *newest, TrendSeries::PressureIn);
    if (oldInches && newInches)
        return (*newInches - *oldInches) * kHpaPerInch;
    const auto oldHpa = cellNumber(trend, *older, TrendSeries::PressureHpa);
    const auto newHpa = cellNumber(trend, *newest, TrendSeries::PressureHpa);
    if (oldHpa && newHpa)
        return *newHpa - *oldHpa;
    return std::nullopt;
}

std::optional<double> pressureTendencyHpa(std::string_view presentText, const TrendSeries& trend)
{
    if (const auto fromReport = reportTendencyHpa(presentText))
        return fromReport;
    return trendTendencyHpa(trend);
}

PressureTrend pressureTrendOf(double changeHpa)
{
    const long tenths = std::lround(std::fabs(changeHpa) * 10);
    const bool rising = changeHpa > 0;
    if (tenths <= 1)
        return PressureTrend::Steady;
    if (tenths <= 15)
        return rising ? PressureTrend::RisingSlowly : PressureTrend::FallingSlowly;
    if (tenths <= 35)
        return rising ? PressureTrend::Rising : PressureTrend::Falling;
    if (tenths <= 60)
        return rising ? PressureTrend::RisingQuickly : PressureTrend::FallingQuickly;
    return rising ? PressureTrend::RisingVeryRapidly : PressureTrend::FallingVeryRapidly;
}

std::string_view pressureTrendWords(PressureTrend trend)
{
    switch (trend) {
    case PressureTrend::FallingVeryRapidly: return "falling very rapidly";
    case PressureTrend::FallingQuickly: return "falling quickly";
    case PressureTrend::Falling: return "falling";
    case PressureTrend::FallingSlowly: return "falling slowly";
    case PressureTrend::Steady: return "steady";
    case PressureTrend::RisingSlowly: return "rising slowly";
    case PressureTrend::Rising: return "rising";
    case PressureTrend::RisingQuickly: return "rising quickly";
    case PressureTrend::RisingVeryRapidly: return "rising very rapidly";
    }
    return "";
}

std::string pressureTendencyText(double changeHpa, bool hpa)
{
    const double value = hpa ? changeHpa : hpaToInches(changeHpa);
    const int decimals = hpa ? 1 : 2;
    const double scale = hpa ? 10.0 : 100.0;
    const long steps = std::lround(value * scale);
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%s%.*f %s/3 h", steps > 0 ? "+" : steps < 0 ? "-" : "", decimals,
                  std::fabs(static_cast<double>(steps) / scale), hpa ? "hPa" : "inHg");
    return buffer;
}

} // namespace ventoral
