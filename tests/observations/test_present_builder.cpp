// The present report built from a METAR against NOAA's own decoded report of
// the very same METAR: every real pair gives the same values and the same
// condition strip through presentData.

#include <regex>

#include <gtest/gtest.h>

#include "observations/metar.h"
#include "observations/present_builder.h"
#include "observations/present_parser.h"
#include "observations/pressure_tendency.h"
#include "test_support.h"

using namespace ventoral;

namespace {

const IsoDateForms kForms;

struct Pair {
    std::string name;
    std::string decoded;
};

std::vector<Pair> realPairs()
{
    std::vector<Pair> pairs;
    for (const std::string folder : {"observations/noaa-decoded", "observations/noaa-decoded-more"})
        for (const std::string& name : test::dataFiles(folder, ".txt"))
            pairs.push_back({name, test::readData(folder + "/" + name)});
    return pairs;
}

std::string lineAfter(const std::string& report, const std::string& label)
{
    const auto at = report.find("\n" + label);
    if (at == std::string::npos)
        return {};
    const auto start = at + 1 + label.size();
    return report.substr(start, report.find('\n', start) - start);
}

// The directory's description of the station, read back from NOAA's line.
StationInfo stationOf(const std::string& stationLine)
{
    std::smatch m;
    if (!std::regex_match(stationLine, m, std::regex(R"((.*) \(\w{4}\) (\S+) (\S+?)(?: (-?\d+)M)?)")))
        return {};
    return {m[1], m[2], m[3], m[4]};
}

CivilTime utcOf(const std::string& decoded)
{
    std::smatch m;
    std::regex_search(decoded, m, std::regex(R"(/ (\d{4})\.(\d\d)\.(\d\d) (\d\d)(\d\d) UTC)"));
    return {std::stoi(m[1]), std::stoi(m[2]), std::stoi(m[3]), std::stoi(m[4]), std::stoi(m[5]), 0};
}

struct Reading {
    Observation obs;
    PresentResult result;
};

Reading read(const std::string& text, const DisplayUnits& units, const CivilTime& now)
{
    PresentContext context;
    context.units = units;
    context.nowLocal = now;
    context.forms = &kForms;
    Reading r;
    r.obs.presetForParse();
    r.result = presentData(text, context, r.obs);
    return r;
}

std::vector<std::string> stripOf(const Reading& r)
{
    std::vector<std::string> lines;
    for (const StripLine& line : r.result.strip)
        lines.push_back(line.text + " @" + std::to_string(line.y));
    return lines;
}

// Every value the program shows, as text, so a mismatch names itself.
std::string valuesOf(const Reading& r)
{
    const Observation& o = r.obs;
    std::ostringstream out;
    out << "station=" << o.stationLine << " time=" << o.observationTime.count() << " utcHour=" << o.utcHour
        << " dir=" << o.windDirectionText << " speed=" << o.windSpeed << " speedText=" << o.windSpeedText
        << " gust=" << o.windGust << " t=" << o.temperature << " tText=" << o.temperatureText << " dew=" << o.dewPoint
        << " rh=" << o.humidity << " p=" << o.pressure << " pText=" << o.pressureText << " cycle=" << o.cycle
        << " label=" << (r.result.dateLabel ? r.result.dateLabel->caption : "none");
    return out.str();
}

} // namespace

TEST(PresentBuilder, EveryRealPairGivesNoaasLinesValuesAndStrip)
{
    int pairs = 0;
    for (const Pair& pair : realPairs()) {
        const std::string ob = lineAfter(pair.decoded, "ob: ");
        // NOAA's KLSF report is damaged: an empty cycle line, and the runway
        // group R33/1000V5000FT read as a variable wind direction.
        if (ob.empty() || pair.name == "KLSF-2010-10-31.txt")
            continue;
        SCOPED_TRACE(pair.name + ": " + ob);
        const CivilTime observed = utcOf(pair.decoded);
        const StationInfo station = stationOf(pair.decoded.substr(0, pair.decoded.find('\n')));
        const auto built = buildPresentReport(ob, station, observed);
        ASSERT_TRUE(built.has_value());
        ++pairs;

        for (const std::string label : {"Wind: ", "Visibility: ", "Sky conditions: ", "Weather: ", "Temperature: ",
                                        "Windchill: ", "Heat index: ", "Dew Point: ", "Relative Humidity: ",
                                        "Pressure (altimeter): ", "Pressure tendency: ", "cycle: "})
            EXPECT_EQ(lineAfter(*built, label), lineAfter(pair.decoded, label)) << label;
        // In March 2008 NOAA's server still kept the old daylight saving dates.
        // The tendency line stands last before the METAR, as in NOAA's report.
        EXPECT_EQ(built->find("\nPressure tendency: ") < built->find("\nob: "),
                  pair.decoded.find("\nPressure tendency: ") < pair.decoded.find("\nob: "));
        const auto tendency = reportTendencyHpa(*built);
        EXPECT_EQ(tendency.has_value(), reportTendencyHpa(pair.decoded).has_value());
        if (tendency)
            EXPECT_DOUBLE_EQ(*tendency, *reportTendencyHpa(pair.decoded));
        if (observed.year != 2008) {
            EXPECT_EQ(lineAfter(*built, ""), lineAfter(pair.decoded, ""));
        }

        for (const DisplayUnits units : {DisplayUnits{false, false, false}, DisplayUnits{true, true, true}}) {
            const Reading noaa = read(pair.decoded, units, observed);
            const Reading ours = read(*built, units, observed);
            EXPECT_EQ(valuesOf(ours), valuesOf(noaa)) << *built;
            EXPECT_EQ(stripOf(ours), stripOf(noaa)) << *built;
        }
    }
    EXPECT_GE(pairs, 380);
}

// Forms the real pairs lack: metres per second, fractions, P6SM, heavy
// weather, a station the directory does not know.
TEST(PresentBuilder, LinesOfFormsTheRealPairsLack)
{
    const StationInfo seattle{"Seattle-Tacoma International Airport, WA, United States", "47-27N", "122-19W", "137"};
    struct Case {
        std::string metar;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {"SPECI COR KSEA 181753Z VRB12G25KT P6SM +SN BLSN FZFG 01/M09 A3017",
         {"Wind: Variable at 14 MPH (12 KT) gusting to 29 MPH (25 KT):0", "Visibility: greater than 6 mile(s):0",
          "Weather: heavy snow; blowing snow; freezing fog", "Temperature: 33 F (1 C)", "cycle: 18"}},
        {"METAR KSEA 221953Z 27010MPS M1/4SM OVC002 M10/M12 Q1002",
         {"Wind: from the W (270 degrees) at 22 MPH (19 KT):0", "Visibility: less than 1/4 mile(s):0",
          "Windchill: -4 F (-20 C):1", "Pressure (altimeter): 29.59 in. Hg (1002 hPa)", "cycle: 20"}},
        {"KSEA 070121Z 270P99KT 1 1/2SM 10/08 A2994",
         {"Wind: from the W (270 degrees) at 114 MPH (99 KT):0", "Visibility: 1 1/2 mile(s):0",
          "Pressure (altimeter): 29.94 in. Hg (1013 hPa)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.metar);
        const auto built = buildPresentReport(c.metar, seattle, CivilTime{2023, 12, 31, 0, 0, 0});
        ASSERT_TRUE(built.has_value());
        EXPECT_EQ(built->rfind("Seattle-Tacoma International Airport, WA, United States (KSEA) 47-27N 122-19W 137M\n", 0),
                  0u);
        for (const std::string& line : c.lines)
            EXPECT_NE(built->find("\n" + line + "\n"), std::string::npos) << line << "\n" << *built;
    }
    const auto unknown = buildPresentReport("KSEA 070121Z 00000KT 10SM 09/08 A2971", {}, CivilTime{2023, 12, 7, 2, 0, 0});
    ASSERT_TRUE(unknown.has_value());
    EXPECT_EQ(unknown->rfind("Station name not available\nDec 06, 2023 - 08:21 PM EST / 2023.12.07 0121 UTC\n", 0), 0u);

    // Groups missing or unreadable: only the lines NOAA could give, read as absent values.
    const auto bare = buildPresentReport("KSEA 070121Z /////KT MSM //// XX/XX A////", seattle, {2023, 12, 7, 2, 0, 0});
    ASSERT_TRUE(bare.has_value());
    EXPECT_EQ(bare->substr(bare->find("\nob: ")), "\nob: KSEA 070121Z /////KT MSM //// XX/XX A////\ncycle: 1\n");
    const Reading r = read(*bare, DisplayUnits{false, false, false}, {2023, 12, 7, 2, 0, 0});
    EXPECT_EQ(r.obs.windSpeed, kNoWindLine);
    EXPECT_EQ(r.obs.temperature, kNoTemperatureLine);
    EXPECT_EQ(r.obs.pressure, kNoPressure);
    EXPECT_TRUE(r.result.strip.empty());
}

TEST(PresentBuilder, DatesOfTheEasternZoneAndTheMonthOfTheDay)
{
    EXPECT_EQ(noaaDateLine({2013, 9, 26, 7, 50, 0}), "Sep 26, 2013 - 03:50 AM EDT / 2013.09.26 0750 UTC");
    EXPECT_EQ(noaaDateLine({2024, 1, 18, 17, 53, 0}), "Jan 18, 2024 - 12:53 PM EST / 2024.01.18 1753 UTC");
    EXPECT_EQ(noaaDateLine({2023, 3, 12, 6, 59, 0}), "Mar 12, 2023 - 01:59 AM EST / 2023.03.12 0659 UTC");
    EXPECT_EQ(noaaDateLine({2023, 3, 12, 7, 0, 0}), "Mar 12, 2023 - 03:00 AM EDT / 2023.03.12 0700 UTC");
    EXPECT_EQ(noaaDateLine({2023, 11, 5, 5, 59, 0}), "Nov 05, 2023 - 01:59 AM EDT / 2023.11.05 0559 UTC");
    EXPECT_EQ(noaaDateLine({2023, 11, 5, 6, 0, 0}), "Nov 05, 2023 - 01:00 AM EST / 2023.11.05 0600 UTC");
    EXPECT_EQ(noaaDateLine({2006, 10, 29, 5, 0, 0}), "Oct 29, 2006 - 01:00 AM EDT / 2006.10.29 0500 UTC");

    const StationInfo none;
    // The 31st seen on 1 January belongs to December of the year before.
    const auto lastYear = buildPresentReport("KSEA 312353Z 00000KT 10SM 09/08 A2971", none, {2024, 1, 1, 0, 10, 0});
    ASSERT_TRUE(lastYear.has_value());
    EXPECT_NE(lastYear->find("/ 2023.12.31 2353 UTC\n"), std::string::npos);
    // November has no 31st: the one seen on 1 December is of October, not no report.
    const auto october = buildPresentReport("KSEA 312353Z 00000KT 10SM 09/08 A2971", none, {2023, 12, 1, 0, 10, 0});
    ASSERT_TRUE(october.has_value());
    EXPECT_NE(october->find("/ 2023.10.31 2353 UTC\n"), std::string::npos);
    // No report at all, a NIL report.
    EXPECT_FALSE(buildPresentReport("METAR KSEA 312353Z NIL", none, {2023, 12, 31, 0, 0, 0}));
    EXPECT_FALSE(buildPresentReport("No METAR data found", none, {2023, 12, 31, 0, 0, 0}));
}


// The 5appp group of the remarks: each tendency character, no change, and
// groups that say nothing.
TEST(PresentBuilder, PressureTendencyOfEveryForm)
{
    struct Case {
        std::string remarks;
        std::string line;  // empty: no tendency line
        std::optional<double> hpa;
    };
    const std::vector<Case> cases = {
        {"RMK AO2 50012", "0.04 inches (1.2 hPa) higher than three hours ago", 1.2},
        {"RMK AO2 51041", "0.12 inches (4.1 hPa) higher than three hours ago", 4.1},
        {"RMK AO2 52005", "0.01 inches (0.5 hPa) higher than three hours ago", 0.5},
        {"RMK AO2 53001", "0.00 inches (0.1 hPa) higher than three hours ago", 0.1},
        {"RMK AO2 54000", "0.00 inches (0.0 hPa) higher than three hours ago", 0.0},
        {"RMK AO2 55001", "0.00 inches (0.1 hPa) lower than three hours ago", -0.1},
        {"RMK AO2 56013", "0.04 inches (1.3 hPa) lower than three hours ago", -1.3},
        {"RMK AO2 57027", "0.08 inches (2.7 hPa) lower than three hours ago", -2.7},
        {"RMK AO2 58999", "2.95 inches (99.9 hPa) lower than three hours ago", -99.9},
        {"RMK AO2 50000", "0.00 inches (0.0 hPa) higher than three hours ago", 0.0},
        {"RMK AO2 58000", "0.00 inches (0.0 hPa) higher than three hours ago", 0.0},
        {"RMK AO2 PRESRR P0000", "rising rapidly", std::nullopt},
        {"RMK AO2 PRESFR", "falling rapidly", std::nullopt},
        {"RMK AO2 PRESRR 52032", "0.09 inches (3.2 hPa) higher than three hours ago", 3.2},
        {"RMK AO2 5//// 52010 57020", "0.03 inches (1.0 hPa) higher than three hours ago", 1.0},
        // A steady 4 with a change has no direction.
        {"RMK AO2 54012", "", std::nullopt},
        {"RMK AO2 5////", "", std::nullopt},
        {"RMK AO2 59012", "", std::nullopt},
        {"RMK AO2 5012", "", std::nullopt},
        {"RMK AO2 520123", "", std::nullopt},
        {"RMK AO2 5A012", "", std::nullopt},
        {"", "", std::nullopt},
    };
    for (const Case& c : cases) {
        const std::string metar = "KSEA 181753Z 09013KT 10SM OVC020 07/05 A3012 " + c.remarks;
        SCOPED_TRACE(metar);
        const auto built = buildPresentReport(metar, {}, CivilTime{2024, 1, 18, 18, 0, 0});
        ASSERT_TRUE(built.has_value());
        EXPECT_EQ(lineAfter(*built, "Pressure tendency: "), c.line);
        if (!c.line.empty())
            EXPECT_NE(built->find("Pressure tendency: " + c.line + "\nob: "), std::string::npos) << *built;
        EXPECT_EQ(reportTendencyHpa(*built), c.hpa);
    }
    // A 5-group in the body is no tendency: only the remarks give one.
    const auto body = buildPresentReport("KSEA 181753Z 09013KT 10SM 52013 07/05 A3012 RMK AO2", {},
                                         CivilTime{2024, 1, 18, 18, 0, 0});
    ASSERT_TRUE(body.has_value());
    EXPECT_EQ(body->find("Pressure tendency"), std::string::npos) << *body;
}
