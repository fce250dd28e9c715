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
    for (const auto& [name, records, changeHpa] : cases) {
        const auto change = trendTendencyHpa(trendOf(records));
        ASSERT_EQ(change.has_value(), changeHpa.has_value()) << name;
        if (change) {
            EXPECT_NEAR(*change, *changeHpa, 0.005) << name;
        }
    }
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
    EXPECT_NEAR(*trendTendencyHpa(trend), 0.01 * kInch, 0.001);
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
