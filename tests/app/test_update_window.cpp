// SPDX-License-Identifier: GPL-3.0-or-later
// The update as the main window runs it, against a real server on
// 127.0.0.1: the download panel, the menus, the busy notice and the redraw
// with the fresh data.

#include <filesystem>
#include <functional>
#include <set>

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "about/info_window.h"
#include "main_window_fixture.h"
#include "download/core/downloader.h"
#include "http_test_server.h"
#include "platform/qt_transfer.h"

using namespace ventoral;
using ventoral::test::HttpResponse;
using ventoral::test::HttpTestServer;

namespace {

const std::vector<std::string> kStations = {"EGLC", "KBFI", "EHRD"};

class UpdateWindowTest : public test::MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        std::filesystem::remove(dataFile("KBFI"));
        clock.set(CivilTime{2023, 12, 7, 2, 0, 0});
        state.tables.addresses[AddressTable::kPresent] = server.base() + "/decoded";
        state.tables.addresses[AddressTable::kTrend] = server.base() + "/trend";
        state.tables.shortList.entries.clear();
        for (const std::string& code : kStations) {
            state.tables.shortList.entries.push_back(code + " station");
            server.route("/decoded/" + code + ".TXT",
                         HttpResponse(200, test::readData("observations/noaa-decoded/" + code + "-1.txt")));
            server.route("/trend/" + code + ".TREND",
                         HttpResponse(200, test::readData("observations/trend/KSEA.TREND")));
        }
        state.tables.units.updateAll = true;
        window = std::make_unique<MainWindow>(
            state, MainWindowServices{clock, forms, store, prompter, browser, downloader, dialogs});
        window->stationsLoaded();
        window->show();
        downloader.setView(&window->downloadView());
    }

    // Runs check every few milliseconds while the update lets events run.
    void whileUpdating(std::function<void()> check)
    {
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, check);
        poll.start(2);
        window->startUpdate();
    }

    template <typename T> T* child(const char* name) const { return window->findChild<T*>(name); }
    bool menusEnabled() const
    {
        for (const char* name : {"mnuFile", "mnuView", "mnuSetup", "mnuUpdate", "mnuHelp"})
            if (!child<QMenu>(name)->isEnabled())
                return false;
        return true;
    }
    std::string dataFile(const std::string& code) const
    {
        return stationDataPath(state.tables.folders.stationData, code);
    }

    HttpTestServer server;
    QtTransfer transfer;
    QtEventPump events;
    Downloader downloader{state, {transfer, events, prompter, clock}};
};

// A map download asked for while the update runs gets the busy notice and
// changes nothing.
TEST_F(UpdateWindowTest, TheUpdateShowsItsProgressThenTheFreshData)
{
    window->startProg();
    bool panelShown = false, menusOff = false, askedForMaps = false;
    std::set<std::string> counts;
    whileUpdating([&] {
        if (!child<QWidget>("downloadPanel")->isVisible())
            return;
        panelShown = true;
        menusOff = menusOff || !child<QMenu>("mnuFile")->isEnabled();
        counts.insert(child<QLabel>("Label2")->text().toStdString());
        if (!askedForMaps && downloader.busy()) {
            askedForMaps = true;
            downloader.maps().downloadAllMaps();
        }
    });

    EXPECT_TRUE(panelShown && menusOff);
    EXPECT_TRUE(counts.count("1/6") && counts.count("6/6"));
    EXPECT_FALSE(child<QWidget>("downloadPanel")->isVisible());
    EXPECT_TRUE(menusEnabled());
    EXPECT_TRUE(prompter.messages().empty());
    // The shown station is drawn from its new file: the date of its report.
    EXPECT_TRUE(child<QLabel>("Label78")->text().contains("2023")) << child<QLabel>("Label78")->text().toStdString();

    ASSERT_TRUE(askedForMaps);
    auto* info = window->findChild<InfoWindow*>("frmInfo");
    ASSERT_TRUE(info && info->isVisible());
    EXPECT_EQ(info->findChild<QLabel*>("Label1")->text().toStdString(), "Internet is busy.\nPlease try later.");
    info->findChild<QPushButton*>("Command1")->click();
    EXPECT_FALSE(info->isVisible());
}

} // namespace
