// What the five dials say and where their pointers stop, recorded rather
// than painted: captions, pointers at the scale ends, colour code bar labels.

#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "instruments/condition_strip.h"
#include "instruments/history.h"
#include "instruments/instruments.h"
#include "observations/recording_surface.h"
#include "settings/units.h"

using namespace ventoral;
using test::RecordingSurface;
using test::SurfaceCall;

namespace {

constexpr double kPi = 3.14159265358979;

struct Dial {
    RecordingSurface surface{Surface::Kind::Window, 2700, 3250};
    std::optional<double> pressureChangeHpa;
    double width = 2700;
    DialGeometry geometry;
    ColorScheme colors;
    ShadeTable shades{};
    UnitSettings units;
    Observation obs;
    MinMaxRecord minMax;
    TrendSeries trend;

    Dial() { geometry.dataValid = true; }

    void draw(void (*instrument)(InstrumentContext&))
    {
        surface.reset();
        InstrumentContext context{surface, geometry, colors, shades, units, obs, minMax, trend, "", width, 3250};
        context.pressureChangeHpa = pressureChangeHpa;
        instrument(context);
    }
    // The captions: the texts in the strip below the dial's square.
    std::vector<std::string> captions() const
    {
        std::vector<std::string> found;
        for (const SurfaceCall& call : surface.callsOf(SurfaceCall::Op::Text))
            if (call.args[1] > 2700)
                found.push_back(call.text);
        return found;
    }
};

struct CaptionCase {
    const char* name;
    std::function<void(Dial&)> set;
    void (*instrument)(InstrumentContext&);
    std::vector<std::string> captions;
};

void PrintTo(const CaptionCase& c, std::ostream* os)
{
    *os << c.name;
}

class DialCaptions : public ::testing::TestWithParam<CaptionCase> {};

void gusty(Dial& d, bool gustPointer)
{
    d.units.speedUnit = kSpeedKph;
    d.units.gustPointer = gustPointer;
    d.obs.windSpeed = 24.1f;
    d.obs.windSpeedText = "24.1";
    d.obs.windGust = 41.8801f;
}

} // namespace

TEST_P(DialCaptions, ReadAsText)
{
    Dial dial;
    GetParam().set(dial);
    dial.draw(GetParam().instrument);
    EXPECT_EQ(dial.captions(), GetParam().captions);
}

INSTANTIATE_TEST_SUITE_P(
    Dials, DialCaptions,
    ::testing::Values(
        CaptionCase{"gust pointer on", [](Dial& d) { gusty(d, true); }, instrumentWindS,
                    {"Wind Speed 24.1 Kph", "Gust Speed 41.8 Kph"}},
        CaptionCase{"gust pointer off", [](Dial& d) { gusty(d, false); }, instrumentWindS,
                    {"Wind Speed 24.1 Kph", "Gust Speed 41.8 Kph"}},
        CaptionCase{"calm",
                    [](Dial& d) {
                        d.units.speedUnit = kSpeedMph;
                        d.obs.windSpeed = 0;
                    },
                    instrumentWindS, {"Wind Speed 0 Mph"}},
        CaptionCase{"inches",
                    [](Dial& d) {
                        d.units.pressureUnit = kPressureInches;
                        d.obs.pressure = 29.91f;
                        d.obs.pressureText = "29.91";
                    },
                    instrumentPres, {"Air Pressure 29.91 inHg"}},
        CaptionCase{"implausible pressure",
                    [](Dial& d) {
                        d.obs.pressure = kNoPressure;
                        d.obs.pressureText = "0";
                    },
                    instrumentPres, {"No Air Pressure Data"}},
        CaptionCase{"temperature and dew point",
                    [](Dial& d) {
                        d.obs.temperature = 10;
                        d.obs.temperatureText = "10";
                        d.obs.dewPoint = 8.9f;
                        d.obs.dewPointText = "8.9";
                    },
                    instrumentTemp, {"Temperature 10\xC2\xBA" "C", "Dew Point 8.9\xC2\xBA" "C"}}));

struct PointerCase {
    const char* name;
    std::function<void(Dial&)> set;
    void (*instrument)(InstrumentContext&);
    double angle;   // of the last pointer drawn
};

void PrintTo(const PointerCase& c, std::ostream* os)
{
    *os << c.name;
}

class DialPointerEnds : public ::testing::TestWithParam<PointerCase> {};

TEST_P(DialPointerEnds, StopAtTheScaleEnds)
{
    Dial dial;
    GetParam().set(dial);
    dial.draw(GetParam().instrument);
    const auto polygons = dial.surface.callsOf(SurfaceCall::Op::Polygon);
    ASSERT_FALSE(polygons.empty());
    // The last polygon is the pointer's; its first point is the tip.
    const PointTwips tip = polygons.back().points.front();
    const double centre = 2700 / 2.0;
    double angle = std::atan2(centre - tip.y, tip.x - centre) * 180 / kPi;
    if (angle < 0)
        angle += 360;
    EXPECT_NEAR(angle, GetParam().angle, 1);
}

// A 300 degree scale runs from 240 degrees (minimum) clockwise to 300 (maximum).
INSTANTIATE_TEST_SUITE_P(
    Dials, DialPointerEnds,
    ::testing::Values(
        PointerCase{"wind 106 MPH",
                    [](Dial& d) {
                        d.units.speedUnit = kSpeedMph;
                        d.obs.windSpeed = 106;
                        d.obs.windSpeedText = "106";
                    },
                    instrumentWindS, 300},
        PointerCase{"gust 120 MPH",
                    [](Dial& d) {
                        d.units.speedUnit = kSpeedMph;
                        d.obs.windGust = 120;
                    },
                    instrumentWindS, 300},
        PointerCase{"pressure 1070 hPa",
                    [](Dial& d) {
                        d.obs.pressure = 1070;
                        d.obs.pressureText = "1070";
                    },
                    instrumentPres, 300},
        PointerCase{"pressure 940 hPa",
                    [](Dial& d) {
                        d.obs.pressure = 940;
                        d.obs.pressureText = "940";
                    },
                    instrumentPres, 240},
        PointerCase{"temperature 70 C",
                    [](Dial& d) {
                        d.obs.temperature = 70;
                        d.obs.temperatureText = "70";
                    },
                    instrumentTemp, 300}));

namespace {

double luminance(ColorRef c)
{
    const auto linear = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(redOf(c)) + 0.7152 * linear(greenOf(c)) + 0.0722 * linear(blueOf(c));
}

double contrast(ColorRef a, ColorRef b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

TEST(ColorCodeBar, EachLabelIsReadableOnItsSwatch)
{
    RecordingSurface bar(Surface::Kind::Window, 7820, 330);
    const ShadeTable shades = defaultShades();
    drawColorCodeBar(bar, shades);
    const auto boxes = bar.callsOf(SurfaceCall::Op::FilledBox);
    const auto labels = bar.callsOf(SurfaceCall::Op::Text);
    ASSERT_EQ(boxes.size(), 24u);
    ASSERT_EQ(labels.size(), 24u);
    for (int i = 0; i < 24; ++i) {
        EXPECT_EQ(boxes[i].fore, shades[i]);
        EXPECT_EQ(boxes[i].args, (std::vector<double>{50.0 + 320 * i, 0, 340.0 + 320 * i, 300}));
        EXPECT_EQ(labels[i].text, "  " + std::to_string(i - 23));
        EXPECT_EQ(labels[i].args[0], boxes[i].args[0]);
        EXPECT_TRUE(labels[i].bold);
        EXPECT_GE(contrast(labels[i].fore, shades[i]), 4.5) << labels[i].text;
    }
    EXPECT_EQ(labels[0].fore, kWhite);    // on black
    EXPECT_EQ(labels[16].fore, kBlack);   // on yellow
    EXPECT_FALSE(bar.bold());
}

namespace {

struct TendencyCase {
    const char* name;
    Surface::Kind kind;
    bool hpa;
    std::optional<double> changeHpa;
    std::string value;     // the caption's second line; empty: no tendency shown
    PointTwips direction;  // of the arrow, tail to tip
    double width = 2700;   // of the picture; a narrow one puts the arrow beside the value
};

void PrintTo(const TendencyCase& c, std::ostream* os)
{
    *os << c.name;
}

class PressureTendencyOnTheDial : public ::testing::TestWithParam<TendencyCase> {};

} // namespace

TEST_P(PressureTendencyOnTheDial, ArrowBesideTheCaptionAndTheValueBelowIt)
{
    const TendencyCase& c = GetParam();
    Dial dial;
    dial.surface = RecordingSurface(c.kind, c.width, 3250);
    dial.width = c.width;
    dial.units.pressureUnit = c.hpa ? kPressureHpa : kPressureInches;
    dial.obs.pressure = c.hpa ? 1013 : 29.91f;
    dial.obs.pressureText = c.hpa ? "1013" : "29.91";
    dial.pressureChangeHpa = c.changeHpa;
    dial.draw(instrumentPres);

    const std::string first = std::string("Air Pressure ") + (c.hpa ? "1013 hPa" : "29.91 inHg");
    std::vector<SurfaceCall> arrows;
    for (const SurfaceCall& call : dial.surface.callsOf(SurfaceCall::Op::Polygon))
        if (call.points.front().y > 2700)
            arrows.push_back(call);
    if (c.value.empty()) {
        EXPECT_EQ(dial.captions(), std::vector<std::string>{first});
        EXPECT_TRUE(arrows.empty());
        return;
    }
    EXPECT_EQ(dial.captions(), (std::vector<std::string>{first, c.value}));
    ASSERT_EQ(arrows.size(), 1u);
    const SurfaceCall& arrow = arrows.front();
    const double height = 20 * 7;   // the recording surface's line at 7 points
    const auto widthOf = [](const std::string& text) {
        return 10 * 7 * static_cast<double>(RecordingSurface::codePoints(text));
    };
    const bool besideValue = c.width < widthOf(first) + 1.1 * height;
    const std::string& beside = besideValue ? c.value : first;
    const SurfaceCall line = dial.surface.textsEqual(beside).front();
    const double lineRight = line.args[0] + widthOf(beside);
    // Right of its line, within its height and the picture; the two centred together.
    for (const PointTwips& p : arrow.points) {
        EXPECT_GT(p.x, lineRight);
        EXPECT_LT(p.x, lineRight + height * 1.1 + 1e-9);
        EXPECT_LE(p.x, c.width);
        EXPECT_GE(p.y, line.args[1]);
        EXPECT_LE(p.y, line.args[1] + height);
    }
    EXPECT_NEAR(line.args[0] + (widthOf(beside) + 1.1 * height) / 2, c.width / 2, 1e-9);
    // From the middle of the tail to the tip.
    const PointTwips tail{(arrow.points[0].x + arrow.points[6].x) / 2, (arrow.points[0].y + arrow.points[6].y) / 2};
    const PointTwips tip = arrow.points[3];
    EXPECT_NEAR((tip.x - tail.x) / 112, c.direction.x, 1e-9);
    EXPECT_NEAR((tip.y - tail.y) / 112, c.direction.y, 1e-9);
    const ColorRef ink = c.kind == Surface::Kind::Window ? ColorScheme{}.textColor : kBlack;
    EXPECT_EQ(arrow.fore, ink);
    EXPECT_EQ(arrow.fill, ink);
    EXPECT_EQ(line.fore, ink);
}

INSTANTIATE_TEST_SUITE_P(
    Dials, PressureTendencyOnTheDial,
    ::testing::Values(TendencyCase{"rising", Surface::Kind::Window, true, 1.24, "+1.2 hPa/3 h", {0, -1}},
                      TendencyCase{"falling quickly", Surface::Kind::Window, true, -4.0, "-4.0 hPa/3 h", {0, 1}},
                      TendencyCase{"steady", Surface::Kind::Window, true, 0.04, "0.0 hPa/3 h", {1, 0}},
                      TendencyCase{"rising in inches", Surface::Kind::Window, false, 1.35, "+0.04 inHg/3 h", {0, -1}},
                      TendencyCase{"falling on the page", Surface::Kind::PrintPage, true, -1.0, "-1.0 hPa/3 h", {0, 1}},
                      TendencyCase{"beside the value where the caption is too wide", Surface::Kind::PrintPage, true,
                                   -1.0, "-1.0 hPa/3 h", {0, 1}, 1600},
                      TendencyCase{"none", Surface::Kind::Window, true, std::nullopt, "", {0, 0}},
                      TendencyCase{"none on the page", Surface::Kind::PrintPage, true, std::nullopt, "", {0, 0}}));

TEST(PressureTendencyOnTheDial, OnlyBesideAPresentPressureOfValidData)
{
    const std::string present = "Pressure tendency: 0.04 inches (1.3 hPa) higher than three hours ago\n";
    const TrendSeries noTrend;
    Observation obs;
    obs.pressure = 1013;
    obs.pressureText = "1013";
    EXPECT_NEAR(shownPressureChange(obs, true, present, noTrend).value_or(0), 1.3, 1e-9);
    EXPECT_FALSE(shownPressureChange(obs, false, present, noTrend));
    EXPECT_FALSE(shownPressureChange(obs, true, "Pressure (altimeter): 29.91 in. Hg (1013 hPa)\n", noTrend));
    obs.pressure = kNoPressure;
    obs.pressureText.clear();
    EXPECT_FALSE(shownPressureChange(obs, true, present, noTrend));
}

TEST(ConditionStrip, FlightCategoryAsAColouredTagAtTheRightEnd)
{
    const std::vector<StripLine> lines{{"Visibility: 2 mile(s)  -   Sky conditions: overcast", 120}};
    for (const auto& [category, color, name] :
         std::vector<std::tuple<FlightCategory, ColorRef, std::string>>{{FlightCategory::Vfr, rgb(0, 128, 0), "VFR"},
                                                                      {FlightCategory::Mvfr, rgb(0, 0, 255), "MVFR"},
                                                                      {FlightCategory::Ifr, rgb(220, 0, 0), "IFR"},
                                                                      {FlightCategory::Lifr, rgb(190, 0, 190), "LIFR"}}) {
        SCOPED_TRACE(name);
        RecordingSurface strip(Surface::Kind::Window, kStripWidthTwips, kStripHeightTwips);
        drawConditionStrip(strip, rgb(1, 2, 3), lines, category);
        EXPECT_EQ(strip.textStrings(), (std::vector<std::string>{lines[0].text, name}));
        const auto boxes = strip.callsOf(SurfaceCall::Op::FilledBox);
        ASSERT_EQ(boxes.size(), 1u);
        const SurfaceCall& box = boxes.front();
        EXPECT_EQ(box.fore, color);
        const SurfaceCall label = strip.textsEqual(name).front();
        // The name inside its tag, readable on it; the tag inside the strip,
        // right of the condition line.
        EXPECT_GE(contrast(label.fore, box.fore), 4.5);
        EXPECT_TRUE(label.bold);
        EXPECT_GT(label.args[0], box.args[0]);
        EXPECT_LT(label.args[0] + strip.textWidth(name), box.args[2]);
        EXPECT_GT(label.args[1], box.args[1]);
        EXPECT_LT(box.args[2], kStripWidthTwips);
        EXPECT_GT(box.args[1], 0);
        EXPECT_LT(box.args[3], kStripHeightTwips);
        const SurfaceCall line = strip.textsEqual(lines[0].text).front();
        EXPECT_GT(box.args[0], line.args[0] + strip.textWidth(lines[0].text));
        EXPECT_EQ(strip.calls().front().op, SurfaceCall::Op::Clear);
        EXPECT_FALSE(strip.bold());
    }

    RecordingSurface strip(Surface::Kind::Window, kStripWidthTwips, kStripHeightTwips);
    drawConditionStrip(strip, rgb(1, 2, 3), lines, std::nullopt);
    EXPECT_EQ(strip.textStrings(), std::vector<std::string>{lines[0].text});
    EXPECT_TRUE(strip.callsOf(SurfaceCall::Op::FilledBox).empty());
}
