// `ventoral-cli update`, the real program against a server on 127.0.0.1
// that serves NOAA's own reports. The server runs in this thread, so the
// program is waited for in an event loop.

#include <filesystem>

#include <QEventLoop>
#include <QProcess>
#include <QTimer>

#include <gtest/gtest.h>

#include "download/http_test_server.h"
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

std::string presentOf(const std::string& code)
{
    return test::readData("observations/noaa-decoded/" + code + "-1.txt");
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
        server.route("/pix/radar.gif", HttpResponse(200, "GIF89a radar picture").type("image/gif"));
        std::filesystem::create_directories(stations());
        std::filesystem::create_directories(home.file("runtime"));
        std::filesystem::permissions(home.file("runtime"), std::filesystem::perms::owner_all);
    }

    std::string stations() const { return home.file("stations"); }
    std::string settingsFile() const { return home.file("config/ventoral/vntl.ini"); }
    std::string dataFile(const std::string& code) const { return stationDataPath(stations(), code); }

    // The short list with one map marked Auto; updateAll is the user's "whole list" choice.
    void writeSettings(bool updateAll)
    {
        std::filesystem::create_directories(home.file("config/ventoral"));
        std::string ini = "[Files]\r\nStations=" + stations() + "\r\nMinMax=" + home.file("minmax") +
                          "\r\nMaps=" + home.file("maps") + "\r\n[Stations]\r\nNumber=3\r\nLast=1\r\n";
        for (std::size_t i = 0; i < kStations.size(); ++i)
            ini += "Station" + std::to_string(i) + "=" + kStations[i] + " station\r\n";
        ini += "[DataAddress]\r\nPresent=" + server.base() + "/decoded\r\nTrend=" + server.base() + "/trend\r\n";
        ini += "[ImageAddress]\r\nU00=" + server.base() + "/pix/radar.gif\r\n[ImageFile]\r\nF00=radar.gif\r\n";
        ini += "[ImageAuto]\r\nA00=1\r\n[Units]\r\nU05=" + std::string(updateAll ? "True" : "False") + "\r\n";
        test::writeFile(settingsFile(), ini);
    }

    ProgramRun run(const QStringList& args)
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
        QTimer::singleShot(kWaitMs, &loop, &QEventLoop::quit);
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
    EXPECT_EQ(test::readFile(home.file("maps/radar.gif")), "GIF89a radar picture");
    EXPECT_NE(result.err.find("1/6 Seeking present data for EGLC\n"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("Seeking trend data for KBFI\n"), std::string::npos) << result.err;
    // --all holds for the run only.
    EXPECT_NE(test::readFile(settingsFile()).find("U05=False"), std::string::npos);
}

TEST_F(CliUpdateTest, AMissingReportFailsAndItsAddressIsPrinted)
{
    writeSettings(true);
    server.route("/decoded/EHRD.TXT", HttpResponse(404, "<html>Not Found</html>").type("text/html"));
    const ProgramRun result = run({"--all"});
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_NE(result.err.find("Error: Could not find " + server.base() + "/decoded/EHRD.TXT\n"), std::string::npos)
        << result.err;
    EXPECT_FALSE(fileExists(dataFile("EHRD")));
    EXPECT_TRUE(fileExists(dataFile("EGLC")));
    EXPECT_TRUE(fileExists(dataFile("KBFI")));
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
    EXPECT_NE(result.err.find("1/2 Seeking present data for EHRD\n"), std::string::npos) << result.err;
}

TEST_F(CliUpdateTest, EachAlarmRaisedIsOneLineAndNotRepeatedByTheNextRun)
{
    writeSettings(true);
    // EHRD reports 3 ºC; KBFI 19.4 ºC against a limit of its own; EGLC 5 ºC.
    std::string ini = test::readFile(settingsFile());
    ini += "[Alarms]\r\nTempLowC=4\r\nStations=KBFI\r\nKBFI.TempHighC=19\r\n";
    test::writeFile(settingsFile(), ini);

    const ProgramRun first = run({"--all"});
    ASSERT_EQ(first.status, 0) << first.err;
    // No units set: Fahrenheit.
    EXPECT_EQ(first.out, "Alarm EHRD: temperature 37.4 \xC2\xB0" "F, at or below the limit of 39.2 \xC2\xB0" "F\n"
                         "Alarm KBFI: temperature 66.9 \xC2\xB0" "F, at or above the limit of 66.2 \xC2\xB0" "F\n");
    EXPECT_EQ(test::readFile(home.file("data/ventoral/alarms-raised.txt")), "EHRD TempLow\nKBFI TempHigh\n");

    const ProgramRun second = run({"--all"});
    ASSERT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(second.out, "");
}

TEST_F(CliUpdateTest, ABadOptionOrNoStationsGivesStatusTwo)
{
    const ProgramRun unset = run({});
    EXPECT_EQ(unset.status, 2);
    EXPECT_NE(unset.err.find("start ventoral once first"), std::string::npos) << unset.err;
    EXPECT_FALSE(fileExists(settingsFile()));

    writeSettings(true);
    const ProgramRun bad = run({"--everything"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.err, "ventoral-cli: unknown option --everything (see ventoral-cli --help)\n");
    EXPECT_EQ(server.requests("/decoded/EHRD.TXT"), 0);
}
