// SPDX-License-Identifier: GPL-3.0-or-later
#include "observations/trend_graphs.h"

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "settings/units.h"
#include "test_support.h"
#include "trend_days.h"

namespace ventoral {
namespace {

using test::fullDay;

const GraphScale kHpa = pressureScale(UnitSettings{});

// The newest record has the largest ordering key of the newest month; its
// cycle replaces the present report's.
TEST(GraphNewestRecord, LargestKeyOfTheNewestMonth)
{
    TrendSeries trend = fullDay(5);
    EXPECT_EQ(newestRecordRow(trend), 5);
    EXPECT_EQ(newestCycle(TrendSeries{}, 12), 12);

    // A row without a bar keeps the previous month.
    trend = fullDay(2);
    trend.at(9, TrendSeries::OrderKey) = "5000";
    EXPECT_EQ(newestRecordRow(trend), 9);

    // Records of sixteen characters or fewer do not count.
    trend = fullDay(8);
    trend.at(8, TrendSeries::Record) = std::string(16, 'x');
    EXPECT_EQ(newestRecordRow(trend), 7);
    trend.at(8, TrendSeries::Record) = std::string(17, 'x');
    EXPECT_EQ(newestRecordRow(trend), 8);

    // January rows before December rows are newer, but only once January has been seen first.
    const auto key = [](int month, int row) { return std::to_string(month) + "|" + std::to_string(100 * month + row); };
    for (int row = 0; row < 24; ++row)
        trend.at(row, TrendSeries::OrderKey) = key(row < 4 ? 1 : 12, row);
    EXPECT_EQ(newestRecordRow(trend), 3);
    for (int row = 0; row < 24; ++row)
        trend.at(row, TrendSeries::OrderKey) = key(row < 20 ? 12 : 1, row);
    EXPECT_EQ(newestRecordRow(trend), 19);
}

// The points start after the newest cycle; ends and gaps are filled in
// shade, an unreadable value reads as 0, and no value at all leaves no point.
TEST(GraphOrderValues, StartAfterTheNewestCycleAndFillEndsAndGaps)
{
    TrendSeries trend = fullDay(10);
    for (int row = 0; row < 24; ++row)
        trend.at(row, TrendSeries::PressureHpa) = std::to_string(1000 + row);
    GraphPoints points = orderedPoints(trend, kHpa, newestCycle(trend, 0));
    EXPECT_DOUBLE_EQ(*points[0].offset, kHpa.offsetOf(1011));
    EXPECT_DOUBLE_EQ(*points[12].offset, kHpa.offsetOf(1023));
    EXPECT_DOUBLE_EQ(*points[13].offset, kHpa.offsetOf(1000));
    EXPECT_DOUBLE_EQ(*points[23].offset, kHpa.offsetOf(1010));

    trend = fullDay();
    for (const GraphPoint& point : orderedPoints(trend, kHpa, newestCycle(trend, 0)))
        EXPECT_FALSE(point.offset);
    trend.at(3, TrendSeries::PressureHpa) = "1000";   // offset 575
    trend.at(7, TrendSeries::PressureHpa) = "1040";   // offset 115
    trend.at(8, TrendSeries::PressureHpa) = "abc";    // reads as 0
    points = orderedPoints(trend, kHpa, newestCycle(trend, 0));
    for (int k = 0; k < 24; ++k) {
        const double expected = k < 3 ? 575 : k < 8 ? 575 - (k - 3) * 115.0 : kHpa.offsetOf(0);
        EXPECT_DOUBLE_EQ(*points[k].offset, expected) << k;
        EXPECT_EQ(points[k].measured, k == 3 || k == 7 || k == 8) << k;
    }
}

TEST(GraphHumidity, FromTheFahrenheitColumns)
{
    TrendSeries trend;
    const auto set = [&](int row, const char* tf, const char* tc, const char* df, const char* dc) {
        trend.at(row, TrendSeries::TemperatureF) = tf;
        trend.at(row, TrendSeries::TemperatureC) = tc;
        trend.at(row, TrendSeries::DewPointF) = df;
        trend.at(row, TrendSeries::DewPointC) = dc;
    };
    set(0, "50", "10", "50", "10");
    set(1, "50", "10", "41", "5");
    set(2, "50", "10", "52", "11");
    set(3, "50", "10", "41", "");
    set(5, "50", "10", "51", "10");   // each column rounded on its own: saturated, not 103 %
    trend.at(4, TrendSeries::Humidity) = "55";
    fillHumidity(trend);
    EXPECT_EQ(trend.at(0, TrendSeries::Humidity), "100");
    EXPECT_EQ(trend.at(1, TrendSeries::Humidity), "71");
    EXPECT_EQ(trend.at(2, TrendSeries::Humidity), "");   // dew point above the temperature
    EXPECT_EQ(trend.at(3, TrendSeries::Humidity), "");
    EXPECT_EQ(trend.at(4, TrendSeries::Humidity), "");
    EXPECT_EQ(trend.at(5, TrendSeries::Humidity), "100");
}

TEST(GraphTimeAxis, LocalHourOfEachColumn)
{
    EXPECT_EQ(timeAxisHour(20, 10, 1), 8);
    EXPECT_EQ(timeAxisHour(22, 0, 1), 24);
    EXPECT_EQ(timeAxisHour(2, -5, 1), 23);
    EXPECT_EQ(timeAxisHour(0, 0, 23), 24);
    // A half hour rounds up: 10:00 UTC is 15:30 at UTC+5:30 and 06:30 at UTC-3:30.
    EXPECT_EQ(timeAxisHour(10, 5.5, 23), 16);
    EXPECT_EQ(timeAxisHour(10, -3.5, 23), 7);
}

// Each column's hour by the zone's rules at its own instant: across New
// York's spring change (07:00 UTC, 10 March 2024) local 2 h never comes,
// across its autumn change (06:00 UTC, 3 November 2024) 1 h comes twice.
TEST(GraphTimeAxis, EachColumnByTheZonesRulesAtItsInstant)
{
    using Hours = AxisHours;
    const FixedTimeZone kolkata(330);
    EXPECT_EQ(timeAxisHours(10, {2023, 12, 6, 9, 53, 0}, kolkata),
              (Hours{17, 18, 19, 20, 21, 22, 23, 24, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}));

    const test::ScopedTimeZone newYork("America/New_York");
    const SystemTimeZone zone;
    EXPECT_EQ(timeAxisHours(12, {2024, 3, 10, 11, 53, 0}, zone),
              (Hours{8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 1, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(timeAxisHours(12, {2024, 11, 3, 11, 53, 0}, zone),
              (Hours{9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 1, 1, 2, 3, 4, 5, 6, 7}));
    // The newest column is the cycle nearest the given time: at 23:50 UTC on
    // 10 March cycle 0 is the coming midnight UTC, 20 h EDT (not 19 h EST).
    EXPECT_EQ(timeAxisHours(0, {2024, 3, 10, 23, 50, 0}, zone)[23], 20);
    EXPECT_EQ(timeAxisHours(6, {2024, 3, 10, 7, 30, 0}, zone)[23], 1);
}

// A record's UTC date and time from its ordering key.
TEST(GraphRecords, TimeOfARecordFromItsKey)
{
    struct Case {
        const char* key;
        CivilTime reference;
        std::optional<CivilTime> expected;
    };
    const Case cases[] = {
        {"12|140053", {2023, 12, 14, 1, 0, 0}, CivilTime{2023, 12, 14, 0, 53, 0}},
        {"12|10010", {2024, 1, 1, 1, 0, 0}, CivilTime{2023, 12, 1, 0, 10, 0}},   // December before January
        {"1|10010", {2023, 12, 31, 23, 0, 0}, CivilTime{2023, 1, 1, 0, 10, 0}},  // a month ahead is last year's
        {"2|290053", {2024, 3, 1, 0, 0, 0}, CivilTime{2024, 2, 29, 0, 53, 0}},
        {"2|290053", {2023, 3, 1, 0, 0, 0}, std::nullopt},
        {"13|140053", {2023, 12, 14, 1, 0, 0}, std::nullopt},
        {"12|146053", {2023, 12, 14, 1, 0, 0}, std::nullopt},
        {"12|", {2023, 12, 14, 1, 0, 0}, std::nullopt},
        {"140053", {2023, 12, 14, 1, 0, 0}, std::nullopt},
        {"12|1e300", {2023, 12, 14, 1, 0, 0}, std::nullopt},
    };
    for (const Case& c : cases) {
        TrendSeries trend;
        trend.at(3, TrendSeries::Record) = std::string("3:") + c.key + ":a record of the cycle";
        trend.at(3, TrendSeries::OrderKey) = c.key;
        const std::optional<CivilTime> t = recordTimeUtc(trend, 3, c.reference);
        EXPECT_EQ(t.has_value(), c.expected.has_value()) << c.key;
        if (t && c.expected) {
            EXPECT_TRUE(*t == *c.expected) << c.key;
        }
    }
    TrendSeries empty;
    empty.at(3, TrendSeries::OrderKey) = "12|140053";
    EXPECT_FALSE(recordTimeUtc(empty, 3, {2023, 12, 14, 1, 0, 0}));   // no record in the row
}

} // namespace
} // namespace ventoral
