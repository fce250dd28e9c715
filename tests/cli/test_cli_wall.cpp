// SPDX-License-Identifier: GPL-3.0-or-later
// `ventoral-cli wall`, the real program over 20 stations whose files hold
// real NOAA reports: the JSON gives each station's values as `present`
// gives them for the same file and as the panel shows them, in the short
// list's order; the picture is the wall of 20.

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/wait.h>

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include "instruments/panel_model.h"
#include "observations/station_data.h"
#include "platform/core/number_text.h"
#include "settings/units.h"
#include "test_support.h"

using namespace ventoral;

namespace {

// One report each of 20 stations, in short-list order.
const std::vector<std::string> kReports = {
    "KSEA-3.txt", "KBFI-2.txt", "KPAE-1.txt", "KBLI-7.txt", "KSFO-4.txt", "KNYC-1.txt", "KARB-1.txt",
    "KBRL-1.txt", "KFNT-1.txt", "KIIY-1.txt", "KLAN-1.txt", "KNMM-1.txt", "KOKH-1.txt", "KSIY-1.txt",
    "KYIP-1.txt", "EGLC-2.txt", "EGGD-1.txt", "EHRD-1.txt", "EDDB-1.txt", "ENQA-1.txt"};

struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

class CliWallTest : public ::testing::Test {
protected:
    test::TempDir home;

    CliWallTest()
    {
        std::filesystem::create_directories(home.file("runtime"));
        std::filesystem::permissions(home.file("runtime"), std::filesystem::perms::owner_all);
        std::filesystem::create_directories(home.file("config/ventoral"));
        std::filesystem::create_directories(stations());
    }

    std::string stations() const { return home.file("stations"); }
    std::string dataFile(const std::string& code) const { return stationDataPath(stations(), code); }

    void writeSettings(const std::vector<std::string>& entries)
    {
        std::string ini = "[Files]\r\nStations=" + stations() + "\r\nMinMax=" + home.file("minmax") +
                          "\r\n[Stations]\r\nNumber=" + std::to_string(entries.size()) + "\r\nLast=0\r\n";
        for (std::size_t i = 0; i < entries.size(); ++i)
            ini += "Station" + std::to_string(i) + "=" + entries[i] + "\r\n";
        test::writeFile(home.file("config/ventoral/vntl.ini"), ini);
    }
    // The 20 stations, each with its report and a day of trend.
    void writeTwenty()
    {
        std::vector<std::string> entries;
        for (const std::string& file : kReports) {
            const std::string code = file.substr(0, 4);
            entries.push_back(code + " Station " + code);
            writeStationData(dataFile(code), test::readData("observations/trend/KSEA.TREND"),
                             test::readData("observations/noaa-decoded/" + file));
        }
        writeSettings(entries);
    }

    ProgramRun run(const std::string& args)
    {
        const std::string command = "XDG_CONFIG_HOME=" + home.file("config") + " XDG_DATA_HOME=" + home.file("data") +
                                    " XDG_RUNTIME_DIR=" + home.file("runtime") + " " + VENTORAL_CLI_PATH + " " + args +
                                    " >" + home.file("out") + " 2>" + home.file("err");
        ProgramRun result;
        result.status = WEXITSTATUS(std::system(command.c_str()));
        result.out = test::readFile(home.file("out"));
        result.err = test::readFile(home.file("err"));
        return result;
    }
    QJsonArray wallJson(const std::string& units)
    {
        const ProgramRun result = run("wall --json " + units);
        EXPECT_EQ(result.status, 0) << result.err;
        return QJsonDocument::fromJson(QByteArray::fromStdString(result.out)).array();
    }
};

UnitSettings unitsOf(bool metric)
{
    UnitSettings units;
    if (!metric) {
        units.speedUnit = kSpeedMph;
        units.temperatureUnit = kTempFahrenheit;
        units.pressureUnit = kPressureInches;
    }
    return units;
}

} // namespace

TEST_F(CliWallTest, TwentyStationsGiveWhatPresentAndThePanelGive)
{
    writeTwenty();
    for (const bool metric : {true, false}) {
        const std::string options = metric ? "--speed Kph --temp C --pressure hPa" : "--speed Mph --temp F --pressure In";
        const QJsonArray wall = wallJson(options);
        ASSERT_EQ(wall.size(), 20);
        for (int i = 0; i < 20; ++i) {
            const std::string code = kReports[static_cast<std::size_t>(i)].substr(0, 4);
            const QJsonObject tile = wall[i].toObject();
            EXPECT_EQ(tile["code"].toString().toStdString(), code);
            EXPECT_EQ(tile["name"].toString().toStdString(), "Station " + code);
            EXPECT_EQ(tile["source"].toString(), "decoded report") << code;

            const ProgramRun present = run("present " + dataFile(code) + " " + options);
            ASSERT_EQ(present.status, 0) << present.err;
            const QJsonObject fields = QJsonDocument::fromJson(QByteArray::fromStdString(present.out)).object();
            for (const char* name : {"temperature", "dewPoint", "humidity", "windDirection", "windSpeed", "windGust",
                                     "pressure", "flightCategory", "freshness"})
                EXPECT_EQ(tile[name], fields[name]) << code << " " << name;
            // The two runs read the clock a moment apart.
            EXPECT_NEAR(tile["ageMinutes"].toDouble(), fields["ageMinutes"].toDouble(), 1) << code;
            // present reads only the report's own tendency line; the wall, as the panel, the trend too.
            if (!fields["pressureTendency"].toString().isEmpty()) {
                EXPECT_EQ(tile["pressureTendency"], fields["pressureTendency"]) << code;
            }

            // The panel of the same file says the same.
            const UnitSettings units = unitsOf(metric);
            const PanelModel panel = buildPanelModel(
                snapshotOf(code, ReadData(dataFile(code), code)), std::nullopt, units, {});
            const std::string temperature = decimalText(static_cast<float>(tile["temperature"].toDouble()));
            if (!panel.readings.temperature.empty()) {
                EXPECT_EQ(panel.dial(DialKind::Temperature).caption, "Temperature " + temperature + units.temperatureUnit)
                    << code;
            }
            EXPECT_EQ(tile["flightCategory"].toString().toStdString(),
                      panel.flightCategory ? std::string(flightCategoryName(*panel.flightCategory)) : std::string())
                << code;
            EXPECT_EQ(tile["pressureTendency"].toString().toStdString(), panel.dial(DialKind::Pressure).secondCaption)
                << code;
        }
    }
}

TEST_F(CliWallTest, AStationWithoutDataHasItsCodeAndNameAlone)
{
    writeSettings({"KBFI Boeing Field", "KXYZ Nowhere", "EGLC"});
    writeStationData(dataFile("KBFI"), test::readData("observations/trend/KSEA.TREND"),
                     test::readData("observations/noaa-decoded/KBFI-2.txt"));
    const QJsonArray wall = wallJson("");
    ASSERT_EQ(wall.size(), 3);
    EXPECT_EQ(wall[0].toObject()["flightCategory"].toString(), "IFR");
    EXPECT_EQ(wall[1].toObject(), (QJsonObject{{"code", "KXYZ"}, {"name", "Nowhere"}}));
    EXPECT_EQ(wall[2].toObject(), (QJsonObject{{"code", "EGLC"}, {"name", ""}}));
}

TEST_F(CliWallTest, DrawsTheWallOfTwentyOffScreen)
{
    writeTwenty();
    const ProgramRun result = run("wall " + home.file("wall.png"));
    ASSERT_EQ(result.status, 0) << result.err;
    const QImage picture(QString::fromStdString(home.file("wall.png")));
    // Five columns and four rows of 220 by 160 pixels, 6 pixels apart.
    EXPECT_EQ(picture.size(), QSize(1136, 670));
}

TEST_F(CliWallTest, BadOptionsAndMissingSettingsAreSaidInOneLine)
{
    EXPECT_EQ(run("wall --json").status, 2);   // no settings yet
    writeTwenty();
    for (const char* args : {"wall", "wall --json " "out.png", "wall --json --speed Knots", "wall --json --temp",
                             "wall --json --colour red", "wall a.png b.png"}) {
        const ProgramRun result = run(args);
        EXPECT_EQ(result.status, 2) << args;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << args << ": " << result.err;
        EXPECT_TRUE(result.out.empty()) << args;
    }
    EXPECT_EQ(run("wall /no/such/folder/wall.png").status, 2);
}
