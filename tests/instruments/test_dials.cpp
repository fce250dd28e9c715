// SPDX-License-Identifier: GPL-3.0-or-later
// Dials drawn on images, checked by the pixels that matter: pointer tips,
// high/low wedges, history arcs; and the scale geometry behind them.

#include <cmath>

#include <QColor>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include "instruments/dial.h"
#include "instruments/history.h"
#include "instruments/instruments.h"
#include "platform/qt_surface.h"

using namespace ventoral;

namespace {

constexpr double kPi = 3.14159265358979;

// A 3000 x 3000 twip image at 96 dpi (200 px), white.
class Canvas {
public:
    Canvas() : m_image(200, 200, QImage::Format_RGB32)
    {
        m_image.setDotsPerMeterX(3780);
        m_image.setDotsPerMeterY(3780);
        m_image.fill(Qt::white);
        m_painter = std::make_unique<QPainter>(&m_image);
        m_surface = std::make_unique<QtSurface>(*m_painter, m_image, Surface::Kind::Image);
    }
    Surface& surface() { return *m_surface; }
    QColor at(double xTwips, double yTwips)
    {
        finish();
        return m_image.pixelColor(static_cast<int>(xTwips / 15), static_cast<int>(yTwips / 15));
    }
    // The colour at radius r (twips) and angle a (degrees) around the centre.
    QColor polar(double r, double a, double cx = 1500, double cy = 1500)
    {
        return at(cx + r * std::cos(a * kPi / 180), cy - r * std::sin(a * kPi / 180));
    }

private:
    void finish()
    {
        m_surface.reset();
        if (m_painter)
            m_painter->end();
        m_painter.reset();
    }
    QImage m_image;
    std::unique_ptr<QPainter> m_painter;
    std::unique_ptr<QtSurface> m_surface;
};

bool isBlueish(const QColor& c)
{
    return c.blue() > 120 && c.red() < 100 && c.green() < 100;
}

DialGeometry scaled(Surface& target, double scaleStart, double high, double low, double div, int numbers)
{
    DialGeometry dial;
    dial.radius[0] = 1200;
    dial.labelCount = numbers;
    ColorScheme colors;
    drawScale(dial, colors, target, 1500, 1500, scaleStart, high, low, div);
    return dial;
}

} // namespace

TEST(DialScale, A300DegreeScaleRunsFrom240To300DegreesAndTheCompassAllRound)
{
    Canvas canvas;
    const DialGeometry dial = scaled(canvas.surface(), 300, 100, 0, 1, 11);
    EXPECT_DOUBLE_EQ(dial.span, 300);
    EXPECT_DOUBLE_EQ(dial.startAngle, 240);
    EXPECT_DOUBLE_EQ(dial.degPerUnit, 3);
    // Number 1 (the maximum) at 300 degrees, number 11 (the minimum) at 240, the middle one on top.
    const double r = dial.radius[3];
    EXPECT_EQ(dial.labelX[1], std::lround(1500 + r * std::cos(300 * kPi / 180)));
    EXPECT_NEAR(dial.labelX[11], 1500 + r * std::cos(240 * kPi / 180), 1);
    EXPECT_NEAR(dial.labelY[6], 1500 - r, 1);

    // The compass's numbers walk from 270 degrees, the ninth on top of the first.
    const DialGeometry compass = scaled(canvas.surface(), 270, 360, 0, 4.5, 9);
    EXPECT_DOUBLE_EQ(compass.span, 360);
    EXPECT_DOUBLE_EQ(compass.startAngle, 270);
    EXPECT_EQ(compass.labelX[9], compass.labelX[1]);
    EXPECT_EQ(compass.labelY[9], compass.labelY[1]);
}

TEST(DialPointer, TheTipLiesAtTheFullLengthAlongItsAngle)
{
    for (const double angle : {0.0, 90.0, 154.3, 300.0}) {
        Canvas canvas;
        DialGeometry dial;
        dial.target = &canvas.surface();
        drawPointer(dial, 1500, 1500, 1000, 0.3, 1.25, 0.05, rgb(40, 40, 220), angle, false);
        EXPECT_TRUE(isBlueish(canvas.polar(900, angle))) << angle;
        EXPECT_EQ(canvas.polar(1100, angle), QColor(Qt::white)) << angle;
        EXPECT_EQ(canvas.polar(600, angle + 180), QColor(Qt::white)) << angle;   // the tail is short
    }
}

TEST(DialPointer, ShadesDarkenAndLightenEachChannel)
{
    const auto shades = pointerShades(rgb(130, 65, 20), false);
    EXPECT_EQ(shades[0], rgb(100, 50, 0));   // blue of 20 or less darkens to 0
    EXPECT_EQ(shades[3], rgb(169, 84, 26));   // 84.5 rounds to even
    const auto clamped = pointerShades(rgb(0, 0, 255), true);
    EXPECT_EQ(clamped[5], rgb(82, 82, 198));
}

TEST(DialMarker, HighAndLowWedgesSitAtNineTenthsOfTheRadius)
{
    Canvas canvas;
    DialGeometry dial;
    dial.target = &canvas.surface();
    dial.radius[0] = 1200;
    dial.centreX = dial.centreY = 1500;
    dial.currentAngle = 90;
    canvas.surface().setFillColor(kGreen);
    drawHiLoPointer(dial);   // no data: no marker
    dial.dataValid = true;
    dial.currentAngle = 200;
    drawHiLoPointer(dial);
    canvas.surface().setFillColor(kRed);
    dial.currentAngle = 29.999;   // starts the wedge at exactly 0
    drawHiLoPointer(dial);
    EXPECT_EQ(canvas.polar(1180, 90), QColor(Qt::white));
    EXPECT_EQ(canvas.polar(1140, 200), QColor(0, 255, 0));
    EXPECT_EQ(canvas.polar(1140, 29.999), QColor(255, 0, 0));
    EXPECT_EQ(canvas.polar(800, 200), QColor(Qt::white));
}

TEST(DialHistory, ArcsRunAlongTheScaleAndTheShortWayOnTheCompass)
{
    Canvas canvas;
    const DialGeometry dial = scaled(canvas.surface(), 300, 100, 0, 1, 11);
    EXPECT_EQ(historyArc(dial, false, 10, 310), std::make_pair(310, 10));
    EXPECT_EQ(historyArc(dial, false, 200, 310), std::make_pair(310, 200));
    EXPECT_EQ(historyArc(dial, false, 100, 120), std::make_pair(100, 120));
    const DialGeometry compass = scaled(canvas.surface(), 270, 360, 0, 4.5, 9);
    EXPECT_EQ(historyArc(compass, true, 350, 10), std::make_pair(350, 10));
    EXPECT_EQ(historyArc(compass, true, 90, 180), std::make_pair(90, 180));
}

TEST(DialHistory, ValuesFillForwardAndClampIntoTheScale)
{
    TrendSeries trend;
    const int column = TrendSeries::Humidity;
    // Latest cycle 23: the oldest hour is row 0.
    trend.at(5, column) = "50";
    trend.at(9, column) = "150";
    const ScaleAngles scale = scaleAngles(300, 100, 0, 1);
    const auto angles = historyAngles(scale, trend, 23, {column, 0, 100, 0, false});
    ASSERT_TRUE(angles.has_value());
    EXPECT_EQ((*angles)[0], 90);     // the first value found stands for hours 0-4
    EXPECT_EQ((*angles)[8], 90);
    EXPECT_EQ((*angles)[9], 300);    // 150 drawn at the maximum
    EXPECT_EQ((*angles)[23], 300);
    TrendSeries empty;
    EXPECT_FALSE(historyAngles(scale, empty, 23, {column, 0, 100, 0, false}).has_value());
}

TEST(DialHistory, TheBandIsPaintedInTheShadeOfEachHourAndNeverInTheGap)
{
    Canvas canvas;
    DialGeometry dial = scaled(canvas.surface(), 300, 100, 0, 1, 11);
    ColorScheme colors;
    ShadeTable shades{};
    shades.fill(rgb(255, 0, 255));
    shades[23] = rgb(0, 200, 0);
    TrendSeries trend;
    for (int row = 0; row < 24; ++row)
        trend.at(row, TrendSeries::Humidity) = row < 23 ? "10" : "90";   // one step, the newest
    const auto angles = historyAngles(scaleAngles(300, 100, 0, 1), trend, 23, {TrendSeries::Humidity, 0, 100, 0, false});
    drawHistoryBand(dial, colors, shades, angles, false);
    // From 10 % (210 degrees) clockwise over the top to 90 % (330 degrees).
    EXPECT_EQ(canvas.polar(0.96 * 1200, 90), QColor(0, 200, 0));
    EXPECT_NE(canvas.polar(0.96 * 1200, 270), QColor(0, 200, 0));
}

TEST(DialInstruments, ScaleNumbersStartAtTheMaximum)
{
    EXPECT_EQ(scaleNumbers(60, -10, 8), (std::vector<std::string>{"60", "50", "40", "30", "20", "10", "0", "-10"}));
    EXPECT_EQ(scaleNumbers(32, 28, 5), (std::vector<std::string>{"32", "31", "30", "29", "28"}));
    EXPECT_EQ(scaleNumbers(65, 0, 7).back(), "0");
}
