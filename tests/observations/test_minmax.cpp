// SPDX-License-Identifier: GPL-3.0-or-later
// The min/max records over many redraws and reloads, in every unit, the
// start values a new station's file begins with, and damaged files.

#include "observations/minmax.h"

#include <string>
#include <utility>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "observations/shown_readings.h"
#include "observations/trend_graphs.h"
#include "observations/trend_parser.h"
#include "platform/core/number_text.h"
#include "platform/core/file_io.h"
#include "test_support.h"

namespace ventoral {
namespace {

using Lines = std::vector<std::string>;

constexpr DisplayUnits kMetric{true, true, true};
constexpr DisplayUnits kImperial{false, false, false};

std::string unitsName(const DisplayUnits& units)
{
    return std::string(units.kph ? "Kph" : "Mph") + (units.celsius ? "C" : "F") + (units.hpa ? "Hpa" : "Inches");
}

class MinMaxCycle : public testing::Test {
protected:
    test::TempDir dir;
    std::string path = minMaxPath(dir.path(), "KBFI");
    TrendSeries trend;
    MinMaxRecord record;
    Observation obs;

    // One trend hour with both unit columns filled, as the trend parser leaves them.
    void hour(int row, const char* speed, const char* tempC, const char* tempF, const char* humidity,
              const char* hpa, const char* inches)
    {
        trend.at(row, TrendSeries::WindSpeed) = speed;
        trend.at(row, TrendSeries::TemperatureC) = tempC;
        trend.at(row, TrendSeries::TemperatureF) = tempF;
        trend.at(row, TrendSeries::Humidity) = humidity;
        trend.at(row, TrendSeries::PressureHpa) = hpa;
        trend.at(row, TrendSeries::PressureIn) = inches;
    }
    bool redraw(const DisplayUnits& units = kMetric) { return SaveMinMax(true, "KBFI", path, units, trend, record, obs); }
    void stationLoad(const DisplayUnits& units = kMetric) { LoadMinMax(true, path, units, record, obs); }
    // The file's lines, each ended by CR LF, the last one too.
    Lines file() const
    {
        Lines out;
        const std::string bytes = test::readFile(path);
        EXPECT_EQ(bytes.substr(bytes.size() - std::min<std::size_t>(bytes.size(), 2)), "\r\n");
        for (std::size_t start = 0; start < bytes.size();) {
            const auto end = bytes.find("\r\n", start);
            out.push_back(bytes.substr(start, end - start));
            start = end == std::string::npos ? bytes.size() : end + 2;
        }
        return out;
    }
};

TEST_F(MinMaxCycle, ANewStationStartsFromTheUpdateValuesAndKeepsTheGustJustParsed)
{
    obs.windGust = 30;   // as the report parser leaves it
    obs.maxGustSeen = 30;
    redraw();
    EXPECT_EQ(obs.maxGustSeen, 30);
    // 1060 hPa = 31.3018 inches, 28 hPa = 0.82684 inches; 18 is the integer part of 30 x 1.151 / 1.854.
    EXPECT_EQ(file(), (Lines{"0", "0", "30", "18", "140", "-40", "284", "-40", "100", "0", "1060", "28", "31.3", "0.82"}));
    obs.maxGustSeen = 35;
    redraw();
    EXPECT_EQ(file()[2], "35");
    EXPECT_EQ(file()[3], "21");   // integer part of 35 x 1.151 / 1.854
    // Reloaded in MPH, the record's gust is the parser's highest gust seen.
    obs.maxGustSeen = 0;
    stationLoad(DisplayUnits{false, true, true});
    EXPECT_EQ(record.maxGust, 21);
    EXPECT_EQ(obs.maxGustSeen, 21);
}

TEST_F(MinMaxCycle, AnotherStationsRecordNeverReachesThisStationsFile)
{
    const std::string other = minMaxPath(dir.path(), "KSEA");
    ASSERT_TRUE(writeMinMaxFile(other, {99, 61, 70, 43, -30, 40, -22, 104, 5, 100, 950, 1050, 28.05f, 31}));
    LoadMinMax(true, other, kMetric, record, obs);
    obs.windGust = 12;           // the report just parsed, for KBFI
    obs.maxGustSeen = 70;        // still KSEA's
    hour(0, "20", "10", "50", "60", "1013", "29.91");
    redraw();
    EXPECT_EQ(file(), (Lines{"20", "12", "12", "7", "10", "10", "50", "50", "60", "60", "1013", "1013", "29.91",
                             "29.91"}));
    EXPECT_EQ(obs.maxGustSeen, 12);

    // With a file of its own the record starts from that file.
    LoadMinMax(true, other, kMetric, record, obs);
    ASSERT_TRUE(writeMinMaxFile(path, {25, 15, 30, 18, 2, 12, 35, 53, 40, 90, 1000, 1020, 29.53f, 30.12f}));
    redraw();
    EXPECT_EQ(file()[0], "25");
    EXPECT_EQ(file()[4], "2");
    EXPECT_EQ(file()[2], "30");
}

TEST_F(MinMaxCycle, TheFirstSaveWritesTheExtremesOfTheTrendHoursInEveryUnit)
{
    hour(0, "40", "10", "50", "92", "1013", "29.91");
    hour(5, "12.5", "3.9", "39.02", "70", "1023", "30.2");
    hour(24, "300", "-90", "-90", "1", "900", "20");   // the 25th row is never read
    redraw();
    EXPECT_EQ(file(), (Lines{"40", "24", "0", "0", "3.9", "10", "39.02", "50", "70", "92", "1013", "1023", "29.91",
                             "30.2"}));
    // A colder hour later lowers both temperature lows together.
    hour(6, "", "-2.5", "27.5", "", "", "");
    redraw();
    EXPECT_EQ(file()[4], "-2.5");
    EXPECT_EQ(file()[6], "27.5");
    EXPECT_EQ(file()[0], "40");
}

TEST_F(MinMaxCycle, AFileThatCannotBeWrittenKeepsTheRecordInMemory)
{
    path = minMaxPath(dir.file("gone"), "KBFI");
    hour(0, "20", "10", "50", "60", "1013", "29.91");
    EXPECT_FALSE(redraw());
    record.maxWind = 150;        // set in the editor
    EXPECT_FALSE(redraw());
    EXPECT_EQ(record.maxWind, 150);
    ASSERT_TRUE(createFolder(dir.file("gone")));
    EXPECT_TRUE(redraw());
    EXPECT_EQ(file()[0], "150");
}

TEST_F(MinMaxCycle, NothingHappensWithoutValidDataOrWithAShortCode)
{
    hour(0, "40", "10", "50", "92", "1013", "29.91");
    record.maxWind = 7;
    LoadMinMax(false, path, kMetric, record, obs);
    SaveMinMax(false, "KBFI", path, kMetric, trend, record, obs);
    EXPECT_EQ(record.maxWind, 7);
    EXPECT_FALSE(fileExists(path));
    SaveMinMax(true, "KBF", minMaxPath(dir.path(), "KBF"), kMetric, trend, record, obs);
    EXPECT_FALSE(fileExists(minMaxPath(dir.path(), "KBF")));
    EXPECT_EQ(record.maxWind, 40);   // widened in memory all the same
}

// Each redraw saves; one that changes nothing must not replace the file, or
// every start waits on a flush to disk before the window shows.
TEST_F(MinMaxCycle, ARedrawThatChangesNothingLeavesTheFileAsItWas)
{
    const auto inode = [this] {
        struct stat status {};
        EXPECT_EQ(::stat(path.c_str(), &status), 0);
        return status.st_ino;
    };
    hour(0, "12", "10", "50", "60", "1010", "29.83");
    redraw();
    const auto first = inode();
    stationLoad();
    redraw();
    EXPECT_EQ(inode(), first);

    hour(1, "40", "10", "50", "60", "1010", "29.83");
    redraw();
    EXPECT_EQ(file()[0], "40");
}

// Reset, then a redraw over an empty trend: in imperial units the metric
// lines come from the reset values (200 and -20 ºF in ºC; 2000 inches is the
// integer part of 2000 / 0.02953 hPa).
TEST_F(MinMaxCycle, ResetThenRedrawKeepsTheResetValuesInEitherUnits)
{
    const std::pair<DisplayUnits, Lines> cases[] = {
        {kMetric, {"0", "0", "0", "0", "200", "-20", "392", "-4", "100", "0", "2000", "0", "59.06", "0"}},
        {kImperial,
         {"0", "0", "0", "0", "93.33334", "-28.88889", "200", "-20", "100", "0", "67727", "0", "2000", "0"}},
    };
    for (const auto& [units, lines] : cases) {
        ASSERT_TRUE(writeMinMaxFile(path, {}));
        record = MinMaxRecord::resetValues();
        record.file = path;
        redraw(units);
        EXPECT_EQ(file(), lines) << unitsName(units);
    }
}

TEST_F(MinMaxCycle, InchesSurviveEveryReloadAndSave)
{
    // Each of these is a little under its decimal as a single.
    for (const float pressure : {29.9f, 29.89f, 30.07f, 28.35f}) {
        ASSERT_TRUE(writeMinMaxFile(path, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, pressure, pressure}));
        for (int update = 0; update < 3; ++update) {
            stationLoad(kImperial);
            redraw(kImperial);
        }
        EXPECT_EQ(file()[12], decimalText(pressure));
        EXPECT_EQ(file()[13], decimalText(pressure));
    }
}

TEST_F(MinMaxCycle, AnAbsurdTrendCellStillLeavesAFileThatReadsBackWhole)
{
    ASSERT_TRUE(writeMinMaxFile(path, {}));
    record.file = path;   // the record in memory, not the file's zeros
    hour(3, "12", std::string(45, '9').c_str(), "", "50", "0.0000001", "");
    redraw();
    EXPECT_EQ(file()[5], "10000000");
    EXPECT_EQ(file()[7], "10000000");
    EXPECT_EQ(file()[10], "0");
    // The lines after them are read, not replaced by start values.
    const MinMaxFileRead read = readMinMaxFile(path);
    EXPECT_FLOAT_EQ(read.table[8], 50);
    EXPECT_FLOAT_EQ(read.table[11], 950);
    EXPECT_FLOAT_EQ(read.table[13], 28.05f);   // 950 hPa
}

// No file, or a folder of its name: the start values of the pressure unit.
TEST_F(MinMaxCycle, WithoutAFileLoadGivesTheStartValues)
{
    for (const bool folder : {false, true}) {
        if (folder) {
            ASSERT_TRUE(createFolder(path));
        }
        EXPECT_FALSE(readMinMaxFile(path).exists);
        record.maxWind = 99;
        obs.maxGustSeen = 12;
        stationLoad();
        EXPECT_EQ(record.maxWind, 0);
        EXPECT_FLOAT_EQ(record.minTemp, 200);
        EXPECT_FLOAT_EQ(record.maxTemp, -40);
        EXPECT_FLOAT_EQ(record.minPres, 1060);
        EXPECT_FLOAT_EQ(record.maxPres, 950);
        EXPECT_EQ(obs.maxGustSeen, 0);
        stationLoad(DisplayUnits{true, true, false});
        EXPECT_FLOAT_EQ(record.minPres, 35);
        EXPECT_FLOAT_EQ(record.maxPres, 28);
    }
}

// Every unit selection: the trend widens the record, a reload in the same
// units gives it back, and further redraws do not change the file.
class MinMaxUnits : public MinMaxCycle, public testing::WithParamInterface<DisplayUnits> {};

TEST_P(MinMaxUnits, ReloadGivesTheSameRecordAndRedrawsKeepTheFile)
{
    const DisplayUnits units = GetParam();
    hour(0, units.kph ? "33.4" : "20.6", "-3.3", "26.1", "41", "1008.5", "29.78");
    hour(12, "5", "18.9", "66", "97", "1031", "30.45");
    redraw(units);
    const MinMaxRecord widened = record;
    EXPECT_EQ(widened.maxWind, units.kph ? 33 : 21);
    EXPECT_FLOAT_EQ(widened.minTemp, units.celsius ? -3.3f : 26.1f);
    EXPECT_FLOAT_EQ(widened.maxPres, units.hpa ? 1031.0f : 30.45f);
    // The other speed unit is the integer part of the converted speed: 21 MPH and 33 km/h.
    EXPECT_EQ(file()[0], "33");
    EXPECT_EQ(file()[1], units.kph ? "20" : "21");

    const std::string written = test::readFile(path);
    record = MinMaxRecord::resetValues();
    stationLoad(units);
    EXPECT_EQ(record.maxWind, widened.maxWind);
    EXPECT_FLOAT_EQ(record.minTemp, widened.minTemp);
    EXPECT_FLOAT_EQ(record.maxTemp, widened.maxTemp);
    EXPECT_FLOAT_EQ(record.minPres, widened.minPres);
    EXPECT_FLOAT_EQ(record.maxPres, widened.maxPres);
    redraw(units);
    redraw(units);
    EXPECT_EQ(test::readFile(path), written);
}

INSTANTIATE_TEST_SUITE_P(MinMax, MinMaxUnits,
                         testing::Values(DisplayUnits{true, true, true}, DisplayUnits{true, true, false},
                                         DisplayUnits{true, false, true}, DisplayUnits{true, false, false},
                                         DisplayUnits{false, true, true}, DisplayUnits{false, true, false},
                                         DisplayUnits{false, false, true}, DisplayUnits{false, false, false}),
                         [](const testing::TestParamInfo<DisplayUnits>& info) { return unitsName(info.param); });

// A damaged file is read as far as it goes; the rest keep their start values.
// The update widens a station's record from its MPH trend table, converting
// each speed as it reads it; a view widens from the table it draws, speeds
// already in its units. Both must give the same record in every unit, at
// the 160 km/h cap too.
TEST(MinMaxWidening, TheMphTableGivesTheRecordOfTheTableTheViewDraws)
{
    std::vector<std::pair<std::string, std::string>> trends;
    for (const char* file : {"observations/trend/KSEA.TREND", "observations/trend/RKSI-0335.trend"})
        trends.emplace_back(file, test::readData(file));
    trends.emplace_back("speeds about the cap", "x\n0:ZZZZ:12|140053:46.0 (7.8):41.0 (5.0):30.12 (1020):S 99.5:82"
                                                "#1:ZZZZ:12|140153:45.0 (7.2):41.0 (5.0):30.13 (1020):N 99.3:85"
                                                "#2:ZZZZ:12|140253:44.1 (6.7):41.0 (5.0):30.14 (1020):Variable 7:89"
                                                "#3:ZZZZ:12|140353:44.1 (6.7):41.0 (5.0):30.15 (1021):Calm:89");
    ShownReadings present;
    for (const auto& [name, text] : trends) {
        TrendSeries mph;
        trendData(text, false, mph);
        fillHumidity(mph);
        TrendSeries kph = mph;
        speedsToKph(kph);
        for (int bits = 0; bits < 8; ++bits) {
            const DisplayUnits units{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0};
            const MinMaxRecord drawn = widenedRecord(std::nullopt, units.kph ? kph : mph, present, units);
            const MinMaxRecord read = widenedRecord(std::nullopt, mph, present, units, TrendSpeeds::Mph);
            SCOPED_TRACE(name + " " + unitsName(units));
            EXPECT_EQ(fileTableOf(read, units), fileTableOf(drawn, units));
            EXPECT_GT(read.maxWind, 0);
        }
    }
}

TEST(MinMaxFile, DamagedFilesReadAsFarAsTheyGo)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<float> expected;   // the first entries
    };
    const Case cases[] = {
        {"empty", "", {}},
        {"short", "40\r\n24\r\n3\r\n", {40, 24, 3}},
        {"blanks and a plus sign", " 40 \n+24\n-2.5", {40, 24, -2.5f}},
        {"word in the middle", "40\r\n24\r\ngusty\r\n1\r\n", {40, 24}},
        {"LF only and extra lines", "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n13\n14\n15\n16\n",
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
        {"huge number", "1" + std::string(400, '0') + "\r\n-5\r\n", {1e7f, -5}},
        {"binary", std::string("\x00\xFF\x12", 3), {}},
    };
    const MinMaxFileTable start = {0, 0, 0, 0, 200, -40, 200, -40, 100, 0, 1060, 950, 35, 28};
    test::TempDir dir;
    const std::string path = dir.file("X.txt");
    for (const Case& c : cases) {
        test::writeFile(path, c.bytes);
        const MinMaxFileRead read = readMinMaxFile(path);
        EXPECT_TRUE(read.exists) << c.name;
        for (std::size_t i = 0; i < start.size(); ++i)
            EXPECT_FLOAT_EQ(read.table[i], i < c.expected.size() ? c.expected[i] : start[i])
                << c.name << ", entry " << i + 1;
    }
}

// A record kept elsewhere through a symbolic link stays there, with its mode.
TEST(MinMaxFile, AFileThatIsALinkStaysOneAndKeepsItsMode)
{
    test::TempDir dir;
    ASSERT_TRUE(createFolder(dir.file("kept")));
    const std::string kept = dir.file("kept/KSEAMinMax.txt");
    const std::string path = dir.file("KSEAMinMax.txt");
    ASSERT_TRUE(writeMinMaxFile(kept, {}));
    ASSERT_EQ(::chmod(kept.c_str(), 0600), 0);
    ASSERT_EQ(::symlink("kept/KSEAMinMax.txt", path.c_str()), 0);

    ASSERT_TRUE(writeMinMaxFile(path, {40, 24, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    struct stat status {};
    ASSERT_EQ(::lstat(path.c_str(), &status), 0);
    EXPECT_TRUE(S_ISLNK(status.st_mode));
    ASSERT_EQ(::stat(kept.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0600u);
    EXPECT_FLOAT_EQ(readMinMaxFile(kept).table[0], 40);
}

} // namespace
} // namespace ventoral
