// SPDX-License-Identifier: GPL-3.0-or-later
// The alarm limits: their section of the settings file and their checks.

#include <gtest/gtest.h>

#include "settings/alarm_settings.h"
#include "test_support.h"

namespace ventoral {
namespace {

using test::TempDir;

constexpr const char* kOlderFile = "[Files]\r\nStations=/data\r\n; a comment\r\n[Units]\r\nU00=Mph\r\n";

constexpr AlarmLimit kph(double value) { return {value, AlarmUnit::Kph}; }
constexpr AlarmLimit mph(double value) { return {value, AlarmUnit::Mph}; }
constexpr AlarmLimit celsius(double value) { return {value, AlarmUnit::Celsius}; }
constexpr AlarmLimit fahrenheit(double value) { return {value, AlarmUnit::Fahrenheit}; }
constexpr AlarmLimit hpa(double value) { return {value, AlarmUnit::Hpa}; }

AlarmSettings sample()
{
    AlarmSettings alarms;
    alarms.allStations.gust = kph(60);
    alarms.allStations.temperatureLow = celsius(-0.5);
    alarms.stations["KSEA"].wind = kph(40);
    alarms.stations["KSEA"].pressureFall = hpa(3);
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
    fewer.allStations.wind = kph(30);
    ASSERT_TRUE(WriteAlarmSettings(file, fewer));
    EXPECT_EQ(test::readFile(file), std::string(kOlderFile) + "[Alarms]\r\nWindKph=30\r\n");
    EXPECT_EQ(ReadAlarmSettings(IniDocument::load(file)), fewer);
}

// A limit set in MPH or ºF is written as every version reads it, in km/h
// or ºC to three decimals, and as it was set beside that.
TEST(AlarmSettings, ALimitSetInMphOrFahrenheitKeepsItsFigure)
{
    TempDir dir;
    const std::string file = dir.file("vntl.ini");
    test::writeFile(file, kOlderFile);
    AlarmSettings alarms;
    alarms.allStations.gust = mph(40);
    alarms.allStations.temperatureLow = fahrenheit(42);
    alarms.allStations.temperatureHigh = celsius(30);
    ASSERT_TRUE(WriteAlarmSettings(file, alarms));
    EXPECT_EQ(test::readFile(file), std::string(kOlderFile) +
                                        "[Alarms]\r\nGustKph=64.431\r\nGustMph=40\r\nTempLowC=5.556\r\n"
                                        "TempLowF=42\r\nTempHighC=30\r\n");
    EXPECT_EQ(ReadAlarmSettings(IniDocument::load(file)), alarms);
    // Set in km/h again: the MPH figure goes.
    alarms.allStations.gust = kph(60);
    ASSERT_TRUE(WriteAlarmSettings(file, alarms));
    EXPECT_EQ(IniDocument::load(file).value("Alarms", "GustMph", "<none>"), "<none>");
}

TEST(AlarmSettings, AFigureInMphOrFahrenheitCountsWhileTheOlderKeyStillHoldsIt)
{
    const std::pair<const char*, std::optional<AlarmLimit>> cases[] = {
        {"GustKph=64.431\r\nGustMph=40", mph(40)},
        {"GustKph=64.43\r\nGustMph=40", kph(64.43)},              // changed by an older version
        {"GustKph=80\r\nGustMph=40", kph(80)},
        {"GustMph=40", std::nullopt},                               // taken away by an older version
        {"GustKph=64.431", kph(64.431)},                            // an older version's own
        {"GustKph=64.431\r\nGustMph=forty", kph(64.431)},
        {"TempLowC=-17.778\r\nTempLowF=0", fahrenheit(0)},
        {"TempLowC=-17.8\r\nTempLowF=0", celsius(-17.8)},
    };
    for (const auto& [keys, gustOrLow] : cases) {
        const AlarmLimits limits =
            ReadAlarmSettings(IniDocument::fromBytes("[Alarms]\r\n" + std::string(keys) + "\r\n")).allStations;
        EXPECT_EQ(limits.gust ? limits.gust : limits.temperatureLow, gustOrLow) << keys;
    }
}

TEST(AlarmSettings, ReadingSkipsWhatItCannotUse)
{
    const auto alarms = ReadAlarmSettings(IniDocument::fromBytes(
        "[Alarms]\r\nGustKph=abc\r\nWindKph= 45 \r\nStations=KSEA, ksea,TOOLONG,KSEA,EGLL\r\n"
        "KSEA.TempHighC=30\r\nKJFK.TempHighC=35\r\n"));
    EXPECT_FALSE(alarms.allStations.gust);
    EXPECT_EQ(alarms.allStations.wind, kph(45));
    ASSERT_EQ(alarms.stations.size(), 2u);
    EXPECT_EQ(alarms.limitsFor("KSEA").temperatureHigh, celsius(30));
    // EGLL is listed without limits: it has none, not those of all stations.
    EXPECT_FALSE(alarms.limitsFor("EGLL").any());
    // KJFK is not listed: all stations' limits.
    EXPECT_EQ(alarms.limitsFor("KJFK").wind, kph(45));
}

TEST(AlarmSettings, Checks)
{
    const std::optional<AlarmLimit> n;   // not set
    const std::pair<AlarmLimits, std::optional<AlarmLimitError>> cases[] = {
        // gust, wind, temperature low, temperature high, pressure fall
        {AlarmLimits{}, std::nullopt},
        {AlarmLimits{kph(1), n, n, n, n}, std::nullopt},
        {AlarmLimits{kph(0.9), n, n, n, n}, AlarmLimitError::GustOutOfRange},
        {AlarmLimits{mph(0.6), n, n, n, n}, AlarmLimitError::GustOutOfRange},
        {AlarmLimits{mph(310), n, n, n, n}, std::nullopt},
        {AlarmLimits{n, kph(501), n, n, n}, AlarmLimitError::WindOutOfRange},
        {AlarmLimits{n, n, celsius(-91), n, n}, AlarmLimitError::TemperatureOutOfRange},
        {AlarmLimits{n, n, fahrenheit(-130), n, n}, std::nullopt},
        {AlarmLimits{n, n, n, celsius(70), n}, std::nullopt},
        {AlarmLimits{n, n, celsius(5), celsius(5), n}, AlarmLimitError::LowNotBelowHigh},
        {AlarmLimits{n, n, celsius(4.9), celsius(5), n}, std::nullopt},
        {AlarmLimits{n, n, fahrenheit(41), celsius(5), n}, AlarmLimitError::LowNotBelowHigh},
        {AlarmLimits{n, n, fahrenheit(40.9), celsius(5), n}, std::nullopt},
        {AlarmLimits{n, n, n, n, hpa(0)}, AlarmLimitError::PressureOutOfRange},
        {AlarmLimits{n, n, n, n, hpa(0.1)}, std::nullopt},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(checkAlarmLimits(cases[i].first), cases[i].second) << "case " << i;
}

// The window shows every limit in the display units, to one decimal.
TEST(AlarmSettings, LimitsInDisplayUnits)
{
    const DisplayUnits imperial{false, false, false};
    const AlarmLimits stored{kph(48.323), mph(40), celsius(0), fahrenheit(95), hpa(2.5)};
    EXPECT_EQ(limitsInDisplayUnits(stored, imperial),
              (AlarmLimits{mph(30), mph(40), fahrenheit(32), fahrenheit(95), hpa(2.5)}));
    EXPECT_EQ(limitsInDisplayUnits(stored, DisplayUnits{}),
              (AlarmLimits{kph(48.3), kph(64.4), celsius(0), celsius(35), hpa(2.5)}));
}

} // namespace
} // namespace ventoral
