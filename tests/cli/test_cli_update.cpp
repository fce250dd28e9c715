// SPDX-License-Identifier: GPL-3.0-or-later
// `ventoral-cli update`, the real program against a server on 127.0.0.1
// that serves NOAA's own reports. The server runs in this thread, so the
// program is waited for in an event loop.

#include <algorithm>
#include <filesystem>
#include <map>

#include <QDateTime>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

#include <gtest/gtest.h>

#include "http_test_server.h"
#include "metar_service.h"
#include "observations/report_source.h"
#include "observations/station_data.h"
#include "platform/core/file_io.h"
#include "test_support.h"

using namespace ventoral;
using ventoral::test::HttpResponse;
using ventoral::test::HttpTestServer;

namespace {

// The short list, its selection (Last=1) being EHRD.
const std::vector<std::string> kStations = {"EGLC", "EHRD", "KBFI"};
constexpr int kWaitMs = 60000;
const std::string kRadar = test::gifImage(400, 'r');

std::string presentOf(const std::string& code)
{
    return test::readData("observations/noaa-decoded/" + code + "-1.txt");
}

// The real UTC clock, which the program reads too.
CivilTime utcNow()
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    return {now.date().year(), now.date().month(), now.date().day(), now.time().hour(), now.time().minute(),
            now.time().second()};
}

struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

class CliUpdateTest : public ::testing::Test {
protected:
    CliUpdateTest()
    {
        for (const std::string& code : kStations) {
            server.route("/decoded/" + code + ".TXT", HttpResponse(200, presentOf(code)));
            server.route("/trend/" + code + ".TREND",
                         HttpResponse(200, test::readData("observations/trend/KSEA.TREND")));
        }
        server.route("/pix/radar.gif", HttpResponse(200, kRadar).type("image/gif"));
        std::filesystem::create_directories(stations());
        std::filesystem::create_directories(home.file("runtime"));
        std::filesystem::permissions(home.file("runtime"), std::filesystem::perms::owner_all);
    }

    std::string stations() const { return home.file("stations"); }
    std::string settingsFile() const { return home.file("config/ventoral/vntl.ini"); }
    std::string dataFile(const std::string& code) const { return stationDataPath(stations(), code); }

    // updateAll is the user's "whole list" choice; map n is served at /pix/ and its file name, marked Auto.
    void writeSettings(bool updateAll, const std::vector<std::string>& stations = kStations,
                       const std::vector<std::string>& maps = {"radar.gif"})
    {
        std::filesystem::create_directories(home.file("config/ventoral"));
        std::string ini = "[Files]\r\nStations=" + this->stations() + "\r\nMinMax=" + home.file("minmax") +
                          "\r\nMaps=" + home.file("maps") + "\r\n[Stations]\r\nNumber=" +
                          std::to_string(stations.size()) + "\r\nLast=1\r\n";
        for (std::size_t i = 0; i < stations.size(); ++i)
            ini += "Station" + std::to_string(i) + "=" + stations[i] + " station\r\n";
        ini += "[DataAddress]\r\nPresent=" + (presentBase.empty() ? server.base() + "/decoded" : presentBase) +
               "\r\nTrend=" +
               (trendBase.empty() ? server.base() + "/trend" : trendBase) + "\r\n";
        std::string addresses = "[ImageAddress]\r\n", files = "[ImageFile]\r\n", autos = "[ImageAuto]\r\n";
        for (std::size_t i = 0; i < maps.size(); ++i) {
            const std::string n = "0" + std::to_string(i);
            addresses += "U" + n + "=" + server.base() + "/pix/" + maps[i] + "\r\n";
            files += "F" + n + "=" + maps[i] + "\r\n";
            autos += "A" + n + "=1\r\n";
        }
        ini += addresses + files + autos;
        ini += "[Units]\r\nU05=" + std::string(updateAll ? "True" : "False") + "\r\n";
        test::writeFile(settingsFile(), ini);
    }

    ProgramRun run(const QStringList& args, int waitMs = kWaitMs)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", QString::fromStdString(home.file("config")));
        env.insert("XDG_DATA_HOME", QString::fromStdString(home.file("data")));
        env.insert("XDG_RUNTIME_DIR", QString::fromStdString(home.file("runtime")));
        // No desktop session: alarms show nowhere but on standard output.
        env.insert("DBUS_SESSION_BUS_ADDRESS", QString::fromStdString("unix:path=" + home.file("no-bus")));
        process.setProcessEnvironment(env);
        QEventLoop loop;
        QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
        QObject::connect(&process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
        QTimer::singleShot(waitMs, &loop, &QEventLoop::quit);
        process.start(VENTORAL_CLI_PATH, QStringList{"update"} + args);
        loop.exec();
        ProgramRun result;
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
            ADD_FAILURE() << "ventoral-cli update did not end";
            return result;
        }
        result.out = process.readAllStandardOutput().toStdString();
        result.err = process.readAllStandardError().toStdString();
        if (process.exitStatus() == QProcess::NormalExit && process.error() != QProcess::FailedToStart)
            result.status = process.exitCode();
        return result;
    }

    test::WithApplication withApplication;
    test::TempDir home;
    HttpTestServer server;
    std::string trendBase;   // empty: the trend folder of the server
    std::string presentBase; // empty: the decoded reports of the server
};

} // namespace

TEST_F(CliUpdateTest, AllUpdatesTheWholeShortListAndTheAutoMaps)
{
    writeSettings(false);
    const ProgramRun result = run({"--all"});
    ASSERT_EQ(result.status, 0) << result.err;
    for (const std::string& code : kStations) {
        const StationTexts texts = ReadData(dataFile(code), code);
        EXPECT_TRUE(texts.dataValid) << code;
        EXPECT_EQ(texts.presentText.substr(0, 40), presentOf(code).substr(0, 40));
    }
    EXPECT_EQ(test::readFile(home.file("maps/radar.gif")), kRadar);
    EXPECT_NE(result.err.find("Present report of EGLC: decoded report; trend: trend report\n"), std::string::npos)
        << result.err;
    // --all holds for the run only.
    EXPECT_NE(test::readFile(settingsFile()).find("U05=False"), std::string::npos);
}

TEST_F(CliUpdateTest, EachStationSaysWhichSourceGaveItsPresentReport)
{
    // The decoded reports are years old against the real clock: the METARs
    // of the one history answer stand in; KBFI is missing from it, and
    // keeps its old trend beside its decoded report.
    trendBase = server.base() + "/api/data/metar";
    writeSettings(true);
    server.route("/api/data/metar?ids=EGLC,EHRD,KBFI&format=raw&hours=25",
                 HttpResponse(200, "METAR EGLC 010120Z AUTO 09005KT 9999 NCD 05/03 Q1015\n"
                                   "SPECI EHRD 010212Z 24012KT 9999 FEW020 07/04 Q1003\n"));
    server.route("/decoded/EHRD.TXT", HttpResponse(404, "Not Found"));
    const ProgramRun result = run({"--all"});
    // KBFI's trend was not renewed.
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_NE(result.err.find("Present report of EGLC: built from the METAR of 01:20 UTC; trend: METAR history\n"),
              std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("Present report of EHRD: built from the METAR of 02:12 UTC; trend: METAR history; "
                              "no decoded report (answered 404)\n"),
              std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("Present report of KBFI: decoded report; trend: old trend kept; no METAR history (no "
                              "report of KBFI in the answer)\n"),
              std::string::npos)
        << result.err;
}

TEST_F(CliUpdateTest, WithoutAllOnlyTheDisplayedStationIsFetched)
{
    writeSettings(true);
    const ProgramRun result = run({});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(server.requests("/decoded/EHRD.TXT"), 1);
    EXPECT_EQ(server.requests("/decoded/EGLC.TXT"), 0);
    EXPECT_EQ(server.requests("/decoded/KBFI.TXT"), 0);
    EXPECT_TRUE(fileExists(dataFile("EHRD")));
}

TEST_F(CliUpdateTest, EachAlarmRaisedIsOneLineAndNotRepeatedByTheNextRun)
{
    writeSettings(true);
    // EHRD reports 37 F (3 C), EGLC 41 F (5 C), against a limit set as 39 ºF;
    // KBFI 66.9 F (19.4 C) against a limit of its own set as 19 ºC.
    std::string ini = test::readFile(settingsFile());
    ini += "[Alarms]\r\nTempLowC=3.889\r\nTempLowF=39\r\nStations=KBFI\r\nKBFI.TempHighC=19\r\n";
    test::writeFile(settingsFile(), ini);

    const ProgramRun first = run({"--all"});
    ASSERT_EQ(first.status, 0) << first.err;
    // Each in the unit of its limit, whatever the display shows.
    EXPECT_EQ(first.out, "Alarm EHRD: temperature 37 \xC2\xB0" "F, at or below the limit of 39 \xC2\xB0" "F\n"
                         "Alarm KBFI: temperature 19.4 \xC2\xB0" "C, at or above the limit of 19 \xC2\xB0" "C\n");
    EXPECT_EQ(test::readFile(home.file("data/ventoral/alarms-raised.txt")), "EHRD TempLow\nKBFI TempHigh\n");

    const ProgramRun second = run({"--all"});
    ASSERT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(second.out, "");
}

// A state file that cannot be written: each run rings its alarms again and
// says why, once, on standard error.
TEST_F(CliUpdateTest, AnAlarmStateThatCannotBeWrittenIsSaidOnce)
{
    writeSettings(false);
    test::writeFile(settingsFile(), test::readFile(settingsFile()) + "[Alarms]\r\nTempLowC=4\r\n");
    const std::string stateFile = home.file("data/ventoral/alarms-raised.txt");
    std::filesystem::create_directories(stateFile);   // a folder where the file should be
    for (int run = 0; run < 2; ++run) {
        const ProgramRun result = this->run({});
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 1) << result.out;
        const std::string line = "ventoral-cli: the alarm state file " + stateFile +
                                 " cannot be written: each update rings its alarms again\n";
        const auto at = result.err.find(line);
        EXPECT_NE(at, std::string::npos) << result.err;
        EXPECT_EQ(result.err.find(line, at + 1), std::string::npos) << result.err;
    }
}

TEST_F(CliUpdateTest, ABadOptionOrNoStationsGivesStatusTwo)
{
    EXPECT_EQ(run({}).status, 2);
    EXPECT_FALSE(fileExists(settingsFile()));

    writeSettings(true);
    const ProgramRun bad = run({"--everything"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(std::count(bad.err.begin(), bad.err.end(), '\n'), 1) << bad.err;
    EXPECT_EQ(server.requests("/decoded/EHRD.TXT"), 0);
}

TEST_F(CliUpdateTest, ASettingsFileThatCannotBeReadIsSaidAndLeftAsItIs)
{
    std::filesystem::create_directories(settingsFile());   // a folder where the file should be
    const ProgramRun result = run({"--all"});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, "ventoral-cli: the settings file " + settingsFile() + " cannot be read; it is left as it is\n");
    EXPECT_TRUE(std::filesystem::is_directory(settingsFile()));
}

// A settings file kept in a dotfiles folder stays a link when the update
// remembers the station it showed.
TEST_F(CliUpdateTest, ASettingsFileThatIsALinkStaysOne)
{
    writeSettings(false);
    const std::string kept = home.file("dotfiles/vntl.ini");
    std::filesystem::create_directories(home.file("dotfiles"));
    std::filesystem::rename(settingsFile(), kept);
    std::filesystem::create_symlink(kept, settingsFile());
    // "01" reads as 1 and is written back as "1".
    std::string text = test::readFile(kept);
    text.replace(text.find("Last=1\r\n"), 8, "Last=01\r\n");
    test::writeFile(kept, text);

    EXPECT_EQ(run({}).status, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(settingsFile()));
    EXPECT_EQ(std::filesystem::read_symlink(settingsFile()).string(), kept);
    EXPECT_NE(test::readFile(kept).find("Last=1\r\n"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(dataFile("EHRD")));
}

// What a misbehaving service does to a whole update: every old file stays
// as it was, the good station is stored, the run ends by itself within the
// deadlines (20 s a report, 60 s a map) and says that it failed.
TEST_F(CliUpdateTest, AFaultyServiceCostsNoOldFileAndTheRunEndsByItselfWithStatusOne)
{
    const std::string kbfi = presentOf("KBFI");
    const std::string trend = test::readData("observations/trend/KSEA.TREND");
    const std::string html = "<!DOCTYPE html><html><body>Service Unavailable</body></html>";
    const std::vector<std::pair<std::string, HttpResponse>> routes = {
        {"/decoded/NFND.TXT", HttpResponse(404, "Not Found")},
        {"/decoded/UNAV.TXT", HttpResponse(503, "Service Unavailable")},
        {"/decoded/NONE.TXT", HttpResponse(204)},
        {"/decoded/BLNK.TXT", HttpResponse(200, "\r\n\r\n" + html)},
        {"/decoded/TYPE.TXT", HttpResponse(200, "Service Unavailable (TYPE)").type("text/html")},
        {"/decoded/SLNT.TXT", HttpResponse(200, kbfi).silent()},
        {"/decoded/RSET.TXT", HttpResponse(200, kbfi).dropAfter(200)},
        {"/decoded/TRKL.TXT", HttpResponse(200, kbfi)},
        {"/trend/TRKL.TREND", HttpResponse(200, trend).trickle(1, 2000)},
        {"/decoded/KBFI.TXT", HttpResponse(200, kbfi)},
        {"/trend/KBFI.TREND", HttpResponse(200, trend)},
        {"/pix/gone.gif", HttpResponse(404, "Not Found")},
        {"/pix/down.gif", HttpResponse(503, "Service Unavailable")},
        {"/pix/slow.gif", HttpResponse(200, "GIF89a" + std::string(500, 's')).type("image/gif").trickle(1, 2000)},
    };
    for (const auto& [path, response] : routes)
        server.route(path, response);
    const std::vector<std::string> codes = {"NFND", "UNAV", "NONE", "BLNK", "KBFI", "TYPE", "SLNT", "RSET", "TRKL"};
    const std::vector<std::string> maps = {"gone.gif", "down.gif", "slow.gif"};
    writeSettings(false, codes, maps);
    // The settings too: the update writes only the selection it already holds.
    std::map<std::string, std::string> before = {{settingsFile(), test::readFile(settingsFile())}};
    for (const std::string& code : codes) {
        ASSERT_TRUE(writeStationData(dataFile(code), "old trend of " + code, "old report of " + code));
        before[dataFile(code)] = test::readFile(dataFile(code));
    }
    std::filesystem::create_directories(home.file("maps"));
    for (const std::string& name : maps)
        test::writeFile(home.file("maps/" + name), before[home.file("maps/" + name)] = "GIF89a old " + name);
    before.erase(dataFile("KBFI"));
    // Its trend did not come: its new present report is stored with its old trend.
    before.erase(dataFile("TRKL"));

    const ProgramRun result = run({"--all"}, 240000);

    EXPECT_EQ(result.status, 1) << result.err;
    for (const auto& [file, text] : before)
        EXPECT_EQ(test::readFile(file), text) << file;
    EXPECT_EQ(test::readFile(dataFile("TRKL")), stationDataContent("old trend of TRKL", kbfi));
    const StationTexts stored = ReadData(dataFile("KBFI"), "KBFI");
    EXPECT_EQ(stored.presentText.substr(0, 40), kbfi.substr(0, 40));
    for (const char* code : {"NFND", "UNAV", "NONE", "BLNK", "TYPE", "SLNT", "RSET"})
        EXPECT_NE(result.err.find(server.base() + "/decoded/" + std::string(code) + ".TXT"), std::string::npos) << code;
    EXPECT_NE(result.err.find(server.base() + "/trend/TRKL.TREND"), std::string::npos);
    for (const std::string& name : maps)
        EXPECT_NE(result.err.find(server.base() + "/pix/" + name), std::string::npos) << name;
}

TEST_F(CliUpdateTest, AFailedAutoMapAloneGivesStatusOne)
{
    writeSettings(false);
    server.route("/pix/radar.gif", HttpResponse(404, "Not Found"));
    const ProgramRun result = run({"--all"});
    EXPECT_EQ(result.status, 1) << result.err;
    for (const std::string& code : kStations)
        EXPECT_TRUE(fileExists(dataFile(code))) << code;
    EXPECT_NE(result.err.find("Error: Could not Find " + server.base() + "/pix/radar.gif\n"), std::string::npos)
        << result.err;
}

// NOAA cannot be reached: every station's present report is built from its
// newest METAR, the run says so for each station and exits with 1.
TEST_F(CliUpdateTest, NoaaUnreachableStoresReportsBuiltFromTheMetarsAndExitsWithOne)
{
    test::MetarService metar(server, utcNow(), 400);
    for (const std::string& code : kStations)
        metar.reportEvery(code, 30);
    trendBase = server.base() + test::MetarService::kPath;
    presentBase = "http://127.0.0.1:1/decoded";
    writeSettings(true);

    const ProgramRun result = run({"--all"});

    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_EQ(result.err.find("Cannot connect"), std::string::npos) << result.err;
    // One for the list, and one for each station's first week in the archive.
    EXPECT_EQ(metar.requests(), 1 + static_cast<int>(kStations.size()));
    for (const std::string& code : kStations) {
        const StationTexts texts = ReadData(dataFile(code), code);
        EXPECT_TRUE(texts.dataValid) << code;
        EXPECT_EQ(presentSource(texts.lastText, texts.presentText).rfind("built from the METAR of ", 0), 0u) << code;
        EXPECT_NE(result.err.find("Present report of " + code + ": built from the METAR of "), std::string::npos);
    }
    EXPECT_NE(result.err.find("; trend: METAR history; decoded report failed (no connection)\n"), std::string::npos)
        << result.err;
}

// The METAR service cannot be reached: each fresh decoded report is stored
// with the station's old trend, and the run exits with 1.
TEST_F(CliUpdateTest, MetarServiceUnreachableStoresTheDecodedReportsWithTheOldTrendsAndExitsWithOne)
{
    trendBase = "http://127.0.0.1:1/api/data/metar";
    writeSettings(true);
    const std::string oldTrend = test::readData("observations/trend/KSEA.TREND");
    for (const std::string& code : kStations)
        ASSERT_TRUE(writeStationData(dataFile(code), oldTrend, "old report of " + code));

    const ProgramRun result = run({"--all"});

    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_EQ(result.err.find("Cannot connect"), std::string::npos) << result.err;
    for (const std::string& code : kStations) {
        const StationTexts texts = ReadData(dataFile(code), code);
        EXPECT_EQ(texts.presentText, presentOf(code)) << code;
        EXPECT_EQ(texts.lastText, oldTrend) << code;
        EXPECT_NE(result.err.find("Present report of " + code + ": decoded report; trend: old trend kept; METAR "
                                  "history failed (no connection)\n"),
                  std::string::npos)
            << result.err;
    }
}

// Neither source can be reached: "Cannot connect, try later", nothing changes.
TEST_F(CliUpdateTest, NeitherSourceReachableSaysCannotConnectAndExitsWithOne)
{
    trendBase = "http://127.0.0.1:1/api/data/metar";
    presentBase = "http://127.0.0.1:1/decoded";
    writeSettings(true);
    ASSERT_TRUE(writeStationData(dataFile("EGLC"), "old trend", "old report of EGLC"));
    const std::string before = test::readFile(dataFile("EGLC"));

    const ProgramRun result = run({"--all"});

    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_NE(result.err.find("Cannot connect, try later"), std::string::npos) << result.err;
    EXPECT_EQ(test::readFile(dataFile("EGLC")), before);
}
