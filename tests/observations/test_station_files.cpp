// The two per-station files: the data file of both reports and the min/max file.

#include <filesystem>

#include <gtest/gtest.h>

#include "observations/minmax.h"
#include "observations/station_data.h"
#include "platform/core/file_io.h"
#include "test_support.h"

using namespace ventoral;
using ventoral::test::TempDir;

namespace {

const std::string kPresent = "SEATTLE BOEING FIELD, WA, United States (KBFI) 47-33N 122-19W 4M\n"
                             "Dec 06, 2023 - 12:53 PM EST / 2023.12.06 1753 UTC\nWind: Calm:0\ncycle: 18\n";
const std::string kTrend = "header line\n0:KBFI:12|1:50.0 (10.0):48.0 (8.9):29.81 (1009):Calm:92\n";

std::vector<std::string> lines(const std::string& bytes)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const auto end = bytes.find("\r\n", start);
        out.push_back(bytes.substr(start, end - start));
        start = end == std::string::npos ? bytes.size() : end + 2;
    }
    return out;
}

} // namespace

TEST(StationFile, RoundTripsBothTextsByteForByte)
{
    TempDir dir;
    const std::string path = stationDataPath(dir.path(), "KBFI");
    EXPECT_EQ(path, dir.path() + "/KBFIData.txt");
    for (const std::string& present : {kPresent, std::string("CRLF (KBFI) line\r\nsecond\r\n")}) {
        ASSERT_TRUE(writeStationData(path, kTrend, present));
        const StationTexts read = ReadData(path, "KBFI");
        EXPECT_TRUE(read.dataValid);
        EXPECT_EQ(read.presentText, present);
        EXPECT_EQ(read.lastText, kTrend);
    }
    EXPECT_EQ(test::readFile(path).substr(0, 2), "\"h");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(StationFile, AQuoteInATextBecomesAnApostropheSoNothingIsLost)
{
    TempDir dir;
    const std::string path = stationDataPath(dir.path(), "KBFI");
    ASSERT_TRUE(writeStationData(path, kTrend, "Station \"Boeing\" (KBFI)\ncycle: 18\n"));
    const StationTexts read = ReadData(path, "KBFI");
    EXPECT_TRUE(read.dataValid);
    EXPECT_EQ(read.presentText, "Station 'Boeing' (KBFI)\ncycle: 18\n");
    EXPECT_EQ(read.lastText, kTrend);
}

TEST(StationFile, UnreadableFilesGiveThePlaceholderAndForeignOnesEmptyTexts)
{
    TempDir dir;
    const std::string path = dir.file("KBFIData.txt");
    const auto expectPlaceholder = [&](const char* what) {
        const StationTexts read = ReadData(path, "KBFI");
        EXPECT_FALSE(read.dataValid) << what;
        EXPECT_EQ(read.presentText, kNoDataText) << what;
        EXPECT_EQ(read.lastText, kNoDataText) << what;
    };
    expectPlaceholder("no file");
    test::writeFile(path, "\"only one field\"\r\n");
    expectPlaceholder("one field");
    test::writeFile(path, "\"trend\"\r\n\"present (KBFI) never closed\r\n");
    expectPlaceholder("unterminated");
    test::writeFile(path, std::string("\0\xFF\x01", 3));
    expectPlaceholder("garbage");

    const auto expectEmpty = [&](const std::string& present) {
        ASSERT_TRUE(writeStationData(path, kTrend, present));
        const StationTexts read = ReadData(path, "KBFI");
        EXPECT_FALSE(read.dataValid) << present;
        EXPECT_EQ(read.presentText, "");
        EXPECT_EQ(read.lastText, "");
    };
    expectEmpty("SEATTLE-TACOMA (KSEA)\n");
    expectEmpty("Station name not available (KBFI)\n");
    expectEmpty("lower case (kbfi)\n");
    expectEmpty("Station name not available\nAug 24, 2023 - 11:53 PM EDT / 2023.08.25 0353 UTC\nob: KSEA 250353Z "
                "VRB04KT 10SM CLR 19/11 A2994 (KBFI)\ncycle: 4\n");
    expectEmpty("Station name not available\nob: KBFIX 250353Z VRB04KT\n");

    // A station missing from NOAA's table or from the directory has no name,
    // but its ob line says whose report it is.
    const std::string unnamed = "Station name not available\nAug 24, 2023 - 11:53 PM EDT / 2023.08.25 0353 UTC\n"
                                "ob: KBFI 250353Z VRB04KT 10SM CLR 19/11 A2994\ncycle: 4\n";
    ASSERT_TRUE(writeStationData(path, kTrend, unnamed));
    const StationTexts read = ReadData(path, "KBFI");
    EXPECT_TRUE(read.dataValid);
    EXPECT_EQ(read.presentText, unnamed);
}

TEST(StationFile, AFailedWriteSaysSoAndKeepsTheOldFile)
{
    TempDir dir;
    EXPECT_FALSE(writeStationData(dir.file("missing/KBFIData.txt"), kTrend, kPresent));
    const std::string path = stationDataPath(dir.path(), "KBFI");
    ASSERT_TRUE(writeStationData(path, kTrend, kPresent));
    // The data file cannot be replaced by a folder of its name; the old file stays.
    EXPECT_FALSE(writeStationData(dir.path(), kTrend, "other (KBFI)"));
    EXPECT_EQ(ReadData(path, "KBFI").presentText, kPresent);
}

class MinMax : public ::testing::Test {
protected:
    TempDir dir;
    std::string path = minMaxPath(dir.path(), "KBFI");
    TrendSeries trend;
    MinMaxRecord record;
    Observation obs;
    DisplayUnits metric{true, true, true};

    void hour(int row, const char* speedKph, const char* tempC, const char* tempF, const char* humidity,
              const char* hpa, const char* inches)
    {
        trend.at(row, TrendSeries::WindSpeed) = speedKph;
        trend.at(row, TrendSeries::TemperatureC) = tempC;
        trend.at(row, TrendSeries::TemperatureF) = tempF;
        trend.at(row, TrendSeries::Humidity) = humidity;
        trend.at(row, TrendSeries::PressureHpa) = hpa;
        trend.at(row, TrendSeries::PressureIn) = inches;
    }
    std::vector<std::string> file() const { return lines(test::readFile(path)); }
};

TEST_F(MinMax, WithoutAFileLoadGivesTheStartValuesOfThePressureUnit)
{
    record.maxWind = 99;
    obs.maxGustSeen = 12;
    LoadMinMax(true, path, metric, record, obs);
    EXPECT_EQ(record.maxWind, 0);
    EXPECT_FLOAT_EQ(record.minTemp, 200);
    EXPECT_FLOAT_EQ(record.maxTemp, -40);
    EXPECT_FLOAT_EQ(record.minPres, 1060);
    EXPECT_FLOAT_EQ(record.maxPres, 950);
    EXPECT_EQ(obs.maxGustSeen, 0);
    LoadMinMax(true, path, DisplayUnits{true, true, false}, record, obs);
    EXPECT_FLOAT_EQ(record.minPres, 35);
    EXPECT_FLOAT_EQ(record.maxPres, 28);
}

TEST_F(MinMax, TheFirstSaveWritesTheExtremesOfTheTrendHoursInEveryUnit)
{
    hour(0, "40", "10", "50", "92", "1013", "29.91");
    hour(5, "12.5", "3.9", "39.02", "70", "1023", "30.2");
    hour(24, "300", "-90", "-90", "1", "900", "20");   // the 25th row is never read
    SaveMinMax(true, "KBFI", path, metric, trend, record, obs);
    EXPECT_EQ(file(), (std::vector<std::string>{"40", "24", "0", "0", "3.9", "10", "39.02", "50", "70", "92", "1013",
                                                "1023", "29.91", "30.2"}));

    // A colder hour later lowers both temperature lows together.
    hour(6, "", "-2.5", "27.5", "", "", "");
    SaveMinMax(true, "KBFI", path, metric, trend, record, obs);
    EXPECT_EQ(file()[4], "-2.5");
    EXPECT_EQ(file()[6], "27.5");
    EXPECT_EQ(file()[0], "40");
}

TEST_F(MinMax, TheParsersGustIsStoredAndReloadedWithTheRecord)
{
    writeMinMaxFile(path, {0, 0, 0, 0, 5, 10, 41, 50, 50, 90, 1000, 1020, 29.53f, 30.12f});
    LoadMinMax(true, path, metric, record, obs);
    obs.maxGustSeen = 56;
    SaveMinMax(true, "KBFI", path, metric, trend, record, obs);
    EXPECT_EQ(file()[2], "56");
    EXPECT_EQ(file()[3], "34");   // integer part of 56 x 1.151 / 1.854
    obs.maxGustSeen = 0;
    LoadMinMax(true, path, DisplayUnits{false, true, true}, record, obs);
    EXPECT_EQ(record.maxGust, 34);
    EXPECT_EQ(obs.maxGustSeen, 34);
}

TEST_F(MinMax, ChangingUnitsReloadsTheSameExtremesWithoutTouchingTheFile)
{
    hour(0, "40", "10", "50", "92", "1013", "29.91");
    SaveMinMax(true, "KBFI", path, metric, trend, record, obs);
    const std::string before = test::readFile(path);
    LoadMinMax(true, path, DisplayUnits{false, false, false}, record, obs);
    EXPECT_EQ(record.maxWind, 24);
    EXPECT_FLOAT_EQ(record.maxTemp, 50);
    EXPECT_FLOAT_EQ(record.minPres, 29.91f);
    EXPECT_EQ(test::readFile(path), before);
}

TEST_F(MinMax, ImperialUnitsDeriveTheMetricLines)
{
    record = MinMaxRecord::updateStart();
    writeMinMaxFile(path, fileTableOf(record, metric));
    record.maxWind = 25;
    record.minTemp = 14;
    record.maxTemp = 95;
    record.minPres = 29.53f;
    record.maxPres = 30.12f;
    const MinMaxFileTable e = fileTableOf(record, DisplayUnits{false, false, false});
    EXPECT_FLOAT_EQ(e[0], 40);            // integer part of 25 x 1.854 / 1.151
    EXPECT_FLOAT_EQ(e[1], 25);
    EXPECT_FLOAT_EQ(e[4], -10);
    EXPECT_FLOAT_EQ(e[5], 35);
    EXPECT_FLOAT_EQ(e[10], 1000);         // integer part of 29.53 / 0.02953
    EXPECT_FLOAT_EQ(e[13], 30.12f);
}

TEST_F(MinMax, ResetThenSaveWithAnEmptyTrendKeepsTheResetValues)
{
    writeMinMaxFile(path, {});
    record = MinMaxRecord::resetValues();
    record.file = path;
    obs.maxGustSeen = 0;
    SaveMinMax(true, "KBFI", path, metric, trend, record, obs);
    EXPECT_EQ(file(), (std::vector<std::string>{"0", "0", "0", "0", "200", "-20", "392", "-4", "100", "0", "2000", "0",
                                                "59.06", "0"}));
}

TEST_F(MinMax, NothingHappensWithoutValidDataOrWithAShortCode)
{
    hour(0, "40", "10", "50", "92", "1013", "29.91");
    record.maxWind = 7;
    LoadMinMax(false, path, metric, record, obs);
    SaveMinMax(false, "KBFI", path, metric, trend, record, obs);
    EXPECT_EQ(record.maxWind, 7);
    EXPECT_FALSE(fileExists(path));
    SaveMinMax(true, "KBF", minMaxPath(dir.path(), "KBF"), metric, trend, record, obs);
    EXPECT_FALSE(fileExists(minMaxPath(dir.path(), "KBF")));
    EXPECT_EQ(record.maxWind, 40);   // widened in memory all the same
}

struct DamagedFile {
    const char* name;
    std::string bytes;
    std::vector<float> expected;   // the first entries; the rest keep their start values
};

void PrintTo(const DamagedFile& d, std::ostream* os)
{
    *os << d.name;
}

class MinMaxDamaged : public ::testing::TestWithParam<DamagedFile> {};

TEST_P(MinMaxDamaged, ReadsAsFarAsItGoes)
{
    TempDir dir;
    const std::string path = dir.file("X.txt");
    test::writeFile(path, GetParam().bytes);
    const MinMaxFileRead read = readMinMaxFile(path);
    EXPECT_TRUE(read.exists);
    const MinMaxFileTable start = {0, 0, 0, 0, 200, -40, 200, -40, 100, 0, 1060, 950, 35, 28};
    for (std::size_t i = 0; i < start.size(); ++i) {
        const float wanted = i < GetParam().expected.size() ? GetParam().expected[i] : start[i];
        EXPECT_FLOAT_EQ(read.table[i], wanted) << "entry " << i + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, MinMaxDamaged,
    ::testing::Values(DamagedFile{"empty", "", {}},
                      DamagedFile{"short", "40\r\n24\r\n3\r\n", {40, 24, 3}},
                      DamagedFile{"word in the middle", "40\r\n24\r\ngusty\r\n1\r\n", {40, 24}},
                      DamagedFile{"LF only and extra lines",
                                  "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n13\n14\n15\n16\n",
                                  {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
                      DamagedFile{"huge number", "1" + std::string(400, '0') + "\r\n-5\r\n", {1e7f, -5}},
                      DamagedFile{"binary", std::string("\x00\xFF\x12", 3), {}}));
