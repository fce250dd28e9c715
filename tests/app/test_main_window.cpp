// SPDX-License-Identifier: GPL-3.0-or-later
// The main window on the offscreen platform, its controls found by name:
// the date label, status texts, the auto-update timer and help.

#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QTimer>

#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "observations/report_source.h"
#include "observations/station_data.h"
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
    void tick() { QMetaObject::invokeMethod(window->findChild<QTimer*>("dateAgeTimer"), "timeout"); }
};

} // namespace

TEST_F(MainWindowTest, TheDateLabelAgesEachMinuteAndStatusTextsStay)
{
    start();   // created after start-up: the load handler runs startProg itself
    EXPECT_EQ(label()->text(), "UTC: 2023-12-06 17:53; Local: 2023-12-06 17:53:00; 7 min old, next about 18:53 UTC");
    EXPECT_FALSE(labelIsRedOnWhite());
    clock.set(CivilTime{2023, 12, 6, 19, 53, 0});   // two cycles
    window->redraw();
    EXPECT_FALSE(labelIsRedOnWhite());

    // Without a redraw the label grows older each minute, and turns red past two cycles.
    clock.set(CivilTime{2023, 12, 6, 19, 54, 0});
    tick();
    EXPECT_EQ(label()->text(),
              "UTC: 2023-12-06 17:53; Local: 2023-12-06 17:53:00; 2 h 1 min old, overdue since 18:53 UTC");
    EXPECT_TRUE(labelIsRedOnWhite());

    // A status shown in the label stays, in red.
    for (const auto& [index, status] : {std::pair{1, "Click Update to download data for this station"},
                                        std::pair{2, "No data available for this station"}}) {
        choose(index);
        tick();
        EXPECT_EQ(label()->text(), status);
        EXPECT_TRUE(labelIsRedOnWhite());
    }
}

TEST_F(MainWindowTest, AutoUpdateStartsFiveSecondsInThenFollowsTheInterval)
{
    state.tables.units.autoUpdate = true;
    state.tables.units.interval = "15";
    state.nextUpdateTime = state.lastTickTime = clock.nowUtc();
    start();
    QTimer* timer = window->findChild<QTimer*>("Timer1");
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 5000);
    EXPECT_FALSE(window->findChild<QMenu*>("mnuUpdate")->isEnabled());
    // Minute and second of 18 h; the busy downloader holds back a due update.
    const auto tickAt = [&](int minute, int second, bool busy = false) {
        clock.set(CivilTime{2023, 12, 6, 18, minute, second});
        updater.isBusy = busy;
        window->onTimerTick();
        return updater.updates;
    };
    EXPECT_EQ(tickAt(0, 5), 1);
    EXPECT_EQ(timer->interval(), 65535);
    EXPECT_EQ(tickAt(0, 5), 1);
    EXPECT_EQ(tickAt(15, 1, true), 1);
    EXPECT_EQ(tickAt(30, 2), 2);
}

TEST_F(MainWindowTest, HelpOpensTheGuideOrSaysThereIsNone)
{
    start();
    window->showHelpContents();
    ASSERT_EQ(prompter.messages().size(), 1u);
    createFolder(dir.file("data"));
    test::writeFile(dir.file("data/VNTL Help.html"), "<html></html>");
    window->showHelpContents();
    EXPECT_EQ(browser.opened, std::vector<std::string>{dir.file("data/VNTL Help.html")});
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
