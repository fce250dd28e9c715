// The station data file byte for byte, and what the reader makes of files
// that are not quite what the update writes.

#include "observations/station_data.h"

#include <cctype>
#include <string>

#include <gtest/gtest.h>

#include "observations/observation.h"
#include "test_support.h"

namespace ventoral {
namespace {

TEST(StationDataLayout, TwoQuotedRecordsEachFollowedByCrLf)
{
    test::TempDir dir;
    const std::string path = stationDataPath(dir.path(), "KBFI");
    ASSERT_TRUE(writeStationData(path, "trend\r\nrows\r\n", "BOEING (KBFI)\nsaid \"calm\"\n"));
    EXPECT_EQ(test::readFile(path), "\"trend\r\nrows\r\n\"\r\n\"BOEING (KBFI)\nsaid 'calm'\n\"\r\n");
}

TEST(StationDataLayout, BytesAboveAsciiPassUnchanged)
{
    test::TempDir dir;
    const std::string path = stationDataPath(dir.path(), "LSZH");
    const std::string present = "Z\xFCrich-Kloten (LSZH)\nTemperature: 41 F (5 \xBA" "C)\n";
    ASSERT_TRUE(writeStationData(path, "\xA0\xFF trend", present));
    const StationTexts read = ReadData(path, "LSZH");
    EXPECT_TRUE(read.dataValid);
    EXPECT_EQ(read.presentText, present);
    EXPECT_EQ(read.lastText, "\xA0\xFF trend");
}

struct StoredFile {
    const char* name;
    std::string bytes;
    bool valid;
    std::string lastText;
    std::string presentText;
};

void PrintTo(const StoredFile& file, std::ostream* os)
{
    *os << file.name;
}

class StationDataRead : public testing::TestWithParam<StoredFile> {};

TEST_P(StationDataRead, TextsAndValidity)
{
    test::TempDir dir;
    const std::string path = stationDataPath(dir.path(), "KBFI");
    test::writeFile(path, GetParam().bytes);
    const StationTexts read = ReadData(path, "KBFI");
    EXPECT_EQ(read.dataValid, GetParam().valid);
    EXPECT_EQ(read.lastText, GetParam().lastText);
    EXPECT_EQ(read.presentText, GetParam().presentText);
}

const std::string kNoData(kNoDataText);

INSTANTIATE_TEST_SUITE_P(
    StationData, StationDataRead,
    testing::Values(
        StoredFile{"without the final line break", "\"t\"\r\n\"(KBFI)\"", true, "t", "(KBFI)"},
        StoredFile{"anything after the second record is ignored", "\"t\"\r\n\"(KBFI)\"\r\n\"third\"\r\n", true, "t",
                   "(KBFI)"},
        StoredFile{"records on one line", "\"t\"\"(KBFI)\"", true, "t", "(KBFI)"},
        StoredFile{"the code in the trend alone is not enough", "\"KBFI trend\"\r\n\"(KSEA)\"\r\n", false, "", ""},
        StoredFile{"two empty records", "\"\"\r\n\"\"\r\n", false, "", ""},
        StoredFile{"empty file", "", false, kNoData, kNoData},
        StoredFile{"no quotes at all", "KBFI\r\nKBFI\r\n", false, kNoData, kNoData},
        StoredFile{"three quotes", "\"t\"\r\n\"(KBFI)", false, kNoData, kNoData}),
    [](const testing::TestParamInfo<StoredFile>& info) {
        std::string name;
        for (const char* c = info.param.name; *c; ++c)
            name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        return name;
    });

} // namespace
} // namespace ventoral
