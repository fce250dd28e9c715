// The update as the main window runs it, against a real server on
// 127.0.0.1: the download panel, the menus, Cancel, the busy notice and
// the redraw with the fresh data.

#include <functional>
#include <set>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "about/info_window.h"
#include "settings/settings.h"
#include "app/main_window.h"
#include "download/core/downloader.h"
#include "download/http_test_server.h"
#include "gui_application.h"
#include "observations/station_data.h"
#include "platform/core/file_io.h"
#include "platform/qt_transfer.h"
#include "test_support.h"

using namespace ventoral;
using ventoral::test::HttpResponse;
using ventoral::test::HttpTestServer;

namespace {

const std::vector<std::string> kStations = {"EGLC", "KBFI", "EHRD"};

class UpdateWindowTest : public ::testing::Test {
protected:
    UpdateWindowTest()
    {
        state.settingsFile = dir.file("vntl.ini");
        state.programFolder = dir.path();
        WriteDefaultSettings(state.settingsFile, dir.path(), state.tables);
        createFolder(state.tables.folders.stationData);
        createFolder(state.tables.folders.minMax);
        state.tables.addresses[AddressTable::kPresent] = server.base() + "/decoded";
        state.tables.addresses[AddressTable::kTrend] = server.base() + "/trend";
        for (const std::string& code : kStations) {
            state.tables.shortList.entries.push_back(code + " station");
            server.route("/decoded/" + code + ".TXT",
                         HttpResponse(200, test::readData("observations/noaa-decoded/" + code + "-1.txt")));
            server.route("/trend/" + code + ".TREND", HttpResponse(200, test::readData("observations/trend/KSEA.TREND")));
        }
        state.tables.shortList.selected = 0;
        state.tables.units.updateAll = true;
        state.startupComplete = true;
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
        window->mnuUpdate_Click();
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

    QApplication& app = test::guiApplication();
    test::TempDir dir;
    HttpTestServer server;
    AppState state;
    FixedClock clock{CivilTime{2023, 12, 7, 2, 0, 0}};
    IsoDateForms forms;
    MemoryUserStore store;
    ScriptedPrompter prompter;
    RecordingBrowser browser;
    ScriptedFileDialogs dialogs;
    QtTransfer transfer;
    QtEventPump events;
    Downloader downloader{state, {transfer, events, prompter, clock}};
    std::unique_ptr<MainWindow> window;
};

TEST_F(UpdateWindowTest, TheUpdateShowsItsProgressThenTheFreshData)
{
    window->startProg();
    ASSERT_EQ(child<QLabel>("Label78")->text().toStdString(), "Click Update to download data for this station");

    bool panelShown = false, menusOff = false;
    std::set<std::string> counts;
    whileUpdating([&] {
        if (!child<QWidget>("downloadPanel")->isVisible())
            return;
        panelShown = true;
        menusOff = menusOff || !child<QMenu>("mnuFile")->isEnabled();
        counts.insert(child<QLabel>("Label2")->text().toStdString());
    });

    EXPECT_TRUE(panelShown);
    EXPECT_TRUE(menusOff);
    EXPECT_TRUE(counts.count("1/6") && counts.count("6/6"));
    EXPECT_FALSE(child<QWidget>("downloadPanel")->isVisible());
    EXPECT_TRUE(menusEnabled());
    EXPECT_EQ(window->windowTitle().toStdString(), "Ventoral");
    for (const std::string& code : kStations)
        EXPECT_TRUE(fileExists(dataFile(code))) << code;
    EXPECT_TRUE(prompter.messages().empty());
    // The shown station is drawn from its new file: the date of its report.
    EXPECT_TRUE(child<QLabel>("Label78")->text().contains("2023")) << child<QLabel>("Label78")->text().toStdString();
    EXPECT_EQ(child<QComboBox>("Combo1")->currentIndex(), 0);
}

TEST_F(UpdateWindowTest, CancelStopsTheUpdateBeforeTheNextReport)
{
    server.route("/trend/KBFI.TREND", HttpResponse(200, test::readData("observations/trend/KSEA.TREND")).after(5000));
    bool clicked = false;
    whileUpdating([&] {
        if (!clicked && child<QLabel>("Label1")->text() == "Seeking trend data for KBFI") {
            clicked = true;
            child<QPushButton>("Command1")->click();
        }
    });

    EXPECT_TRUE(clicked);
    EXPECT_TRUE(fileExists(dataFile("EGLC")));
    EXPECT_FALSE(fileExists(dataFile("KBFI")));
    EXPECT_FALSE(fileExists(dataFile("EHRD")));
    EXPECT_EQ(server.requests("/decoded/EHRD.TXT"), 0);
    // A cancel is no failed connection: nothing to tell.
    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_FALSE(downloader.busy());
    EXPECT_FALSE(child<QWidget>("downloadPanel")->isVisible());
    EXPECT_TRUE(menusEnabled());
}

TEST_F(UpdateWindowTest, AMapDownloadDuringTheUpdateGetsTheBusyNotice)
{
    bool asked = false;
    whileUpdating([&] {
        if (!asked && downloader.busy()) {
            asked = true;
            downloader.dwnLoadAllPics();
        }
    });
    ASSERT_TRUE(asked);
    auto* info = window->findChild<InfoWindow*>("frmInfo");
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->isVisible());
    EXPECT_EQ(info->findChild<QLabel*>("Label1")->text().toStdString(), "Internet is busy.\nPlease try later.");
    EXPECT_FALSE(info->findChild<QPushButton*>("Command2")->isVisible());
    // OK closes the notice and leaves everything else as it was.
    info->findChild<QPushButton*>("Command1")->click();
    EXPECT_FALSE(info->isVisible());
    for (const std::string& code : kStations)
        EXPECT_TRUE(fileExists(dataFile(code))) << code;
}

TEST_F(UpdateWindowTest, MissingReportsAreListedOnceAndNoStationIsSaidSo)
{
    server.route("/decoded/KBFI.TXT", HttpResponse(404, "<html><body>Not Found</body></html>"));
    window->mnuUpdate_Click();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].title, "Error");
    EXPECT_EQ(prompter.messages()[0].text, "Could not find " + server.base() + "/decoded/KBFI.TXT");

    state.tables.shortList.selected = -1;
    window->mnuUpdate_Click();
    EXPECT_EQ(child<QLabel>("Label78")->text().toStdString(), "No station selected");
    EXPECT_EQ(prompter.messages().back().text, "Please select a station");
    EXPECT_TRUE(menusEnabled());
}

} // namespace
