// SPDX-License-Identifier: GPL-3.0-or-later
// The five trend graphs over 7 and 30 days, from archived observations.

#include "instruments/span_graphs.h"

#include <cmath>
#include <sstream>

#include <gtest/gtest.h>

#include "instruments/graph_painter.h"
#include "observations/metar.h"
#include "real_metar_days.h"
#include "recording_surface.h"
#include "test_support.h"

namespace ventoral {
namespace {

using test::RecordingSurface;

const CivilTime kEnd{2026, 8, 19, 0, 10, 0};

const SpanPlot& plotOf(const std::array<GraphModel, kGraphCount>& graphs, GraphKind kind)
{
    return *graphs[static_cast<std::size_t>(kind)].span;
}

struct Marks {
    const char* name;
    GraphSpan span;
    GraphKind graph;
    double utcOffsetHours;
    std::size_t lines;                 // local midnights within the span
    std::vector<std::string> labels;   // the days written, oldest first
};

// A line at every local midnight; the day's number under every day (or
// every few days where they stand too close), counted from the newest day
// of which half is shown.
TEST(SpanGraphs, DaysAreMarkedAtLocalMidnights)
{
    const Marks cases[] = {
        {"7 days, wide, UTC", GraphSpan::Week, GraphKind::Temperature, 0, 7, {"13", "14", "15", "16", "17", "18"}},
        {"7 days, narrow, UTC", GraphSpan::Week, GraphKind::Humidity, 0, 7, {"13", "14", "15", "16", "17", "18"}},
        // 17:10 local on the 18th: the 18th is more than half shown.
        {"7 days, UTC-7", GraphSpan::Week, GraphKind::Temperature, -7, 7,
         {"12", "13", "14", "15", "16", "17", "18"}},
        // 130 twips a day: every third day; 85 twips: every fourth.
        {"30 days, wide", GraphSpan::Month, GraphKind::Pressure, 0, 30,
         {"22", "25", "28", "31", "3", "6", "9", "12", "15", "18"}},
        {"30 days, narrow", GraphSpan::Month, GraphKind::WindSpeed, 0, 30,
         {"21", "25", "29", "2", "6", "10", "14", "18"}},
    };
    for (const Marks& c : cases) {
        SCOPED_TRACE(c.name);
        const auto graphs = spanGraphModelsOf({}, c.span, UnitSettings{}, kEnd, FixedTimeZone(static_cast<int>(std::lround(c.utcOffsetHours * 60))));
        const SpanPlot& plot = plotOf(graphs, c.graph);
        EXPECT_EQ(plot.marks.size(), c.lines);
        std::vector<std::string> labels;
        double previous = 0;
        for (const DayMark& mark : plot.marks) {
            EXPECT_GT(mark.x, previous);
            EXPECT_LT(mark.x, graphs[static_cast<std::size_t>(c.graph)].scale.width);
            previous = mark.x;
            if (!mark.label.empty())
                labels.push_back(mark.label);
        }
        EXPECT_EQ(labels, c.labels);
        EXPECT_TRUE(plot.runs.empty());
    }
}

TEST(SpanGraphs, EachHourShowsItsRoutineReportElseItsNewestSpecial)
{
    const std::vector<ArchivedObservation> observations = test::observationsOf(
        "METAR RODN 181055Z 07018KT 10SM BKN016 29/26 A2976\n"
        "SPECI RODN 181115Z 06015G24KT 10SM SCT016 28/26 A2976\n"
        "SPECI RODN 181135Z 06012KT 10SM BKN012 27/26 A2977\n"
        "METAR RODN 181155Z AUTO 06012KT 10SM BKN011 26/26 A2977\n"   // the 12 o'clock hour's routine report
        "SPECI RODN 181159Z AUTO 07012KT 10SM BKN012 25/26 A2977\n"
        "SPECI RODN 181219Z AUTO 07012KT 10SM SCT013 24/26 A2977\n"
        "SPECI RODN 181305Z AUTO 07014KT 10SM OVC015 29/26 A2976\n"   // an hour of specials alone
        "SPECI RODN 181312Z AUTO 07017G22KT 10SM BKN014 29/26 A2976\n",
        kEnd);
    const std::vector<ArchivedObservation> hourly = hourlyObservations(observations);
    std::vector<std::string> kept;
    for (const ArchivedObservation& o : hourly)
        kept.push_back(o.raw.substr(6, 11));
    EXPECT_EQ(kept, (std::vector<std::string>{"RODN 181055", "RODN 181155", "RODN 181312"}));
}

TEST(SpanGraphs, PointsStandAtTheirTimesAndFarApartOnesAreNotJoined)
{
    const std::vector<ArchivedObservation> observations = test::observationsOf(
        "METAR RODN 170000Z 09010KT 10SM SCT020 20/10 Q1000\n"
        "METAR RODN 170100Z 09010KT 10SM SCT020 70/10 Q1000\n"   // above the scale: held at its top
        "METAR RODN 170700Z 09010KT 10SM SCT020 M20/M30 Q1000\n"  // six hours on: still joined
        "METAR RODN 171400Z 00000KT 10SM SCT020 20/10 Q1000\n"    // seven hours on: a run of its own
        "METAR RODN 181200Z VRB02KT 10SM SCT020 20/10 Q1000\n",
        kEnd);
    const auto graphs = spanGraphModelsOf(observations, GraphSpan::Week, UnitSettings{}, kEnd, FixedTimeZone());
    const GraphModel& temperature = graphs[static_cast<std::size_t>(GraphKind::Temperature)];
    const SpanPlot& plot = *temperature.span;
    ASSERT_EQ(plot.runs.size(), 3u);
    ASSERT_EQ(plot.runs[0].size(), 3u);
    const double perMinute = temperature.scale.width / (7 * 24 * 60);
    const std::int64_t start = kEnd.minutesSinceEpoch() - 7 * 24 * 60;
    EXPECT_DOUBLE_EQ(plot.runs[0][0].x, (CivilTime{2026, 8, 17, 0, 0, 0}.minutesSinceEpoch() - start) * perMinute);
    EXPECT_DOUBLE_EQ(plot.runs[0][0].offset, temperature.scale.offsetOf(20));
    EXPECT_DOUBLE_EQ(plot.runs[0][1].offset, 0) << "held at the top";
    EXPECT_DOUBLE_EQ(plot.runs[0][2].offset, temperature.scale.height) << "held at the bottom";
    EXPECT_EQ(temperature.scale.title, "Temperature (\xC2\xBA" "C) over 7 days");

    // A calm and a variable wind point nowhere; east stands a quarter down.
    const GraphModel& direction = graphs[static_cast<std::size_t>(GraphKind::WindDirection)];
    ASSERT_EQ(direction.span->runs.size(), 1u);
    ASSERT_EQ(direction.span->runs[0].size(), 3u);
    EXPECT_DOUBLE_EQ(direction.span->runs[0][0].offset, direction.scale.height / 4);
}

TEST(SpanGraphs, SpeedsAndPressuresInTheDisplayUnits)
{
    const std::vector<ArchivedObservation> observations =
        test::observationsOf("METAR KSEA 181200Z 18030KT 10SM CLR 20/10 A2992\n", kEnd);
    UnitSettings imperial;
    imperial.speedUnit = kSpeedMph;
    imperial.pressureUnit = kPressureInches;
    const auto graphs = spanGraphModelsOf(observations, GraphSpan::Week, imperial, kEnd, FixedTimeZone());
    const GraphModel& speed = graphs[static_cast<std::size_t>(GraphKind::WindSpeed)];
    EXPECT_EQ(speed.scale.maximum, 50) << "34.5 mph keeps the small scale";
    EXPECT_NEAR(speed.span->runs[0][0].offset, speed.scale.offsetOf(30 * kMphPerKnot), 1e-9);
    const GraphModel& pressure = graphs[static_cast<std::size_t>(GraphKind::Pressure)];
    EXPECT_NEAR(pressure.span->runs[0][0].offset, pressure.scale.offsetOf(29.92), 0.5);
    const auto metric = spanGraphModelsOf(observations, GraphSpan::Week, UnitSettings{}, kEnd, FixedTimeZone());
    EXPECT_EQ(metric[static_cast<std::size_t>(GraphKind::WindSpeed)].scale.maximum, 160) << "55.6 km/h";
}

// The real day of specials at Kadena, its graphs over 7 and 30 days drawn
// call by call. Refresh with VENTORAL_REFRESH_REFERENCE=1 after a deliberate
// change and check the new file by hand.
TEST(SpanGraphs, DrawingsMatchReference)
{
    const std::vector<ArchivedObservation> observations = test::observationsOf(test::readData(test::kRodnDay), kEnd);
    ColorScheme colors;
    ShadeTable shades{};
    std::string actual;
    for (const GraphSpan span : {GraphSpan::Week, GraphSpan::Month}) {
        const auto graphs = spanGraphModelsOf(observations, span, UnitSettings{}, kEnd, FixedTimeZone(9 * 60));
        for (const GraphModel& graph : graphs) {
            RecordingSurface surface;
            paintGraph(surface, graph, {colors, shades}, {270, 230, 4500, 0});
            actual += "== " + graph.scale.title + "\n" + surface.transcript();
        }
    }
    EXPECT_EQ(actual, test::reference("instruments/span-graphs.expected", actual));
}

} // namespace
} // namespace ventoral
