// SPDX-License-Identifier: GPL-3.0-or-later
// ventoral-cli, run in-process for its JSON and as a program for its exit codes.

#include <algorithm>
#include <filesystem>
#include <cstdio>
#include <cstdlib>

#include <sys/wait.h>
#include <sstream>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include "cli/cli.h"
#include "observations/station_data.h"
#include "test_support.h"

using namespace ventoral;

namespace {

const IsoDateForms kForms;

struct CliRun {
    int status = 0;
    QJsonObject json;
    std::string out;
    std::string err;
};

CliRun runIn(const std::vector<std::string>& args)
{
    CliEnvironment env;
    env.nowUtc = CivilTime{2023, 12, 6, 18, 0, 0};   // no zone: local time is UTC
    env.forms = &kForms;
    std::ostringstream out;
    std::ostringstream err;
    CliRun run;
    run.status = runCli(args, env, out, err);
    run.out = out.str();
    run.err = err.str();
    run.json = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
    return run;
}

std::string report(const std::string& name)
{
    return test::dataPath("observations/noaa-decoded/" + name);
}

// The JSON the real program prints for args with TZ set to zone.
QJsonObject programJson(const std::string& zone, const std::string& args)
{
    test::TempDir dir;
    const std::string command =
        "TZ=" + zone + " " + std::string(VENTORAL_CLI_PATH) + " " + args + " >" + dir.file("out") + " 2>/dev/null";
    EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 0) << command;
    return QJsonDocument::fromJson(QByteArray::fromStdString(test::readFile(dir.file("out")))).object();
}

// Exit status and standard error of the real program.
std::pair<int, std::string> runProgram(const std::string& args)
{
    test::TempDir dir;
    const std::string errFile = dir.file("err");
    const std::string command = std::string(VENTORAL_CLI_PATH) + " " + args + " >/dev/null 2>" + errFile;
    const int status = std::system(command.c_str());
    return {WEXITSTATUS(status), test::readFile(errFile)};
}

} // namespace

TEST(CliPresent, ACalmMetricReportInDefaultUnits)
{
    const CliRun run = runIn({"present", report("KBFI-2.txt")});
    ASSERT_EQ(run.status, 0) << run.err;
    const QJsonObject& j = run.json;
    EXPECT_EQ(j["stationLine"].toString(), "SEATTLE BOEING FIELD, WA, United States (KBFI) 47-33N 122-19W 4M");
    EXPECT_EQ(j["observationTime"].toString(), "17:53:00");
    EXPECT_EQ(j["utcHour"].toDouble(), 17);
    EXPECT_EQ(j["windSpeed"].toDouble(), 0);
    EXPECT_EQ(j["temperature"].toDouble(), 10);
    EXPECT_EQ(j["dewPointText"].toString(), "8.9");
    EXPECT_EQ(j["humidity"].toDouble(), 92);
    EXPECT_EQ(j["pressure"].toDouble(), 1009);
    EXPECT_EQ(j["cycle"].toInt(), 18);
    EXPECT_EQ(j["dateLabel"].toString(), "UTC: 2023-12-06 17:53; Local: 2023-12-06 17:53:00");
    EXPECT_FALSE(j["dateLabelStale"].toBool());
    EXPECT_EQ(j["strip"].toArray().size(), 1);
    EXPECT_EQ(j["flightCategory"].toString(), "IFR");
    EXPECT_EQ(j["pressureTendency"].toString(), "-1.0 hPa/3 h");
}

TEST(CliPresent, ImperialUnitsOffsetAndClockAreHonoured)
{
    const CliRun run = runIn({"present", report("KBFI-2.txt"), "--speed", "Mph", "--temp", "F", "--pressure", "In",
                              "--utc-offset", "-8", "--now", "2023-12-06T11:34:00"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.json["temperatureText"].toString(), "50");
    EXPECT_EQ(run.json["pressureText"].toString(), "29.81");
    EXPECT_EQ(run.json["dateLabel"].toString(), "UTC: 2023-12-06 17:53; Local: 2023-12-06 09:53:00");
    // 11:34 at UTC-8 is 19:34 UTC: 101 minutes, within two cycles.
    EXPECT_FALSE(run.json["dateLabelStale"].toBool());
    EXPECT_EQ(run.json["pressureTendency"].toString(), "-0.03 inHg/3 h");
    EXPECT_EQ(run.json["ageMinutes"].toInt(), 101);
    EXPECT_EQ(run.json["nextDueUtc"].toString(), "18:53");
    EXPECT_EQ(run.json["freshness"].toString(), "1 h 41 min old, overdue since 18:53 UTC");
}

// --utc-offset takes fractions of an hour: a report of 17:53 UTC seen ten
// minutes later at UTC+5:30 and at UTC-3:30.
TEST(CliPresent, HalfHourOffsetsGiveTrueAgesAndLocalTimes)
{
    struct Case {
        const char* offset;
        const char* now;
        const char* dateLabel;
    };
    const Case cases[] = {
        {"5.5", "2023-12-06T23:33:00", "UTC: 2023-12-06 17:53; Local: 2023-12-06 23:23:00"},
        {"-3.5", "2023-12-06T14:33:00", "UTC: 2023-12-06 17:53; Local: 2023-12-06 14:23:00"},
        {"5.75", "2023-12-06T23:48:00", "UTC: 2023-12-06 17:53; Local: 2023-12-06 23:38:00"},
    };
    for (const Case& c : cases) {
        const CliRun run = runIn({"present", report("KBFI-2.txt"), "--utc-offset", c.offset, "--now", c.now});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.json["dateLabel"].toString().toStdString(), c.dateLabel) << c.offset;
        EXPECT_EQ(run.json["ageMinutes"].toInt(), 10) << c.offset;
        EXPECT_EQ(run.json["freshness"].toString(), "10 min old, next about 18:53 UTC") << c.offset;
    }
}

// Without --utc-offset, --now is local time in the machine's zone, TZ: the
// same report ten minutes on in Kolkata and St. John's, and a report of
// 01:53 EST seen at 03:05 EDT, twelve minutes later across New York's
// spring change.
TEST(CliProgram, NowIsLocalTimeInTheZoneTzNames)
{
    struct Case {
        const char* zone;
        std::string file;
        const char* now;
        int ageMinutes;
        const char* nextDueUtc;
    };
    test::TempDir dir;
    const std::string spring = dir.file("KNYC.TXT");
    test::writeFile(spring, "NEW YORK CITY CENTRAL PARK, NY, United States (KNYC) 40-47N 073-58W 48M\n"
                            "Mar 10, 2024 - 01:53 AM EST / 2024.03.10 0653 UTC\nTemperature: 41.0 F (5.0 C)\n");
    const Case cases[] = {
        {"Asia/Kolkata", report("KBFI-2.txt"), "2023-12-06T23:33:00", 10, "18:53"},
        {"America/St_Johns", report("KBFI-2.txt"), "2023-12-06T14:33:00", 10, "18:53"},
        {"America/New_York", spring, "2024-03-10T03:05:00", 12, "07:53"},
        {"America/New_York", spring, "2024-03-10T01:55:00", 2, "07:53"},
    };
    for (const Case& c : cases) {
        const QJsonObject json = programJson(c.zone, "present '" + c.file + "' --now " + c.now);
        EXPECT_EQ(json["ageMinutes"].toInt(), c.ageMinutes) << c.zone << " " << c.now;
        EXPECT_EQ(json["nextDueUtc"].toString().toStdString(), c.nextDueUtc) << c.zone << " " << c.now;
    }
}

TEST(CliPresent, AReportFromTheFutureHasNoAgeAndIsNotStale)
{
    const CliRun run = runIn({"present", report("KBFI-2.txt"), "--utc-offset", "0", "--now", "2023-12-06T17:30:00"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.json["ageMinutes"].isNull());
    EXPECT_EQ(run.json["nextDueUtc"].toString(), "");
    EXPECT_FALSE(run.json["dateLabelStale"].toBool());
}

TEST(CliPresent, EveryObservationFieldIsPrintedUnderItsOwnName)
{
    const CliRun run = runIn({"present", report("not-pristine/KSMO-1.txt")});
    ASSERT_EQ(run.status, 0) << run.err;
    for (const char* field :
         {"stationLine", "dateLine", "utcHour", "observationTime", "windDirection", "windDirectionText", "windSpeed",
          "windSpeedText", "windGust", "maxGustSeen", "temperature", "temperatureText", "dewPoint", "dewPointText",
          "humidity", "humidityText", "pressure", "pressureText", "cycle", "dateLabel", "dateLabelStale", "freshness",
          "ageMinutes", "nextDueUtc", "strip", "flightCategory", "pressureTendency", "pressureTendencyWords"})
        EXPECT_TRUE(run.json.contains(field)) << field;
    // 8 MPH in km/h, printed as the float it is.
    EXPECT_EQ(run.json["windSpeed"].toDouble(), 12.886186);
    // "10SM" and no sky group on its ob: line: an empty string, not null.
    const std::string noSky = test::dataPath("observations/noaa-decoded-more/KBBF-2010-10-31.txt");
    EXPECT_EQ(runIn({"present", noSky}).json["flightCategory"], QJsonValue(""));
}

TEST(CliTrend, PrintsTwentyFiveRowsOfFourteenCells)
{
    const CliRun run = runIn({"trend", test::dataPath("observations/trend/KSEA.TREND"), "--speed", "Mph"});
    ASSERT_EQ(run.status, 0) << run.err;
    const QJsonArray rows = run.json["rows"].toArray();
    ASSERT_EQ(rows.size(), 25);
    for (const auto& row : rows)
        EXPECT_EQ(row.toArray().size(), 14);
    EXPECT_EQ(rows[0].toArray()[1].toString(), "0");
    EXPECT_EQ(rows[0].toArray()[11].toString(), "9");
    EXPECT_EQ(rows[24].toArray()[0].toString(), "");
}

TEST(CliStationFile, PresentAndTrendReadTheirOwnRecordOfAStationDataFile)
{
    // The trend's "Calm" would otherwise read as the present wind.
    test::TempDir dir;
    const std::string trend = test::dataPath("observations/trend/KSEA.TREND");
    const std::string present = report("KBFI-2.txt");
    const std::string data = dir.file("KBFIData.txt");
    test::writeFile(data, "\"" + test::readFile(trend) + "\"\r\n\"" + test::readFile(present) + "\"\r\n");
    EXPECT_EQ(runIn({"present", data}).out, runIn({"present", present}).out);
    EXPECT_EQ(runIn({"trend", data}).out, runIn({"trend", trend}).out);
}

// The trend of a station data file gives the station's rhythm: Incheon
// reports every half hour, and a special report of Seattle's is followed by
// its routine one at minute 53.
TEST(CliStationFile, NextDueFollowsTheStationsRhythm)
{
    test::TempDir dir;
    const auto dataFile = [&](const std::string& code, const std::string& trend, const std::string& date) {
        const std::string path = dir.file(code + "Data.txt");
        const std::string present = "A STATION (" + code + ") 37-28N 126-27E 7M\nlocal time / " + date +
                                    " UTC\nTemperature: 82.4 F (28.0 C)\n";
        test::writeFile(path, "\"" + test::readData(trend) + "\"\r\n\"" + present + "\"\r\n");
        return path;
    };
    const std::string incheon = dataFile("RKSI", "observations/trend/RKSI-0335.trend", "2026.06.18 0330");
    const CliRun half = runIn({"present", incheon, "--now", "2026-06-18T03:40:00"});
    EXPECT_EQ(half.json["nextDueUtc"].toString(), "04:00");
    EXPECT_EQ(half.json["freshness"].toString(), "10 min old, next about 04:00 UTC");

    const std::string seattle = dataFile("KSEA", "observations/trend/KSEA.TREND", "2023.12.14 1512");
    const CliRun special = runIn({"present", seattle, "--now", "2023-12-14T15:20:00"});
    EXPECT_EQ(special.json["nextDueUtc"].toString(), "15:53");
    // The report alone, without its trend: an hour after it.
    test::writeFile(dir.file("KSEA.TXT"), quotedRecordsOf(test::readFile(seattle))->presentText);
    EXPECT_EQ(runIn({"present", dir.file("KSEA.TXT"), "--now", "2023-12-14T15:20:00"}).json["nextDueUtc"].toString(),
              "16:12");
}

TEST(CliErrors, BadInputGivesOneLineOnStandardErrorAndStatusTwo)
{
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"forecast", report("KBFI-2.txt")},
        {"present"},
        {"present", "/no/such/file.txt"},
        {"present", report("KBFI-2.txt"), "--temp", "K"},
        {"present", report("KBFI-2.txt"), "--speed"},
        {"present", report("KBFI-2.txt"), "--now", "2023-13-01T00:00:00"},
        {"present", report("KBFI-2.txt"), "--utc-offset", "east"},
        {"present", report("KBFI-2.txt"), "--utc-offset", "25"},
        {"trend", report("KBFI-2.txt"), "--temp", "C"},
        {"present", report("KBFI-2.txt"), "extra"},
    };
    for (const auto& args : cases) {
        const CliRun run = runIn(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.out.empty());
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
}

TEST(CliProgram, ExitsWithTheRightStatus)
{
    EXPECT_EQ(runProgram("present " + report("KBFI-2.txt")).first, 0);
    const auto [status, err] = runProgram("present /no/such/file.txt");
    EXPECT_EQ(status, 2);
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
    EXPECT_EQ(runProgram("present /tmp").first, 2);   // a folder
}

TEST(CliSnapshot, SavesTheMainWindowAsPngFromTheUsersSettings)
{
    test::TempDir home;
    std::filesystem::create_directories(home.file("runtime"));
    std::filesystem::permissions(home.file("runtime"), std::filesystem::perms::owner_all);
    const std::string env = "XDG_CONFIG_HOME=" + home.file("config") + " XDG_DATA_HOME=" + home.file("data") +
                            " XDG_RUNTIME_DIR=" + home.file("runtime") + " ";
    const auto run = [&](const std::string& args) {
        const std::string command = env + VENTORAL_CLI_PATH + " snapshot " + args + " >/dev/null 2>" + home.file("err");
        return WEXITSTATUS(std::system(command.c_str()));
    };
    EXPECT_EQ(run(home.file("panel.png")), 2);   // no settings yet
    const std::string err = test::readFile(home.file("err"));
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
    // A settings file that cannot be read is said so and left as it is.
    std::filesystem::create_directories(home.file("config/ventoral/vntl.ini"));
    EXPECT_EQ(run(home.file("panel.png")), 2);
    EXPECT_EQ(test::readFile(home.file("err")), "ventoral-cli: the settings file " +
                                                    home.file("config/ventoral/vntl.ini") +
                                                    " cannot be read; it is left as it is\n");
    EXPECT_TRUE(std::filesystem::is_directory(home.file("config/ventoral/vntl.ini")));
    std::filesystem::remove(home.file("config/ventoral/vntl.ini"));

    const std::string stations = home.file("stations");
    std::filesystem::create_directories(home.file("config/ventoral"));
    std::filesystem::create_directories(stations);
    test::writeFile(home.file("config/ventoral/vntl.ini"),
                    "[Files]\r\nStations=" + stations + "\r\nMinMax=" + stations + "\r\n[Stations]\r\nNumber=2\r\n"
                    "Last=0\r\nStation0=KSEA\r\nStation1=KBFI Boeing Field\r\n[Colors]\r\nC09=11927169\r\n");
    test::writeFile(stations + "/KBFIData.txt", "\"" + test::readData("observations/trend/KSEA.TREND") + "\"\r\n\"" +
                                                    test::readData("observations/noaa-decoded/KBFI-2.txt") + "\"\r\n");
    // A station of the list, in any case, gives a picture.
    EXPECT_EQ(run(home.file("panel.png") + " --station kbfi"), 0) << test::readFile(home.file("err"));
    EXPECT_EQ(test::readFile(home.file("panel.png")).substr(1, 3), "PNG");
    EXPECT_EQ(run(home.file("other.png") + " --station ZZZZ"), 2);
}
