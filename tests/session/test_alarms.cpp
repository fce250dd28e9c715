// SPDX-License-Identifier: GPL-3.0-or-later
// Alarms: crossing, raising once and arming again over a run of updates,
// their readings and their messages.

#include <cmath>

#include <gtest/gtest.h>

#include "observations/observation.h"
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

// Each alarm over a run of updates: raised once when its reading reaches the
// limit, and armed again only when the reading goes back. A missing reading
// (nullopt) tells nothing and leaves a raised alarm raised.
TEST(AlarmState, EachAlarmRaisesOnceUntilTheValueGoesBack)
{
    struct Sequence {
        std::optional<AlarmLimit> AlarmLimits::*limit;
        AlarmLimit limitValue;
        std::optional<double> AlarmReadings::*reading;
        AlarmKind kind;
        std::vector<std::pair<std::optional<double>, bool>> steps;   // reading, raised
    };
    const std::optional<double> none;
    const Sequence sequences[] = {
        {&AlarmLimits::gust, {40, AlarmUnit::Mph}, &AlarmReadings::gustMph, AlarmKind::Gust,
         // 0: no gust in the report
         {{30, false}, {45, true}, {50, false}, {none, false}, {41, false}, {39, false}, {40, true}, {0, false},
          {60, true}}},
        {&AlarmLimits::wind, {25, AlarmUnit::Mph}, &AlarmReadings::windMph, AlarmKind::Wind,
         {{24, false}, {25, true}, {12, false}, {26, true}}},
        {&AlarmLimits::temperatureLow, {0, AlarmUnit::Celsius}, &AlarmReadings::temperatureC,
         AlarmKind::TemperatureLow, {{2, false}, {0, true}, {-3, false}, {none, false}, {0.1, false}, {-1, true}}},
        {&AlarmLimits::temperatureHigh, {86, AlarmUnit::Fahrenheit}, &AlarmReadings::temperatureF,
         AlarmKind::TemperatureHigh, {{85.9, false}, {86, true}, {88, false}}},
        {&AlarmLimits::pressureFall, {3, AlarmUnit::Hpa}, &AlarmReadings::pressureChangeHpa, AlarmKind::PressureFall,
         {{-2.9, false}, {-3, true}, {-4.5, false}, {none, false}, {1.2, false}, {-3.5, true}}},
    };
    for (const Sequence& sequence : sequences) {
        AlarmState state;
        for (std::size_t step = 0; step < sequence.steps.size(); ++step) {
            AlarmLimits limits;
            limits.*sequence.limit = sequence.limitValue;
            AlarmReadings readings;
            readings.*sequence.reading = sequence.steps[step].first;
            const Kinds expected = sequence.steps[step].second ? Kinds{sequence.kind} : Kinds{};
            EXPECT_EQ(kindsOf(state.update("KSEA", readings, limits)), expected)
                << "alarm " << static_cast<int>(sequence.kind) << ", step " << step;
        }
    }
}

const AlarmLimit kGust50Kph{50, AlarmUnit::Kph};

TEST(AlarmState, SeveralAtOnceInOrderAndNoneWithoutLimits)
{
    AlarmState state;
    // gust, wind (MPH), temperature ºF and ºC, pressure change
    EXPECT_EQ(kindsOf(state.update("KSEA", AlarmReadings{99.0, 99.0, -40.0, -40.0, -20.0}, AlarmLimits{})), Kinds{});
    const AlarmLimits l{kGust50Kph, {}, AlarmLimit{-5, AlarmUnit::Celsius}, {}, AlarmLimit{2, AlarmUnit::Hpa}};
    EXPECT_EQ(kindsOf(state.update("KSEA", AlarmReadings{35.0, 30.0, 21.2, -6.0, -2.5}, l)),
              (Kinds{AlarmKind::Gust, AlarmKind::TemperatureLow, AlarmKind::PressureFall}));
    EXPECT_EQ(kindsOf(state.update("KSEA", AlarmReadings{35.0, 30.0, 24.8, -4.0, -2.5}, l)), Kinds{});
    EXPECT_EQ(kindsOf(state.update("KSEA", AlarmReadings{35.0, 30.0, 23.0, -5.0, -2.5}, l)),
              Kinds{AlarmKind::TemperatureLow});
}

// Stations are apart, a limit taken away arms its alarm again, and the state reads back.
TEST(AlarmState, StationsAreApartAndTheStateReadsBack)
{
    AlarmState state;
    const AlarmLimits set{kGust50Kph, {}, {}, {}, {}};
    const AlarmReadings gusting{45.0, 20.0, {}, {}, {}};
    EXPECT_EQ(kindsOf(state.update("KSEA", gusting, set)), Kinds{AlarmKind::Gust});
    EXPECT_EQ(kindsOf(state.update("EGLL", gusting, set)), Kinds{AlarmKind::Gust});
    EXPECT_EQ(kindsOf(state.update("EGLL", gusting, AlarmLimits{})), Kinds{});
    EXPECT_FALSE(state.isRaised("EGLL", AlarmKind::Gust));
    EXPECT_TRUE(state.isRaised("KSEA", AlarmKind::Gust));
    EXPECT_EQ(kindsOf(state.update("EGLL", gusting, set)), Kinds{AlarmKind::Gust});
    state.update("EGLL", AlarmReadings{0.0, 0.0, 28.4, -2.0, {}},
                 AlarmLimits{{}, {}, AlarmLimit{0, AlarmUnit::Celsius}, {}, {}});
    EXPECT_EQ(state.toText(), "EGLL TempLow\nKSEA Gust\n");
    EXPECT_EQ(AlarmState::fromText(state.toText() + "junk\nKSEA Hail\nksea Gust\n\n"), state);
}

// A real report with a part of it changed; its station line ends in "(CODE)".
std::string reportWith(const char* file, const std::string& from, const std::string& to)
{
    std::string text = test::readData(std::string("observations/noaa-decoded/") + file + ".txt");
    if (!from.empty())
        text.replace(text.find(from), from.size(), to);
    return text;
}

// A limit is held against the report's own figure in the limit's unit, and
// a reading equal to it rings; the message quotes both in that unit.
TEST(AlarmState, ALimitIsHeldAgainstTheReadingInItsOwnUnit)
{
    struct Case {
        const char* what;
        std::string report;
        std::optional<AlarmLimit> AlarmLimits::*limit;
        AlarmLimit value;
        std::string message;   // empty: no alarm
    };
    const std::string f42 = reportWith("EGGD-1", "", "");   // "42 F (6 C)"
    const std::string gust40 = reportWith("KSFO-3", "gusting to 26 MPH", "gusting to 40 MPH");
    const std::string gust39 = reportWith("KSFO-3", "gusting to 26 MPH", "gusting to 39 MPH");
    const std::string sfo = reportWith("KSFO-3", "", "");   // 60.1 F (15.6 C), wind 17 MPH
    using L = AlarmLimits;
    const Case cases[] = {
        {"42 F at or below 42 F", f42, &L::temperatureLow, {42, AlarmUnit::Fahrenheit},
         "EGGD: temperature 42 \xC2\xB0" "F, at or below the limit of 42 \xC2\xB0" "F"},
        {"42 F at or below 41.9 F", f42, &L::temperatureLow, {41.9, AlarmUnit::Fahrenheit}, ""},
        {"6 C at or below 6 C", f42, &L::temperatureLow, {6, AlarmUnit::Celsius},
         "EGGD: temperature 6 \xC2\xB0" "C, at or below the limit of 6 \xC2\xB0" "C"},
        {"6 C at or below 5.6 C", f42, &L::temperatureLow, {5.6, AlarmUnit::Celsius}, ""},
        {"60.1 F at or above 60.1 F", sfo, &L::temperatureHigh, {60.1, AlarmUnit::Fahrenheit},
         "KSFO: temperature 60.1 \xC2\xB0" "F, at or above the limit of 60.1 \xC2\xB0" "F"},
        {"15.6 C at or above 15.7 C", sfo, &L::temperatureHigh, {15.7, AlarmUnit::Celsius}, ""},
        {"gust 40 MPH at or above 40 MPH", gust40, &L::gust, {40, AlarmUnit::Mph},
         "KSFO: gust 40 mph, at or above the limit of 40 mph"},
        {"gust 39 MPH at or above 40 MPH", gust39, &L::gust, {40, AlarmUnit::Mph}, ""},
        {"gust 40 MPH at or above 40 MPH as older versions kept it", gust40, &L::gust, {64.431, AlarmUnit::Kph},
         "KSFO: gust 64.4 km/h, at or above the limit of 64.4 km/h"},
        {"wind 17 MPH (27.358 km/h) at or above 27.3 km/h", sfo, &L::wind, {27.3, AlarmUnit::Kph},
         "KSFO: wind 27.4 km/h, at or above the limit of 27.3 km/h"},
        {"wind 17 MPH (27.358 km/h) at or above 27.4 km/h", sfo, &L::wind, {27.4, AlarmUnit::Kph}, ""},
    };
    for (const Case& c : cases) {
        AlarmLimits limits;
        limits.*c.limit = c.value;
        AlarmState state;
        const auto raised = state.update(c.report.substr(c.report.find(')') - 4, 4), alarmReadingsOf(c.report, ""), limits);
        EXPECT_EQ(raised.empty() ? "" : alarmMessage(raised.front()), c.message) << c.what;
    }
}

// Every whole-MPH limit the window offers rings at a report of that speed
// and not one MPH below: set in MPH, and as older versions kept it in km/h.
TEST(AlarmState, EveryWholeMphLimitRingsAtItsOwnFigure)
{
    const std::string report = reportWith("KSFO-3", "", "");
    const auto gusting = [&report](int mph) {
        std::string text = report;
        text.replace(text.find("gusting to 26 MPH"), 17, "gusting to " + std::to_string(mph) + " MPH");
        return alarmReadingsOf(text, "");
    };
    for (int mph = 1; mph <= 310; ++mph) {
        for (const AlarmLimit& limit : {AlarmLimit{double(mph), AlarmUnit::Mph},
                                        AlarmLimit{std::round(mphToKph(mph) * 1000) / 1000, AlarmUnit::Kph}}) {
            AlarmState state;
            const AlarmLimits limits{limit, {}, {}, {}, {}};
            EXPECT_TRUE(state.update("KSFO", gusting(mph - 1), limits).empty()) << mph << " MPH";
            EXPECT_EQ(state.update("KSFO", gusting(mph), limits).size(), 1u) << mph << " MPH as " << limit.value;
        }
    }
}

TEST(AlarmMessage, NamesStationValueAndLimitInTheUnitOfTheLimit)
{
    EXPECT_EQ(alarmMessage({"KSEA", AlarmKind::Wind, 30, {25, AlarmUnit::Mph}}),
              "KSEA: wind 30 mph, at or above the limit of 25 mph");
    EXPECT_EQ(alarmMessage({"EGLL", AlarmKind::TemperatureLow, -1.1, {0, AlarmUnit::Celsius}}),
              "EGLL: temperature -1.1 \xC2\xB0" "C, at or below the limit of 0 \xC2\xB0" "C");
    EXPECT_EQ(alarmMessage({"KSFO", AlarmKind::PressureFall, 2.2, {2, AlarmUnit::Hpa}}),
              "KSFO: pressure fell 2.2 hPa in 3 hours, at least the limit of 2 hPa");
}

TEST(AlarmReadings, FromRealReports)
{
    const auto sfo = alarmReadingsOf(test::readData("observations/noaa-decoded/KSFO-3.txt"), "");
    EXPECT_EQ(sfo.windMph, 17.0);
    EXPECT_EQ(sfo.gustMph, 26.0);
    EXPECT_EQ(sfo.temperatureF, 60.1);
    EXPECT_EQ(sfo.temperatureC, 15.6);
    EXPECT_DOUBLE_EQ(*sfo.pressureChangeHpa, -2.2);

    // A calm report: a wind of 0 and no gust.
    const auto calm = alarmReadingsOf(test::readData("observations/noaa-decoded/KBFI-2.txt"), "");
    EXPECT_EQ(calm.windMph, 0.0);
    EXPECT_EQ(calm.gustMph, 0.0);

    EXPECT_FALSE(alarmReadingsOf(kNoDataText, "").temperatureC);
}

} // namespace
} // namespace ventoral
