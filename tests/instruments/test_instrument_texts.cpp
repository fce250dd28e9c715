// What the five dials say and where their pointers stop, recorded rather
// than painted: captions, pointers at the scale ends, colour code bar labels.

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

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
        InstrumentContext context{surface, geometry, colors, shades, units, obs, minMax, trend, "", 2700, 3250};
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
