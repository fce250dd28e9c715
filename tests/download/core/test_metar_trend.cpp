// SPDX-License-Identifier: GPL-3.0-or-later
// Raw METAR history turned into a trend report: checked against the decoded
// reports NOAA made from the very same observations.

#include <array>
#include <cmath>
#include <regex>
#include <sstream>

#include <gtest/gtest.h>

#include "download/core/metar_trend.h"
#include "observations/trend_parser.h"
#include "test_support.h"

using namespace ventoral;
using ventoral::test::lineAfter;

namespace {

const std::string kFolder = "observations/noaa-decoded";

} // namespace

TEST(MetarTrend, EveryObLineOfTheRealReportsAgreesWithItsDecodedValues)
{
    int checked = 0;
    for (const std::string& name : test::dataFiles(kFolder, ".txt")) {
        SCOPED_TRACE(name);
        const std::string report = test::readData(kFolder + "/" + name);
        const std::string ob = lineAfter(report, "ob: ");
        if (ob.empty())
            continue;
        const auto metar = parseMetar(ob);
        ASSERT_TRUE(metar.has_value()) << ob;
        ++checked;
        EXPECT_EQ(metar->station, name.substr(0, 4));

        if (const std::string cycle = lineAfter(report, "cycle: "); !cycle.empty()) {
            EXPECT_EQ(metar->cycle(), std::stoi(cycle));
        }

        std::smatch m;
        const std::string temperature = lineAfter(report, "Temperature: ");
        if (std::regex_search(temperature, m, std::regex(R"(\((-?[0-9.]+) C\))"))) {
            ASSERT_TRUE(metar->temperatureC.has_value());
            EXPECT_NEAR(*metar->temperatureC, std::stod(m[1]), 0.051);
        }
        const std::string pressure = lineAfter(report, "Pressure (altimeter): ");
        if (std::regex_search(pressure, m, std::regex(R"(([0-9.]+) in\. Hg \(([0-9]+) hPa\))"))) {
            const bool inches = metar->pressureInches.has_value();
            ASSERT_TRUE(inches || metar->pressureHpa.has_value());
            if (inches)
                EXPECT_NEAR(*metar->pressureInches, std::stod(m[1]), 0.006);
            else
                EXPECT_NEAR(*metar->pressureHpa, std::stod(m[2]), 0.5);
        }
        const std::string wind = lineAfter(report, "Wind: ");
        if (std::regex_search(wind, m, std::regex(R"(from the ([NSEW]+) \([0-9]+ degrees\) at ([0-9]+) MPH)"))) {
            EXPECT_EQ(metar->wind, std::string(m[1]) + " " + std::string(m[2])) << wind;
        } else if (wind.rfind("Calm", 0) == 0) {
            EXPECT_EQ(metar->wind, "Calm");
        } else if (std::regex_search(wind, m, std::regex(R"(Variable at ([0-9]+) MPH)"))) {
            EXPECT_EQ(metar->wind, "Variable " + std::string(m[1]));
        }
    }
    EXPECT_GT(checked, 80);
}

TEST(MetarTrend, UnitsGroupsAndNegativesOfRawReports)
{
    const auto european = parseMetar("METAR EHRD 071955Z 24008MPS 9999 FEW012 M02/M05 Q1012 NOSIG");
    ASSERT_TRUE(european.has_value());
    EXPECT_EQ(european->wind, "WSW 18");   // 8 m/s
    EXPECT_DOUBLE_EQ(*european->temperatureC, -2);
    EXPECT_DOUBLE_EQ(*european->dewPointC, -5);
    EXPECT_DOUBLE_EQ(*european->pressureHpa, 1012);
    EXPECT_EQ(european->cycle(), 20);      // minute 55 counts for the next hour

    const auto missing = parseMetar("SPECI KXYZ 010000Z AUTO 36010G20KT 10SM 31/// A////");
    ASSERT_TRUE(missing.has_value());
    ASSERT_TRUE(missing->temperatureC.has_value());
    EXPECT_EQ(missing->wind, "N 12");
    EXPECT_DOUBLE_EQ(*missing->temperatureC, 31);
    EXPECT_FALSE(missing->dewPointC.has_value());
    EXPECT_FALSE(missing->pressureInches.has_value());
    EXPECT_EQ(missing->raw.rfind("KXYZ 010000Z", 0), 0u);

    for (const char* none : {"No METAR data found", "", "KSEA 99999Z 00000KT"})
        EXPECT_FALSE(parseMetar(none).has_value()) << none;
    const std::pair<double, const char*> compass[] = {{349, "N"}, {11.2, "N"}, {11.3, "NNE"}, {360, "N"}};
    for (const auto& [degrees, name] : compass)
        EXPECT_EQ(compassName(degrees), name) << degrees;
}

TEST(MetarTrend, OverlongNumberGroupsAreNoWindAndNoOverflow)
{
    // Found by fuzzing: a wind group of fifty digits overflowed the speed.
    const auto report = parseMetar("METAR EHRD 071955Z 240222222222222222222222222222222222222222208MPS 9999 Q1012");
    ASSERT_TRUE(report.has_value());
    EXPECT_TRUE(report->wind.empty());
    EXPECT_DOUBLE_EQ(*report->pressureHpa, 1012);
    EXPECT_FALSE(parseMetar("METAR EHRD 99999999999999999999Z 24008MPS").has_value());
}

TEST(MetarTrend, TheNewestReportOfEachCycleWinsAndTheTrendParserReadsTheResult)
{
    const std::string history =
        "KSEA 061753Z 00000KT 10SM FEW020 10/08 A3012 RMK AO2 SLP201 T01000083\n"
        "KSEA 061710Z 16005KT 10SM 09/08 A3011\n"
        "KSEA 061653Z VRB03KT 10SM M05/M10 A2998 RMK AO2\n"
        "KSEA 051753Z 20012KT 10SM 12/02 A3000\n"       // yesterday, the same cycle: older
        "KBFI 061753Z 00000KT 10SM 11/08 A3012\n"       // another station
        "garbage line\n"
        "KSEA 301253Z 27010KT 10SM 03/M01 A3005\n";     // the 30th: last month
    const std::string text = trendFromMetars(history, "KSEA", CivilTime{2026, 12, 6, 18, 0, 0});
    EXPECT_EQ(text.rfind("KSEA trend report\n", 0), 0u);
    ASSERT_EQ(text.back(), '\n');

    TrendSeries trend;
    trendData(text, false, trend);
    EXPECT_EQ(trend.at(18, TrendSeries::TemperatureC), "10.0");
    EXPECT_EQ(trend.at(18, TrendSeries::DewPointC), "8.3");
    EXPECT_EQ(trend.at(18, TrendSeries::PressureHpa), "1019");   // 30.12 in: 1019.98 truncated
    EXPECT_EQ(trend.at(18, TrendSeries::WindSpeed), "0");
    EXPECT_EQ(trend.at(18, TrendSeries::OrderKey), "12|61753");
    EXPECT_EQ(trend.at(17, TrendSeries::TemperatureC), "9.0");   // 17:10 is newer than 16:53 (cycle 17)
    EXPECT_EQ(trend.at(17, TrendSeries::WindDirection), "157.5");
    EXPECT_EQ(trend.at(13, TrendSeries::OrderKey), "11|301253");
    EXPECT_EQ(trend.at(12, TrendSeries::Record), "");
    EXPECT_EQ(trend.at(0, TrendSeries::Cycle), "");

    // No history at all still makes a text the update stores.
    EXPECT_GT(trendFromMetars("", "KSEA", CivilTime{2026, 12, 6, 18, 0, 0}).size(), 10u);
}

// Row r of the trend against a reading of the history made here: the
// newest report of each cycle, its whole degrees and its Q group.
TEST(MetarTrend, RealHistoriesAgreeHourByHourWithAnIndependentReading)
{
    struct Case {
        std::string file;
        std::string station;
        CivilTime nowUtc;
    };
    for (const Case& c : {Case{"download/metar-history/RKSI-20260618.txt", "RKSI", {2026, 6, 18, 4, 0, 0}},
                          Case{"download/metar-history/VOHY-20140302.txt", "VOHY", {2014, 3, 2, 16, 0, 0}}}) {
        SCOPED_TRACE(c.file);
        const std::string history = test::readData(c.file);
        struct Expected {
            int key = -1;
            std::string temperature, pressure, speed;
        };
        std::array<Expected, 24> rows;
        const std::regex report(R"((\d\d)(\d\d)(\d\d)Z (VRB|\d{3})(\d\d)KT .* (M?)(\d\d)/M?\d\d Q(\d{4}))");
        std::istringstream lines(history);
        int reports = 0;
        for (std::string line; std::getline(lines, line);) {
            std::smatch m;
            ASSERT_TRUE(std::regex_search(line, m, report)) << line;
            ++reports;
            const int hour = std::stoi(m[2]);
            const int minute = std::stoi(m[3]);
            const int cycle = minute >= 45 ? (hour + 1) % 24 : hour;
            const int key = std::stoi(m[1]) * 10000 + hour * 100 + minute;
            if (key <= rows[cycle].key)
                continue;
            const int knots = std::stoi(m[5]);
            const int celsius = std::stoi(m[7]) * (m[6] == "M" ? -1 : 1);
            rows[cycle] = {key, std::to_string(celsius) + ".0", m[8],
                           std::to_string(static_cast<int>(std::lround(knots * 1.150779)))};
        }
        EXPECT_GT(reports, 9);

        TrendSeries trend;
        trendData(trendFromMetars(history, c.station, c.nowUtc), false, trend);
        for (int r = 0; r < 24; ++r) {
            SCOPED_TRACE("cycle " + std::to_string(r));
            EXPECT_EQ(trend.at(r, TrendSeries::TemperatureC), rows[r].temperature);
            EXPECT_EQ(trend.at(r, TrendSeries::PressureHpa), rows[r].pressure);
            EXPECT_EQ(trend.at(r, TrendSeries::WindSpeed), rows[r].speed);
        }
    }
}

TEST(MetarTrend, RoutineReportsBeforeSpecialsAndRareForms)
{
    const std::string history = "METAR KSEA 060253Z 16005KT 10SM 09/08 A2994\n"       // cycle 3, routine
                                "SPECI KSEA 060320Z 16012KT 3SM RA 07/06 A2990\n"      // cycle 3, newer but special
                                "SPECI KSEA 060410Z 16012KT 3SM RA 05/04 A2990\n"      // cycle 4: special alone
                                "METAR KSEA 060553Z 16005KT 10SM 11/08 A2994\n"        // cycle 6
                                "METAR KSEA 060605Z NIL\n"                             // cycle 6, no observation
                                "METAR COR KSEA 060653Z 27010KT 10SM 12/08 A2994\n"    // cycle 7, corrected
                                "METAR KSEA 060753Z 270P99KT 10SM 13/08 A2994\n";      // cycle 8
    TrendSeries trend;
    trendData(trendFromMetars(history, "KSEA", CivilTime{2026, 12, 6, 9, 0, 0}), false, trend);
    EXPECT_EQ(trend.at(3, TrendSeries::TemperatureC), "9.0");
    EXPECT_EQ(trend.at(3, TrendSeries::PressureHpa), "1013");   // 29.94 in, truncated as NOAA does
    EXPECT_EQ(trend.at(4, TrendSeries::TemperatureC), "5.0");
    EXPECT_EQ(trend.at(6, TrendSeries::TemperatureC), "11.0");
    EXPECT_EQ(trend.at(7, TrendSeries::TemperatureC), "12.0");
    EXPECT_EQ(trend.at(7, TrendSeries::WindDirection), "270");

    EXPECT_FALSE(parseMetar("METAR KSEA 060605Z NIL").has_value());
    const auto strong = parseMetar("METAR KSEA 060753Z 270P99KT 10SM 13/08 A2994");
    ASSERT_TRUE(strong.has_value());
    EXPECT_EQ(strong->wind, "W 114");
    EXPECT_EQ(parseMetar("METAR UUEE 060730Z 270P49MPS 9999 13/08 Q1013")->wind, "W 110");
    EXPECT_EQ(trend.at(8, TrendSeries::WindSpeed), "");   // over 100 MPH: dropped as implausible
}

TEST(MetarTrend, TheNewestReportOfAHistoryWithItsUtcTime)
{
    const std::string rksi = test::readData("download/metar-history/RKSI-20260618.txt");
    const auto newest = newestMetar(rksi, "RKSI", {2026, 6, 18, 4, 0, 0});
    ASSERT_TRUE(newest.has_value());
    EXPECT_EQ(newest->line, "METAR RKSI 180330Z 28007KT 250V330 CAVOK 28/19 Q1009 NOSIG");
    EXPECT_EQ(newest->observedUtc, (CivilTime{2026, 6, 18, 3, 30, 0}));

    // Oldest first, a special newest, a NIL report and another station after it.
    const std::string history = "KSEA 302353Z 16005KT 10SM 09/08 A2994\n"
                                "SPECI KSEA 010020Z 16012KT 3SM RA 07/06 A2990\r\n"
                                "METAR KSEA 010053Z NIL\n"
                                "METAR KBFI 010053Z 16005KT 10SM 09/08 A2994\n";
    const auto special = newestMetar(history, "KSEA", {2026, 12, 1, 1, 10, 0});
    ASSERT_TRUE(special.has_value());
    EXPECT_EQ(special->observedUtc, (CivilTime{2026, 12, 1, 0, 20, 0}));
    EXPECT_FALSE(newestMetar(history, "KPAE", {2026, 12, 1, 1, 10, 0}).has_value());
    EXPECT_FALSE(newestMetar("", "KSEA", {2026, 12, 1, 1, 10, 0}).has_value());
}

TEST(MetarTrend, HistoryAddressOnlyForTheMetarService)
{
    EXPECT_EQ(metarHistoryAddress("https://aviationweather.gov/api/data/metar", "KSEA"),
              "https://aviationweather.gov/api/data/metar?ids=KSEA&format=raw&hours=25");
    EXPECT_FALSE(metarHistoryAddress("https://tgftp.nws.noaa.gov/data/observations/metar/trend", "KSEA"));
}

TEST(MetarTrend, AHistoryOfSeveralStationsSplitsByTheStationOfEachLine)
{
    const auto split = metarsByStation("METAR KSEA 071853Z 18008KT 10SM FEW040 08/03 A3012\n"
                                       "SPECI KBFI 071812Z 00000KT 10SM CLR 07/02 A3013\r\n"
                                       "KSEA 071753Z 19007KT 10SM SCT040 07/03 A3013\n"
                                       "METAR COR EGLC 071850Z AUTO 24009KT 9999 FEW030 06/03 Q1014\n"
                                       "SPECI AUTO COR EGLC 071835Z 24012KT 9999 FEW030 06/03 Q1014\n"
                                       "\n   \nMETAR\n");
    ASSERT_EQ(split.size(), 3u);
    // A corrected report belongs to its station, not to a station "COR".
    EXPECT_EQ(split.at("EGLC"), "METAR COR EGLC 071850Z AUTO 24009KT 9999 FEW030 06/03 Q1014\n"
                                "SPECI AUTO COR EGLC 071835Z 24012KT 9999 FEW030 06/03 Q1014\n");
    const auto corrected = readMetar("SPECI AUTO COR EGLC 071835Z 24012KT 9999 FEW030 06/03 Q1014");
    ASSERT_TRUE(corrected.has_value());
    EXPECT_EQ(corrected->station, "EGLC");
    EXPECT_TRUE(corrected->special && corrected->corrected);
    EXPECT_EQ(corrected->raw.rfind("EGLC 071835Z", 0), 0u);
    EXPECT_EQ(split.at("KSEA"), "METAR KSEA 071853Z 18008KT 10SM FEW040 08/03 A3012\n"
                                "KSEA 071753Z 19007KT 10SM SCT040 07/03 A3013\n");
    EXPECT_EQ(split.at("KBFI"), "SPECI KBFI 071812Z 00000KT 10SM CLR 07/02 A3013\r\n");
}
