// SPDX-License-Identifier: GPL-3.0-or-later
// The words a screen reader reads for the dials, graphs, strip and wall
// tiles: a table of one report's variants, the compass and age words at
// their boundaries, and a reference file of every real NOAA report in both
// unit systems (refresh with VENTORAL_REFRESH_REFERENCE=1).

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "instruments/accessible_text.h"
#include "platform/core/civil_time.h"
#include "settings/units.h"
#include "test_support.h"

using namespace ventoral;

namespace {

// A decoded report with every figure the dials show; each case changes lines of it.
const std::string kReport =
    "SEATTLE-TACOMA INTERNATIONAL AIRPORT, WA, United States (KSEA) 47-27N 122-18W 137M\n"
    "Dec 06, 2023 - 12:53 PM EST / 2023.12.06 1753 UTC\n"
    "Wind: from the SW (230 degrees) at 12 MPH (10 KT) gusting to 19 MPH (17 KT):0\n"
    "Visibility: 10 mile(s):0\n"
    "Sky conditions: overcast\n"
    "Weather: light rain, mist\n"
    "Temperature: 45.0 F (7.2 C)\n"
    "Dew Point: 39.0 F (3.9 C)\n"
    "Relative Humidity: 79%\n"
    "Pressure (altimeter): 29.83 in. Hg (1010 hPa)\n"
    "Pressure tendency: 0.04 inches (1.4 hPa) higher than three hours ago\n"
    "ob: KSEA 061753Z 23010G17KT 10SM -RA BR OVC020 07/04 A2983\n"
    "cycle: 18\n";

std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    const auto at = text.find(from);
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

PanelModel modelOf(const std::string& code, const std::string& report, const UnitSettings& units,
                   const std::string& trend = {})
{
    static const IsoDateForms forms;
    StationTexts texts;
    texts.presentText = report;
    texts.lastText = trend;
    texts.dataValid = true;
    return buildPanelModel(snapshotOf(code, texts), std::nullopt, units, {CivilTime{2023, 12, 6, 19, 34, 0}, nullptr, &forms});
}

UnitSettings imperial()
{
    UnitSettings units;
    units.speedUnit = kSpeedMph;
    units.temperatureUnit = kTempFahrenheit;
    units.pressureUnit = kPressureInches;
    return units;
}

struct DescriptionCase {
    const char* name;
    std::string report;
    UnitSettings units;
    DialKind dial;
    std::string words;
};

void PrintTo(const DescriptionCase& c, std::ostream* os)
{
    *os << c.name;
}

class DialWords : public ::testing::TestWithParam<DescriptionCase> {};

} // namespace

TEST_P(DialWords, ReadTheCaptionsFigures)
{
    const DescriptionCase& c = GetParam();
    EXPECT_EQ(dialDescription(modelOf("KSEA", c.report, c.units), c.dial), c.words);
}

INSTANTIATE_TEST_SUITE_P(
    Report, DialWords,
    ::testing::Values(
        DescriptionCase{"direction", kReport, {}, DialKind::WindDirection, "Wind from the south-west, 230 degrees"},
        DescriptionCase{"speed and gust in km/h", kReport, {}, DialKind::WindSpeed,
                        "Wind speed 19.3 kilometres per hour, gusting 30.6"},
        DescriptionCase{"speed and gust in MPH", kReport, imperial(), DialKind::WindSpeed,
                        "Wind speed 12 miles per hour, gusting 19"},
        DescriptionCase{"calm", replaced(kReport, "from the SW (230 degrees) at 12 MPH (10 KT) gusting to 19 MPH (17 KT)", "Calm"),
                        {}, DialKind::WindDirection, "Calm, no wind direction"},
        DescriptionCase{"calm speed", replaced(kReport, "from the SW (230 degrees) at 12 MPH (10 KT) gusting to 19 MPH (17 KT)", "Calm"),
                        {}, DialKind::WindSpeed, "Wind speed 0 kilometres per hour"},
        DescriptionCase{"variable", replaced(kReport, "from the SW (230 degrees)", "Variable"), {},
                        DialKind::WindDirection, "No wind direction data"},
        DescriptionCase{"no wind line", replaced(kReport, "Wind: from the SW (230 degrees) at 12 MPH (10 KT) gusting to 19 MPH (17 KT):0\n", ""),
                        {}, DialKind::WindSpeed, "No wind speed data"},
        DescriptionCase{"temperature and dew point", kReport, {}, DialKind::Temperature,
                        "Temperature 7.2 degrees Celsius, dew point 3.9"},
        DescriptionCase{"in Fahrenheit", kReport, imperial(), DialKind::Temperature,
                        "Temperature 45 degrees Fahrenheit, dew point 39"},
        DescriptionCase{"dew point pointer off",
                        kReport,
                        [] {
                            UnitSettings u;
                            u.dewPointPointer = false;
                            return u;
                        }(),
                        DialKind::Temperature, "Temperature 7.2 degrees Celsius"},
        DescriptionCase{"no temperature", replaced(kReport, "Temperature: 45.0 F (7.2 C)\n", ""), {},
                        DialKind::Temperature, "No temperature data"},
        DescriptionCase{"humidity", kReport, {}, DialKind::Humidity, "Humidity 79 percent"},
        DescriptionCase{"pressure rising slowly", kReport, {}, DialKind::Pressure,
                        "Air pressure 1010 hectopascals, rising slowly, 1.4 in 3 hours"},
        DescriptionCase{"pressure in inches", kReport, imperial(), DialKind::Pressure,
                        "Air pressure 29.83 inches of mercury, rising slowly, 0.04 in 3 hours"},
        DescriptionCase{"pressure falling", replaced(kReport, "(1.4 hPa) higher", "(4.0 hPa) lower"), {},
                        DialKind::Pressure, "Air pressure 1010 hectopascals, falling quickly, 4.0 in 3 hours"},
        DescriptionCase{"pressure steady", replaced(kReport, "0.04 inches (1.4 hPa) higher", "0.00 inches (0.04 hPa) higher"),
                        {}, DialKind::Pressure, "Air pressure 1010 hectopascals, steady"},
        DescriptionCase{"no tendency", replaced(kReport, "Pressure tendency: 0.04 inches (1.4 hPa) higher than three hours ago\n", ""),
                        {}, DialKind::Pressure, "Air pressure 1010 hectopascals"},
        DescriptionCase{"no pressure", replaced(kReport, "Pressure (altimeter): 29.83 in. Hg (1010 hPa)\n", ""), {},
                        DialKind::Pressure, "No air pressure data"}));

TEST(CompassWords, SixteenPointsWithTheirBoundaries)
{
    const struct {
        double degrees;
        const char* words;
    } cases[] = {
        {0, "north"},          {11.2, "north"},      {11.3, "north-north-east"}, {45, "north-east"},
        {67.5, "east-north-east"}, {90, "east"},     {202.5, "south-south-west"}, {213.7, "south-south-west"},
        {213.8, "south-west"}, {230, "south-west"}, {236.2, "south-west"},    {236.3, "west-south-west"},
        {348.7, "north-north-west"}, {348.8, "north"}, {360, "north"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(compassWords(c.degrees), c.words) << c.degrees;
}

TEST(AgeWords, MinutesHoursAndDays)
{
    const struct {
        long long minutes;
        const char* words;
    } cases[] = {
        {-3, "0 minutes"},         {1, "1 minute"},     {41, "41 minutes"},         {60, "1 hour"},
        {61, "1 hour 1 minute"},   {185, "3 hours 5 minutes"}, {48 * 60 - 1, "47 hours 59 minutes"},
        {48 * 60, "2 days"},       {5 * 24 * 60 + 7, "5 days"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ageWords(c.minutes), c.words) << c.minutes;
}

TEST(UnitWords, EveryUnitTheDialsShow)
{
    const struct {
        const char* unit;
        const char* words;
    } cases[] = {
        {"kph", "kilometres per hour"}, {"mph", "miles per hour"}, {"\xC2\xB0" "C", "degrees Celsius"},
        {"\xC2\xB0" "F", "degrees Fahrenheit"}, {"hPa", "hectopascals"}, {"inHg", "inches of mercury"},
        {"%", "percent"}, {"knots", "knots"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(unitWords(c.unit), c.words) << c.unit;
}

TEST(GraphWords, TheDaysFirstLastLowestAndHighestHour)
{
    const std::string trend = test::readData("observations/trend/KSEA.TREND");
    const PanelModel model = modelOf("KSEA", kReport, {}, trend);
    EXPECT_EQ(graphName(GraphKind::Pressure), "Air pressure, last 24 hours");
    EXPECT_EQ(graphDescription(model, GraphKind::WindDirection).rfind("From the ", 0), 0u);
    const PanelModel empty = modelOf("KSEA", kReport, {});
    for (const GraphKind kind : {GraphKind::Pressure, GraphKind::Humidity, GraphKind::Temperature,
                                 GraphKind::WindSpeed, GraphKind::WindDirection})
        EXPECT_EQ(graphDescription(empty, kind), "No data");
}

TEST(StripWords, TheLinesThenTheTagsText)
{
    const PanelModel model = modelOf("KSEA", kReport, {});
    EXPECT_EQ(stripDescription(model),
              "Visibility: 10 mile(s) - Sky conditions: overcast - Weather: light rain, mist. Flight category MVFR");
}

TEST(TileWords, EveryFigureThenCategoryWeatherAgeAndSource)
{
    const WallTile tile = wallTileOf("KSEA Seattle-Tacoma", modelOf("KSEA", kReport, {}));
    EXPECT_EQ(tileName(tile), "KSEA Seattle-Tacoma");
    EXPECT_EQ(tileDescription(tile),
              "Temperature 7.2 degrees Celsius, dew point 3.9. Wind from the south-west, 230 degrees. "
              "Wind speed 19.3 kilometres per hour, gusting 30.6. "
              "Air pressure 1010 hectopascals, rising slowly, 1.4 in 3 hours. Humidity 79 percent. "
              "Flight category MVFR. Weather: light rain, mist. Report 1 hour 41 minutes old. Source: decoded report.");
    WallTile none = wallTileOf("KXYZ", modelOf("KXYZ", "short", {}));
    none.statusLine = "No data available for this station";
    EXPECT_EQ(tileDescription(none), "No data available for this station");
}

// Every real report, in both unit systems: the dials', the strip's and the tile's words.
TEST(AccessibleTexts, EveryRealReportMatchesTheReference)
{
    const std::string trend = test::readData("observations/trend/KSEA.TREND");
    std::string out;
    for (const std::string& name : test::dataFiles("observations/noaa-decoded", ".txt")) {
        const std::string code = name.substr(0, 4);
        const std::string report = test::readData("observations/noaa-decoded/" + name);
        for (const UnitSettings& units : {UnitSettings{}, imperial()}) {
            const PanelModel model = modelOf(code, report, units, trend);
            out += name + " " + units.speedUnit + "\n";
            for (const DialKind kind : {DialKind::WindDirection, DialKind::WindSpeed, DialKind::Temperature,
                                        DialKind::Humidity, DialKind::Pressure})
                out += "  " + dialName(kind) + ": " + dialDescription(model, kind) + "\n";
            out += "  strip: " + stripDescription(model) + "\n";
            out += "  tile: " + tileDescription(wallTileOf(code, model)) + "\n";
        }
    }
    EXPECT_EQ(out, test::reference("instruments/accessible-texts.expected", out));
}
