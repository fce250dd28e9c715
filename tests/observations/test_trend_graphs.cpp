#include "observations/trend_graphs.h"

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "settings/units.h"
#include "recording_surface.h"

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

    template <typename Keep>
    static std::vector<SurfaceCall> callsWhere(const RecordingSurface& s, Op op, Keep keep)
    {
        std::vector<SurfaceCall> found;
        for (const SurfaceCall& call : s.callsOf(op))
            if (keep(call))
                found.push_back(call);
        return found;
    }
    // The lines of the horizontal grid, recognised by their overhang of 10 twips.
    static std::vector<SurfaceCall> gridLines(const RecordingSurface& s, double right)
    {
        return callsWhere(s, Op::Line,
                          [&](const SurfaceCall& c) { return c.args[2] == right + 10 && c.args[1] == c.args[3]; });
    }
    static std::vector<SurfaceCall> hourLines(const RecordingSurface& s, double top)
    {
        return callsWhere(s, Op::Line, [&](const SurfaceCall& c) {
            return c.args[0] == c.args[2] && c.args[1] == top && c.args[3] == top + 1150;
        });
    }
    // Texts in font size 6 above the time axis of a plot whose top is top.
    static std::vector<SurfaceCall> scaleLabels(const RecordingSurface& s, double top = 230)
    {
        return callsWhere(s, Op::Text, [&](const SurfaceCall& c) { return c.fontSize == 6 && c.args[1] < top + 1150; });
    }
    static std::vector<std::string> valueLabels(const RecordingSurface& s, double top = 230)
    {
        std::vector<std::string> found;
        for (const SurfaceCall& call : scaleLabels(s, top))
            found.push_back(call.text);
        return found;
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
    obs.cycle = 17;
    OrderValues(trend, kHpa, kBlack, kWhite, obs);
    EXPECT_EQ(obs.cycle, 5);
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
    EXPECT_EQ(humidityOfRow(trend, 0), 100);
    EXPECT_EQ(humidityOfRow(trend, 1), 71);
    EXPECT_EQ(humidityOfRow(trend, 2), std::nullopt);
    EXPECT_EQ(humidityOfRow(trend, 3), std::nullopt);

    GraphContext g = context(screen);
    trend.at(4, TrendSeries::Humidity) = "55";
    graphHumidity(g, trend, obs);
    EXPECT_EQ(trend.at(0, TrendSeries::Humidity), "100");
    EXPECT_EQ(trend.at(1, TrendSeries::Humidity), "71");
    EXPECT_EQ(trend.at(2, TrendSeries::Humidity), "");
    EXPECT_EQ(trend.at(4, TrendSeries::Humidity), "");
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

TEST_F(GraphTest, PressureFrameGridAndLabels)
{
    GraphContext g = context(screen);
    TrendSeries trend = fullDayOf(TrendSeries::PressureHpa, "1020");
    graphPresure(g, trend, obs);

    const auto& calls = screen.calls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls[0].op, Op::Clear);
    EXPECT_EQ(calls[0].args[0], colors.backgroundColor);

    const auto boxes = screen.callsOf(Op::Box);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].args, (std::vector<double>{270, 230, 270 + 3900, 230 + 1150}));
    EXPECT_TRUE(boxes[0].fillSolid);
    EXPECT_EQ(boxes[0].fill, colors.paperColor);
    EXPECT_EQ(boxes[0].fore, rgb(150, 150, 150));
    EXPECT_EQ(boxes[1].args, boxes[0].args);
    EXPECT_FALSE(boxes[1].fillSolid);
    EXPECT_EQ(boxes[1].fore, kBlack);

    const auto grid = gridLines(screen, 270 + 3900);
    ASSERT_EQ(grid.size(), 11u);
    for (int i = 0; i < 11; ++i) {
        EXPECT_DOUBLE_EQ(grid[i].args[1], 230 + 1150 - i * 115.0);
        EXPECT_EQ(grid[i].fore, i + 1 == 6 ? colors.midLineColor : colors.graphLineColor) << i;
    }
    const auto hours = hourLines(screen, 230);
    ASSERT_EQ(hours.size(), 24u);
    EXPECT_DOUBLE_EQ(hours[0].args[0], 270 + 81.25);
    EXPECT_DOUBLE_EQ(hours[23].args[0], 270 + 23 * 162.5 + 81.25);
    EXPECT_EQ(hours[0].fore, colors.graphLineColor);

    EXPECT_EQ(valueLabels(screen), (std::vector<std::string>{"950", "970", "990", "1010", "1030", "1050"}));
    const auto title = screen.textsEqual("Air Pressure (hPa)");
    ASSERT_EQ(title.size(), 1u);
    EXPECT_EQ(title[0].fontSize, 7);
}

TEST_F(GraphTest, FullDayDrawsTwentyFourPointsInTheTextColour)
{
    GraphContext g = context(screen);
    TrendSeries trend = fullDayOf(TrendSeries::PressureHpa, "1000");
    trend.at(5, TrendSeries::PressureHpa) = "";
    trend.at(6, TrendSeries::PressureHpa) = "1020";
    trend.at(9, TrendSeries::PressureHpa) = "1055";   // above the plot
    graphPresure(g, trend, obs);

    const auto circles = screen.callsOf(Op::Circle);
    ASSERT_EQ(circles.size(), 24u);
    EXPECT_EQ(circles[0].args, (std::vector<double>{270 + 81, 230 + 575, 30}));
    EXPECT_EQ(circles[1].args[0], 270 + 244);   // 243.75 rounded
    for (int k = 0; k < 24; ++k) {
        EXPECT_EQ(circles[k].fore, k == 5 ? shades[24] : colors.windowTextColor) << k;
        EXPECT_EQ(circles[k].fill, circles[k].fore);
        EXPECT_TRUE(circles[k].fillSolid);
    }
    EXPECT_DOUBLE_EQ(circles[5].args[1], 230 + (575 + 345) / 2.0);
    EXPECT_DOUBLE_EQ(circles[9].args[1], 230 - 57.5);

    const auto curve =
        callsWhere(screen, Op::Line, [](const SurfaceCall& c) { return c.args[2] - c.args[0] == 162.5; });
    ASSERT_EQ(curve.size(), 23u);
    EXPECT_EQ(curve[4].fore, shades[24]);   // towards the filled point
    EXPECT_EQ(curve[5].fore, colors.windowTextColor);
    EXPECT_EQ(curve[4].drawWidth, 1);
}

TEST_F(GraphTest, InchesScale)
{
    units.pressureUnit = kPressureInches;
    GraphContext g = context(screen);
    TrendSeries trend;
    graphPresure(g, trend, obs);
    EXPECT_EQ(valueLabels(screen), (std::vector<std::string>{"28", "28.5", "29", "29.5", "30", "30.5", "31", "31.5"}));
    EXPECT_EQ(gridLines(screen, 270 + 3900).size(), 15u);
    EXPECT_TRUE(screen.callsOf(Op::Circle).empty());
    EXPECT_EQ(screen.textsEqual("Air Pressure (In)").size(), 1u);
}

TEST_F(GraphTest, TemperatureIsClampedInTheTable)
{
    GraphContext g = context(screen);
    TrendSeries trend = fullDayOf(TrendSeries::TemperatureC, "25");
    trend.at(0, TrendSeries::TemperatureC) = "70";
    trend.at(1, TrendSeries::TemperatureC) = "-20.5";
    trend.at(2, TrendSeries::TemperatureC) = "";
    trend.at(0, TrendSeries::TemperatureF) = "158";
    graphTemperature(g, trend, obs);

    EXPECT_EQ(trend.at(0, TrendSeries::TemperatureC), "60");
    EXPECT_EQ(trend.at(1, TrendSeries::TemperatureC), "-10");
    EXPECT_EQ(trend.at(2, TrendSeries::TemperatureC), "");
    EXPECT_EQ(trend.at(3, TrendSeries::TemperatureC), "25");
    EXPECT_EQ(trend.at(0, TrendSeries::TemperatureF), "158");

    const auto circles = screen.callsOf(Op::Circle);
    ASSERT_EQ(circles.size(), 24u);
    EXPECT_DOUBLE_EQ(circles[0].args[1], 230);
    EXPECT_DOUBLE_EQ(circles[1].args[1], 230 + 1150);
    EXPECT_EQ(valueLabels(screen), (std::vector<std::string>{"-10", "0", "10", "20", "30", "40", "50", "60"}));
    EXPECT_EQ(screen.textsEqual("Temperature (\xC2\xBA" "C)").size(), 1u);
}

struct SpeedAxisCase {
    const char* unit;
    const char* largest;
    std::vector<std::string> labels;
};

class GraphWindSpeedAxis : public GraphTest, public ::testing::WithParamInterface<SpeedAxisCase> {};

TEST_P(GraphWindSpeedAxis, SwitchesAboveTheLimit)
{
    units.speedUnit = GetParam().unit;
    GraphContext g = context(screen, 220, 210);
    TrendSeries trend = fullDayOf(TrendSeries::WindSpeed, "3");
    trend.at(7, TrendSeries::WindSpeed) = GetParam().largest;
    graphWindS(g, trend, obs);

    EXPECT_EQ(valueLabels(screen, 210), GetParam().labels);
    EXPECT_EQ(gridLines(screen, 220 + 2550).size(), GetParam().labels.size() * 2 - 1);
}

INSTANTIATE_TEST_SUITE_P(
    GraphLimits, GraphWindSpeedAxis,
    ::testing::Values(SpeedAxisCase{kSpeedMph, "40", {"0", "10", "20", "30", "40", "50"}},
                      SpeedAxisCase{kSpeedMph, "41", {"0", "20", "40", "60", "80", "100"}},
                      SpeedAxisCase{kSpeedKph, "50", {"0", "10", "20", "30", "40", "50"}},
                      SpeedAxisCase{kSpeedKph, "50.4", {"0", "10", "20", "30", "40", "50"}},
                      SpeedAxisCase{kSpeedKph, "51", {"0", "20", "40", "60", "80", "100", "120", "140", "160"}}));

TEST_F(GraphTest, WindDirectionHasNorthAtTheTop)
{
    GraphContext g = context(screen, 310, 210);
    TrendSeries trend = fullDayOf(TrendSeries::WindDirection, "90");
    trend.at(0, TrendSeries::WindDirection) = "0";
    trend.at(1, TrendSeries::WindDirection) = "360";
    graphWindD(g, trend, obs);

    const auto circles = screen.callsOf(Op::Circle);
    ASSERT_EQ(circles.size(), 24u);
    EXPECT_DOUBLE_EQ(circles[0].args[1], 210);
    EXPECT_DOUBLE_EQ(circles[1].args[1], 210 + 1150);
    EXPECT_DOUBLE_EQ(circles[2].args[1], 210 + 1150 / 4.0);

    const std::vector<std::string> names{"N ", "NE", "E ", "SE", "S ", "SW", "W ", "NW", "N "};
    const auto labels = scaleLabels(screen, 210);
    ASSERT_EQ(labels.size(), names.size());
    for (int line = 0; line <= 8; ++line) {
        EXPECT_EQ(labels[line].text, names[line]);
        EXPECT_DOUBLE_EQ(labels[line].args[1], 210 + line * 1150 / 8.0 - 70);
    }
    const auto grid = gridLines(screen, 310 + 2550);
    ASSERT_EQ(grid.size(), 9u);
    EXPECT_EQ(grid[4].fore, colors.midLineColor);
    EXPECT_DOUBLE_EQ(grid[4].args[1], 210 + 1150 / 2.0);
}

TEST_F(GraphTest, PrintPageUsesGreyLinesBlackTextAndNoPaper)
{
    RecordingSurface page(Surface::Kind::PrintPage, 16000, 20000);
    GraphContext g = context(page, 1270, 5230);
    TrendSeries trend = fullDayOf(TrendSeries::PressureHpa, "1000");
    trend.at(4, TrendSeries::PressureHpa) = "";
    graphPresure(g, trend, obs);

    EXPECT_TRUE(page.callsOf(Op::Clear).empty());
    const auto boxes = page.callsOf(Op::Box);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_FALSE(boxes[0].fillSolid);

    const auto grid = gridLines(page, 1270 + 3900);
    ASSERT_EQ(grid.size(), 11u);
    for (const SurfaceCall& line : grid)
        EXPECT_EQ(line.fore, rgb(100, 100, 100));
    for (const SurfaceCall& line : hourLines(page, 5230))
        EXPECT_EQ(line.fore, rgb(100, 100, 100));
    for (const SurfaceCall& text : page.callsOf(Op::Text))
        EXPECT_EQ(text.fore, kBlack) << text.text;

    const auto circles = page.callsOf(Op::Circle);
    ASSERT_EQ(circles.size(), 24u);
    EXPECT_EQ(circles[3].fore, kBlack);
    EXPECT_EQ(circles[4].fore, shades[24]);

    const auto title = page.textsEqual("Air Pressure (hPa)");
    ASSERT_EQ(title.size(), 1u);
    EXPECT_DOUBLE_EQ(title[0].args[0], (4500 - 18 * 70.0) / 2 + (1270 - 270));
    EXPECT_DOUBLE_EQ(title[0].args[1], 5230 - 220);
}

} // namespace
} // namespace ventoral
