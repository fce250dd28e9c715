// SPDX-License-Identifier: GPL-3.0-or-later
// The decoded present report: wind, temperatures, pressure, date label and strip.

#include <iomanip>
#include <sstream>

#include <gtest/gtest.h>

#include "observations/present_parser.h"
#include "test_support.h"

using namespace ventoral;

namespace {

const IsoDateForms kForms;
const FixedTimeZone kUtc;
const FixedTimeZone kPacificStandard(-8 * 60);
const FixedTimeZone kCentralEuropean(60);

// A report of Boeing Field with the given lines after its date line.
std::string reportText(const std::vector<std::string>& lines = {},
                       const std::string& date = "Dec 06, 2023 - 12:53 PM EST / 2023.12.06 1753 UTC")
{
    std::string text = "SEATTLE BOEING FIELD, WA, United States (KBFI) 47-33N 122-19W 4M\n" + date + "\n";
    for (const auto& line : lines)
        text += line + "\n";
    return text;
}

PresentContext context(DisplayUnits units = {true, true, true}, const TimeZone& zone = kUtc,
                       CivilTime nowUtc = {2023, 12, 6, 18, 0, 0})
{
    PresentContext c;
    c.units = units;
    c.zone = &zone;
    c.nowUtc = nowUtc;
    c.forms = &kForms;
    return c;
}

constexpr DisplayUnits kImperial{false, false, false};
constexpr DisplayUnits kMetric{true, true, true};

Observation parse(const std::vector<std::string>& lines, DisplayUnits units = kMetric, PresentResult* result = nullptr)
{
    Observation obs;
    obs.presetForParse();
    const PresentResult r = presentData(reportText(lines), context(units), obs);
    if (result)
        *result = r;
    return obs;
}

} // namespace

// The values each line gives in MPH, ºF and inches, then in km/h, ºC and hPa,
// against the reference: speeds in km/h are the MPH figure x 1.854 / 1.151 as
// a single; an implausible pressure is mended where it can be and dropped
// otherwise; a missing or empty line keeps its marker.
TEST(PresentValues, LinesMatchReference)
{
    const std::vector<std::vector<std::string>> reports = {
        {"Wind: Calm:0"},
        {"Wind: Variable at 5 MPH (4 KT):0"},
        {"Wind: from the S (190 degrees) at 6 MPH (5 KT):0"},
        {"Wind: from the S (190 degrees) at 106 MPH (92 KT):0"},
        {"Wind: from the N (010 degrees) at 15 MPH (13 KT):0"},
        {"Wind: from the SE (140 degrees) at 8 MPH (7 KT) (direction variable):0"},
        {"Wind: from the S (190 degrees) unknown:0"},
        {"Visibility: 5 mile(s):0"},
        {"Temperature: 27.0 F (-2.8 C)", "Dew Point: 21.0 F (-6.1 C)", "Relative Humidity: 77%",
         "Pressure (altimeter): 30.1 in. Hg (1020 hPa)", "cycle: 18"},
        {"Pressure (altimeter): 29.91 in. Hg (2013 hPa)"},
        {"Pressure (altimeter): 29.91 in. Hg (1080 hPa)"},
        {"Pressure (altimeter): 29.91 in. Hg (1070 hPa)"},
        {"Pressure (altimeter): 59.91 in. Hg (1013 hPa)"},
        {"Pressure (altimeter): 32.5 in. Hg (1013 hPa)"},
        {"Pressure (altimeter): -3 in. Hg (-3 hPa)"},
        {"Temperature:", "Relative Humidity:"},
    };
    std::ostringstream out;
    out << std::setprecision(9);
    for (const auto& lines : reports) {
        out << "==";
        for (const std::string& line : lines)
            out << " " << line;
        out << "\n";
        for (const DisplayUnits units : {kImperial, kMetric}) {
            const Observation o = parse(lines, units);
            out << "wind " << o.windDirectionText << " " << o.windSpeed << " '" << o.windSpeedText << "' gust "
                << o.windGust << ", temperature " << o.temperature << " '" << o.temperatureText << "', dew point "
                << o.dewPoint << " '" << o.dewPointText << "', humidity " << o.humidity << " '" << o.humidityText
                << "', pressure " << o.pressure << " '" << o.pressureText << "', cycle " << o.cycle << "\n";
        }
    }
    EXPECT_EQ(out.str(), test::reference("observations/present-values.expected", out.str()));
}

TEST(PresentWind, GustsRaiseTheHighestGustSeenButNeverLowerIt)
{
    Observation obs;
    const std::string gusty =
        reportText({"Wind: from the S (190 degrees) at 22 MPH (19 KT) gusting to 33 MPH (29 KT):0"});
    obs.presetForParse();
    presentData(gusty, context(kImperial), obs);
    EXPECT_FLOAT_EQ(obs.windGust, 33);
    EXPECT_EQ(obs.maxGustSeen, 33);
    obs.presetForParse();
    presentData(gusty, context(kMetric), obs);
    EXPECT_FLOAT_EQ(obs.windGust, 53.155518f);
    EXPECT_EQ(obs.maxGustSeen, 53);   // 53.16 rounded
    obs.presetForParse();
    presentData(reportText({"Wind: Calm:0"}), context(kMetric), obs);
    EXPECT_FLOAT_EQ(obs.windGust, 0);
    EXPECT_EQ(obs.maxGustSeen, 53);
}

TEST(PresentValues, AnAbsentReportEmptiesThePresentValuesAndSetsTheNoReportMarkers)
{
    const Observation earlier = parse({"Wind: from the N (360 degrees) at 9 MPH (8 KT) gusting to 20 MPH:0",
                                       "Temperature: 50 F (10 C)", "Relative Humidity: 92%",
                                       "Pressure (altimeter): 29.81 in. Hg (1009 hPa)", "cycle: 18"});
    for (const std::string& text : {std::string(kNoDataText), std::string(), std::string("123456789")}) {
        Observation obs = earlier;
        const PresentResult result = presentData(text, context(), obs);
        EXPECT_TRUE(result.reportAbsent);
        EXPECT_FALSE(result.dateLabel.has_value());
        EXPECT_FLOAT_EQ(obs.temperature, kNoPresentReport);
        EXPECT_FLOAT_EQ(obs.humidity, kNoReportHumidity);
        EXPECT_FLOAT_EQ(obs.windSpeed, kNoReportSpeed);
        EXPECT_FLOAT_EQ(obs.pressure, kNoPressure);
        for (const std::string* shown : {&obs.stationLine, &obs.dateLine, &obs.windDirectionText, &obs.windSpeedText,
                                         &obs.temperatureText, &obs.humidityText, &obs.pressureText})
            EXPECT_EQ(*shown, "");
        EXPECT_EQ(obs.cycle, 0);
        EXPECT_EQ(obs.observationTime, std::chrono::seconds(0));
        EXPECT_FLOAT_EQ(obs.windGust, 0);
        EXPECT_EQ(obs.maxGustSeen, earlier.maxGustSeen);   // the station's min/max record keeps it
    }
}

TEST(PresentDate, LabelGivesUtcAndLocalTimeAndTurnsRedAfterTwoCycles)
{
    Observation obs;
    const std::string text = reportText();
    auto label = presentData(text, context(kMetric, kPacificStandard, {2023, 12, 6, 19, 53, 59}), obs).dateLabel;
    ASSERT_TRUE(label.has_value());
    EXPECT_EQ(label->caption, "UTC: 2023-12-06 17:53; Local: 2023-12-06 09:53:00");
    EXPECT_EQ(label->text(), label->caption + "; 2 h 0 min old, overdue since 18:53 UTC");   // ages: ReportAge
    EXPECT_EQ(obs.observationTime, std::chrono::hours(17) + std::chrono::minutes(53));
    EXPECT_FLOAT_EQ(obs.utcHour, 17);

    // Local midnight shows the date with zero hours.
    EXPECT_EQ(presentData(reportText({}, "Dec 06, 2023 - 07:00 PM EST / 2023.12.07 0000 UTC"), context(), obs)
                  .dateLabel->caption,
              "UTC: 2023-12-07 00:00; Local: 2023-12-07 00:00");
    EXPECT_EQ(presentData(reportText({}, "Dec 06, 2023 - 07:51 PM EST / 2023.12.07 2351 UTC"), context(kMetric, kCentralEuropean), obs)
                  .dateLabel->caption,
              "UTC: 2023-12-07 23:51; Local: 2023-12-08 00:51:00");
}

// No time of an earlier report may stand for this one.
TEST(PresentDate, AnUnreadableDateLineGivesNoTimeButTheRestIsRead)
{
    Observation obs;
    obs.observationTime = std::chrono::hours(5);
    for (const char* date : {"no slash here at all", "Dec 06 / 2023.1x.06 1753 UTC", "x / 2023.02.30 1753 UTC"}) {
        const PresentResult result = presentData(reportText({"Temperature: 50 F (10 C)"}, date), context(), obs);
        EXPECT_FALSE(result.dateLabel.has_value()) << date;
        EXPECT_EQ(obs.observationTime, std::chrono::seconds(0));
        EXPECT_FLOAT_EQ(obs.temperature, 10);
    }
}

// The condition strip of each report on the window and on a print page,
// against the reference: "Visibility:  3 mile(s)  -   Sky conditions:  x" is
// 40 characters with a sky of 7, a strip of 65 still fits on one line, one of
// 66 takes two, the print page puts the last line lower, and a report
// without visibility, sky or weather has no strip.
TEST(PresentStrip, LinesMatchReference)
{
    const std::string vis = "Visibility: 3 mile(s):0";
    const std::string sky = "Sky conditions: " + std::string(10, 's');   // strip of 55 characters
    const std::vector<std::vector<std::string>> reports = {
        {vis, "Sky conditions: overcast"},
        {vis, sky, "Weather: " + std::string(9, 'w')},
        {vis, sky, "Weather: " + std::string(10, 'w')},
        {vis, "Sky conditions: " + std::string(30, 's'), "Weather: rain"},
        {"Weather:"},
        {"Temperature: 50 F (10 C)"},
    };
    std::string actual;
    for (const auto& lines : reports) {
        for (const StripSurface surface : {StripSurface::Window, StripSurface::PrintPage}) {
            PresentContext c = context();
            c.surface = surface;
            Observation obs;
            actual += surface == StripSurface::Window ? "== window\n" : "== print page\n";
            for (const StripLine& line : presentData(reportText(lines), c, obs).strip)
                actual += std::to_string(line.y) + " " + line.text + "\n";
        }
    }
    EXPECT_EQ(actual, test::reference("observations/present-strips.expected", actual));
}
