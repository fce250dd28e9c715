// SPDX-License-Identifier: GPL-3.0-or-later
#include "observations/pressure_tendency.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

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
// Ordering keys run up to day 31, 23:59.
constexpr double kLargestKey = 312359;

// When a record was observed, by its full date. The row holds its month and
// an ordering key (day x 10000 + hour x 100 + minute) but no year: the year is
// the one that puts the record nearest to the reference time, and a date no
// such year has (31 June, 29 February of a common year) is no time at all.
std::optional<CivilTime> recordTime(const TrendSeries& trend, int row, const CivilTime& referenceUtc)
{
    const std::string_view field = trend.at(row, TrendSeries::OrderKey);
    const auto bar = field.find('|');
    if (bar == std::string_view::npos)
        return std::nullopt;
    const auto month = strictNumber(field.substr(0, bar));
    const auto key = strictNumber(field.substr(bar + 1));
    if (!month || !key || *month < 1 || *month > 12 || *key < 0 || *key > kLargestKey)
        return std::nullopt;
    const long k = std::lround(*key);
    std::optional<CivilTime> nearest;
    std::int64_t nearestDistance = 0;
    for (int year = referenceUtc.year - 1; year <= referenceUtc.year + 1; ++year) {
        CivilTime t;
        t.year = year;
        t.month = static_cast<int>(std::lround(*month));
        t.day = static_cast<int>(k / 10000);
        t.hour = static_cast<int>((k / 100) % 100);
        t.minute = static_cast<int>(k % 100);
        if (!t.isValid())
            continue;
        const std::int64_t distance = std::llabs(t.minutesSinceEpoch() - referenceUtc.minutesSinceEpoch());
        if (!nearest || distance < nearestDistance) {
            nearest = t;
            nearestDistance = distance;
        }
    }
    return nearest;
}

// The present report's observation time, from its second line.
std::optional<CivilTime> presentTime(std::string_view presentText)
{
    const auto firstBreak = presentText.find('\n');
    if (firstBreak == std::string_view::npos)
        return std::nullopt;
    const std::string_view rest = presentText.substr(firstBreak + 1);
    return readObservationTime(rest.substr(0, rest.find('\n')));
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

std::optional<double> trendTendencyHpa(const TrendSeries& trend, const CivilTime& referenceUtc)
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

    const auto newTime = recordTime(trend, *newest, referenceUtc);
    const auto oldTime = recordTime(trend, *older, referenceUtc);
    if (!newTime || !oldTime)
        return std::nullopt;
    const std::int64_t gap = newTime->minutesSinceEpoch() - oldTime->minutesSinceEpoch();
    if (gap < kShortestGapMinutes || gap > kLongestGapMinutes)
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
    if (const auto observed = presentTime(presentText))
        return trendTendencyHpa(trend, *observed);
    return std::nullopt;
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
