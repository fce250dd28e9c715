// The main window on the offscreen platform, its controls found by name:
// status texts, station switch, menus, the auto-update timer, help and exit.

#include <tuple>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include <gtest/gtest.h>

#include "settings/settings.h"
#include "app/main_window_fixture.h"
#include "widgets/picture_panel.h"
#include "observations/report_source.h"
#include "observations/station_data.h"
#include "platform/core/file_io.h"
#include "test_support.h"

using namespace ventoral;

namespace {

class MainWindowTest : public test::MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        writeStationData(stationDataPath(state.tables.folders.stationData, "KTIN"), "tiny", "KTIN 9ch");
        state.tables.shortList.entries = {"KBFI Boeing Field", "KSEA Seattle", "KTIN"};
    }

    QLabel* label() const { return window->findChild<QLabel*>("Label78"); }
    bool labelIsRedOnWhite() const
    {
        return label()->styleSheet().contains("color: rgb(255,0,0); background: rgb(255,255,255)");
    }
    void choose(int index)
    {
        auto* selector = window->findChild<QComboBox*>("Combo1");
        selector->setCurrentIndex(index);
        emit selector->activated(index);
    }
};

} // namespace

TEST_F(MainWindowTest, ShowsTheDataTimeOfAStationWithData)
{
    start();   // created after start-up: the load handler runs startProg itself
    EXPECT_EQ(label()->text(), "UTC: 2023-12-06 17:53; Local: 2023-12-06 17:53:00");
    EXPECT_EQ(label()->toolTip(), "Date and time of data");
    EXPECT_FALSE(labelIsRedOnWhite());   // 7 minutes old
    EXPECT_TRUE(state.station.dataValid);
    EXPECT_TRUE(fileExists(minMaxPath(state.tables.folders.minMax, "KBFI")));
    EXPECT_EQ(state.trend.at(0, TrendSeries::Humidity).empty(), false);   // filled by the humidity graph
    EXPECT_EQ(window->findChild<QComboBox*>("Combo1")->toolTip(), "Select a station");
    EXPECT_FALSE(window->picture(PanelPicture::Picture6)->image().isNull());

    clock.set(CivilTime{2023, 12, 6, 19, 34, 0});   // 101 minutes
    window->Redraw();
    EXPECT_TRUE(labelIsRedOnWhite());
}

TEST_F(MainWindowTest, ALineBesideTheStripSaysWhichSourceGaveTheReport)
{
    start();
    const auto* source = window->findChild<QLabel*>("lblSource");
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->text(), "Source: decoded report");

    const std::string path = stationDataPath(state.tables.folders.stationData, "KBFI");
    const std::optional<StationTexts> texts = quotedRecordsOf(test::readFile(path));
    ASSERT_TRUE(texts);
    writeStationData(path, withBuiltPresentNote(texts->lastText, CivilTime{2023, 12, 6, 17, 53, 0}),
                     texts->presentText);
    choose(0);
    EXPECT_EQ(source->text(), "Source: built from the METAR of 17:53 UTC");
    choose(2);   // no usable report
    EXPECT_EQ(source->text(), "");
}

TEST_F(MainWindowTest, StatusTextsForMissingShortAndAbsentStations)
{
    start();
    choose(1);
    EXPECT_EQ(label()->text(), "Click Update to download data for this station");
    EXPECT_TRUE(labelIsRedOnWhite());
    EXPECT_FALSE(fileExists(minMaxPath(state.tables.folders.minMax, "KSEA")));
    EXPECT_EQ(ReadIniValue("Stations", "Last", "", state.settingsFile), "1");

    choose(2);
    EXPECT_EQ(label()->text(), "No data available for this station");
    EXPECT_TRUE(labelIsRedOnWhite());

    state.tables.shortList.entries.clear();
    state.tables.shortList.selected = -1;
    window->stationsLoaded();
    window->startProg();
    EXPECT_EQ(label()->text(), "No Station selected");
}

TEST_F(MainWindowTest, ASwitchedStationLooksAsOnAFreshStart)
{
    std::string unreadableDate = test::readData("observations/noaa-decoded/KBLI-1.txt");
    unreadableDate.replace(unreadableDate.find("2022.02.03"), 10, "2022.xx.03");
    writeStationData(stationDataPath(state.tables.folders.stationData, "KBLI"), "no trend",
                     test::readData("observations/noaa-decoded/KBLI-1.txt"));
    writeStationData(stationDataPath(state.tables.folders.stationData, "KDAT"), "no trend",
                     "KDAT " + unreadableDate);
    state.tables.shortList.entries = {"KBFI Boeing Field", "KSEA Seattle", "KBLI Bellingham", "KDAT"};
    const auto panelOf = [](MainWindow& w) {
        std::vector<QImage> images;
        for (auto* picture : w.findChildren<PicturePanel*>())
            images.push_back(picture->image());
        const auto* label = w.findChild<QLabel*>("Label78");
        return std::make_tuple(images, label->text(), label->styleSheet());
    };
    start();
    for (const auto& [from, to] : std::vector<std::pair<int, int>>{{0, 1}, {0, 2}, {1, 0}, {1, 3}}) {
        SCOPED_TRACE(std::to_string(from) + " -> " + std::to_string(to));
        choose(from);
        choose(to);
        AppState freshState;
        freshState.settingsFile = state.settingsFile;
        freshState.programFolder = state.programFolder;
        freshState.deliveredDataFolder = state.deliveredDataFolder;
        freshState.tables = state.tables;
        freshState.startupComplete = true;
        MainWindow fresh(freshState, services());
        EXPECT_TRUE(panelOf(*window) == panelOf(fresh));
    }
}

TEST_F(MainWindowTest, MenusCarryTheirCaptionsAndLaterWindowsAreDisabled)
{
    start();
    std::vector<std::string> titles;
    for (QAction* action : window->menuBar()->actions())
        titles.push_back(action->text().toStdString());
    EXPECT_EQ(titles, (std::vector<std::string>{"&File", "&View", "&Setup", "&Update", "&Maps", "Si&tes", "&Help"}));
    const auto action = [&](const char* name) { return window->findChild<QAction*>(name); };
    ASSERT_TRUE(action("mnuFileExit") && action("ColorCodeBar") && action("MinMaxSet") && action("site"));
    EXPECT_EQ(action("mnuFilePageSetup")->text(), "Printer Set&up");
    EXPECT_EQ(action("mnuHelpAbout")->text(), "&About VNTL");
    EXPECT_TRUE(action("mnuFileExit")->isEnabled());
    EXPECT_TRUE(action("MinMaxSet")->isEnabled());

    action("mnuFilePageSetup")->trigger();   // cancelled: nothing happens
    EXPECT_EQ(dialogs.titles, std::vector<std::string>{"Page Setup"});

    action("ColorCodeBar")->trigger();
    auto* bar = window->findChild<QWidget*>("frmColorCodeBar");
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->windowTitle(), "Color Code Bar - Hours before data time");
}

TEST_F(MainWindowTest, AutoUpdateStartsFiveSecondsInThenFollowsTheInterval)
{
    state.tables.units.autoUpdate = true;
    state.tables.units.interval = "15";
    state.nextUpdateTime = state.lastTickTime = clock.nowLocal();
    start();
    QTimer* timer = window->findChild<QTimer*>("Timer1");
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 5000);
    EXPECT_FALSE(window->findChild<QMenu*>("mnuUpdate")->isEnabled());

    clock.set(CivilTime{2023, 12, 6, 18, 0, 5});
    window->Timer1_Timer();
    EXPECT_EQ(updater.updates, 1);
    EXPECT_EQ(timer->interval(), 65535);
    window->Timer1_Timer();   // the same second: nothing
    clock.set(CivilTime{2023, 12, 6, 18, 10, 0});
    window->Timer1_Timer();
    EXPECT_EQ(updater.updates, 1);
    clock.set(CivilTime{2023, 12, 6, 18, 15, 1});
    updater.isBusy = true;
    window->Timer1_Timer();   // due, but a download runs
    EXPECT_EQ(updater.updates, 1);
    updater.isBusy = false;
    clock.set(CivilTime{2023, 12, 6, 18, 30, 2});
    window->Timer1_Timer();
    EXPECT_EQ(updater.updates, 2);
}

TEST_F(MainWindowTest, AutoUpdateOffLeavesTheTimerStoppedAndTheMenusOn)
{
    start();
    EXPECT_FALSE(window->findChild<QTimer*>("Timer1")->isActive());
    EXPECT_TRUE(window->findChild<QMenu*>("mnuUpdate")->isEnabled());
    EXPECT_TRUE(window->findChild<QMenu*>("mnuSites")->isEnabled() == false);   // the site viewer is not there yet
}

TEST_F(MainWindowTest, HelpOpensTheGuideOrSaysThereIsNone)
{
    start();
    window->mnuHelpContents_Click();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text,
              "Unable to display Help Contents. There is no Help associated with this project.");
    createFolder(dir.file("data"));
    test::writeFile(dir.file("data/VNTL Help.html"), "<html></html>");
    window->mnuHelpContents_Click();
    ASSERT_EQ(browser.opened.size(), 1u);
    EXPECT_EQ(browser.opened[0], dir.file("data/VNTL Help.html"));
}

TEST_F(MainWindowTest, ExitStoresTheWindowPositionInTwips)
{
    start();
    window->show();
    window->mnuFileExit_Click();
    EXPECT_NE(store.value("Settings", "MainWidth", ""), "");
    EXPECT_NE(store.value("Settings", "MainTop", ""), "");
    EXPECT_GT(std::stol(store.value("Settings", "MainWidth", "0")), 10000);
}
