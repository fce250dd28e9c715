// SPDX-License-Identifier: GPL-3.0-or-later
#include "observations/pressure_tendency.h"

#include <map>
#include <optional>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "observations/trend_parser.h"
#include "test_support.h"

namespace ventoral {
namespace {

// When and what one trend record reports; the pressure field as the service writes it.
struct Record {
    int month = 12;
    int day = 14;
    int hour = 0;
    int minute = 53;
    std::string pressure = "30.12 (1020)";
};

// Records by cycle; a cycle without one has an empty record.
TrendSeries trendOf(const std::map<int, Record>& records)
{
    std::string line;
    for (int cycle = 0; cycle < 24; ++cycle) {
        if (cycle > 0)
            line += "#";
        const auto it = records.find(cycle);
        if (it == records.end())
            continue;
        const Record& r = it->second;
        char key[16];
        std::snprintf(key, sizeof key, "%d|%02d%02d%02d", r.month, r.day, r.hour, r.minute);
        line += std::to_string(cycle) + ":KSEA:" + key + ":46.0 (7.8):41.0 (5.0):" + r.pressure + ":S 9:82";
    }
    TrendSeries trend;
    trendData("KSEA 24 hour trend\n" + line + "\n", false, trend);
    return trend;
}

constexpr double kInch = 1 / 0.02953;  // hPa

// The newest record against the one three cycles before.
TEST(PressureTendency, FromTheTrend)
{
    const std::tuple<const char*, std::map<int, Record>, std::optional<double>> cases[] = {
        {"same day", {{11, {12, 14, 10, 53, "30.10 (1019)"}}, {14, {12, 14, 13, 53, "30.14 (1021)"}}}, 0.04 * kInch},
        {"wrap at midnight",
         {{22, {12, 13, 21, 53, "30.20 (1023)"}}, {23, {12, 13, 22, 53, "30.18 (1022)"}},
          {1, {12, 14, 0, 53, "30.05 (1018)"}}},
         -0.15 * kInch},
        // A cycle counts from minute 45 of the hour before.
        {"records at other minutes", {{20, {12, 14, 19, 45, "30.00 (1016)"}}, {23, {12, 14, 23, 10, "30.01 (1016)"}}},
         0.01 * kInch},
        {"into a new month", {{22, {1, 31, 21, 53, "29.90 (1013)"}}, {1, {2, 1, 0, 53, "29.80 (1009)"}}}, -0.10 * kInch},
        {"into a new year", {{21, {12, 31, 21, 53, "29.90 (1013)"}}, {0, {1, 1, 0, 53, "29.95 (1014)"}}}, 0.05 * kInch},
        {"hPa where inches are implausible",
         {{9, {12, 14, 8, 53, "27.00 (1019)"}}, {12, {12, 14, 11, 53, "27.00 (1012)"}}}, -7.0},
        {"older record missing", {{10, {12, 14, 9, 53}}, {14, {12, 14, 13, 53}}}, std::nullopt},
        {"newest without pressure", {{11, {12, 14, 10, 53}}, {14, {12, 14, 13, 53, "M (M)"}}}, std::nullopt},
        {"older without pressure", {{11, {12, 14, 10, 53, "27.0 (931)"}}, {14, {12, 14, 13, 53}}}, std::nullopt},
        // Row 11 was left from the day before: 27 hours older, not 3.
        {"older row from another day", {{11, {12, 13, 10, 53}}, {14, {12, 14, 13, 53}}}, std::nullopt},
        {"empty table", {}, std::nullopt},
    };
    // The rows' years are the ones nearest to the present report's time.
    const CivilTime presentUtc{2023, 12, 14, 14, 0, 0};
    for (const auto& [name, records, changeHpa] : cases) {
        const auto change = trendTendencyHpa(trendOf(records), presentUtc);
        ASSERT_EQ(change.has_value(), changeHpa.has_value()) << name;
        if (change) {
            EXPECT_NEAR(*change, *changeHpa, 0.005) << name;
        }
    }
}

// A present report observed at the given UTC time, without a tendency line
// of its own, so the trend table decides.
std::string presentAt(const char* utc)
{
    return std::string("SEATTLE-TACOMA INTERNATIONAL AIRPORT, WA, United States (KSEA)\n"
                       "Date line / ") + utc + " UTC\nPressure (altimeter): 30.12 in. Hg (1020 hPa)\nob: KSEA\n";
}

// Across a month's or a year's end a row is three hours old only by its
// full date, the year taken from the present report: a row from the 29th
// before the 1st is days old, whatever month it was.
TEST(PressureTendency, AcrossMonthEndsByTheFullDate)
{
    struct Case {
        const char* presentUtc;   // "2024.02.01 0100"
        int olderMonth;
        int olderDay;
        int newerMonth;           // the newer row is day 1 (or 15) at 00:53, the older one at 21:53
        int newerDay;
        bool threeHours;
    };
    const Case cases[] = {
        // Days old, not hours, though the old row is from day 28 or later.
        {"2024.02.01 0100", 1, 29, 2, 1, false},
        {"2024.02.01 0100", 1, 28, 2, 1, false},
        {"2024.02.01 0100", 1, 30, 2, 1, false},
        {"2024.02.01 0100", 1, 31, 2, 1, true},
        {"2024.05.01 0100", 4, 28, 5, 1, false},
        {"2024.05.01 0100", 4, 29, 5, 1, false},
        {"2024.05.01 0100", 4, 30, 5, 1, true},
        {"2024.07.01 0100", 6, 31, 7, 1, false},   // there is no 31 June
        {"2024.07.01 0100", 6, 30, 7, 1, true},
        {"2023.09.01 0100", 8, 28, 9, 1, false},
        {"2023.09.01 0100", 8, 30, 9, 1, false},
        {"2023.09.01 0100", 8, 31, 9, 1, true},
        // February: 28 days in a common year, 29 in a leap year.
        {"2023.03.01 0100", 2, 28, 3, 1, true},
        {"2023.03.01 0100", 2, 27, 3, 1, false},
        {"2025.03.01 0100", 2, 29, 3, 1, false},   // no 29 February in 2025
        {"2024.03.01 0100", 2, 28, 3, 1, false},
        {"2024.03.01 0100", 2, 29, 3, 1, true},
        {"2000.03.01 0100", 2, 29, 3, 1, true},
        {"2100.03.01 0100", 2, 28, 3, 1, true},
        // The year's end, the present report in either year.
        {"2024.01.01 0100", 12, 31, 1, 1, true},
        {"2023.12.31 2300", 12, 31, 1, 1, true},
        {"2024.01.01 0100", 12, 29, 1, 1, false},
        {"2024.01.01 0100", 12, 30, 1, 1, false},
        // Within a month.
        {"2024.03.15 0100", 3, 14, 3, 15, true},
        {"2024.03.15 0100", 3, 12, 3, 15, false},
        // The newer row older than the other one.
        {"2024.03.01 0100", 3, 31, 3, 1, false},
    };
    for (const Case& c : cases) {
        const TrendSeries trend = trendOf({{22, {c.olderMonth, c.olderDay, 21, 53, "30.20 (1023)"}},
                                           {1, {c.newerMonth, c.newerDay, 0, 53, "30.05 (1018)"}}});
        const auto change = pressureTendencyHpa(presentAt(c.presentUtc), trend);
        EXPECT_EQ(change.has_value(), c.threeHours)
            << c.presentUtc << ": " << c.olderMonth << "/" << c.olderDay << " 21:53 to " << c.newerMonth << "/"
            << c.newerDay << " 00:53";
        if (change && c.threeHours) {
            EXPECT_NEAR(*change, -0.15 * kInch, 0.005) << c.presentUtc;
        }
    }
    // Without a date on the present report there is no year to count by.
    const TrendSeries sameDay = trendOf({{11, {12, 14, 10, 53, "30.10 (1019)"}}, {14, {12, 14, 13, 53}}});
    EXPECT_TRUE(pressureTendencyHpa(presentAt("2023.12.14 1400"), sameDay));
    EXPECT_FALSE(pressureTendencyHpa("Pressure (altimeter): 30.12 in. Hg (1020 hPa)\n", sameDay));
}

TEST(PressureTendency, ReadsTheReportsLine)
{
    const std::pair<std::string, std::optional<double>> cases[] = {
        {"Pressure tendency: 0.04 inches (1.4 hPa) higher than three hours ago", 1.4},
        {"Pressure tendency: 0.13 inches (4.4 hPa) lower than three hours ago", -4.4},
        {"Pressure tendency: 0.00 inches (0.0 hPa) higher than three hours ago", 0.0},
        {"Pressure tendency: 0.04 inches higher than three hours ago", 0.04 * kInch},
        {"Pressure tendency: rising rapidly", std::nullopt},
        {"Pressure tendency: 0.04 inches (1.4 hPa)", std::nullopt},
        {"Weather: mist", std::nullopt},
    };
    for (const auto& [line, changeHpa] : cases) {
        const auto change = reportTendencyHpa("Pressure (altimeter): 29.85 in. Hg (1010 hPa)\n" + line + "\nob: X\n");
        ASSERT_EQ(change.has_value(), changeHpa.has_value()) << line;
        if (change) {
            EXPECT_NEAR(*change, *changeHpa, 1e-9) << line;
        }
    }
}

// The report's own line goes before the trend: the real KSEA trend's newest
// cycle 14 is at 30.22 inches, cycle 11 at 30.21.
TEST(PressureTendency, TheReportsLineBeforeTheTrend)
{
    TrendSeries trend;
    trendData(test::readData("observations/trend/KSEA.TREND"), false, trend);
    EXPECT_NEAR(*trendTendencyHpa(trend, CivilTime{2023, 12, 14, 15, 0, 0}), 0.01 * kInch, 0.001);
    const std::string withFigure = test::readData("observations/noaa-decoded/KSEA-4.txt");
    const std::string wordsOnly = test::readData("observations/noaa-decoded-more/KHLC-2007-10-14.txt");

    EXPECT_DOUBLE_EQ(*pressureTendencyHpa(withFigure, trend), 1.4);
    EXPECT_NEAR(*pressureTendencyHpa(wordsOnly, trend), 0.01 * kInch, 0.001);
    EXPECT_FALSE(pressureTendencyHpa(wordsOnly, TrendSeries{}));
}

TEST(PressureTendency, WordsOnTheUsualScale)
{
    const std::pair<double, const char*> cases[] = {
        {-0.14, "steady"}, {0.14, "steady"}, {0.2, "rising slowly"}, {1.5, "rising slowly"}, {-1.5, "falling slowly"},
        {1.6, "rising"}, {3.5, "rising"}, {-3.5, "falling"}, {3.6, "rising quickly"}, {6.0, "rising quickly"},
        {-6.0, "falling quickly"}, {6.1, "rising very rapidly"}, {-12.0, "falling very rapidly"},
    };
    for (const auto& [change, words] : cases)
        EXPECT_EQ(pressureTrendWords(pressureTrendOf(change)), words) << change;
}

TEST(PressureTendency, TextInEitherUnit)
{
    const std::tuple<double, bool, const char*> cases[] = {
        {1.2, true, "+1.2 hPa/3 h"},          {-1.4, true, "-1.4 hPa/3 h"},
        {0.04, true, "0.0 hPa/3 h"},          {-6.25, true, "-6.3 hPa/3 h"},
        {0.04 * kInch, false, "+0.04 inHg/3 h"}, {-0.13 * kInch, false, "-0.13 inHg/3 h"},
        {-0.1, false, "0.00 inHg/3 h"},
    };
    for (const auto& [change, hpa, text] : cases)
        EXPECT_EQ(pressureTendencyText(change, hpa), text) << change;
}

} // namespace
} // namespace ventoral
