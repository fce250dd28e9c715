// The tray icon's texts: the rounded temperature in the icon, and the
// tooltip's temperature, wind, pressure and report age, from real reports.

#include <gtest/gtest.h>

#include "observations/present_parser.h"
#include "observations/tray_text.h"
#include "test_support.h"

using namespace ventoral;

namespace {

constexpr DisplayUnits kMetric{true, true, true};
constexpr DisplayUnits kImperial{false, false, false};

struct TrayCase {
    const char* report;   // under observations/noaa-decoded, or a literal text
    DisplayUnits units;
    double utcOffsetHours;
    CivilTime nowLocal;
    const char* iconText;
    const char* toolTip;
};

TrayText textFor(const std::string& station, const std::string& report, const TrayCase& c)
{
    Observation obs;
    obs.presetForParse();
    presentData(report, {c.units, c.utcOffsetHours, c.nowLocal, nullptr, StripSurface::Window}, obs);
    return trayText(station, obs, {c.units, c.utcOffsetHours, c.nowLocal});
}

} // namespace

TEST(TrayText, IconAndToolTipOfRealReports)
{
    const TrayCase cases[] = {
        // Observed 21:07 UTC; 13:48 local at UTC-8 is 21:48 UTC.
        {"KPAE-3.txt", kMetric, -8, {2023, 12, 7, 13, 48, 0}, "5",
         "KPAE  5 \xC2\xBA" "C\nWind 300\xC2\xB0 14 Kph, gusts 27\nPressure 1010 hPa\n41 min old"},
        {"KPAE-3.txt", kImperial, 0, {2023, 12, 8, 0, 12, 0}, "41",
         "KPAE  41 \xC2\xBA" "F\nWind 300\xC2\xB0 9 Mph, gusts 17\nPressure 29.85 In\n3 h 5 min old"},
        // Calm, and four days later.
        {"KBFI-2.txt", kMetric, 0, {2023, 12, 10, 18, 0, 0}, "10",
         "KBFI  10 \xC2\xBA" "C\nWind calm\nPressure 1009 hPa\n4 days old"},
        // Variable wind has no direction; 19.4 ºC and 66.9 ºF round to whole degrees.
        {"KBFI-1.txt", kMetric, 0, {2023, 8, 25, 3, 53, 0}, "19",
         "KBFI  19.4 \xC2\xBA" "C\nWind 8 Kph\nPressure 1013 hPa\n0 min old"},
        {"KBFI-1.txt", kImperial, 0, {2023, 8, 25, 3, 53, 0}, "67",
         "KBFI  66.9 \xC2\xBA" "F\nWind 5 Mph\nPressure 29.94 In\n0 min old"},
        // Below zero, and a report from further ahead than clock drift has no age.
        {"ENQA-3.txt", kMetric, 0, {2024, 1, 18, 17, 0, 0}, "-2",
         "ENQA  -2 \xC2\xBA" "C\nWind 350\xC2\xB0 52 Kph\nPressure 991 hPa"},
    };
    for (const TrayCase& c : cases) {
        const std::string file = c.report;
        const TrayText text = textFor(file.substr(0, 4), test::readData("observations/noaa-decoded/" + file), c);
        EXPECT_EQ(text.iconText, c.iconText) << file << (c.units.celsius ? " metric" : " imperial");
        EXPECT_EQ(text.toolTip, c.toolTip) << file << (c.units.celsius ? " metric" : " imperial");
    }
}

TEST(TrayText, MissingStationReportAndReadings)
{
    const TrayCase c{"", kMetric, 0, {2023, 12, 6, 18, 0, 0}, "", ""};

    const TrayText none = trayText("", Observation{}, {kMetric, 0, c.nowLocal});
    EXPECT_EQ(none.iconText, "--");
    EXPECT_EQ(none.toolTip, "Ventoral\nNo station selected");

    const TrayText absent = textFor("KSEA", std::string(kNoDataText), c);
    EXPECT_EQ(absent.iconText, "--");
    EXPECT_EQ(absent.toolTip, "KSEA\nNo data");

    // A report with only its date line: no temperature, wind or pressure.
    const TrayText bare = textFor("KSEA", "KSEA station\nDec 06, 2023 - 12:53 PM EST / 2023.12.06 1753 UTC\n", c);
    EXPECT_EQ(bare.iconText, "--");
    EXPECT_EQ(bare.toolTip, "KSEA  -- \xC2\xBA" "C\n7 min old");

    // -0.4 rounds to 0, never "-0".
    Observation nearZero;
    nearZero.temperature = -0.4f;
    EXPECT_EQ(trayText("KSEA", nearZero, {kMetric, 0, c.nowLocal}).iconText, "0");
}

