// SPDX-License-Identifier: GPL-3.0-or-later
// The station data file byte for byte, and what the reader makes of files
// that are not quite what the update writes.

#include "observations/station_data.h"

#include <filesystem>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "observations/observation.h"
#include "test_support.h"

namespace ventoral {
namespace {

const std::string kPresent = "SEATTLE BOEING FIELD, WA, United States (KBFI) 47-33N 122-19W 4M\n"
                             "Dec 06, 2023 - 12:53 PM EST / 2023.12.06 1753 UTC\nWind: Calm:0\ncycle: 18\n";
const std::string kTrend = "header line\n0:KBFI:12|1:50.0 (10.0):48.0 (8.9):29.81 (1009):Calm:92\n";

TEST(StationData, TwoQuotedRecordsEachFollowedByCrLf)
{
    test::TempDir dir;
    const std::string path = stationDataPath(dir.path(), "KBFI");
    EXPECT_EQ(path, dir.path() + "/KBFIData.txt");
    ASSERT_TRUE(writeStationData(path, "trend\r\nrows\r\n", "BOEING (KBFI)\nsaid \"calm\"\n"));
    EXPECT_EQ(test::readFile(path), "\"trend\r\nrows\r\n\"\r\n\"BOEING (KBFI)\nsaid 'calm'\n\"\r\n");
}

// A quote cannot be stored, so it becomes an apostrophe and nothing else is lost.
TEST(StationData, BothTextsReadBackAsWritten)
{
    struct Case {
        const char* station;
        std::string trend;
        std::string present;
        std::string presentRead;
    };
    const std::string zurich = "Z\xFCrich-Kloten (LSZH)\nTemperature: 41 F (5 \xBA" "C)\n";
    const Case cases[] = {
        {"KBFI", kTrend, kPresent, kPresent},
        {"KBFI", kTrend, "CRLF (KBFI) line\r\nsecond\r\n", "CRLF (KBFI) line\r\nsecond\r\n"},
        {"KBFI", kTrend, "Station \"Boeing\" (KBFI)\ncycle: 18\n", "Station 'Boeing' (KBFI)\ncycle: 18\n"},
        {"LSZH", "\xA0\xFF trend", zurich, zurich},   // bytes above ASCII pass unchanged
    };
    test::TempDir dir;
    for (const Case& c : cases) {
        const std::string path = stationDataPath(dir.path(), c.station);
        ASSERT_TRUE(writeStationData(path, c.trend, c.present));
        const StationTexts read = ReadData(path, c.station);
        EXPECT_TRUE(read.dataValid) << c.present;
        EXPECT_EQ(read.presentText, c.presentRead);
        EXPECT_EQ(read.lastText, c.trend);
    }
    // No temporary file is left beside the two data files.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

// What the reader makes of each file, against the reference: a file that
// cannot be read gives the placeholder; a report of another station, or of
// none, gives empty texts. A station missing from the name tables has no
// name, but its ob line says whose report it is.
TEST(StationData, FilesNotQuiteAsWrittenMatchReference)
{
    const std::string noName = "\"t\"\r\n\"Station name not available\n";
    const std::pair<const char*, std::optional<std::string>> cases[] = {   // nullopt: no file
        {"without the final line break", "\"t\"\r\n\"(KBFI)\""},
        {"anything after the second record is ignored", "\"t\"\r\n\"(KBFI)\"\r\n\"third\"\r\n"},
        {"records on one line", "\"t\"\"(KBFI)\""},
        {"the code in the trend alone is not enough", "\"KBFI trend\"\r\n\"(KSEA)\"\r\n"},
        {"another station", "\"t\"\r\n\"SEATTLE-TACOMA (KSEA)\n\"\r\n"},
        {"no station name", "\"t\"\r\n\"Station name not available (KBFI)\n\"\r\n"},
        {"code in lower case", "\"t\"\r\n\"lower case (kbfi)\n\"\r\n"},
        {"no name, the station's own ob line",
         noName + "Aug 24, 2023 - 11:53 PM EDT / 2023.08.25 0353 UTC\nob: KBFI 250353Z VRB04KT 10SM CLR\ncycle: 4\n\"\r\n"},
        {"no name, another station's ob line", noName + "ob: KSEA 250353Z VRB04KT 10SM CLR 19/11 A2994 (KBFI)\n\"\r\n"},
        {"no name, a longer code on the ob line", noName + "ob: KBFIX 250353Z VRB04KT\n\"\r\n"},
        {"two empty records", "\"\"\r\n\"\"\r\n"},
        {"no file", std::nullopt},
        {"empty file", ""},
        {"no quotes at all", "KBFI\r\nKBFI\r\n"},
        {"one field", "\"only one field\"\r\n"},
        {"three quotes", "\"t\"\r\n\"(KBFI)"},
        {"garbage", std::string("\0\xFF\x01", 3)},
    };
    std::string actual;
    for (const auto& [what, bytes] : cases) {
        test::TempDir dir;
        const std::string path = stationDataPath(dir.path(), "KBFI");
        if (bytes)
            test::writeFile(path, *bytes);
        const StationTexts read = ReadData(path, "KBFI");
        actual += std::string("== ") + what + (read.dataValid ? ": valid\n" : ": not valid\n") + "trend: "
                  + read.lastText + "\npresent: " + read.presentText + "\n";
    }
    EXPECT_EQ(actual, test::reference("observations/station-data-reads.expected", actual));
}

TEST(StationData, AFailedWriteSaysSoAndKeepsTheOldFile)
{
    test::TempDir dir;
    EXPECT_FALSE(writeStationData(dir.file("missing/KBFIData.txt"), kTrend, kPresent));
    const std::string path = stationDataPath(dir.path(), "KBFI");
    ASSERT_TRUE(writeStationData(path, kTrend, kPresent));
    // The data file cannot be replaced by a folder of its name; the old file stays.
    EXPECT_FALSE(writeStationData(dir.path(), kTrend, "other (KBFI)"));
    EXPECT_EQ(ReadData(path, "KBFI").presentText, kPresent);
}

} // namespace
} // namespace ventoral
