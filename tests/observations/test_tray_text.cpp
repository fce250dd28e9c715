// SPDX-License-Identifier: GPL-3.0-or-later
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
    const char* report;   // under observations/noaa-decoded
    DisplayUnits units;
    CivilTime nowUtc;
};

TrayText textFor(const std::string& station, const std::string& report, const TrayCase& c)
{
    Observation obs;
    obs.presetForParse();
    PresentContext context;
    context.units = c.units;
    context.nowUtc = c.nowUtc;
    presentData(report, context, obs);
    return trayText(station, obs, {c.units, c.nowUtc});
}

} // namespace

// KPAE observed 21:07 UTC (21:48 UTC is 41 minutes on); KBFI-2
// calm and four days old; KBFI-1 variable with 19.4 ºC and 66.9 ºF rounded to
// whole degrees in the icon; ENQA below zero, from further ahead than clock
// drift: no age.
TEST(TrayText, IconAndToolTipOfRealReportsMatchReference)
{
    const TrayCase cases[] = {
        {"KPAE-3.txt", kMetric, {2023, 12, 7, 21, 48, 0}},   {"KPAE-3.txt", kImperial, {2023, 12, 8, 0, 12, 0}},
        {"KBFI-2.txt", kMetric, {2023, 12, 10, 18, 0, 0}},   {"KBFI-1.txt", kMetric, {2023, 8, 25, 3, 53, 0}},
        {"KBFI-1.txt", kImperial, {2023, 8, 25, 3, 53, 0}},  {"ENQA-3.txt", kMetric, {2024, 1, 18, 17, 0, 0}},
    };
    std::string actual;
    for (const TrayCase& c : cases) {
        const std::string file = c.report;
        const TrayText text = textFor(file.substr(0, 4), test::readData("observations/noaa-decoded/" + file), c);
        actual += "== " + file + (c.units.celsius ? " metric\n" : " imperial\n") + text.iconText + "\n"
                  + text.toolTip + "\n";
    }
    EXPECT_EQ(actual, test::reference("observations/tray-texts.expected", actual));
}

TEST(TrayText, MissingStationReportAndReadings)
{
    const TrayCase c{"", kMetric, {2023, 12, 6, 18, 0, 0}};

    const TrayText none = trayText("", Observation{}, {kMetric, c.nowUtc});
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
    EXPECT_EQ(trayText("KSEA", nearZero, {kMetric, c.nowUtc}).iconText, "0");
}

