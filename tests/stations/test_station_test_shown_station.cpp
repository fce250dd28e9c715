// SPDX-License-Identifier: GPL-3.0-or-later
// The station test (Setup > Stations, Test) fetches the short list's
// reports without making them the shown station's: a station without data
// shown before the test is drawn as one without data after it, with no
// min/max markers and no min/max file.

#include <QTimer>

#include <gtest/gtest.h>

#include "program_window.h"

namespace ventoral::test {
namespace {

class StationTestShownStation : public ProgramTest {
protected:
    std::vector<QImage> dials() const
    {
        std::vector<QImage> images;
        for (Dial dial : kDials)
            images.push_back(dialImage(dial));
        return images;
    }
};

TEST_F(StationTestShownStation, LeavesAStationWithoutDataWithoutMarkersOrMinMaxFile)
{
    putStationData("KSEA", readData("observations/trend/KSEA.TREND"), readData("observations/noaa-decoded/KSEA-1.txt"));
    setShortList({"KPAE Everett", "KSEA Seattle"}, 0);
    fetchFromServer(TrendSource::Folder);
    server.route(presentPath("KSEA"), HttpResponse(200, readData("observations/noaa-decoded/KSEA-1.txt")));
    start();
    const std::vector<QImage> before = dials();

    // The results wait for a choice: Continue keeps the list as it is.
    bool resultsShown = false;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (QWidget* results = shownWindow(Window::TestResults)) {
            resultsShown = true;
            click(results, "Continue");
        }
    });
    answer.start(10);
    choose("&Setup", "&Stations");
    QWidget* stations = shownWindow(Window::Stations);
    ASSERT_TRUE(stations);
    click(stations, "Test");
    answer.stop();
    ASSERT_TRUE(resultsShown);
    click(stations, "Cancel");

    // A redraw, and the units back as they were.
    choose("&Setup", "&Units");
    QWidget* units = shownWindow(Window::Units);
    click(units, "Mph");
    click(units, "Kph");

    EXPECT_FALSE(fileBytes(minMaxFile("KPAE")).has_value()) << "a min/max file was made for KPAE";
    const std::vector<QImage> after = dials();
    const char* const kDials[] = {"pressure", "temperature", "humidity", "wind speed", "wind direction"};
    for (std::size_t i = 0; i < before.size(); ++i)
        EXPECT_TRUE(after[i] == before[i]) << "the " << kDials[i] << " dial changed";
}

} // namespace
} // namespace ventoral::test
