// SPDX-License-Identifier: GPL-3.0-or-later
// Alarms: crossing, raising once and arming again over a run of updates,
// their readings and their messages.

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
        std::optional<double> AlarmLimits::*limit;
        double limitValue;
        std::optional<double> AlarmReadings::*reading;
        AlarmKind kind;
        std::vector<std::pair<std::optional<double>, bool>> steps;   // reading, raised
    };
    const std::optional<double> none;
    const Sequence sequences[] = {
        {&AlarmLimits::gustKph, 60, &AlarmReadings::gustKph, AlarmKind::Gust,
         // 0: no gust in the report
         {{50, false}, {65, true}, {70, false}, {none, false}, {61, false}, {59.9, false}, {60, true}, {0, false},
          {80, true}}},
        {&AlarmLimits::windKph, 40, &AlarmReadings::windKph, AlarmKind::Wind,
         {{39, false}, {40, true}, {12, false}, {41, true}}},
        {&AlarmLimits::temperatureLowC, 0, &AlarmReadings::temperatureC, AlarmKind::TemperatureLow,
         {{2, false}, {0, true}, {-3, false}, {none, false}, {0.1, false}, {-1, true}}},
        {&AlarmLimits::temperatureHighC, 30, &AlarmReadings::temperatureC, AlarmKind::TemperatureHigh,
         {{29.9, false}, {30, true}, {31, false}}},
        {&AlarmLimits::pressureFallHpa, 3, &AlarmReadings::pressureChangeHpa, AlarmKind::PressureFall,
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

TEST(AlarmState, SeveralAtOnceInOrderAndNoneWithoutLimits)
{
    AlarmState state;
    EXPECT_EQ(kindsOf(state.update("KSEA", AlarmReadings{99.0, 99.0, -40.0, -20.0}, AlarmLimits{})), Kinds{});
    const AlarmLimits l{50.0, {}, -5.0, {}, 2.0};
    EXPECT_EQ(kindsOf(state.update("KSEA", AlarmReadings{55.0, 30.0, -6.0, -2.5}, l)),
              (Kinds{AlarmKind::Gust, AlarmKind::TemperatureLow, AlarmKind::PressureFall}));
    EXPECT_EQ(kindsOf(state.update("KSEA", AlarmReadings{55.0, 30.0, -4.0, -2.5}, l)), Kinds{});
    EXPECT_EQ(kindsOf(state.update("KSEA", AlarmReadings{55.0, 30.0, -5.0, -2.5}, l)), Kinds{AlarmKind::TemperatureLow});
}

// Stations are apart, a limit taken away arms its alarm again, and the state reads back.
TEST(AlarmState, StationsAreApartAndTheStateReadsBack)
{
    AlarmState state;
    const AlarmLimits set{60.0};   // gust
    EXPECT_EQ(kindsOf(state.update("KSEA", AlarmReadings{70.0}, set)), Kinds{AlarmKind::Gust});
    EXPECT_EQ(kindsOf(state.update("EGLL", AlarmReadings{70.0}, set)), Kinds{AlarmKind::Gust});
    EXPECT_EQ(kindsOf(state.update("EGLL", AlarmReadings{70.0}, AlarmLimits{})), Kinds{});
    EXPECT_FALSE(state.isRaised("EGLL", AlarmKind::Gust));
    EXPECT_TRUE(state.isRaised("KSEA", AlarmKind::Gust));
    EXPECT_EQ(kindsOf(state.update("EGLL", AlarmReadings{70.0}, set)), Kinds{AlarmKind::Gust});
    state.update("EGLL", AlarmReadings{0.0, {}, -2.0, {}}, AlarmLimits{{}, {}, 0.0});   // temperature low
    EXPECT_EQ(state.toText(), "EGLL TempLow\nKSEA Gust\n");
    EXPECT_EQ(AlarmState::fromText(state.toText() + "junk\nKSEA Hail\nksea Gust\n\n"), state);
}

// Gust and pressure messages: see CheckAlarms.
TEST(AlarmMessage, NamesStationValueAndLimitInTheDisplayUnits)
{
    const DisplayUnits metric;
    const DisplayUnits imperial{false, false, false};
    EXPECT_EQ(alarmMessage({"KSEA", AlarmKind::Wind, mphToKph(30), mphToKph(25)}, imperial),
              "KSEA: wind 30 mph, at or above the limit of 25 mph");
    EXPECT_EQ(alarmMessage({"EGLL", AlarmKind::TemperatureLow, -1.1, 0}, metric),
              "EGLL: temperature -1.1 \xC2\xB0" "C, at or below the limit of 0 \xC2\xB0" "C");
    EXPECT_EQ(alarmMessage({"EGLL", AlarmKind::TemperatureHigh, 30, 30}, imperial),
              "EGLL: temperature 86 \xC2\xB0" "F, at or above the limit of 86 \xC2\xB0" "F");
}

TEST(AlarmReadings, FromRealReports)
{
    const auto sfo = alarmReadingsOf(test::readData("observations/noaa-decoded/KSFO-3.txt"), "");
    EXPECT_NEAR(*sfo.windKph, mphToKph(17), 1e-4);
    EXPECT_NEAR(*sfo.gustKph, mphToKph(26), 1e-4);
    EXPECT_NEAR(*sfo.temperatureC, 15.6, 1e-4);
    EXPECT_DOUBLE_EQ(*sfo.pressureChangeHpa, -2.2);

    // A calm report: a wind of 0 and no gust.
    const auto calm = alarmReadingsOf(test::readData("observations/noaa-decoded/KBFI-2.txt"), "");
    EXPECT_EQ(calm.windKph, 0.0);
    EXPECT_EQ(calm.gustKph, 0.0);

    EXPECT_FALSE(alarmReadingsOf(kNoDataText, "").temperatureC);
}

} // namespace
} // namespace ventoral
