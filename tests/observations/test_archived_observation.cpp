// SPDX-License-Identifier: GPL-3.0-or-later
// Reports decoded for the archive, and the CSV they are exported as.

#include "observations/archived_observation.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include <gtest/gtest.h>

#include "real_metar_days.h"
#include "observations/history_csv.h"
#include "test_support.h"

namespace ventoral {
namespace {

// Every report of the three real histories as `ventoral-cli history` prints
// it. Refresh with VENTORAL_REFRESH_REFERENCE=1 after a deliberate change
// and check the new file by hand.
TEST(ArchivedObservation, RealHistoriesMatchReference)
{
    std::string actual;
    actual += historyCsv(test::observationsOf(test::readData(test::kRodnDay), {2026, 8, 19, 0, 10, 0}));
    actual += historyCsv(test::observationsOf(test::readData(test::kRksiDay), {2026, 6, 18, 4, 0, 0}));
    actual += historyCsv(test::observationsOf(test::readData("download/metar-history/VOHY-20140302.txt"),
                                        {2014, 3, 2, 16, 0, 0}));
    EXPECT_EQ(actual, test::reference("observations/archived-observations.expected", actual));
}

// 600 real reports with the time and category the Aviation Weather Center
// published for each: the day of the month and the clock of when they came
// give the date and time, and the category agrees.
TEST(ArchivedObservation, TimesAndCategoriesAgreeWithTheAviationWeatherCenter)
{
    std::istringstream lines(test::readData("observations/awc-flight-category.jsonl"));
    int checked = 0;
    for (std::string line; std::getline(lines, line);) {
        const std::string raw = test::jsonString(line, "raw");
        CivilTime published;
        ASSERT_EQ(std::sscanf(test::jsonString(line, "obs_time").c_str(), "%d-%d-%dT%d:%d", &published.year,
                              &published.month, &published.day, &published.hour, &published.minute),
                  5);
        // Received a few hours later, on the next day where it was late at night.
        const auto o = archivedObservationOf(raw, published.plusMinutes(180));
        ASSERT_TRUE(o.has_value()) << raw;
        // The service publishes a routine report at its hour: 08:51 at 09:00.
        EXPECT_LE(std::abs(o->timeMinutes - published.minutesSinceEpoch()), 15) << raw;
        ASSERT_TRUE(o->flightCategory.has_value()) << raw;
        EXPECT_EQ(flightCategoryName(*o->flightCategory), test::jsonString(line, "fltcat")) << raw;
        ++checked;
    }
    EXPECT_EQ(checked, 600);
}

struct Case {
    const char* line;
    CivilTime now;
    const char* csv;   // the CSV line, or nullptr for no observation
};

TEST(ArchivedObservation, EdgesOfTheReports)
{
    const Case cases[] = {
        // A day after today's is of the month before; a 31st in March is of January.
        {"METAR RODN 312355Z 07013KT 10SM BKN011 29/27 A2973", {2026, 8, 1, 0, 10, 0},
         "2026-07-31T23:55Z,29,27,89,70,13,,1006.8,10,MVFR,METAR RODN 312355Z 07013KT 10SM BKN011 29/27 A2973"},
        {"KSEA 311753Z 18005KT 10SM CLR M02/M07 A3012", {2026, 3, 1, 0, 0, 0},
         "2026-01-31T17:53Z,-2,-7,68,180,5,,1020,10,VFR,KSEA 311753Z 18005KT 10SM CLR M02/M07 A3012"},
        // Tenths from the T group; a gust; metres and a km/h wind converted.
        {"SPECI EDDB 061720Z 24015G28KT 4500 -RA BKN008 04/03 Q1003 RMK T00440033", {2023, 12, 6, 18, 0, 0},
         "2023-12-06T17:20Z,4.4,3.3,92,240,15,28,1003,2.8,IFR,SPECI EDDB 061720Z 24015G28KT 4500 -RA BKN008 04/03 "
         "Q1003 RMK T00440033"},
        {"METAR UUEE 061730Z 24036KMH 9999 OVC015 M01/M03 Q1010", {2023, 12, 6, 18, 0, 0},
         "2023-12-06T17:30Z,-1,-3,86,240,19.4,,1010,6.21,MVFR,METAR UUEE 061730Z 24036KMH 9999 OVC015 M01/M03 Q1010"},
        // Variable and calm winds; a dew point above the temperature has no humidity.
        {"VOHY 020040Z VRB02KT 2000 BR NSC 19/20 Q1015 NOSIG", {2014, 3, 2, 16, 0, 0},
         "2014-03-02T00:40Z,19,20,,,2,,1015,1.24,IFR,VOHY 020040Z VRB02KT 2000 BR NSC 19/20 Q1015 NOSIG"},
        {"VOHY 020140Z 00000KT 2000 BR NSC 19/17 Q1016 NOSIG", {2014, 3, 2, 16, 0, 0},
         "2014-03-02T01:40Z,19,17,88,0,0,,1016,1.24,IFR,VOHY 020140Z 00000KT 2000 BR NSC 19/17 Q1016 NOSIG"},
        // A comma cannot end up in a column of its own.
        {"KXYZ 061753Z 00000KT 1/2SM FG VV002 M01/M01 A2992 RMK \"CORR\",X", {2023, 12, 6, 18, 0, 0},
         "2023-12-06T17:53Z,-1,-1,100,0,0,,1013.2,0.5,LIFR,\"KXYZ 061753Z 00000KT 1/2SM FG VV002 M01/M01 A2992 RMK "
         "\"\"CORR\"\",X\""},
        {"METAR RODN 181155Z NIL", {2026, 8, 19, 0, 0, 0}, nullptr},
        {"not a report", {2026, 8, 19, 0, 0, 0}, nullptr},
        {"METAR RODN 321155Z 07013KT 10SM BKN011 29/27 A2973", {2026, 8, 19, 0, 0, 0}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const auto o = archivedObservationOf(c.line, c.now);
        ASSERT_EQ(o.has_value(), c.csv != nullptr);
        if (o) {
            EXPECT_EQ(historyCsv({*o}), std::string(kHistoryCsvHeader) + "\n" + c.csv + "\n");
        }
    }
}

} // namespace
} // namespace ventoral
