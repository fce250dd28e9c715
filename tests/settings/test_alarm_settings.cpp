// SPDX-License-Identifier: GPL-3.0-or-later
// The alarm limits: their section of the settings file and their checks.

#include <gtest/gtest.h>

#include "settings/alarm_settings.h"
#include "test_support.h"

namespace ventoral {
namespace {

using test::TempDir;

constexpr const char* kOlderFile = "[Files]\r\nStations=/data\r\n; a comment\r\n[Units]\r\nU00=Mph\r\n";

AlarmSettings sample()
{
    AlarmSettings alarms;
    alarms.allStations.gustKph = 60;
    alarms.allStations.temperatureLowC = -0.5;
    alarms.stations["KSEA"].windKph = 40;
    alarms.stations["KSEA"].pressureFallHpa = 3;
    return alarms;
}

// The section goes after the others and leaves them byte for byte; limits
// and stations no longer set leave no keys.
TEST(AlarmSettings, WritingLeavesTheOtherSectionsAndKeepsOnlyTheLimitsSet)
{
    TempDir dir;
    const std::string file = dir.file("vntl.ini");
    test::writeFile(file, kOlderFile);
    ASSERT_TRUE(WriteAlarmSettings(file, sample()));
    EXPECT_EQ(test::readFile(file), std::string(kOlderFile) +
                                        "[Alarms]\r\nGustKph=60\r\nTempLowC=-0.5\r\nKSEA.WindKph=40\r\n"
                                        "KSEA.PressureFallHpa=3\r\nStations=KSEA\r\n");
    EXPECT_EQ(ReadAlarmSettings(IniDocument::load(file)), sample());
    AlarmSettings fewer;
    fewer.allStations.windKph = 30;
    ASSERT_TRUE(WriteAlarmSettings(file, fewer));
    EXPECT_EQ(test::readFile(file), std::string(kOlderFile) + "[Alarms]\r\nWindKph=30\r\n");
    EXPECT_EQ(ReadAlarmSettings(IniDocument::load(file)), fewer);
}

TEST(AlarmSettings, ReadingSkipsWhatItCannotUse)
{
    const auto alarms = ReadAlarmSettings(IniDocument::fromBytes(
        "[Alarms]\r\nGustKph=abc\r\nWindKph= 45 \r\nStations=KSEA, ksea,TOOLONG,KSEA,EGLL\r\n"
        "KSEA.TempHighC=30\r\nKJFK.TempHighC=35\r\n"));
    EXPECT_FALSE(alarms.allStations.gustKph);
    EXPECT_EQ(alarms.allStations.windKph, 45);
    ASSERT_EQ(alarms.stations.size(), 2u);
    EXPECT_EQ(alarms.limitsFor("KSEA").temperatureHighC, 30);
    // EGLL is listed without limits: it has none, not those of all stations.
    EXPECT_FALSE(alarms.limitsFor("EGLL").any());
    // KJFK is not listed: all stations' limits.
    EXPECT_EQ(alarms.limitsFor("KJFK").windKph, 45);
}

TEST(AlarmSettings, Checks)
{
    const std::optional<double> n;   // not set
    const std::pair<AlarmLimits, std::optional<AlarmLimitError>> cases[] = {
        // gust, wind, temperature low, temperature high, pressure fall
        {AlarmLimits{}, std::nullopt},
        {AlarmLimits{1.0}, std::nullopt},
        {AlarmLimits{0.9}, AlarmLimitError::GustOutOfRange},
        {AlarmLimits{n, 501.0}, AlarmLimitError::WindOutOfRange},
        {AlarmLimits{n, n, -91.0}, AlarmLimitError::TemperatureOutOfRange},
        {AlarmLimits{n, n, n, 70.0}, std::nullopt},
        {AlarmLimits{n, n, 5.0, 5.0}, AlarmLimitError::LowNotBelowHigh},
        {AlarmLimits{n, n, 4.9, 5.0}, std::nullopt},
        {AlarmLimits{n, n, n, n, 0.0}, AlarmLimitError::PressureOutOfRange},
        {AlarmLimits{n, n, n, n, 0.1}, std::nullopt},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(checkAlarmLimits(cases[i].first), cases[i].second) << "case " << i;
}

TEST(AlarmSettings, DisplayUnitsRoundTrip)
{
    const DisplayUnits imperial{false, false, false};
    AlarmLimits shown;
    shown.gustKph = 30;           // MPH
    shown.temperatureLowC = 32;   // ºF
    shown.pressureFallHpa = 2.5;  // hPa in any units
    const AlarmLimits stored = limitsFromDisplayUnits(shown, imperial);
    EXPECT_NEAR(*stored.gustKph, 48.323, 1e-9);
    EXPECT_NEAR(*stored.temperatureLowC, 0, 1e-9);
    EXPECT_EQ(stored.pressureFallHpa, 2.5);
    EXPECT_EQ(limitsInDisplayUnits(stored, imperial), shown);
    EXPECT_EQ(limitsInDisplayUnits(stored, DisplayUnits{}).gustKph, 48.3);
}

} // namespace
} // namespace ventoral
