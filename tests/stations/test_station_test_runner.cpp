// SPDX-License-Identifier: GPL-3.0-or-later
// The short-list window's station test against a real server on 127.0.0.1:
// a test stopped by its Cancel button shows no results and removes nothing
// (the downloader's own tests cover a test without a connection).

#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include "about/info_window.h"
#include "gui_application.h"
#include "loopback_downloader.h"
#include "stations/core/short_list_editor.h"
#include "stations/station_test_runner.h"
#include "test_support.h"

namespace ventoral::test {
namespace {

const std::vector<std::string> kEntries = {"AAAA  First", "BBBB  Second", "CCCC  Third"};

class StationTestRunnerTest : public ::testing::Test, protected WithGuiApplication, protected LoopbackDownloader {
protected:
    StationTestRunnerTest()
    {
        state.settingsFile = home.file("vntl.ini");
        state.tables.addresses[AddressTable::kPresent] = server.base() + "/decoded";
        for (const std::string& entry : kEntries) {
            list.add(entry);
            server.route("/decoded/" + entry.substr(0, 4) + ".TXT", HttpResponse(200, "a report of no use"));
        }
        // A result window would wait for a choice: Remove, so that a
        // removal shows in the list rather than as a hang.
        QObject::connect(&watch, &QTimer::timeout, [this] {
            if (auto* info = window.findChild<InfoWindow*>("frmInfo"); info && info->isVisible()) {
                resultsShown = true;
                info->Command2_Click();
            }
            if (onTick)
                onTick();
        });
        watch.start(20);
    }

    void runTest()
    {
        StationTestRunner runner(state, downloader, mainView, prompter, clock);
        runner.run(list, window);
    }

    TempDir home;
    DownloadView mainView;
    ShortListEditor list;
    QWidget window;
    QTimer watch;
    bool resultsShown = false;
    std::function<void()> onTick;
};

TEST_F(StationTestRunnerTest, CancelEndsARunningTestAndRemovesNothing)
{
    server.route("/decoded/BBBB.TXT", HttpResponse(200, "a report of no use").after(5000));
    onTick = [this] {
        auto* cancel = window.findChild<QPushButton*>("btnCancel");
        if (cancel && cancel->isVisible() && server.requests("/decoded/BBBB.TXT") == 1)
            cancel->click();
    };
    QElapsedTimer elapsed;
    elapsed.start();
    runTest();
    EXPECT_LT(elapsed.elapsed(), 4000);
    EXPECT_FALSE(resultsShown);
    EXPECT_EQ(list.entries(), kEntries);
    EXPECT_EQ(server.requests("/decoded/CCCC.TXT"), 0);
    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_TRUE(window.isEnabled());

    // A whole test afterwards shows its results, and Remove removes.
    onTick = nullptr;
    server.route("/decoded/BBBB.TXT", HttpResponse(200, "a report of no use"));
    runTest();
    EXPECT_TRUE(resultsShown);
    EXPECT_TRUE(list.entries().empty());
}

} // namespace
} // namespace ventoral::test
