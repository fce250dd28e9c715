// SPDX-License-Identifier: GPL-3.0-or-later
// The five trend graphs drawn from their models, call by call.

#include "instruments/graph_painter.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "settings/units.h"
#include "trend_days.h"
#include "recording_surface.h"
#include "test_support.h"

namespace ventoral {
namespace {

using test::fullDay;
using test::fullDayOf;
using test::RecordingSurface;
using test::SurfaceCall;
using Op = SurfaceCall::Op;

class GraphPainterTest : public ::testing::Test {
protected:
    GraphPainterTest()
    {
        colors.windowTextColor = rgb(1, 2, 3);
        shades[24] = rgb(9, 9, 9);
    }

    // The graph of a trend table as a panel model holds it, drawn with its
    // plot at (left, top) in a picture 4500 twips wide.
    void draw(Surface& target, GraphKind kind, TrendSeries trend, int left = 270, int top = 230)
    {
        fillHumidity(trend);
        const int newest = newestCycle(trend, cycle);
        const FixedTimeZone zone(static_cast<int>(utcOffset * 60));
        const auto graphs = graphModelsOf(trend, units, newest, timeAxisHours(newest, CivilTime{}, zone));
        const double shift = target.isPrint() ? left - 270 : 0;
        paintGraph(target, graphs[static_cast<std::size_t>(kind)], {colors, shades},
                   {static_cast<double>(left), static_cast<double>(top), 4500, shift});
    }

    ColorScheme colors;
    ShadeTable shades{};
    UnitSettings units;
    double utcOffset = 0;
    std::int16_t cycle = 0;   // of the present report
};

TEST_F(GraphPainterTest, EveryGraphLabelsItsHoursFromTheNewestRecord)
{
    // The present report said cycle 20; the newest trend record is cycle 5.
    // At UTC+10 the first labelled column is 5 + 10 + 1 + 1 = 17 in every graph.
    utcOffset = 10;
    cycle = 20;
    TrendSeries day = fullDay(5);
    for (int column : {TrendSeries::PressureHpa, TrendSeries::TemperatureC, TrendSeries::WindSpeed,
                       TrendSeries::WindDirection})
        for (int row = 0; row < 24; ++row)
            day.at(row, column) = "10";
    for (const GraphKind kind : {GraphKind::Pressure, GraphKind::Humidity, GraphKind::Temperature,
                                 GraphKind::WindSpeed, GraphKind::WindDirection}) {
        RecordingSurface surface;
        draw(surface, kind, day);
        const auto time = surface.textsEqual("Time:");
        ASSERT_EQ(time.size(), 1u);
        EXPECT_EQ(time[0].args, (std::vector<double>{270 - 225, 230 + 1150 + 50}));
        std::vector<std::string> hours;
        for (const SurfaceCall& call : surface.callsOf(Op::Text)) {
            if (call.args[1] == 230 + 1150 + 50 && call.text != "Time:") {
                hours.push_back(call.text);
                EXPECT_EQ(call.fore, colors.windowTextColor);
            }
        }
        EXPECT_EQ(hours, (std::vector<std::string>{"17", "19", "21", "23", "1", "3", "5", "7", "9", "11", "13", "15"}));
    }
}

// Every graph drawn in full, call by call, on the screen and on a print page:
// frame, grid, scale labels, title, points in the text colour or in shade
// where filled, values clamped to the plot, and the scale switching above its
// limit (40 MPH, 50 km/h).
TEST_F(GraphPainterTest, DrawingsMatchReference)
{
    struct Case {
        const char* name;
        GraphKind kind;
        TrendSeries trend;
        int left;
        int top;
        const char* speedUnit = kSpeedMph;
        bool inches = false;
        bool printPage = false;
        std::int16_t reportCycle = 0;   // where the trend has no record, the hours follow the report's
    };
    const auto with = [](TrendSeries trend, std::vector<std::pair<int, const char*>> cells, int column) {
        for (const auto& [row, value] : cells)
            trend.at(row, column) = value;
        return trend;
    };
    const auto speeds = [&](const char* largest) {
        return with(fullDayOf(TrendSeries::WindSpeed, "3"), {{7, largest}}, TrendSeries::WindSpeed);
    };
    TrendSeries humidity = fullDayOf(TrendSeries::TemperatureF, "50");
    for (int row = 0; row < 24; ++row) {
        humidity.at(row, TrendSeries::TemperatureC) = "10";
        humidity.at(row, TrendSeries::DewPointF) = std::to_string(27 + row);
        humidity.at(row, TrendSeries::DewPointC) = row % 5 ? "0" : "";
    }
    const int hpa = TrendSeries::PressureHpa;
    const Case cases[] = {
        {"pressure, a gap and a value above the plot", GraphKind::Pressure,
         with(fullDayOf(hpa, "1000"), {{5, ""}, {6, "1020"}, {9, "1055"}}, hpa), 270, 230},
        {"pressure in inches, no values", GraphKind::Pressure, TrendSeries{}, 270, 230, kSpeedMph, true, false, 23},
        {"pressure on a print page", GraphKind::Pressure, with(fullDayOf(hpa, "1000"), {{4, ""}}, hpa), 1270, 5230,
         kSpeedMph, false, true},
        {"temperature clamped", GraphKind::Temperature,
         with(with(fullDayOf(TrendSeries::TemperatureC, "25"), {{0, "70"}, {1, "-20.5"}, {2, ""}},
                   TrendSeries::TemperatureC),
              {{0, "158"}}, TrendSeries::TemperatureF),
         270, 230},
        {"humidity", GraphKind::Humidity, humidity, 270, 230},
        {"wind 40 MPH", GraphKind::WindSpeed, speeds("40"), 220, 210},
        {"wind 41 MPH", GraphKind::WindSpeed, speeds("41"), 220, 210},
        {"wind 50.4 km/h", GraphKind::WindSpeed, speeds("50.4"), 220, 210, kSpeedKph},
        {"wind 51 km/h", GraphKind::WindSpeed, speeds("51"), 220, 210, kSpeedKph},
        {"wind direction, north at the top", GraphKind::WindDirection,
         with(fullDayOf(TrendSeries::WindDirection, "90"), {{0, "0"}, {1, "360"}}, TrendSeries::WindDirection), 310,
         210},
    };
    std::string actual;
    for (const Case& c : cases) {
        units.speedUnit = c.speedUnit;
        units.pressureUnit = c.inches ? kPressureInches : UnitSettings{}.pressureUnit;
        cycle = c.reportCycle;
        RecordingSurface surface(c.printPage ? Surface::Kind::PrintPage : Surface::Kind::Window,
                                 c.printPage ? 16000 : 4500, c.printPage ? 20000 : 1800);
        draw(surface, c.kind, c.trend, c.left, c.top);
        actual += std::string("== ") + c.name + "\n" + surface.transcript();
    }
    EXPECT_EQ(actual, test::reference("instruments/graph-drawings.expected", actual));
}

} // namespace
} // namespace ventoral
