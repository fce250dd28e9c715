// SPDX-License-Identifier: GPL-3.0-or-later
#include "observations/trend_graphs.h"

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "settings/units.h"
#include "recording_surface.h"
#include "test_support.h"

namespace ventoral {
namespace {

using test::RecordingSurface;
using test::SurfaceCall;
using Op = SurfaceCall::Op;

// A whole day of December records; row r holds cycle r and the newest row
// has the largest ordering key.
TrendSeries fullDay(int newestRow = 23)
{
    TrendSeries trend;
    for (int row = 0; row < 24; ++row) {
        trend.at(row, TrendSeries::Record) = "record of cycle " + std::to_string(row) + "...";
        trend.at(row, TrendSeries::Cycle) = std::to_string(row);
        const int age = (newestRow - row + 24) % 24;
        trend.at(row, TrendSeries::OrderKey) = "12|" + std::to_string(1000 - age);
    }
    return trend;
}

TrendSeries fullDayOf(int column, const std::string& value, int newestRow = 23)
{
    TrendSeries trend = fullDay(newestRow);
    for (int row = 0; row < 24; ++row)
        trend.at(row, column) = value;
    return trend;
}

const GraphScale kHpa = pressureScale(UnitSettings{});

class GraphTest : public ::testing::Test {
protected:
    GraphTest()
    {
        colors.windowTextColor = rgb(1, 2, 3);
        shades[24] = rgb(9, 9, 9);
    }

    GraphContext context(Surface& target, int left = 270, int top = 230)
    {
        return GraphContext{target, colors, shades, units, utcOffset, left, top, 4500, 270};
    }

    ColorScheme colors;
    ShadeTable shades{};
    UnitSettings units;
    double utcOffset = 0;
    RecordingSurface screen;
    Observation obs;
};

// The newest record has the largest ordering key of the newest month; its
// cycle replaces the present report's.
TEST(GraphNewestRecord, LargestKeyOfTheNewestMonth)
{
    TrendSeries trend = fullDay(5);
    EXPECT_EQ(newestRecordRow(trend), 5);
    Observation obs;
    obs.cycle = 12;
    OrderValues(TrendSeries{}, kHpa, kBlack, kWhite, obs);
    EXPECT_EQ(obs.cycle, 12);

    // A row without a bar keeps the previous month.
    trend = fullDay(2);
    trend.at(9, TrendSeries::OrderKey) = "5000";
    EXPECT_EQ(newestRecordRow(trend), 9);

    // Records of sixteen characters or fewer do not count.
    trend = fullDay(8);
    trend.at(8, TrendSeries::Record) = std::string(16, 'x');
    EXPECT_EQ(newestRecordRow(trend), 7);
    trend.at(8, TrendSeries::Record) = std::string(17, 'x');
    EXPECT_EQ(newestRecordRow(trend), 8);

    // January rows before December rows are newer, but only once January has been seen first.
    const auto key = [](int month, int row) { return std::to_string(month) + "|" + std::to_string(100 * month + row); };
    for (int row = 0; row < 24; ++row)
        trend.at(row, TrendSeries::OrderKey) = key(row < 4 ? 1 : 12, row);
    EXPECT_EQ(newestRecordRow(trend), 3);
    for (int row = 0; row < 24; ++row)
        trend.at(row, TrendSeries::OrderKey) = key(row < 20 ? 12 : 1, row);
    EXPECT_EQ(newestRecordRow(trend), 19);
}

// The points start after the newest cycle; ends and gaps are filled in
// shade, an unreadable value reads as 0, and no value at all leaves no point.
TEST(GraphOrderValues, StartAfterTheNewestCycleAndFillEndsAndGaps)
{
    TrendSeries trend = fullDay(10);
    for (int row = 0; row < 24; ++row)
        trend.at(row, TrendSeries::PressureHpa) = std::to_string(1000 + row);
    Observation obs;
    PlotPoints points = OrderValues(trend, kHpa, kBlack, kWhite, obs);
    EXPECT_DOUBLE_EQ(*points[0].offset, kHpa.offsetOf(1011));
    EXPECT_DOUBLE_EQ(*points[12].offset, kHpa.offsetOf(1023));
    EXPECT_DOUBLE_EQ(*points[13].offset, kHpa.offsetOf(1000));
    EXPECT_DOUBLE_EQ(*points[23].offset, kHpa.offsetOf(1010));

    trend = fullDay();
    for (const PlotPoint& point : OrderValues(trend, kHpa, kBlack, kWhite, obs))
        EXPECT_FALSE(point.offset);
    trend.at(3, TrendSeries::PressureHpa) = "1000";   // offset 575
    trend.at(7, TrendSeries::PressureHpa) = "1040";   // offset 115
    trend.at(8, TrendSeries::PressureHpa) = "abc";    // reads as 0
    const ColorRef value = rgb(1, 1, 1);
    const ColorRef filled = rgb(2, 2, 2);
    points = OrderValues(trend, kHpa, value, filled, obs);
    for (int k = 0; k < 24; ++k) {
        const double expected = k < 3 ? 575 : k < 8 ? 575 - (k - 3) * 115.0 : kHpa.offsetOf(0);
        EXPECT_DOUBLE_EQ(*points[k].offset, expected) << k;
        EXPECT_EQ(points[k].color, k == 3 || k == 7 || k == 8 ? value : filled) << k;
    }
}

TEST_F(GraphTest, HumidityFromTheFahrenheitColumns)
{
    TrendSeries trend;
    const auto set = [&](int row, const char* tf, const char* tc, const char* df, const char* dc) {
        trend.at(row, TrendSeries::TemperatureF) = tf;
        trend.at(row, TrendSeries::TemperatureC) = tc;
        trend.at(row, TrendSeries::DewPointF) = df;
        trend.at(row, TrendSeries::DewPointC) = dc;
    };
    set(0, "50", "10", "50", "10");
    set(1, "50", "10", "41", "5");
    set(2, "50", "10", "52", "11");
    set(3, "50", "10", "41", "");
    set(5, "50", "10", "51", "10");   // each column rounded on its own: saturated, not 103 %
    GraphContext g = context(screen);
    trend.at(4, TrendSeries::Humidity) = "55";
    graphHumidity(g, trend, obs);
    EXPECT_EQ(trend.at(0, TrendSeries::Humidity), "100");
    EXPECT_EQ(trend.at(1, TrendSeries::Humidity), "71");
    EXPECT_EQ(trend.at(2, TrendSeries::Humidity), "");   // dew point above the temperature
    EXPECT_EQ(trend.at(3, TrendSeries::Humidity), "");
    EXPECT_EQ(trend.at(4, TrendSeries::Humidity), "");
    EXPECT_EQ(trend.at(5, TrendSeries::Humidity), "100");
}

TEST(GraphTimeAxis, LocalHourOfEachColumn)
{
    EXPECT_EQ(timeAxisHour(20, 10, 1), 8);
    EXPECT_EQ(timeAxisHour(22, 0, 1), 24);
    EXPECT_EQ(timeAxisHour(2, -5, 1), 23);
    EXPECT_EQ(timeAxisHour(0, 0, 23), 24);
}

TEST_F(GraphTest, EveryGraphLabelsItsHoursFromTheNewestRecord)
{
    // The present report said cycle 20; the newest trend record is cycle 5.
    // At UTC+10 the first labelled column is 5 + 10 + 1 + 1 = 17 in every graph.
    utcOffset = 10;
    TrendSeries day = fullDay(5);
    for (int column : {TrendSeries::PressureHpa, TrendSeries::TemperatureC, TrendSeries::WindSpeed,
                       TrendSeries::WindDirection})
        for (int row = 0; row < 24; ++row)
            day.at(row, column) = "10";
    using Graph = void (*)(GraphContext&, TrendSeries&, Observation&);
    for (const Graph graph : {graphPresure, graphHumidity, graphTemperature, graphWindS, graphWindD}) {
        RecordingSurface surface;
        GraphContext g = context(surface);
        TrendSeries trend = day;
        obs.cycle = 20;
        graph(g, trend, obs);
        EXPECT_EQ(obs.cycle, 5);

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
// limit (40 MPH, 50 km/h). The table column drawn is listed after each drawing,
// clamped as the graph leaves it.
TEST_F(GraphTest, DrawingsMatchReference)
{
    using Graph = void (*)(GraphContext&, TrendSeries&, Observation&);
    struct Case {
        const char* name;
        Graph graph;
        int column;
        TrendSeries trend;
        int left;
        int top;
        const char* speedUnit = kSpeedMph;
        bool inches = false;
        bool printPage = false;
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
        {"pressure, a gap and a value above the plot", graphPresure, hpa,
         with(fullDayOf(hpa, "1000"), {{5, ""}, {6, "1020"}, {9, "1055"}}, hpa), 270, 230},
        {"pressure in inches, no values", graphPresure, TrendSeries::PressureIn, TrendSeries{}, 270, 230, kSpeedMph,
         true},
        {"pressure on a print page", graphPresure, hpa, with(fullDayOf(hpa, "1000"), {{4, ""}}, hpa), 1270, 5230,
         kSpeedMph, false, true},
        {"temperature clamped", graphTemperature, TrendSeries::TemperatureC,
         with(with(fullDayOf(TrendSeries::TemperatureC, "25"), {{0, "70"}, {1, "-20.5"}, {2, ""}}, TrendSeries::TemperatureC),
              {{0, "158"}}, TrendSeries::TemperatureF),
         270, 230},
        {"humidity", graphHumidity, TrendSeries::Humidity, humidity, 270, 230},
        {"wind 40 MPH", graphWindS, TrendSeries::WindSpeed, speeds("40"), 220, 210},
        {"wind 41 MPH", graphWindS, TrendSeries::WindSpeed, speeds("41"), 220, 210},
        {"wind 50.4 km/h", graphWindS, TrendSeries::WindSpeed, speeds("50.4"), 220, 210, kSpeedKph},
        {"wind 51 km/h", graphWindS, TrendSeries::WindSpeed, speeds("51"), 220, 210, kSpeedKph},
        {"wind direction, north at the top", graphWindD, TrendSeries::WindDirection,
         with(fullDayOf(TrendSeries::WindDirection, "90"), {{0, "0"}, {1, "360"}}, TrendSeries::WindDirection), 310,
         210},
    };
    std::string actual;
    for (const Case& c : cases) {
        units.speedUnit = c.speedUnit;
        units.pressureUnit = c.inches ? kPressureInches : UnitSettings{}.pressureUnit;
        RecordingSurface surface(c.printPage ? Surface::Kind::PrintPage : Surface::Kind::Window,
                                 c.printPage ? 16000 : 4500, c.printPage ? 20000 : 1800);
        GraphContext g = context(surface, c.left, c.top);
        TrendSeries trend = c.trend;
        c.graph(g, trend, obs);
        actual += std::string("== ") + c.name + "\n" + surface.transcript();
        for (const int column : {c.column, int(TrendSeries::TemperatureF)}) {
            actual += "column " + std::to_string(column) + ":";
            for (int row = 0; row < 24; ++row)
                actual += " " + trend.at(row, column);
            actual += "\n";
        }
    }
    EXPECT_EQ(actual, test::reference("observations/trend-graphs.expected", actual));
}

} // namespace
} // namespace ventoral
