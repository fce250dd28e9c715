// SPDX-License-Identifier: GPL-3.0-or-later
// The FAA flight category: the rules at every boundary, the METAR groups
// it reads, and the real NOAA reports checked against their own decoding.

#include <cmath>
#include <cstdlib>
#include <limits>
#include <map>
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

// The string value of a key in one line of JSON; the reports hold no escapes.
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
// both sides. No ceiling is a sky told clear or holding only FEW and SCT
// layers, or layers of unknown height. Where the visibility or the sky is
// missing, the other part alone gives a category only where nothing could
// make it worse (LIFR) or where it is a vertical visibility.
TEST(FlightCategory, RulesAtEveryBoundary)
{
    constexpr double kNone = -1;
    struct Case {
        double visibilityMiles;   // kNone: missing
        int ceilingFeet;          // -1: no ceiling
        const char* category;
        enum Sky { Told, Unknown, Untold, Vertical } sky = Told;
    };
    const Case cases[] = {
        // Ceiling alone decides (visibility 10 miles).
        {10, -1, "VFR"},
        {10, 3100, "VFR"},
        {10, 3000, "MVFR"},   // "1,000 to 3,000 feet"
        {10, 1000, "MVFR"},
        {10, 900, "IFR"},     // "500 to less than 1,000 feet"
        {10, 500, "IFR"},
        {10, 400, "LIFR"},    // "less than 500 feet"
        {10, 0, "LIFR"},
        // Visibility alone decides (no ceiling).
        {5.01, -1, "VFR"},    // "greater than 5 miles"
        {5, -1, "MVFR"},      // "3 to 5 miles inclusive"
        {3, -1, "MVFR"},
        {2.99, -1, "IFR"},    // "1 to less than 3 miles"
        {1, -1, "IFR"},
        {0.99, -1, "LIFR"},   // "less than 1 mile"
        {0, -1, "LIFR"},
        // The worse of the two decides.
        {4, 5000, "MVFR"},
        {0.5, 800, "LIFR"},
        {5.5, 3500, "VFR"},
        {2, 3000, "IFR"},
        // Layers of unknown height beside them are no ceiling.
        {10, -1, "VFR", Case::Unknown},
        {10, 3000, "MVFR", Case::Unknown},
        {2.99, -1, "IFR", Case::Unknown},
        {0.5, -1, "LIFR", Case::Unknown},
        // Vertical visibility is a ceiling like any other.
        {10, 3100, "VFR", Case::Vertical},
        {10, 900, "IFR", Case::Vertical},
        {0.25, 100, "LIFR", Case::Vertical},
        // No sky group: the visibility decides only where it gives LIFR.
        {0.99, -1, "LIFR", Case::Untold},
        {1, -1, "", Case::Untold},
        {10, -1, "", Case::Untold},
        // No visibility: a layer below 500 ft decides; a vertical visibility always.
        {kNone, 400, "LIFR"},
        {kNone, 500, ""},
        {kNone, 3100, ""},
        {kNone, -1, ""},
        {kNone, -1, "", Case::Unknown},
        {kNone, -1, "", Case::Untold},
        {kNone, 200, "LIFR", Case::Vertical},
        {kNone, 500, "IFR", Case::Vertical},
        {kNone, 1000, "MVFR", Case::Vertical},
        {kNone, 3100, "VFR", Case::Vertical},
    };
    for (const Case& c : cases) {
        FlightConditions conditions;
        if (c.visibilityMiles != kNone)
            conditions.visibilityMiles = c.visibilityMiles;
        conditions.skyReported = c.sky != Case::Untold;
        if (c.ceilingFeet >= 0)
            conditions.ceilingFeet = c.ceilingFeet;
        conditions.ceilingIsVertical = c.sky == Case::Vertical;
        conditions.layerOfUnknownHeight = c.sky == Case::Unknown;
        EXPECT_EQ(nameOf(flightCategoryOf(conditions)), c.category)
            << "visibility " << c.visibilityMiles << " mi, ceiling " << c.ceilingFeet << " ft, sky " << c.sky;
    }
}

TEST(FlightCategory, ReadsVisibilityAndSkyGroups)
{
    constexpr double kNone = -1;
    struct Case {
        const char* metar;
        double visibilityMiles;   // kNone: missing
        int ceilingFeet;          // -1: no ceiling
        const char* category;
    };
    const Case cases[] = {
        {"KBFI 071753Z VRB03KT 1/2SM FG BKN003 OVC010 08/08 A2990", 0.5, 300, "LIFR"},
        {"KPAE 071753Z 00000KT M1/4SM FG VV001 05/05 A3012", 0.25, 100, "LIFR"},
        {"KLAX 071753Z 25008KT P6SM SKC 20/10 A2995", 6, -1, "VFR"},
        {"KBOS 071753Z 09012KT 2 3/4SM RA SCT008 OVC015 10/09 A2970", 2.75, 1500, "IFR"},
        {"CYVM 272222Z AUTO 00000KT 1 1/2SM -SN OVC017 M20/M22 A2942", 1.5, 1700, "IFR"},
        {"KORD 071753Z 27012KT 3SM -SN BKN025 M02/M05 A2980", 3, 2500, "MVFR"},
        {"KCOT 272153Z AUTO 04005KT 8SM OVC010 12/08 A3017", 8, 1000, "MVFR"},
        {"KCHA 272153Z 31009KT 10SM SCT015 BKN022 BKN030 08/04 A3008", 10, 2200, "MVFR"},
        // Metres: 9999 is 10 km or more; 8000 m falls short of 5 miles, 4800 m of 3 and 1600 m of 1.
        {"EGLL 071750Z 24012KT 9999 SCT030 12/08 Q1012", 6.2137, -1, "VFR"},
        {"NFNL 272220Z 14003KT 8000 -RA SCT025TCU BKN046 OVC100 26/25 Q1011", 4.9710, 4600, "MVFR"},
        {"MPPA 272200Z 33011KT 9000 FEW030 30/23 Q1006", 5.5923, -1, "VFR"},
        {"OEHL 272200Z 15002KT 5000 BR NSC 07/06 Q1020", 3.1069, -1, "MVFR"},
        {"LSGS 272220Z AUTO VRB02KT 4800 RA BR BKN030 05/04 Q1004", 2.9826, 3000, "IFR"},
        {"KQEP 272220Z AUTO 28005KT 1600 -SN OVC016 M05/M05 A2995", 0.9942, 1600, "LIFR"},
        {"LSZL 272220Z AUTO VRB02KT 7000NDV RA FEW005 BKN032 03/03 Q1006", 4.3496, 3200, "MVFR"},
        {"XXXX 071750Z 24012KT 8KM BKN030 12/08 Q1012", 4.9710, 3000, "MVFR"},
        {"XXXX 071750Z 24012KT 5NM BKN030 12/08 Q1012", 5.7539, 3000, "MVFR"},
        // CAVOK and the cloudless words.
        {"LWSK 272220Z 03005KT CAVOK 03/01 Q1020 NOSIG", 6.2137, -1, "VFR"},
        {"OEKJ 272200Z 36005KT 8000 BR NSC 13/09 Q1020", 4.9710, -1, "MVFR"},
        {"NZWN 272200Z AUTO 02010KT 9999 NCD 19/09 Q1022", 6.2137, -1, "VFR"},
        {"KDEN 071753Z 20017KT 10SM CLR 27/09 A3002 RMK AO2 VIS 1/2", 10, -1, "VFR"},
        // Layers of unknown height are no ceiling; the lowest known one is.
        {"RJTT 202200Z 19009KT 9999 FEW010 BKN013 BKN/// 29/25 Q1013 NOSIG", 6.2137, 1300, "MVFR"},
        {"RJBE 171300Z VRB02KT 9999 FEW015 SCT050 BKN/// 27/24 Q1013", 6.2137, -1, "VFR"},
        {"XXXX 171300Z VRB02KT 9999 OVC/// BKN035 27/24 Q1013", 6.2137, 3500, "VFR"},
        {"LSGS 272220Z AUTO VRB02KT 4700 RA BR BKN/// 05/04 Q1004", 2.9205, -1, "IFR"},
        {"NZAA 272200Z AUTO 03008KT 9999 BKN032/// BKN042/// 22/14 Q1021", 6.2137, 3200, "VFR"},
        {"LIBQ 301855Z 0000 FG VV/// 06/06 Q1020", 0, -1, "LIFR"},
        {"XXXX 301855Z 3SM BR VV/// 06/06 A3001", 3, -1, "MVFR"},
        // A cloud group of unknown cover tells nothing of the sky.
        {"RJFG 081300Z AUTO 11015G27KT 4900 BR OVC001 //////TCU 25/25 Q1003", 3.0447, 100, "LIFR"},
        {"EGLC 122050Z AUTO 24009KT 9999 //////TCU 09/07 Q0994", 6.2137, -1, ""},
        // One part missing: the other decides where it gives LIFR or is a vertical visibility.
        {"KHTL 272216Z AUTO 25019G31KT 3/4SM -SN BR M02/M03 A2939 RMK AO2", 0.75, -1, "LIFR"},
        {"XXXX 272216Z AUTO 25019G31KT 1SM -SN BR M02/M03 A2939 RMK AO2", 1, -1, ""},
        {"TVSB 221800Z 14013KT 9999 ////// 31/26 Q1013", 6.2137, -1, ""},
        {"XXXX 071753Z AUTO 00000KT //// VV002 05/05 Q1012", kNone, 200, "LIFR"},
        {"XXXX 071753Z AUTO 00000KT //// VV008 05/05 Q1012", kNone, 800, "IFR"},
        {"XXXX 071753Z AUTO 00000KT //// // OVC003 05/05 Q1012", kNone, 300, "LIFR"},
        {"ENQA 181750Z AUTO 35028KT //// BKN007/// OVC031/// M02/M02 Q0991", kNone, 700, ""},
        {"KCNY 272153Z AUTO 31011KT CLR 07/M11 A2999 RMK AO2", kNone, -1, ""},
        {"FAVV 141500Z AUTO 35012KT //// // ////// 18/11 Q1018", kNone, -1, ""},
        {"KG98 070547Z 00000KT M M 19/M01 A3013", kNone, -1, ""},
        {"KQTA 130555Z VRB04KT 30/10 A2979 RMK AO2 SLP075 VISNO CHINO", kNone, -1, ""},
        {"", kNone, -1, ""},
        {"XXXX 071753Z 99999999999SM 99999999999KM CLR", kNone, -1, ""},
        // Runway visual range and the directional minimum after the prevailing visibility are not read.
        {"LFPG 071800Z 18010KT 4000 2000SW BR BKN012 10/09 Q1010", 2.4855, 1200, "IFR"},
        {"YSCB 262130Z 15005KT 9000 1500N BR BKN003 07/07 Q1021", 5.5923, 300, "LIFR"},
        {"URMO 180730Z 00000MPS 0350 R10/0200VP1500U FZFG OVC002 M02/M02 Q1016", 0.2175, 200, "LIFR"},
        {"KSEA 071753Z 18010KT 1/2SM R16L/2400V4000FT FG OVC002 10/09 A3000", 0.5, 200, "LIFR"},
        // A trend is a forecast and the remarks are no observation.
        {"EGLL 071750Z 24012KT 9999 SCT030 12/08 Q1012 TEMPO 0800 FG BKN002", 6.2137, -1, "VFR"},
        {"RJAA 271200Z 06007KT 9999 BKN010 BKN/// 22/20 Q1014 BECMG 04006KT TEMPO FEW003 BKN008", 6.2137, 1000, "MVFR"},
        {"YSSY 271200Z 06007KT 9999 FEW040 22/20 Q1014 INTER 1300/1500 3000 SHRA BKN008", 6.2137, -1, "VFR"},
        {"UUWW 272224Z 22004MPS 9999 SCT040 04/04 Q1013 NOSIG OVC004", 6.2137, -1, "VFR"},
        {"URMN 272221Z 24001MPS 2000 BR OVC005 00/M00 Q1024 RMK OBST OBSC VV001", 1.2427, 500, "IFR"},
        {"EDDB 071750Z 24012KT 9999 BKN030 12/08 Q1012=", 6.2137, 3000, "MVFR"},
    };
    for (const Case& c : cases) {
        const FlightConditions read = flightConditionsOf(c.metar);
        EXPECT_EQ(nameOf(flightCategoryOf(std::string_view(c.metar))), c.category) << c.metar;
        EXPECT_EQ(read.visibilityMiles.has_value(), c.visibilityMiles != kNone) << c.metar;
        EXPECT_NEAR(read.visibilityMiles.value_or(kNone), c.visibilityMiles, 1e-4) << c.metar;
        EXPECT_EQ(read.ceilingFeet.value_or(-1), c.ceilingFeet) << c.metar;
    }
    // What the sky groups tell besides the ceiling.
    EXPECT_TRUE(flightConditionsOf("RJBE 141200Z 9999 FEW035 BKN/// Q1017").layerOfUnknownHeight);
    EXPECT_TRUE(flightConditionsOf("RJBE 141200Z 9999 FEW035 BKN/// Q1017").skyReported);
    EXPECT_FALSE(flightConditionsOf("RJBE 141200Z 9999 FEW035 BKN030 Q1017").layerOfUnknownHeight);
    EXPECT_TRUE(flightConditionsOf("X 0000 FG VV001").ceilingIsVertical);
    EXPECT_FALSE(flightConditionsOf("X 0000 FG OVC001").ceilingIsVertical);
    EXPECT_FALSE(flightConditionsOf("X 0000 FG //////").skyReported);
    // "M" lies below its value and "P" above it.
    const double quarter = *flightConditionsOf("X 1/4SM CLR").visibilityMiles;
    const double belowQuarter = *flightConditionsOf("X M1/4SM CLR").visibilityMiles;
    EXPECT_LT(belowQuarter, quarter);
    EXPECT_LT(quarter - belowQuarter, 1e-5);
    EXPECT_GT(*flightConditionsOf("X P6SM CLR").visibilityMiles, 6);
}

TEST(FlightCategory, MetarOfAReportIsItsObLine)
{
    EXPECT_EQ(metarOfReport("Station (KSEA)\nob: KSEA 071753Z 10SM CLR \r\ncycle: 18\n"), "KSEA 071753Z 10SM CLR");
    EXPECT_EQ(metarOfReport("ob: LIRF 071750Z CAVOK"), "LIRF 071750Z CAVOK");
    EXPECT_EQ(metarOfReport("Station (KSEA)\nWeather: snob: none\n"), "");
}

// Every real report: the visibility read from its METAR lies where NOAA's own
// decoding puts it, and it has a ceiling or a ceiling layer of unknown height
// exactly when NOAA calls its sky mostly cloudy, overcast or obscured.
TEST(FlightCategory, RealReportsAgreeWithNoaasDecoding)
{
    std::size_t read = 0;
    std::size_t visibilityChecked = 0;
    std::size_t skyChecked = 0;
    for (const std::string& path : realReports()) {
        const std::string report = test::readData(path);
        const FlightConditions conditions = flightConditionsOf(metarOfReport(report));
        const std::optional<MilesRange> noaa = noaaVisibility(lineValue(report, "Visibility"));
        const std::string sky = lineValue(report, "Sky conditions");
        if (!conditions.visibilityMiles && !conditions.skyReported)
            continue;
        ++read;
        if (noaa && conditions.visibilityMiles) {
            ++visibilityChecked;
            EXPECT_GE(*conditions.visibilityMiles, noaa->low - 1e-6) << path;
            EXPECT_LT(*conditions.visibilityMiles, noaa->high) << path;
        }
        if (!sky.empty() && conditions.skyReported) {
            ++skyChecked;
            const bool covered = sky == "mostly cloudy" || sky == "overcast" || sky == "obscured";
            EXPECT_EQ(conditions.ceilingFeet || conditions.layerOfUnknownHeight, covered) << path << ": " << sky;
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

// Real METARs with the category the Aviation Weather Center published for
// each, 150 of each category (AWC-FLIGHT-CATEGORY.md says where they were
// saved): every one agrees.
TEST(FlightCategory, AgreesWithTheAviationWeatherCenter)
{
    std::istringstream lines(test::readData("observations/awc-flight-category.jsonl"));
    std::map<std::string, std::pair<int, int>> agreedOfCategory;
    std::string line;
    while (std::getline(lines, line)) {
        const std::string metar = test::jsonString(line, "raw");
        const std::string awc = test::jsonString(line, "fltcat");
        ASSERT_FALSE(metar.empty()) << line;
        const std::string ours = nameOf(flightCategoryOf(std::string_view(metar)));
        EXPECT_EQ(ours, awc) << metar;
        auto& [agreed, all] = agreedOfCategory[awc];
        agreed += ours == awc;
        ++all;
    }
    const std::map<std::string, std::pair<int, int>> everyOne = {
        {"VFR", {150, 150}}, {"MVFR", {150, 150}}, {"IFR", {150, 150}}, {"LIFR", {150, 150}}};
    EXPECT_EQ(agreedOfCategory, everyOne);
}
