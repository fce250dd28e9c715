// The main window on the offscreen platform: selector, date label and strip.

#include <QApplication>
#include <QComboBox>
#include <QLabel>

#include <gtest/gtest.h>

#include "app/core/settings.h"
#include "app/main_window.h"
#include "observations/station_data.h"
#include "platform/core/file_io.h"
#include "test_support.h"

using namespace ventoral;

namespace {

QApplication& application()
{
    // Runs without a display, also when started by hand.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "test_app";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

} // namespace

TEST(MainWindow, ShowsTheSelectedStationAndSwitchesToAnother)
{
    application();
    test::TempDir dir;
    AppState state;
    state.settingsFile = dir.file("vntl.ini");
    WriteDefaultSettings(state.settingsFile, dir.path(), state.tables);
    createFolder(state.tables.folders.stationData);
    createFolder(state.tables.folders.minMax);
    writeStationData(stationDataPath(state.tables.folders.stationData, "KBFI"),
                     test::readData("observations/trend/KSEA.TREND"),
                     test::readData("observations/noaa-decoded/KBFI-2.txt"));
    state.tables.shortList.entries = {"KBFI Boeing Field", "KSEA Seattle"};
    state.tables.shortList.selected = 0;
    state.startupComplete = true;

    const FixedClock clock(CivilTime{2023, 12, 6, 18, 0, 0});
    const IsoDateForms forms;
    MemoryUserStore store;
    MainWindow window(state, clock, forms, store);
    window.stationsLoaded();
    window.startProg();

    auto* selector = window.findChild<QComboBox*>("Combo1");
    auto* dateLabel = window.findChild<QLabel*>("Label78");
    auto* strip = window.findChild<QLabel*>("Picture11");
    ASSERT_TRUE(selector && dateLabel && strip);
    EXPECT_EQ(selector->count(), 2);
    EXPECT_EQ(dateLabel->text(), "UTC: 2023-12-06 17:53; Local: 2023-12-06 17:53:00");
    EXPECT_EQ(dateLabel->toolTip(), "Date and time of data");
    EXPECT_TRUE(strip->text().contains("Weather:  mist"));
    EXPECT_TRUE(state.station.dataValid);
    EXPECT_TRUE(fileExists(minMaxPath(state.tables.folders.minMax, "KBFI")));

    // KSEA has no file yet: the placeholder, no min/max file, and the choice is stored.
    selector->setCurrentIndex(1);
    emit selector->activated(1);
    EXPECT_EQ(state.station.currentStation, "KSEA");
    EXPECT_FALSE(state.station.dataValid);
    EXPECT_EQ(state.station.presentText, kNoDataText);
    EXPECT_FALSE(fileExists(minMaxPath(state.tables.folders.minMax, "KSEA")));
    EXPECT_EQ(ReadIniValue("Stations", "Last", "", state.settingsFile), "1");
}
