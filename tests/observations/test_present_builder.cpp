// SPDX-License-Identifier: GPL-3.0-or-later
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
using ventoral::test::lineAfter;

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
    context.nowUtc = now;
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
        if (tendency) {
            EXPECT_DOUBLE_EQ(*tendency, *reportTendencyHpa(pair.decoded));
        }
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

// Hand-made METARs against the reference: forms the real pairs lack (metres
// per second, fractions, P6SM, P99, heavy weather, a station the directory
// does not know, unreadable groups), the day's month seen on the first of the
// next, NIL, each form of the 5appp tendency group and PRESRR/PRESFR (a
// 5-group in the body is none), garbled reports, then dates of the Eastern
// zone either side of each change of daylight saving.
TEST(PresentBuilder, HandMadeMetarsMatchReference)
{
    const StationInfo seattle{"Seattle-Tacoma International Airport, WA, United States", "47-27N", "122-19W", "137"};
    const CivilTime dec31{2023, 12, 31, 0, 0, 0};
    const CivilTime dec7{2023, 12, 7, 2, 0, 0};
    struct Case {
        std::string metar;
        CivilTime now{2024, 1, 18, 18, 0, 0};
        bool known = false;
    };
    std::vector<Case> cases = {
        {"SPECI COR KSEA 181753Z VRB12G25KT P6SM +SN BLSN FZFG 01/M09 A3017", dec31, true},
        {"METAR KSEA 221953Z 27010MPS M1/4SM OVC002 M10/M12 Q1002", dec31, true},
        {"KSEA 070121Z 270P99KT 1 1/2SM 10/08 A2994", dec31, true},
        {"KSEA 070121Z /////KT MSM //// XX/XX A////", dec7, true},
        {"KSEA 070121Z 00000KT 10SM 09/08 A2971", dec7},
        {"KSEA 312353Z 00000KT 10SM 09/08 A2971", {2024, 1, 1, 0, 10, 0}},
        {"KSEA 312353Z 00000KT 10SM 09/08 A2971", {2023, 12, 1, 0, 10, 0}},
        {"METAR KSEA 312353Z NIL", dec31},
        {"No METAR data found", dec31},
        {"KSEA 181753Z 09013KT 10SM 52013 07/05 A3012 RMK AO2"},
    };
    for (const char* remarks :
         {"50012", "53001", "54000", "55001", "58999", "50000", "58000", "PRESRR P0000", "PRESFR", "PRESRR 52032",
          "5//// 52010 57020", "54012", "5////", "59012", "5012", "520123", "5A012", ""})
        cases.push_back({std::string("KSEA 181753Z 09013KT 10SM OVC020 07/05 A3012 RMK AO2 ") + remarks});
    // Garbled reports read as NOAA's decoder reads them: a dew point with a
    // third digit gives its first two, and of two groups the first wins.
    for (const char* garbled : {"METAR AUTO COR KSEA 181753Z 00000KT 10SM CLR 35/312 A2992",
                                "KSEA 181753Z 00000KT 10SM CLR 10/08 09/07 Q1012 Q1019",
                                "KSEA 181753Z 00000KT 10SM CLR M05/M123 A2992 A3001"})
        cases.push_back({garbled});
    std::string actual;
    for (const Case& c : cases) {
        const auto built = buildPresentReport(c.metar, c.known ? seattle : StationInfo{}, c.now);
        const auto tendency = built ? reportTendencyHpa(*built) : std::nullopt;
        actual += "== " + c.metar + "\n" + (built ? *built : "no report\n") + "tendency hPa: "
                  + (tendency ? std::to_string(*tendency) : "none") + "\n";
    }
    for (const CivilTime& utc : {CivilTime{2013, 9, 26, 7, 50, 0}, CivilTime{2024, 1, 18, 17, 53, 0},
                                 CivilTime{2023, 3, 12, 6, 59, 0}, CivilTime{2023, 3, 12, 7, 0, 0},
                                 CivilTime{2023, 11, 5, 5, 59, 0}, CivilTime{2023, 11, 5, 6, 0, 0},
                                 CivilTime{2006, 10, 29, 5, 0, 0}})
        actual += noaaDateLine(utc) + "\n";
    EXPECT_EQ(actual, test::reference("observations/present-builder.expected", actual));

    // Groups missing or unreadable read as absent values.
    const Reading r = read(*buildPresentReport(cases[3].metar, seattle, dec7), DisplayUnits{false, false, false}, dec7);
    EXPECT_EQ(r.obs.windSpeed, kNoWindLine);
    EXPECT_EQ(r.obs.temperature, kNoTemperatureLine);
    EXPECT_EQ(r.obs.pressure, kNoPressure);
    EXPECT_TRUE(r.result.strip.empty());
}
