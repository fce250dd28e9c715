// SPDX-License-Identifier: GPL-3.0-or-later
// The printed page draws the dials' 24-hour bands from the same hour as the
// screen: the hour of the trend's newest record, also when the present
// report names another cycle (KBFI's report of cycle 18 beside a trend whose
// newest record is of hour 14).

#include <gtest/gtest.h>

#include "dial_bands.h"
#include "program_window.h"

namespace ventoral::test {
namespace {

// The present report's own "cycle:" line; the trend's newest record is of hour 14 either way.
struct ReportCycle {
    const char* name;
    const char* cycleLine;
};
void PrintTo(const ReportCycle& cycle, std::ostream* out)
{
    *out << cycle.cycleLine;
}

class PrintedBands : public ProgramTest, public ::testing::WithParamInterface<ReportCycle> {};

TEST_P(PrintedBands, TurnFromTheHourTheScreenTurnsThemFrom)
{
    std::string present = readData("observations/noaa-decoded/KBFI-2.txt");
    const auto cycle = present.find("cycle: 18");
    ASSERT_NE(cycle, std::string::npos);
    present.replace(cycle, 9, GetParam().cycleLine);
    putStationData("KBFI", readData("observations/trend/KSEA.TREND"), present);
    setShortList({"KBFI Boeing Field"}, 0);
    start();

    std::vector<SurfaceCall> screen;
    for (const RecordingSurface& dial : screenDialCalls())
        screen.insert(screen.end(), dial.calls().begin(), dial.calls().end());
    const auto screenBands = bandArcs(screen);
    const auto printedBands = bandArcs(printPage().calls());

    ASSERT_FALSE(screenBands.empty());
    EXPECT_EQ(anglesText(printedBands), anglesText(screenBands));
}

INSTANTIATE_TEST_SUITE_P(Reports, PrintedBands,
                         ::testing::Values(ReportCycle{"OfTheNewestRecordsHour", "cycle: 14"},
                                           ReportCycle{"OfALaterHour", "cycle: 18"}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace ventoral::test
