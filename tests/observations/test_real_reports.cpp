// SPDX-License-Identifier: GPL-3.0-or-later
// Real NOAA decoded reports: every clean one parses to the values it states,
// every damaged capture is survived.

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>

#include <gtest/gtest.h>

#include "platform/core/number_text.h"
#include "observations/present_parser.h"
#include "test_support.h"

using namespace ventoral;

namespace {

const std::string kFolder = "observations/noaa-decoded";
const IsoDateForms kForms;

// "observed (UTC)" of each file in SOURCES.md, e.g. "2013-09-26 0750".
std::map<std::string, std::string> observedTimes()
{
    std::map<std::string, std::string> times;
    std::istringstream in(test::readData(kFolder + "/SOURCES.md"));
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("| ", 0) != 0)
            continue;
        const auto second = line.find(" | ", 2);
        const auto third = second == std::string::npos ? std::string::npos : line.find(" | ", second + 3);
        if (third == std::string::npos)
            continue;
        times[line.substr(2, second - 2)] = line.substr(second + 3, third - second - 3);
    }
    return times;
}

// The Celsius figure of a "Temperature:" line, found without the parser.
std::optional<double> celsiusOf(const std::string& report)
{
    const auto at = report.find("\nTemperature:");
    if (at == std::string::npos)
        return std::nullopt;
    const auto open = report.find('(', at);
    const auto close = report.find(" C)", at);
    if (open == std::string::npos || close == std::string::npos || close < open)
        return std::nullopt;
    return std::stod(report.substr(open + 1, close - open - 1));
}

Observation parse(const std::string& report, DisplayUnits units, PresentResult* result = nullptr)
{
    PresentContext context;
    context.units = units;
    context.nowUtc = CivilTime{2026, 12, 6, 12, 0, 0};
    context.forms = &kForms;
    Observation obs;
    obs.presetForParse();
    const PresentResult r = presentData(report, context, obs);
    if (result)
        *result = r;
    return obs;
}

// Each value is either plausible or the marker of its absence.
void expectSane(const Observation& obs, const std::string& what)
{
    EXPECT_TRUE(obs.temperature == kNoTemperatureLine || (obs.temperature >= -100 && obs.temperature <= 150)) << what;
    EXPECT_TRUE(obs.dewPoint == kNoTemperatureLine || (obs.dewPoint >= -100 && obs.dewPoint <= 150)) << what;
    EXPECT_TRUE(obs.humidity == kNoHumidityLine || (obs.humidity >= 0 && obs.humidity <= 100)) << what;
    EXPECT_TRUE(obs.pressure == 0 || (obs.pressure >= 15 && obs.pressure <= 1070)) << what;
    EXPECT_TRUE(std::isfinite(obs.windSpeed) && std::isfinite(obs.windGust)) << what;
    EXPECT_GE(obs.windSpeed, -2) << what;
}

} // namespace

TEST(RealReport, EveryCleanReportGivesItsTimeAndValues)
{
    const auto times = observedTimes();
    const auto files = test::dataFiles(kFolder, ".txt");
    ASSERT_EQ(files.size(), 87u);
    for (const std::string& name : files) {
        SCOPED_TRACE(name);
        const std::string report = test::readData(kFolder + "/" + name);
        PresentResult result;
        const Observation metric = parse(report, {true, true, true}, &result);
        const Observation imperial = parse(report, {false, false, false});

        ASSERT_TRUE(times.count(name));
        const std::string& observed = times.at(name);   // "2013-09-26 0750"
        const auto minutes = std::chrono::hours(std::stoi(observed.substr(11, 2)))
                             + std::chrono::minutes(std::stoi(observed.substr(13, 2)));
        EXPECT_EQ(metric.observationTime, minutes);
        ASSERT_TRUE(result.dateLabel.has_value());
        EXPECT_EQ(result.dateLabel->caption.substr(0, 21),
                  "UTC: " + observed.substr(0, 10) + " " + observed.substr(11, 2) + ":" + observed.substr(13, 2));

        const bool unknownStation = report.find("Station name not available") != std::string::npos;
        if (!unknownStation) {
            EXPECT_NE(metric.stationLine.find("(" + name.substr(0, 4) + ")"), std::string::npos);
        }

        expectSane(metric, name);
        expectSane(imperial, name);
        if (const auto celsius = celsiusOf(report)) {
            EXPECT_NEAR(metric.temperature, *celsius, 0.05);
            EXPECT_GE(metric.temperature, -80);
            EXPECT_LE(metric.temperature, 60);
        }
        if (report.find("\nRelative Humidity:") != std::string::npos) {
            EXPECT_GT(metric.humidity, 0);
        }
        if (name == "KBRL-1.txt") {
            // The station sent A2020: only values too high are mended or dropped.
            EXPECT_FLOAT_EQ(metric.pressure, 684);
            EXPECT_FLOAT_EQ(imperial.pressure, 20.2f);
        } else if (report.find("\nPressure (altimeter):") != std::string::npos) {
            EXPECT_GE(metric.pressure, 900);
            EXPECT_LE(metric.pressure, 1070);
            EXPECT_GE(imperial.pressure, 26.5);
            EXPECT_LE(imperial.pressure, 31.6);
        }
        if (report.find("\nWind:") != std::string::npos) {
            EXPECT_GE(metric.windSpeed, 0);
        }
        if (report.find("gusting to") != std::string::npos) {
            EXPECT_GT(metric.windGust, metric.windSpeed);
        }
    }
}

TEST(RealReport, DamagedCapturesAreSurvived)
{
    const auto files = test::dataFiles(kFolder + "/not-pristine", ".txt");
    ASSERT_EQ(files.size(), 8u);
    for (const std::string& name : files) {
        const std::string report = test::readData(kFolder + "/not-pristine/" + name);
        expectSane(parse(report, {true, true, true}), name);
        expectSane(parse(report, {false, false, false}), name);
    }
}
