// SPDX-License-Identifier: GPL-3.0-or-later
// Directory searches over a small directory built here and over the
// delivered one: state, country (exact number text), latitude/longitude
// boxes with both wrap flags, and the found-list line.

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/core/file_io.h"
#include "stations/core/coordinates.h"
#include "stations/core/station_catalogue.h"
#include "stations/core/station_search.h"
#include "delivered_data.h"
#include "test_support.h"

using namespace ventoral;

namespace {

std::string record(const char* code, const char* state, const char* country, const char* lat, const char* lon)
{
    return StationRecord::fromFields(code, std::string(code) + " Field", state, country, lat, lon, "0").toBytes();
}

std::vector<std::string> codes(const StationDirectory& directory, const std::vector<std::size_t>& found)
{
    std::vector<std::string> out;
    for (std::size_t i : found)
        out.push_back(codeOfEntry(directory.records()[i].code));
    return out;
}

class SmallDirectory : public ::testing::Test {
protected:
    StationDirectory directory = StationDirectory::fromBytes(
        record("KAAA", "NY", "3", "40-39N", "073-47W") + record("KBBB", "WA", "3", "47-27N", "122-18W") +
        record("AAAA", "  ", "57", "10-00N", "179-30E") + record("BBBB", "  ", "057", "10-00N", "179-30W") +
        record("CCCC", "  ", "1", "88-30N", "010-00E") + record("KCCC", "NY", "3", "42-45N", "073-48W") +
        std::string(40, 'x'));   // a damaged tail
};

} // namespace

TEST_F(SmallDirectory, ReadsWholeRecordsOnly)
{
    ASSERT_EQ(directory.size(), 6u);
    EXPECT_EQ(directory.records()[1].description, "KBBB Field" + std::string(50, ' '));
    EXPECT_DOUBLE_EQ(directory.latitudeOf(0), 40.65);
}

TEST_F(SmallDirectory, StateAndCountrySearchesKeepFileOrder)
{
    EXPECT_EQ(codes(directory, searchByState(directory, "NY")), (std::vector<std::string>{"KAAA", "KCCC"}));
    EXPECT_EQ(codes(directory, searchByCountry(directory, "3")), (std::vector<std::string>{"KAAA", "KBBB", "KCCC"}));
    // The number text is compared, so 057 is not country 57.
    EXPECT_EQ(codes(directory, searchByCountry(directory, "57")), std::vector<std::string>{"AAAA"});
    EXPECT_EQ(searchByState(directory, "").size(), 3u);
}

TEST(CountryNumbers, LastEqualLineCountsFromOne)
{
    const std::vector<std::string> countries = {"France", "Japan", "United States", "Japan ", ""};
    EXPECT_EQ(countryNumberOf(countries, "United States"), "3");
    EXPECT_EQ(countryNumberOf(countries, "Japan"), "4");
    EXPECT_EQ(countryNumberOf(countries, "Narnia"), "0");
}

TEST(SearchBoxes, LimitsClampAtThePolesAndWrapAtTheDateLine)
{
    SearchBox box = boxAround(88, 10, 5, 5);
    EXPECT_FLOAT_EQ(box.latMax, 90);
    EXPECT_FLOAT_EQ(box.latMin, 83);
    EXPECT_FALSE(box.eastWrap || box.westWrap);

    box = boxAround(10, 178, 1, 5);
    EXPECT_FLOAT_EQ(box.lonMax, -177);
    EXPECT_TRUE(box.eastWrap);
    EXPECT_FALSE(box.westWrap);

    box = boxAround(10, -178, 1, 5);
    EXPECT_FLOAT_EQ(box.lonMin, 177);
    EXPECT_TRUE(box.westWrap);
    EXPECT_EQ(limitText(box.lonMin, true), "177.000");
    EXPECT_EQ(limitText(-5.5f, false), "-05.500");
    EXPECT_EQ(limitText(box.latMax, false), "11.000");
}

TEST_F(SmallDirectory, BoxAcrossTheDateLineFindsBothSides)
{
    EXPECT_EQ(codes(directory, searchBox(directory, boxAround(10, 178, 1, 5))),
              (std::vector<std::string>{"AAAA", "BBBB"}));
    EXPECT_EQ(codes(directory, searchBox(directory, boxAround(10, -178, 1, 5))),
              (std::vector<std::string>{"AAAA", "BBBB"}));
    // A box wrapping on both sides lists every station in its latitudes twice.
    EXPECT_EQ(codes(directory, searchBox(directory, boxAround(10, 0, 1, 181))),
              (std::vector<std::string>{"AAAA", "AAAA", "BBBB", "BBBB"}));
    EXPECT_EQ(codes(directory, searchBox(directory, boxAround(40.64, -73.78, 0.5, 0.5))),
              std::vector<std::string>{"KAAA"});
}

TEST(FoundLines, CountryStateAndPositionSeparatedByCommas)
{
    const std::vector<std::string> countries = {"France", "", "United States"};
    FoundLineFormatter formatter(countries);
    const StationRecord ny = StationRecord::fromFields("KJFK", "Kennedy International Airport", "NY", "3", "40-39N",
                                                       "073-47W", "4");
    EXPECT_EQ(formatter.line(ny), "KJFK  Kennedy International Airport, United States, NY, 40-39N, 073-47W");
    const StationRecord lost = StationRecord::fromFields("LFPG", "Paris", "", "99", "49-01N", "002-32E", "0");
    // An unknown country number keeps the name of the line before.
    EXPECT_EQ(formatter.line(lost), "LFPG  Paris, United States, 49-01N, 002-32E");
    const StationRecord accented = StationRecord::fromFields("LFLL", "Lyon Saint-Exup\xE9ry", "", "1", "45-44N",
                                                             "005-05E", "0");
    EXPECT_EQ(formatter.line(accented), "LFLL  Lyon Saint-Exup\xC3\xA9ry, France, 45-44N, 005-05E");
}

TEST(DeliveredDirectory, StationLinesOfReportsBuiltFromMetars)
{
    const std::pair<const char*, const char*> cases[] = {
        {"KSEA", "Seattle-Tacoma International Airport, WA, United States (KSEA) 47-27N 122-19W"},
        {"EGLC", "London City Airport, United Kingdom (EGLC) 51-30N 000-30W"},
        {"ZZZZ", "Station name not available"},
    };
    for (const auto& [code, line] : cases)
        EXPECT_EQ(stationLineFor(code, stationInfoOf(deliveredCatalogue(), code)), line);
}

TEST(DeliveredDirectory, EveryRecordNamesACountryAndEveryCountryASetupLine)
{
    const StationCatalogue& c = deliveredCatalogue();
    EXPECT_EQ(c.setup.size(), c.countries.size());
    for (const StationRecord& r : c.directory.records()) {
        const int n = std::stoi(r.country);
        ASSERT_GE(n, 1) << r.code;
        ASSERT_LE(n, static_cast<int>(c.countries.size())) << r.code;
        ASSERT_EQ(r.latitude.size(), 6u);
        ASSERT_FALSE(normaliseLatitude(std::string(r.latitude)).empty()) << r.code << r.latitude;
        ASSERT_FALSE(normaliseLongitude(std::string(r.longitude)).empty()) << r.code << r.longitude;
    }
}
