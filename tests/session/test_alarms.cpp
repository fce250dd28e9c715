// Alarms: crossing, raising once and arming again over a run of updates,
// and the check after an update that reads the station files and keeps its
// state between runs.

#include <gtest/gtest.h>

#include "observations/station_data.h"
#include "platform/core/file_io.h"
#include "session/alarm_watch.h"
#include "session/alarms.h"
#include "test_support.h"

namespace ventoral {
namespace {

using Kinds = std::vector<AlarmKind>;

Kinds kindsOf(const std::vector<RaisedAlarm>& raised)
{
    Kinds kinds;
    for (const RaisedAlarm& a : raised)
        kinds.push_back(a.kind);
    return kinds;
}

AlarmReadings gust(std::optional<double> kph)
{
    AlarmReadings r;
    r.gustKph = kph;
    return r;
}

AlarmReadings temperature(std::optional<double> c)
{
    AlarmReadings r;
    r.temperatureC = c;
    return r;
}

AlarmReadings pressure(std::optional<double> changeHpa)
{
    AlarmReadings r;
    r.pressureChangeHpa = changeHpa;
    return r;
}

struct Step {
    AlarmReadings readings;
    Kinds raised;
};

struct Sequence {
    const char* name;
    AlarmLimits limits;
    std::vector<Step> steps;
};

AlarmLimits limits(std::optional<double> AlarmLimits::*member, double value)
{
    AlarmLimits l;
    l.*member = value;
    return l;
}

class AlarmSequence : public ::testing::TestWithParam<Sequence> {};

TEST_P(AlarmSequence, RaisesOnceUntilTheValueGoesBack)
{
    AlarmState state;
    int step = 0;
    for (const Step& s : GetParam().steps) {
        EXPECT_EQ(kindsOf(state.update("KSEA", s.readings, GetParam().limits)), s.raised) << "step " << step;
        ++step;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Updates, AlarmSequence,
    ::testing::Values(
        Sequence{"GustAtOrAbove",
                 limits(&AlarmLimits::gustKph, 60),
                 {{gust(50), {}},
                  {gust(65), {AlarmKind::Gust}},
                  {gust(70), {}},
                  {gust(std::nullopt), {}},   // no wind line: nothing known, still raised
                  {gust(61), {}},
                  {gust(59.9), {}},           // back below: armed again
                  {gust(60), {AlarmKind::Gust}},
                  {gust(0), {}},              // no gust in the report
                  {gust(80), {AlarmKind::Gust}}}},
        Sequence{"WindAtOrAbove",
                 limits(&AlarmLimits::windKph, 40),
                 {{AlarmReadings{{}, 39.0, {}, {}}, {}},
                  {AlarmReadings{{}, 40.0, {}, {}}, {AlarmKind::Wind}},
                  {AlarmReadings{{}, 12.0, {}, {}}, {}},
                  {AlarmReadings{{}, 41.0, {}, {}}, {AlarmKind::Wind}}}},
        Sequence{"TemperatureAtOrBelow",
                 limits(&AlarmLimits::temperatureLowC, 0),
                 {{temperature(2), {}},
                  {temperature(0), {AlarmKind::TemperatureLow}},
                  {temperature(-3), {}},
                  {temperature(std::nullopt), {}},
                  {temperature(0.1), {}},
                  {temperature(-1), {AlarmKind::TemperatureLow}}}},
        Sequence{"TemperatureAtOrAbove",
                 limits(&AlarmLimits::temperatureHighC, 30),
                 {{temperature(29.9), {}}, {temperature(30), {AlarmKind::TemperatureHigh}}, {temperature(31), {}}}},
        Sequence{"PressureFallingByAtLeast",
                 limits(&AlarmLimits::pressureFallHpa, 3),
                 {{pressure(-2.9), {}},
                  {pressure(-3), {AlarmKind::PressureFall}},
                  {pressure(-4.5), {}},
                  {pressure(std::nullopt), {}},   // no tendency: still raised
                  {pressure(1.2), {}},
                  {pressure(-3.5), {AlarmKind::PressureFall}}}},
        Sequence{"NoLimitsNoAlarms", AlarmLimits{}, {{AlarmReadings{99.0, 99.0, -40.0, -20.0}, {}}}},
        Sequence{"SeveralAtOnceInOrder",
                 [] {
                     AlarmLimits l;
                     l.gustKph = 50;
                     l.temperatureLowC = -5;
                     l.pressureFallHpa = 2;
                     return l;
                 }(),
                 {{AlarmReadings{55.0, 30.0, -6.0, -2.5},
                   {AlarmKind::Gust, AlarmKind::TemperatureLow, AlarmKind::PressureFall}},
                  {AlarmReadings{55.0, 30.0, -4.0, -2.5}, {}},
                  {AlarmReadings{55.0, 30.0, -5.0, -2.5}, {AlarmKind::TemperatureLow}}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AlarmState, ALimitTakenAwayArmsItsAlarmAgain)
{
    AlarmState state;
    const AlarmLimits set = limits(&AlarmLimits::gustKph, 60);
    EXPECT_EQ(kindsOf(state.update("KSEA", gust(70), set)), Kinds{AlarmKind::Gust});
    EXPECT_EQ(kindsOf(state.update("KSEA", gust(70), AlarmLimits{})), Kinds{});
    EXPECT_FALSE(state.isRaised("KSEA", AlarmKind::Gust));
    EXPECT_EQ(kindsOf(state.update("KSEA", gust(70), set)), Kinds{AlarmKind::Gust});
}

TEST(AlarmState, StationsAreApartAndTheStateReadsBack)
{
    AlarmState state;
    const AlarmLimits set = limits(&AlarmLimits::gustKph, 60);
    state.update("KSEA", gust(70), set);
    EXPECT_EQ(kindsOf(state.update("EGLL", gust(70), set)), Kinds{AlarmKind::Gust});
    state.update("EGLL", AlarmReadings{0.0, {}, -2.0, {}}, limits(&AlarmLimits::temperatureLowC, 0));
    EXPECT_EQ(state.toText(), "EGLL TempLow\nKSEA Gust\n");
    EXPECT_EQ(AlarmState::fromText(state.toText() + "junk\nKSEA Hail\nksea Gust\n\n"), state);
}

TEST(AlarmMessage, NamesStationValueAndLimitInTheDisplayUnits)
{
    const DisplayUnits metric;
    const DisplayUnits imperial{false, false, false};
    EXPECT_EQ(alarmMessage({"KSEA", AlarmKind::Gust, 65.0, 60.0}, metric),
              "KSEA: gust 65 km/h, at or above the limit of 60 km/h");
    EXPECT_EQ(alarmMessage({"KSEA", AlarmKind::Wind, mphToKph(30), mphToKph(25)}, imperial),
              "KSEA: wind 30 mph, at or above the limit of 25 mph");
    EXPECT_EQ(alarmMessage({"EGLL", AlarmKind::TemperatureLow, -1.1, 0}, metric),
              "EGLL: temperature -1.1 \xC2\xB0" "C, at or below the limit of 0 \xC2\xB0" "C");
    EXPECT_EQ(alarmMessage({"EGLL", AlarmKind::TemperatureHigh, 30, 30}, imperial),
              "EGLL: temperature 86 \xC2\xB0" "F, at or above the limit of 86 \xC2\xB0" "F");
    EXPECT_EQ(alarmMessage({"KSFO", AlarmKind::PressureFall, 2.2, 2}, imperial),
              "KSFO: pressure fell 2.2 hPa in 3 hours, at least the limit of 2 hPa");
}

TEST(AlarmReadings, FromRealReports)
{
    const auto sfo = alarmReadingsOf(test::readData("observations/noaa-decoded/KSFO-3.txt"), "");
    EXPECT_NEAR(*sfo.windKph, mphToKph(17), 1e-4);
    EXPECT_NEAR(*sfo.gustKph, mphToKph(26), 1e-4);
    EXPECT_NEAR(*sfo.temperatureC, 15.6, 1e-4);
    EXPECT_DOUBLE_EQ(*sfo.pressureChangeHpa, -2.2);

    // A calm report: a wind of 0 and no gust; its own tendency line before the trend.
    const auto calm = alarmReadingsOf(test::readData("observations/noaa-decoded/KBFI-2.txt"),
                                      test::readData("observations/trend/KSEA.TREND"));
    EXPECT_EQ(calm.windKph, 0.0);
    EXPECT_EQ(calm.gustKph, 0.0);
    EXPECT_DOUBLE_EQ(*calm.pressureChangeHpa, -1.0);

    EXPECT_FALSE(alarmReadingsOf(kNoDataText, "").temperatureC);
}

class RecordingNotifier : public Notifier {
public:
    std::vector<std::string> bodies;
    bool notify(const std::string& title, const std::string& body) override
    {
        EXPECT_EQ(title, kAlarmTitle);
        bodies.push_back(body);
        return true;
    }
};

TEST(CheckAlarms, EachRunReadsTheFilesAndRemembersWhatItRaised)
{
    test::TempDir dir;
    const std::string settings = dir.file("vntl.ini");
    test::writeFile(settings, "[Alarms]\r\nGustKph=40\r\nStations=KSFO\r\nKSFO.PressureFallHpa=2\r\n");
    const std::string data = dir.file("data");
    ASSERT_TRUE(createFolder(data));
    writeStationData(stationDataPath(data, "KBLI"), "", test::readData("observations/noaa-decoded/KBLI-7.txt"));
    writeStationData(stationDataPath(data, "KSFO"), "", test::readData("observations/noaa-decoded/KSFO-3.txt"));
    AlarmCheck check{settings, data, {"KBLI", "KSFO", "KJFK"}, DisplayUnits{}, dir.file("state/alarms.txt")};

    RecordingNotifier first;
    // KBLI gusts to 40.3 km/h; KSFO's own limits have no gust limit, but its pressure fell 2.2 hPa.
    EXPECT_EQ(kindsOf(checkAlarms(check, first)), (Kinds{AlarmKind::Gust, AlarmKind::PressureFall}));
    EXPECT_EQ(first.bodies, (std::vector<std::string>{
                                "KBLI: gust 40.3 km/h, at or above the limit of 40 km/h",
                                "KSFO: pressure fell 2.2 hPa in 3 hours, at least the limit of 2 hPa"}));
    EXPECT_EQ(test::readFile(check.stateFile), "KBLI Gust\nKSFO PressureFall\n");

    // The next run, from cron, finds the same reports: nothing new.
    RecordingNotifier second;
    EXPECT_TRUE(checkAlarms(check, second).empty());
    EXPECT_TRUE(second.bodies.empty());

    // The gust limit raised above the gust arms it again.
    test::writeFile(settings, "[Alarms]\r\nGustKph=45\r\n");
    EXPECT_TRUE(checkAlarms(check, second).empty());
    EXPECT_EQ(test::readFile(check.stateFile), "");
}

TEST(CheckAlarms, TheStationsOfAnUpdate)
{
    AppState state;
    state.tables.shortList.entries = {"KSEA Seattle", "EGLL", "KSEA again", ""};
    state.station.currentStation = "EGLL";
    state.tables.units.updateAll = true;
    EXPECT_EQ(stationsOfUpdate(state), (std::vector<std::string>{"KSEA", "EGLL"}));
    state.tables.units.updateAll = false;
    EXPECT_EQ(stationsOfUpdate(state), std::vector<std::string>{"EGLL"});
}

} // namespace
} // namespace ventoral
