// SPDX-License-Identifier: GPL-3.0-or-later
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
#include "instruments/dial_painter.h"
#include "instruments/history.h"
#include "instruments/panel_model.h"
#include "settings/units.h"
#include "recording_surface.h"

using namespace ventoral;
using test::RecordingSurface;
using test::SurfaceCall;

namespace {

constexpr double kPi = 3.14159265358979;

// One dial of the panel model of a station whose report holds the values set.
struct Dial {
    RecordingSurface surface{Surface::Kind::Window, 2700, 3250};
    double width = 2700;
    UnitSettings units;
    StationSnapshot snapshot;

    Dial()
    {
        snapshot.code = "KSEA";
        snapshot.status = StationDataStatus::Valid;
        snapshot.present = PresentReport{};
        snapshot.present->hasBody = true;
    }
    PresentReport& report() { return *snapshot.present; }

    void draw(DialKind kind)
    {
        surface.reset();
        const PanelModel model = buildPanelModel(snapshot, std::nullopt, units, {});
        const ColorScheme colors;
        const ShadeTable shades{};
        paintDial(surface, model.dial(kind), {colors, shades, ""}, width, 3250);
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

// What a dial says under its square and, where given, the angle of the
// last pointer drawn: pointers stop at the scale's ends.
struct ReadingCase {
    const char* name;
    std::function<void(Dial&)> set;
    DialKind dial;
    std::vector<std::string> captions;   // none given: not checked
    std::optional<double> angle;
};

void PrintTo(const ReadingCase& c, std::ostream* os)
{
    *os << c.name;
}

class DialReadings : public ::testing::TestWithParam<ReadingCase> {};

// 15 MPH is 24.16 km/h, shown cut to 24.1; 26 MPH is 41.88 km/h.
void gusty(Dial& d, bool gustPointer)
{
    d.units.speedUnit = kSpeedKph;
    d.units.gustPointer = gustPointer;
    d.report().windSpeedMph = 15;
    d.report().gustMph = 26;
}

void hpa(Dial& d, float value)
{
    d.report().pressureHpa = value;
}

} // namespace

TEST_P(DialReadings, CaptionsAndPointer)
{
    const ReadingCase& c = GetParam();
    Dial dial;
    c.set(dial);
    dial.draw(c.dial);
    if (!c.captions.empty()) {
        EXPECT_EQ(dial.captions(), c.captions);
    }
    if (!c.angle)
        return;
    const auto polygons = dial.surface.callsOf(SurfaceCall::Op::Polygon);
    ASSERT_FALSE(polygons.empty());
    // The last polygon is the pointer's; its first point is the tip.
    const PointTwips tip = polygons.back().points.front();
    const double angle = std::atan2(2700 / 2.0 - tip.y, tip.x - 2700 / 2.0) * 180 / kPi;
    EXPECT_NEAR(angle < 0 ? angle + 360 : angle, *c.angle, 1);
}

// A 300 degree scale runs from 240 degrees (minimum) clockwise to 300 (maximum).
INSTANTIATE_TEST_SUITE_P(
    Dials, DialReadings,
    ::testing::Values(
        ReadingCase{"gust pointer on", [](Dial& d) { gusty(d, true); }, DialKind::WindSpeed,
                    {"Wind Speed 24.1 Kph", "Gust Speed 41.8 Kph"}},
        ReadingCase{"gust pointer off", [](Dial& d) { gusty(d, false); }, DialKind::WindSpeed,
                    {"Wind Speed 24.1 Kph", "Gust Speed 41.8 Kph"}},
        ReadingCase{"calm", [](Dial& d) { d.units.speedUnit = kSpeedMph, d.report().windSpeedMph = 0; },
                    DialKind::WindSpeed, {"Wind Speed 0 Mph"}},
        ReadingCase{"inches",
                    [](Dial& d) { d.units.pressureUnit = kPressureInches, d.report().pressureInches = 29.91f; },
                    DialKind::Pressure, {"Air Pressure 29.91 inHg"}},
        ReadingCase{"implausible pressure", [](Dial&) {}, DialKind::Pressure, {"No Air Pressure Data"}},
        ReadingCase{"temperature and dew point",
                    [](Dial& d) {
                        d.report().temperatureF = 50, d.report().temperatureC = 10;
                        d.report().dewPointF = 48, d.report().dewPointC = 8.9f;
                    },
                    DialKind::Temperature, {"Temperature 10\xC2\xBA" "C", "Dew Point 8.9\xC2\xBA" "C"}},
        ReadingCase{"wind 106 MPH", [](Dial& d) { d.units.speedUnit = kSpeedMph, d.report().windSpeedMph = 106; },
                    DialKind::WindSpeed, {}, 300},
        ReadingCase{"gust 120 MPH", [](Dial& d) { d.units.speedUnit = kSpeedMph, d.report().gustMph = 120; },
                    DialKind::WindSpeed, {}, 300},
        ReadingCase{"pressure 1070 hPa", [](Dial& d) { hpa(d, 1070); }, DialKind::Pressure, {}, 300},
        ReadingCase{"pressure 940 hPa", [](Dial& d) { hpa(d, 940); }, DialKind::Pressure, {}, 240},
        ReadingCase{"temperature 70 C",
                    [](Dial& d) { d.report().temperatureF = 158, d.report().temperatureC = 70; },
                    DialKind::Temperature, {}, 300}));

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
        EXPECT_EQ(labels[i].text, "  " + std::to_string(i - 23));
        EXPECT_GE(contrast(labels[i].fore, shades[i]), 4.5) << labels[i].text;
    }
}

TEST(PressureTendencyOnTheDial, ArrowBesideTheCaptionAndTheValueBelowIt)
{
    const struct {
        const char* name;
        Surface::Kind kind;
        const char* tendencyLine;   // of the report; nullptr: none
        std::string value;     // the caption's second line; empty: no tendency shown
        PointTwips direction;  // of the arrow, tail to tip
        double width = 2700;   // of the picture; a narrow one puts the arrow beside the value
        bool inches = false;
    } cases[] = {
        {"rising", Surface::Kind::Window, "0.04 inches (1.24 hPa) higher", "+1.2 hPa/3 h", {0, -1}},
        {"falling quickly", Surface::Kind::Window, "0.12 inches (4.0 hPa) lower", "-4.0 hPa/3 h", {0, 1}},
        {"steady", Surface::Kind::Window, "0.00 inches (0.04 hPa) higher", "0.0 hPa/3 h", {1, 0}},
        {"rising in inches", Surface::Kind::Window, "0.04 inches (1.35 hPa) higher", "+0.04 inHg/3 h", {0, -1}, 2700,
         true},
        {"falling on the page", Surface::Kind::PrintPage, "0.03 inches (1.0 hPa) lower", "-1.0 hPa/3 h", {0, 1}},
        {"beside the value, the caption too wide", Surface::Kind::PrintPage, "0.03 inches (1.0 hPa) lower",
         "-1.0 hPa/3 h", {0, 1}, 1600},
        {"none", Surface::Kind::Window, nullptr, "", {0, 0}},
        {"none on the page", Surface::Kind::PrintPage, nullptr, "", {0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Dial dial;
        dial.surface = RecordingSurface(c.kind, c.width, 3250);
        dial.width = c.width;
        dial.units.pressureUnit = c.inches ? kPressureInches : kPressureHpa;
        dial.report().pressureInches = 29.91f;
        hpa(dial, 1013);
        if (c.tendencyLine)
            dial.snapshot.presentText = std::string("Pressure tendency: ") + c.tendencyLine + " than three hours ago\n";
        dial.draw(DialKind::Pressure);

        const std::string first = c.inches ? "Air Pressure 29.91 inHg" : "Air Pressure 1013 hPa";
        std::vector<SurfaceCall> arrows;
        for (const SurfaceCall& call : dial.surface.callsOf(SurfaceCall::Op::Polygon))
            if (call.points.front().y > 2700)
                arrows.push_back(call);
        if (c.value.empty()) {
            EXPECT_EQ(dial.captions(), std::vector<std::string>{first});
            EXPECT_TRUE(arrows.empty());
            continue;
        }
        EXPECT_EQ(dial.captions(), (std::vector<std::string>{first, c.value}));
        ASSERT_EQ(arrows.size(), 1u);
        const SurfaceCall& arrow = arrows.front();
        // Right of the line it stands beside, and inside the picture even where the caption is too wide.
        const double lineHeight = 20 * 7;   // the recording surface's line at 7 points
        const std::string& beside =
            c.width < 10 * 7 * RecordingSurface::codePoints(first) + 1.1 * lineHeight ? c.value : first;
        const SurfaceCall line = dial.surface.textsEqual(beside).front();
        for (const PointTwips& p : arrow.points) {
            EXPECT_GT(p.x, line.args[0] + 10 * 7 * RecordingSurface::codePoints(beside));
            EXPECT_LE(p.x, c.width);
            EXPECT_GE(p.y, line.args[1]);
            EXPECT_LE(p.y, line.args[1] + lineHeight);
        }
        // From the middle of the tail to the tip.
        const PointTwips tail{(arrow.points[0].x + arrow.points[6].x) / 2, (arrow.points[0].y + arrow.points[6].y) / 2};
        const PointTwips tip = arrow.points[3];
        EXPECT_NEAR((tip.x - tail.x) / 112, c.direction.x, 1e-9);
        EXPECT_NEAR((tip.y - tail.y) / 112, c.direction.y, 1e-9);
        const ColorRef ink = c.kind == Surface::Kind::Window ? ColorScheme{}.textColor : kBlack;
        EXPECT_EQ(arrow.fill, ink);
        EXPECT_EQ(line.fore, ink);
    }
}

TEST(PressureTendencyOnTheDial, OnlyBesideAPresentPressureOfValidData)
{
    const auto change = [](bool valid, std::optional<float> pressureHpa) {
        Dial dial;
        dial.snapshot.presentText = "Pressure tendency: 0.04 inches (1.3 hPa) higher than three hours ago\n";
        dial.snapshot.status = valid ? StationDataStatus::Valid : StationDataStatus::NotUsable;
        dial.report().pressureHpa = pressureHpa;
        return buildPanelModel(dial.snapshot, std::nullopt, dial.units, {}).pressureChangeHpa;
    };
    EXPECT_NEAR(change(true, 1013).value_or(0), 1.3, 1e-9);
    EXPECT_FALSE(change(false, 1013));
    EXPECT_FALSE(change(true, std::nullopt));
}

TEST(ConditionStrip, FlightCategoryAsAColouredTagAtTheRightEnd)
{
    const std::vector<StripLine> lines{{"Visibility: 2 mile(s)  -   Sky conditions: overcast", 120}};
    for (const auto& [category, color, name] : std::vector<std::tuple<FlightCategory, ColorRef, std::string>>{
             {FlightCategory::Vfr, rgb(0, 128, 0), "VFR"}, {FlightCategory::Mvfr, rgb(0, 0, 255), "MVFR"},
             {FlightCategory::Ifr, rgb(220, 0, 0), "IFR"}, {FlightCategory::Lifr, rgb(190, 0, 190), "LIFR"}}) {
        SCOPED_TRACE(name);
        RecordingSurface strip(Surface::Kind::Window, kStripWidthTwips, kStripHeightTwips);
        drawConditionStrip(strip, rgb(1, 2, 3), lines, category);
        EXPECT_EQ(strip.textStrings(), (std::vector<std::string>{lines[0].text, name}));
        const auto boxes = strip.callsOf(SurfaceCall::Op::FilledBox);
        ASSERT_EQ(boxes.size(), 1u);
        const SurfaceCall& box = boxes.front();
        EXPECT_EQ(box.fore, color);
        // The name readable on its tag; the tag inside the strip, right of the condition line.
        EXPECT_GE(contrast(strip.textsEqual(name).front().fore, box.fore), 4.5);
        EXPECT_LT(box.args[2], kStripWidthTwips);
        EXPECT_GT(box.args[1], 0);
        EXPECT_LT(box.args[3], kStripHeightTwips);
        const SurfaceCall line = strip.textsEqual(lines[0].text).front();
        EXPECT_GT(box.args[0], line.args[0] + strip.textWidth(lines[0].text));
    }

    RecordingSurface strip(Surface::Kind::Window, kStripWidthTwips, kStripHeightTwips);
    drawConditionStrip(strip, rgb(1, 2, 3), lines, std::nullopt);
    EXPECT_EQ(strip.textStrings(), std::vector<std::string>{lines[0].text});
    EXPECT_TRUE(strip.callsOf(SurfaceCall::Op::FilledBox).empty());
}
