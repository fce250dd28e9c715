// SPDX-License-Identifier: GPL-3.0-or-later
// The FAA flight category: the rules at every boundary, the METAR groups
// it reads, and the real NOAA reports checked against their own decoding.

#include <cmath>
#include <cstdlib>
#include <limits>
#include <sstream>

#include <gtest/gtest.h>

#include "observations/flight_category.h"
#include "test_support.h"

using namespace ventoral;

namespace {

std::string nameOf(std::optional<FlightCategory> category)
{
    return category ? std::string(flightCategoryName(*category)) : std::string();
}

// The text after "Name: " on a report's line of that name, without NOAA's ":0" tail.
std::string lineValue(const std::string& report, const std::string& name)
{
    const std::string key = "\n" + name + ": ";
    const std::size_t at = report.find(key);
    if (at == std::string::npos)
        return {};
    const std::size_t start = at + key.size();
    std::string value = report.substr(start, report.find('\n', start) - start);
    if (const std::size_t tail = value.rfind(":0"); tail != std::string::npos && tail + 2 >= value.size() - 1)
        value.erase(tail);
    while (!value.empty() && (value.back() == '\r' || value.back() == ' '))
        value.pop_back();
    return value;
}

struct MilesRange {
    double low;
    double high;   // exclusive
};

// Where NOAA's own "Visibility:" wording puts the statute miles: "less than
// 1 mile", "greater than 7 mile(s)" (its wording of 9999, 10 km), whole miles
// truncated from metres ("3 mile(s)" for 6000 m) and exact fractions.
std::optional<MilesRange> noaaVisibility(const std::string& text)
{
    constexpr double kMany = std::numeric_limits<double>::infinity();
    if (text == "less than 1 mile")
        return MilesRange{0, 1};
    if (text == "greater than 7 mile(s)")
        return MilesRange{6.2137, kMany};
    const std::size_t unit = text.find(" mile(s)");
    if (unit == std::string::npos)
        return std::nullopt;
    std::istringstream in(text.substr(0, unit));
    std::string first;
    std::string second;
    in >> first >> second;
    const auto fraction = [](const std::string& f) {
        const std::size_t slash = f.find('/');
        return std::stod(f.substr(0, slash)) / std::stod(f.substr(slash + 1));
    };
    if (first.find('/') != std::string::npos)
        return MilesRange{fraction(first), fraction(first) + 1e-9};
    if (!second.empty())
        return MilesRange{std::stod(first) + fraction(second), std::stod(first) + fraction(second) + 1e-9};
    return MilesRange{std::stod(first), std::stod(first) + 1};
}

std::vector<std::string> realReports()
{
    std::vector<std::string> paths;
    for (const std::string folder : {"observations/noaa-decoded", "observations/noaa-decoded-more"})
        for (const std::string& name : test::dataFiles(folder, ".txt"))
            paths.push_back(folder + "/" + name);
    return paths;
}

} // namespace

// The categorical outlooks as the FAA defines them, with each boundary on
// both sides. A missing ceiling is no ceiling (clear sky, FEW or SCT only).
// A further ceiling layer of unknown height may lie below any known one, so
// with it only a category that is LIFR already can be told.
TEST(FlightCategory, FaaRulesAtEveryBoundary)
{
    struct Case {
        std::optional<int> ceilingFeet;
        double visibilityMiles;
        const char* category;
        bool unknownLayer = false;
    };
    const Case cases[] = {
        // Ceiling alone decides (visibility 10 miles).
        {std::nullopt, 10, "VFR"},
        {3100, 10, "VFR"},
        {3000, 10, "MVFR"},   // "1,000 to 3,000 feet"
        {1000, 10, "MVFR"},
        {900, 10, "IFR"},     // "500 to less than 1,000 feet"
        {500, 10, "IFR"},
        {400, 10, "LIFR"},    // "less than 500 feet"
        // Visibility alone decides (no ceiling).
        {std::nullopt, 5.01, "VFR"},   // "greater than 5 miles"
        {std::nullopt, 5, "MVFR"},     // "3 to 5 miles inclusive"
        {std::nullopt, 3, "MVFR"},
        {std::nullopt, 2.75, "IFR"},   // "1 to less than 3 miles"
        {std::nullopt, 1, "IFR"},
        {std::nullopt, 0.75, "LIFR"},  // "less than 1 mile"
        // The worse of the two decides.
        {5000, 4, "MVFR"},
        {800, 0.5, "LIFR"},
        {3500, 5.5, "VFR"},
        // A ceiling layer of unknown height besides.
        {std::nullopt, 0.5, "LIFR", true},
        {400, 10, "LIFR", true},
        {500, 0.99, "LIFR", true},
        {500, 10, "", true},
        {std::nullopt, 1, "", true},
        {std::nullopt, 10, "", true},
    };
    for (const Case& c : cases) {
        const FlightConditions conditions{c.visibilityMiles, c.ceilingFeet, c.unknownLayer};
        EXPECT_EQ(nameOf(flightCategoryOf(conditions)), c.category)
            << "ceiling " << (c.ceilingFeet ? std::to_string(*c.ceilingFeet) : "none") << " ft, visibility "
            << c.visibilityMiles << " mi" << (c.unknownLayer ? ", a layer of unknown height" : "");
    }
}

TEST(FlightCategory, ReadsVisibilityAndCeilingGroups)
{
    struct Case {
        const char* metar;
        double visibilityMiles;   // -1: no conditions at all
        int ceilingFeet;          // -1: no ceiling
        const char* category;
    };
    const Case cases[] = {
        {"KBFI 071753Z VRB03KT 1/2SM FG BKN003 OVC010 08/08 A2990", 0.5, 300, "LIFR"},
        {"KPAE 071753Z 00000KT M1/4SM FG VV001 05/05 A3012", 0.25, 100, "LIFR"},
        {"KLAX 071753Z 25008KT P6SM SKC 20/10 A2995", 6, -1, "VFR"},
        {"KDEN 071753Z 20017KT 10SM CLR 27/09 A3002 RMK AO2 VIS 1/2", 10, -1, "VFR"},
        {"KORD 071753Z 27012KT 3SM -SN BKN025 M02/M05 A2980", 3, 2500, "MVFR"},
        {"KBOS 071753Z 09012KT 2 3/4SM RA SCT008 OVC015 10/09 A2970", 2.75, 1500, "IFR"},
        // Metres: 9999 is 10 km or more; 8000 m falls short of 5 miles, 1600 m of 1 mile. The
        // real reports below hold the other forms: CAVOK, NDV, KM, NM, OVC005///, //////, trends.
        {"EGLL 071750Z 24012KT 9999 SCT030 12/08 Q1012", 6.2137, -1, "VFR"},
        {"EGLL 071750Z 24012KT 8000 BKN030 12/08 Q1012", 4.9710, 3000, "MVFR"},
        {"EGLL 071750Z 24012KT 1600 BR BKN030 12/08 Q1012", 0.9942, 3000, "LIFR"},
        // The directional minimum after the prevailing visibility is not read.
        {"LFPG 071800Z 18010KT 4000 2000SW BR BKN012 10/09 Q1010", 2.4855, 1200, "IFR"},
        // A trend is a forecast, not the observation.
        {"EGLL 071750Z 24012KT 9999 SCT030 12/08 Q1012 TEMPO 0800 FG BKN002", 6.2137, -1, "VFR"},
        // Nothing without a visibility or a sky, or when either is reported missing.
        {"FAVV 141500Z AUTO 35012KT //// // ////// 18/11 Q1018", -1, -1, ""},
        {"KG98 070547Z 00000KT M M 19/M01 A3013", -1, -1, ""},
        {"KQTA 130555Z VRB04KT 30/10 A2979 RMK AO2 SLP075 VISNO CHINO", -1, -1, ""},
        {"KQTA 130555Z VRB04KT 10SM 30/10 A2979", -1, -1, ""},
        {"ENQA 181750Z AUTO 35028KT //// BKN007/// OVC031/// M02/M02 Q0991", -1, -1, ""},
        {"", -1, -1, ""},
        {"XXXX 071753Z 99999999999SM 99999999999KM CLR", -1, -1, ""},
    };
    for (const Case& c : cases) {
        const std::optional<FlightConditions> read = flightConditionsOf(c.metar);
        EXPECT_FALSE(read && read->ceilingUnknown) << c.metar;
        EXPECT_EQ(nameOf(flightCategoryOf(std::string_view(c.metar))), c.category) << c.metar;
        if (c.visibilityMiles < 0) {
            EXPECT_FALSE(read) << c.metar;
            continue;
        }
        ASSERT_TRUE(read) << c.metar;
        EXPECT_NEAR(read->visibilityMiles, c.visibilityMiles, 1e-4) << c.metar;
        EXPECT_EQ(read->ceilingFeet.value_or(-1), c.ceilingFeet) << c.metar;
    }
    // A ceiling of unknown height leaves only LIFR to tell.
    const std::optional<FlightConditions> unknown = flightConditionsOf("RJBE 141200Z 9999 FEW035 BKN/// Q1017");
    ASSERT_TRUE(unknown);
    EXPECT_TRUE(unknown->ceilingUnknown);
    EXPECT_EQ(nameOf(flightCategoryOf(*unknown)), "");
    EXPECT_EQ(nameOf(flightCategoryOf(std::string_view("LIBQ 301855Z 0000 FG VV/// 06/06 Q1020"))), "LIFR");
    // "M" lies below its value and "P" above it.
    EXPECT_LT(flightConditionsOf("X 1/4SM CLR")->visibilityMiles - flightConditionsOf("X M1/4SM CLR")->visibilityMiles,
              1e-5);
    EXPECT_LT(flightConditionsOf("X M1/4SM CLR")->visibilityMiles, 0.25);
    EXPECT_GT(flightConditionsOf("X P6SM CLR")->visibilityMiles, 6);
}

TEST(FlightCategory, MetarOfAReportIsItsObLine)
{
    EXPECT_EQ(metarOfReport("Station (KSEA)\nob: KSEA 071753Z 10SM CLR \r\ncycle: 18\n"), "KSEA 071753Z 10SM CLR");
    EXPECT_EQ(metarOfReport("ob: LIRF 071750Z CAVOK"), "LIRF 071750Z CAVOK");
    EXPECT_EQ(metarOfReport("Station (KSEA)\nWeather: snob: none\n"), "");
}

// Every real report: the visibility read from its METAR lies where NOAA's own
// decoding puts it, and it has a ceiling exactly when NOAA calls its sky
// mostly cloudy, overcast or obscured.
TEST(FlightCategory, RealReportsAgreeWithNoaasDecoding)
{
    std::size_t read = 0;
    std::size_t visibilityChecked = 0;
    std::size_t skyChecked = 0;
    for (const std::string& path : realReports()) {
        const std::string report = test::readData(path);
        const std::optional<FlightConditions> conditions = flightConditionsOf(metarOfReport(report));
        const std::optional<MilesRange> noaa = noaaVisibility(lineValue(report, "Visibility"));
        const std::string sky = lineValue(report, "Sky conditions");
        if (!conditions)
            continue;
        ++read;
        if (noaa) {
            ++visibilityChecked;
            EXPECT_GE(conditions->visibilityMiles, noaa->low - 1e-6) << path;
            EXPECT_LT(conditions->visibilityMiles, noaa->high) << path;
        }
        if (!sky.empty()) {
            ++skyChecked;
            const bool ceiling = sky == "mostly cloudy" || sky == "overcast" || sky == "obscured";
            EXPECT_EQ(conditions->ceilingFeet || conditions->ceilingUnknown, ceiling) << path << ": " << sky;
        }
    }
    EXPECT_GE(read, 300u);
    EXPECT_GE(visibilityChecked, 250u);
    EXPECT_GE(skyChecked, 200u);
}

// The category of every real report, one "file category" line each, empty
// where it cannot be classified. To refresh the reference after a deliberate
// change, run the test with VENTORAL_REFRESH_REFERENCE=1, then check the new
// file by hand.
TEST(FlightCategory, RealReportsMatchReference)
{
    const std::string expectedName = "observations/flight-categories.expected";
    std::string actual;
    for (const std::string& path : realReports()) {
        const std::string report = test::readData(path);
        actual += path.substr(path.find('/') + 1) + " " + nameOf(flightCategoryOf(metarOfReport(report))) + "\n";
    }
    EXPECT_EQ(actual, test::reference(expectedName, actual));   // the whole file, with a line diff
    for (const char* category : {" VFR\n", " MVFR\n", " IFR\n", " LIFR\n"})
        EXPECT_NE(actual.find(category), std::string::npos) << category;
}
