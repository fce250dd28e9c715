// SPDX-License-Identifier: GPL-3.0-or-later
// Ventoral as a user gets it: installed into a fresh prefix, started
// off-screen with a fresh home, updating five real stations from a server on
// 127.0.0.1 that plays both observation services.

#include <filesystem>
#include <fstream>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QProcess>
#include <QTimer>

#include <gtest/gtest.h>

#include "settings/ini_file.h"
#include "download/core/downloader.h"
#include "http_test_server.h"
#include "observations/minmax.h"
#include "observations/station_data.h"
#include "platform/core/file_io.h"
#include "platform/qt_transfer.h"
#include "test_support.h"
#include "fixed_clock.h"
#include "scripted_prompter.h"

using namespace ventoral;
using ventoral::test::HttpResponse;
using ventoral::test::HttpTestServer;
namespace fs = std::filesystem;

namespace {

const std::vector<std::string> kStations = {"EGLC", "EGGD", "EHRD", "KBFI", "KBLI"};

void serveStations(HttpTestServer& server)
{
    for (const std::string& code : kStations) {
        server.route("/decoded/" + code + ".TXT",
                     HttpResponse(200, test::readData("observations/noaa-decoded/" + code + "-1.txt")));
        server.route("/trend/" + code + ".TREND", HttpResponse(200, test::readData("observations/trend/KSEA.TREND")));
    }
}

// Lets the server answer while waiting for a condition or a time.
bool waitFor(const std::function<bool()>& done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms) {
        QEventLoop loop;
        QTimer::singleShot(50, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return done();
}

std::vector<std::string> treeOf(const std::string& root)
{
    std::vector<std::string> paths;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        paths.push_back(entry.path().string() + " " + std::to_string(entry.is_regular_file() ? entry.file_size() : 0));
    std::sort(paths.begin(), paths.end());
    return paths;
}

class EndToEnd : public ::testing::Test {
protected:
    EndToEnd()
    {
        environment.insert("XDG_CONFIG_HOME", QString::fromStdString(home + "/config"));
        environment.insert("XDG_DATA_HOME", QString::fromStdString(home + "/data"));
        environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(home + "/runtime"));
        environment.insert("HOME", QString::fromStdString(home));
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        createFolder(home + "/runtime");
        fs::permissions(home + "/runtime", fs::perms::owner_all);
    }

    int run(const std::string& program, const QStringList& arguments, QProcess* keep = nullptr)
    {
        QProcess local;
        QProcess& process = keep ? *keep : local;
        process.setProcessEnvironment(environment);
        process.setProgram(QString::fromStdString(program));
        process.setArguments(arguments);
        process.start();
        if (keep)
            return 0;
        waitFor([&] { return process.state() == QProcess::NotRunning; }, 60000);
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    test::WithApplication withApplication;
    test::TempDir dir;
    const std::string prefix = dir.file("prefix");
    const std::string home = dir.file("home");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    HttpTestServer server;
};

TEST_F(EndToEnd, AnInstalledVentoralUpdatesFiveStationsAndWritesOnlyInItsHome)
{
    ASSERT_EQ(run("cmake", {"--install", VENTORAL_BUILD_DIR, "--prefix", QString::fromStdString(prefix)}), 0);
    const std::string cli = prefix + "/bin/ventoral-cli";
    const std::vector<std::string> installed = treeOf(prefix);

    // A first run writes the defaults; then the user's choices.
    const std::string settings = home + "/config/ventoral/vntl.ini";
    {
        QProcess first;
        run(prefix + "/bin/ventoral", {}, &first);
        const bool written = waitFor([&] { return fileExists(settings); }, 20000);
        waitFor([] { return false; }, 500);
        first.terminate();
        waitFor([&] { return first.state() == QProcess::NotRunning; }, 5000);
        ASSERT_TRUE(written);
    }
    ASSERT_EQ(run(cli, {"snapshot", QString::fromStdString(dir.file("first.png"))}), 0);
    IniDocument ini = IniDocument::load(settings);
    ini.setValue("Stations", "Number", std::to_string(kStations.size()));
    for (std::size_t i = 0; i < kStations.size(); ++i)
        ini.setValue("Stations", "Station" + std::to_string(i), kStations[i] + " station");
    ini.setValue("Stations", "Last", "3");
    ini.setValue("DataAddress", "Present", server.base() + "/decoded");
    ini.setValue("DataAddress", "Trend", server.base() + "/trend");
    ini.setValue("Units", "U04", "1");  // automatic update, which starts five seconds in
    ini.setValue("Units", "U05", "1");  // of the whole short list
    ASSERT_TRUE(ini.save(settings));
    serveStations(server);

    const std::string data = IniDocument::load(settings).value("Files", "Stations", "");
    const std::string minMax = IniDocument::load(settings).value("Files", "MinMax", "");
    ASSERT_EQ(data.rfind(home, 0), 0u) << data;
    QProcess ventoral;
    run(prefix + "/bin/ventoral", {}, &ventoral);
    const auto allStored = [&] {
        for (const std::string& code : kStations)
            if (!ReadData(stationDataPath(data, code), code).dataValid)
                return false;
        return fileExists(minMaxPath(minMax, "KBFI"));
    };
    const bool stored = waitFor(allStored, 30000);
    ventoral.terminate();
    waitFor([&] { return ventoral.state() == QProcess::NotRunning; }, 5000);
    ASSERT_TRUE(stored) << QString::fromLocal8Bit(ventoral.readAllStandardError()).toStdString();
    for (const std::string& code : kStations)
        EXPECT_EQ(server.requests("/decoded/" + code + ".TXT"), 1) << code;

    // The window as it now stands, drawn by the snapshot command.
    const std::string panel = dir.file("panel.png");
    ASSERT_EQ(run(cli, {"snapshot", QString::fromStdString(panel), "--station", "KBFI"}), 0);
    const QImage image(QString::fromStdString(panel));
    ASSERT_FALSE(image.isNull());
    EXPECT_GT(image.width(), 600);
    EXPECT_NE(test::readFile(panel), test::readFile(dir.file("first.png")));

    EXPECT_EQ(treeOf(prefix), installed) << "the installed program wrote into its installation";
    for (const auto& entry : fs::directory_iterator(dir.path()))
        EXPECT_TRUE(entry.path() == prefix || entry.path() == home || entry.path().extension() == ".png")
            << entry.path();
}

// 500 updates in a row in one process: memory must stay flat. Run by
// `make soak`, not by the normal suite.
TEST(Soak, DISABLED_FiveHundredUpdatesKeepMemoryFlat)
{
    test::WithApplication withApplication;
    test::TempDir dir;
    HttpTestServer server;
    serveStations(server);
    AppState state;
    state.settingsFile = dir.file("vntl.ini");
    state.tables.folders.stationData = dir.file("Data");
    state.tables.folders.minMax = dir.file("MinMax");
    state.tables.folders.maps = dir.file("Maps");
    for (const std::string* folder : {&state.tables.folders.stationData, &state.tables.folders.minMax,
                                      &state.tables.folders.maps})
        createFolder(*folder);
    state.tables.addresses[AddressTable::kPresent] = server.base() + "/decoded";
    state.tables.addresses[AddressTable::kTrend] = server.base() + "/trend";
    for (const std::string& code : kStations)
        state.tables.shortList.entries.push_back(code + " station");
    state.tables.shortList.selected = 0;
    state.tables.units.updateAll = true;
    QtTransfer transfer;
    QtEventPump events;
    ScriptedPrompter prompter;
    FixedClock clock{CivilTime{2023, 12, 7, 2, 0, 0}};
    Downloader downloader{state, {transfer, events, prompter, clock}};

    const auto residentKb = [] {
        std::ifstream statm("/proc/self/statm");
        long size = 0, resident = 0;
        statm >> size >> resident;
        return resident * (sysconf(_SC_PAGESIZE) / 1024);
    };
    long settled = 0;
    for (int update = 1; update <= 500; ++update) {
        downloader.runUpdate();
        ASSERT_EQ(downloader.update().failedStations(), 0) << update;
        if (update == 50)
            settled = residentKb();
    }
    const long grown = residentKb() - settled;
    std::cout << "resident memory after 50 updates " << settled << " kB, grown by " << grown
              << " kB over the next 450\n";
    EXPECT_LT(grown, 4096);
    EXPECT_TRUE(prompter.messages().empty());
}

} // namespace
