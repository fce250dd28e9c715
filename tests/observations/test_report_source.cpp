// SPDX-License-Identifier: GPL-3.0-or-later
// The note of a present report built from a METAR, kept in the trend report
// stored beside it.

#include <gtest/gtest.h>

#include "observations/observation.h"
#include "observations/report_source.h"
#include "observations/trend_parser.h"
#include "test_support.h"

using namespace ventoral;

TEST(ReportSource, TheNoteRidesInTheTrendHeaderWhereTheTrendParserDoesNotLook)
{
    const std::string present = test::readData("observations/noaa-decoded/EGLC-1.txt");
    const std::string noaaTrend = test::readData("observations/trend/KSEA.TREND");
    const CivilTime observed{2023, 12, 7, 1, 50, 0};
    for (const std::string& trend : {noaaTrend, std::string("KSEA trend report\nSource: x\n0:a#1:b\n"),
                                     std::string("0:KSEA:12|140053:46.0 (7.8)")}) {
        SCOPED_TRACE(trend.substr(0, 20));
        EXPECT_EQ(presentSource(trend, present), "decoded report");
        const std::string noted = withBuiltPresentNote(trend, observed);
        EXPECT_NE(noted.find("Present report: built from the METAR of 01:50 UTC\n"), std::string::npos);
        EXPECT_EQ(presentSource(noted, present), "built from the METAR of 01:50 UTC");
        TrendSeries before, after;
        trendData(trend, false, before);
        trendData(noted, false, after);
        EXPECT_EQ(after.cells, before.cells);
    }
    EXPECT_EQ(presentSource(withBuiltPresentNote(noaaTrend, observed), kNoDataText), "");
    EXPECT_EQ(presentSource(noaaTrend, ""), "");
}
