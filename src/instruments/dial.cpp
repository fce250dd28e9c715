// SPDX-License-Identifier: GPL-3.0-or-later
#include "instruments/dial.h"

#include <algorithm>
#include <cmath>

namespace ventoral {

namespace {

constexpr double kPi = 3.1415927;
constexpr ColorRef kPointerGrey = rgb(150, 150, 150);

double radians(double degrees)
{
    return degrees * kPi / 180.0;
}

int wholeTwips(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

// Fractions of the number's size that move it inside the long tick.
void placeNumber(DialGeometry& dial, int i, double angle)
{
    if (i < 1 || i > DialGeometry::kMaxLabels)
        return;
    const ScalePoint p = scalePoint(dial.radius[3], angle, dial.centreX, dial.centreY);
    dial.labelX[i] = wholeTwips(p.x);
    dial.labelY[i] = wholeTwips(p.y);
    dial.labelSide[i] = p.side;
    dial.labelShiftX[i] = angle < 180.01 ? 1 - angle / 180 : (angle - 180) / 180;
    dial.labelShiftY[i] = angle < 270.01 ? std::fabs(angle - 90) / 180 : std::fabs(1 - (angle - 270) / 180);
}

void tickAt(DialGeometry& dial, const ColorScheme& colors, Surface& target, double angle)
{
    if (target.isPrint())
        drawTick(target, colors, dial.radius[1], dial.radius[2], dial.centreX, dial.centreY, wholeTwips(angle));
}

double advance(double angle, double step)
{
    angle += step;
    if (angle > 360)
        angle -= 360;
    return angle;
}

int channel(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

} // namespace

ScalePoint scalePoint(double r, double a, double cx, double cy)
{
    ScalePoint p;
    p.x = cx + r * std::cos(radians(a));
    p.y = cy - r * std::sin(radians(a));
    if (a < 90)
        p.side = -a / 90;
    else if (a < 180)
        p.side = (a - 90) / 90 - 1;
    else if (a < 270)
        p.side = (a - 180) / 90;
    else
        p.side = 1 - (a - 270) / 90;
    return p;
}

ScaleAngles scaleAngles(double scaleStart, double rangeHigh, double rangeLow, double scaleDiv)
{
    ScaleAngles a;
    if (scaleStart < 90) {
        a.span = 2 * (90 - scaleStart);
        a.startAngle = 180 - scaleStart;
    } else {
        a.span = 2 * (450 - scaleStart);
        a.startAngle = 540 - scaleStart;
    }
    const double range = rangeHigh - rangeLow;
    a.degPerStep = range != 0 && scaleDiv != 0 ? a.span / (range / scaleDiv) : 0;
    a.degPerUnit = range != 0 ? a.span / range : 0;
    return a;
}

void drawScale(DialGeometry& dial, const ColorScheme& colors, Surface& target, double centreX, double centreY,
               double scaleStart, double rangeHigh, double rangeLow, double scaleDiv)
{
    dial.target = &target;
    dial.centreX = centreX;
    dial.centreY = centreY;
    const double r = dial.radius[0];
    const double margin = r / 13;

    if (target.isPrint())
        target.setForeColor(kBlack);
    else
        target.clear(colors.faceColor);
    target.setDrawWidth(1);
    target.setFillSolid(true);
    target.setFillColor(kWhite);

    dial.tickShort = wholeTwips(r * 0.04);
    dial.tickMedium = wholeTwips(r * 0.08);
    dial.tickLong = wholeTwips(r * 0.15);

    dial.scaleStart = scaleStart;
    const ScaleAngles angles = scaleAngles(scaleStart, rangeHigh, rangeLow, scaleDiv);
    dial.span = angles.span;
    dial.startAngle = angles.startAngle;
    dial.degPerStep = angles.degPerStep;
    dial.degPerUnit = angles.degPerUnit;

    const int numbers = std::min(dial.labelCount, DialGeometry::kMaxLabels);
    double angle = scaleStart;
    for (int i = 1; i <= numbers - 1; ++i) {
        dial.radius[1] = r - dial.tickLong - margin;
        dial.radius[2] = r - margin;
        dial.radius[3] = r - dial.tickLong - margin;
        tickAt(dial, colors, target, angle);
        placeNumber(dial, i, angle);
        for (int step = 1; step <= 9; ++step) {
            dial.radius[1] = r - (step == 5 ? dial.tickMedium : dial.tickShort) - margin;
            angle = advance(angle, dial.degPerStep);
            tickAt(dial, colors, target, angle);
        }
        angle = advance(angle, dial.degPerStep);
    }
    dial.radius[1] = r - dial.tickLong - margin;
    dial.radius[2] = r - margin;
    dial.radius[3] = r - dial.tickLong - margin;
    tickAt(dial, colors, target, angle);
    placeNumber(dial, numbers, angle);
    dial.currentAngle = angle;
}

void drawTick(Surface& target, const ColorScheme& colors, double rInner, double rOuter, double cx, double cy, int angle)
{
    const ScalePoint inner = scalePoint(rInner, angle, cx, cy);
    const ScalePoint outer = scalePoint(rOuter, angle, cx, cy);
    target.setForeColor(target.isPrint() ? kBlack : colors.tickColor);
    target.line(inner.x, inner.y, outer.x, outer.y);
}

std::array<ColorRef, 6> pointerShades(ColorRef color, bool clamp)
{
    int r = redOf(color);
    int g = greenOf(color);
    int b = blueOf(color);
    if (clamp) {
        r = std::clamp(r, 75, 180);
        g = std::clamp(g, 75, 180);
        b = std::clamp(b, 75, 180);
    }
    std::array<ColorRef, 6> shades{};
    const double factors[] = {1.3, 1.2, 1.1};
    for (int i = 0; i < 3; ++i) {
        const double k = factors[i];
        const int dr = r > 0 ? channel(r / k) : 0;
        const int dg = g > 0 ? channel(g / k) : 0;
        const int db = b > 20 ? channel(b / k) : 0;
        shades[i] = rgb(dr, dg, db);
        shades[3 + i] = rgb(std::min(255, channel(r * k)), std::min(255, channel(g * k)), std::min(255, channel(b * k)));
    }
    return shades;
}

void drawPointer(DialGeometry& dial, double cx, double cy, double length, double shoulder, double tail,
                 double halfWidth, ColorRef color, double angle, bool withHub)
{
    Surface& target = *dial.target;
    const ColorRef own = target.isPrint() ? kPointerGrey : color;
    target.setForeColor(own);
    target.setFillColor(own);
    const auto shades = pointerShades(own, dial.previewClamp);
    const ColorRef dark13 = shades[0];
    const ColorRef light13 = shades[3];

    if (withHub) {
        target.setFillSolid(true);
        const double hub = length * 0.25;
        const ColorRef rings[] = {shades[3], shades[4], shades[5], own, shades[2], shades[1], shades[0]};
        for (int i = 0; i < 7; ++i) {
            target.setForeColor(rings[i]);
            target.setFillColor(rings[i]);
            target.circle(cx, cy, hub * (13 - 2 * i) / 13);
        }
    }
    if (shoulder <= 0)
        return;

    const double ux = std::cos(radians(angle));
    const double uy = -std::sin(radians(angle));
    const double vx = std::cos(radians(angle + 90));
    const double vy = -std::sin(radians(angle + 90));
    const double w = length * halfWidth;
    const auto at = [&](double along, double across) {
        return PointTwips{std::nearbyint(cx + along * ux + across * vx), std::nearbyint(cy + along * uy + across * vy)};
    };
    const double shoulderAlong = (1 - shoulder) * length;
    const double heelAlong = -(tail - 1) * (1 - shoulder) * length;
    const PointTwips tip = at(length, 0);
    const PointTwips tailPoint = at(-(tail - 1) * length, 0);

    target.setForeColor(dark13);
    target.setFillColor(dark13);
    drawPolygon(target, {tip, at(shoulderAlong, w), at(heelAlong, w), tailPoint});
    target.setForeColor(light13);
    target.setFillColor(light13);
    drawPolygon(target, {tip, at(shoulderAlong, -w), at(heelAlong, -w), tailPoint});
}

void drawHiLoPointer(DialGeometry& dial)
{
    if (!dial.dataValid || !dial.target)
        return;
    Surface& target = *dial.target;
    const double a = dial.currentAngle;
    const double r = dial.radius[0];
    const ScalePoint anchor = scalePoint(0.9 * r, a, dial.centreX, dial.centreY);
    const auto normalised = [](double angle) {
        while (angle < 0)
            angle += 360;
        while (angle > 360)
            angle -= 360;
        return angle == 0 ? 0.0001 : angle;
    };
    target.setForeColor(kBlack);
    target.setDrawWidth(1);
    target.pie(anchor.x, anchor.y, 0.1 * r, normalised(a - 29.999), normalised(a + 29.999));
}

void drawPolygon(Surface& target, const std::vector<PointTwips>& points)
{
    std::vector<PointTwips> snapped;
    snapped.reserve(points.size());
    for (const PointTwips& p : points)
        snapped.push_back(target.snapToPixel(p));
    target.setFillSolid(true);
    target.polygon(snapped);
    target.setFillSolid(false);
}

} // namespace ventoral
