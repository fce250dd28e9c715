// SPDX-License-Identifier: GPL-3.0-or-later
// Faults from outside: damaged settings and data files, folders that are
// gone, a disk that fills up during a write, and servers that misbehave.
// The old file stays whole, the user hears of it, nothing crashes.

#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <random>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include "settings/ini_file.h"
#include "settings/settings.h"
#include "loopback_downloader.h"
#include "observations/minmax.h"
#include "observations/station_data.h"
#include "platform/core/file_io.h"
#include "test_support.h"

using namespace ventoral;
using ventoral::test::HttpResponse;

namespace {

std::string kbfiReport() { return test::readData("observations/noaa-decoded/KBFI-2.txt"); }
std::string kseaTrend() { return test::readData("observations/trend/KSEA.TREND"); }

TEST(Faults, DamagedSettingsFilesStillGiveUsableTables)
{
    test::TempDir dir;
    AppTables defaults;
    const std::string good = dir.file("good.ini");
    ASSERT_TRUE(WriteDefaultSettings(good, dir.path(), defaults));
    const std::string bytes = test::readFile(good);

    std::mt19937 random(7);
    std::string binary(4096, '\0');
    for (char& c : binary)
        c = static_cast<char>(random());
    std::string huge;
    huge.reserve(10u << 20);
    huge += "[Stations]\r\nNumber=99999\r\n";
    while (huge.size() < (10u << 20))
        huge += "Station7=" + std::string(3000, 'K') + "\r\n";

    for (const std::string& damaged : {bytes.substr(0, bytes.size() / 2), binary, huge}) {
        const std::string file = dir.file("damaged.ini");
        test::writeFile(file, damaged);
        AppTables tables;
        loadAllSettings(IniDocument::load(file), tables);
        EXPECT_LE(tables.shortList.entries.size(), 20u);
        EXPECT_EQ(tables.shades.size(), 25u);
        for (const std::string& entry : tables.shortList.entries)
            EXPECT_LE(entry.size(), IniDocument::kMaxValueLength);
        // A write to the damaged file keeps what it could read and adds the key.
        EXPECT_TRUE(WriteLastStation(file, 3));
        EXPECT_EQ(IniDocument::load(file).value("Stations", "Last", ""), "3");
    }
}

TEST(Faults, StationDataCutAnywhereIsAllOrNothing)
{
    test::TempDir dir;
    const std::string file = stationDataPath(dir.path(), "KBFI");
    ASSERT_TRUE(writeStationData(file, kseaTrend(), kbfiReport()));
    const std::string whole = test::readFile(file);
    for (std::size_t cut = 0; cut < whole.size(); cut += 61) {
        test::writeFile(file, whole.substr(0, cut));
        const StationTexts texts = ReadData(file, "KBFI");
        if (texts.dataValid)
            EXPECT_NE(texts.presentText.find("KBFI"), std::string::npos) << cut;
        else
            EXPECT_TRUE(texts.presentText.empty() || texts.presentText.size() > 10) << cut;
    }
}

TEST(Faults, GarbageMinMaxFilesGiveStartValuesFromTheGarbageOn)
{
    test::TempDir dir;
    const std::string file = dir.file("KBFI.txt");
    test::writeFile(file, "12\r\n1e400\r\n-nan\r\n\x01\x02\x03\r\n");
    const MinMaxFileRead read = readMinMaxFile(file);
    ASSERT_TRUE(read.exists);
    EXPECT_FLOAT_EQ(read.table[0], 12);
    const MinMaxFileRead start = readMinMaxFile(dir.file("none.txt"));
    for (std::size_t i = 1; i < read.table.size(); ++i)
        EXPECT_FLOAT_EQ(read.table[i], start.table[i]) << i;
}

// Runs writes in a child whose files may not grow past limitBytes, as on a
// full disk; returns the child's exit status (0: every check held).
int withFileSizeLimit(rlim_t limitBytes, const std::function<bool()>& checks)
{
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{limitBytes, limitBytes};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(checks() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(Faults, AFullDiskLeavesEveryOldFileWhole)
{
    test::TempDir dir;
    const std::string data = stationDataPath(dir.path(), "KBFI");
    const std::string minMax = dir.file("KBFI.txt");
    const std::string settings = dir.file("vntl.ini");
    test::writeFile(data, "\"old trend\"\r\n\"old KBFI report\"\r\n");
    test::writeFile(minMax, "1\r\n2\r\n");
    test::writeFile(settings, "[Stations]\r\nNumber=0\r\n");
    const std::string oldData = test::readFile(data);

    // Station data: far larger than the limit.
    EXPECT_EQ(withFileSizeLimit(64, [&] {
                  return !writeStationData(data, kseaTrend(), kbfiReport()) && test::readFile(data) == oldData;
              }),
              0);
    EXPECT_EQ(test::readFile(data), oldData);

    EXPECT_EQ(withFileSizeLimit(10, [&] {
                  MinMaxFileTable table{};
                  table.fill(1234.5f);
                  return !writeMinMaxFile(minMax, table) && test::readFile(minMax) == "1\r\n2\r\n";
              }),
              0);
    EXPECT_EQ(test::readFile(minMax), "1\r\n2\r\n");

    EXPECT_EQ(withFileSizeLimit(30, [&] {
                  AppTables tables;
                  return !WriteDefaultSettings(settings, dir.path(), tables);
              }),
              0);
    EXPECT_EQ(test::readFile(settings), "[Stations]\r\nNumber=0\r\n");
    // No temporary file is left behind by any of the failed writes.
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
}

class ServerFaults : public ::testing::Test, protected test::WithApplication, protected test::LoopbackDownloader {
protected:
    ServerFaults()
    {
        state.tables.folders.stationData = dir.file("Data");
        state.tables.folders.maps = dir.file("Maps");
        state.tables.folders.minMax = dir.file("MinMax");
        createFolder(state.tables.folders.stationData);
        createFolder(state.tables.folders.maps);
        state.settingsFile = dir.file("vntl.ini");
        state.tables.addresses[AddressTable::kPresent] = server.base() + "/decoded";
        state.tables.addresses[AddressTable::kTrend] = server.base() + "/trend";
        state.tables.shortList.entries = {"KBFI Boeing Field"};
        state.tables.shortList.selected = 0;
        server.route("/trend/KBFI.TREND", HttpResponse(200, kseaTrend()));
    }

    test::TempDir dir;
};

TEST_F(ServerFaults, AServerThatNeverAnswersOrTricklesFailsItsReportWithinTheDeadline)
{
    const std::string data = stationDataPath(state.tables.folders.stationData, "KBFI");
    test::writeFile(data, "\"old trend\"\r\n\"old KBFI report\"\r\n");
    downloader.setDeadlines({std::chrono::milliseconds(400), std::chrono::milliseconds(400)});
    for (const HttpResponse& bad : {HttpResponse(200, kbfiReport()).silent(),
                                    HttpResponse(200, kbfiReport()).trickle(1, 100)}) {
        server.route("/decoded/KBFI.TXT", bad);
        QElapsedTimer clock;
        clock.start();
        downloader.runUpdate();
        EXPECT_LT(clock.elapsed(), 5000);
        ASSERT_FALSE(prompter.messages().empty());
        EXPECT_EQ(prompter.messages().back().text, "Could not find " + server.base() + "/decoded/KBFI.TXT");
        EXPECT_FALSE(downloader.busy());
        EXPECT_EQ(test::readFile(data), "\"old trend\"\r\n\"old KBFI report\"\r\n");
    }
}

TEST_F(ServerFaults, AResetMidMapKeepsTheOldImageAndNamesTheAddress)
{
    state.tables.addresses[0] = server.base() + "/pix/radar.gif";
    state.tables.files[0] = "radar.gif";
    const std::string image = joinPath(state.tables.folders.maps, "radar.gif");
    test::writeFile(image, "GIF89a old image");
    server.route("/pix/radar.gif", HttpResponse(200, "GIF89a" + std::string(50000, 'n')).dropAfter(20000));
    downloader.maps().downloadAllMaps();
    EXPECT_EQ(test::readFile(image), "GIF89a old image");
    EXPECT_NE(state.download.errorList.find(server.base() + "/pix/radar.gif"), std::string::npos);
    EXPECT_FALSE(downloader.busy());
}

TEST_F(ServerFaults, AVanishedDataFolderIsSaidAndNotRecreatedElsewhere)
{
    server.route("/decoded/KBFI.TXT", HttpResponse(200, kbfiReport()));
    std::filesystem::remove_all(state.tables.folders.stationData);
    test::writeFile(state.tables.folders.stationData, "a file where the folder was");
    downloader.runUpdate();
    ASSERT_FALSE(prompter.messages().empty());
    EXPECT_EQ(prompter.messages().back().title, "Download error");
    EXPECT_EQ(test::readFile(state.tables.folders.stationData), "a file where the folder was");
}

} // namespace
