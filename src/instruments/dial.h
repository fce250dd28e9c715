// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The shared geometry of the dial being drawn and the primitives every dial
// uses: scale, ticks, pointers, high/low wedges. Twips; angles in degrees
// counter-clockwise from three o'clock, y down.

#include <array>
#include <string>
#include <vector>

#include "settings/settings.h"
#include "platform/surface.h"

namespace ventoral {

struct DialGeometry {
    static constexpr int kMaxLabels = 20;

    Surface* target = nullptr;
    double centreX = 0;
    double centreY = 0;
    std::array<double, 4> radius{};   // R; inner and outer end of the tick; number radius
    int tickLong = 0;
    int tickMedium = 0;
    int tickShort = 0;
    double startAngle = 0;      // angle of the scale minimum
    double scaleStart = 0;      // angle of the scale maximum, where the walk starts
    double span = 0;
    double degPerUnit = 0;
    double degPerStep = 0;
    int labelCount = 0;
    // Index 1..labelCount; number 1 is at the maximum end.
    std::array<int, kMaxLabels + 1> labelX{};
    std::array<int, kMaxLabels + 1> labelY{};
    std::array<double, kMaxLabels + 1> labelShiftX{};
    std::array<double, kMaxLabels + 1> labelShiftY{};
    std::array<double, kMaxLabels + 1> labelSide{};
    double currentAngle = 0;
    bool dataValid = false;
    bool previewClamp = false;
};

// The angles of a scale: degrees counter-clockwise from three o'clock, y down.
struct ScaleAngles {
    double span = 0;
    double startAngle = 0;   // angle of the minimum
    double degPerUnit = 0;
    double degPerStep = 0;
};

// The scale whose maximum stands at scaleStart and whose gap is centred at
// the foot of the dial (or closed, for a start of 270).
ScaleAngles scaleAngles(double scaleStart, double rangeHigh, double rangeLow, double scaleDiv);

struct ScalePoint {
    double x = 0;
    double y = 0;
    double side = 0;   // triangle wave: 0 at 0 degrees, -1 at 90, 0 at 180, +1 at 270
};

// The point at radius r and angle a (degrees) around (cx, cy).
ScalePoint scalePoint(double r, double a, double cx, double cy);

// Sets up the scale of the dial in geometry.radius[0] with geometry.labelCount
// numbers: span, start, the label tables; draws the ticks on print surfaces.
void drawScale(DialGeometry& dial, const ColorScheme& colors, Surface& target, double centreX, double centreY,
               double scaleStart, double rangeHigh, double rangeLow, double scaleDiv);

// A tick at a whole number of degrees, in the tick colour (black on print).
void drawTick(Surface& target, const ColorScheme& colors, double rInner, double rOuter, double cx, double cy, int angle);

// The shaded pointer, and the shaded hub when withHub is set. shoulder, tail
// and halfWidth are fractions of length; a shoulder of 0 draws the hub only.
void drawPointer(DialGeometry& dial, double cx, double cy, double length, double shoulder, double tail,
                 double halfWidth, ColorRef color, double angle, bool withHub);

// A 60 degree wedge at currentAngle with its point at 0.9 R, in the caller's
// fill colour; only while dataValid is set.
void drawHiLoPointer(DialGeometry& dial);

// Fills and outlines a polygon with the target's colours, corners on whole target pixels.
void drawPolygon(Surface& target, const std::vector<PointTwips>& points);

// The three dark and three light shades of a pointer colour: [0..2] dark
// 1.3, 1.2, 1.1; [3..5] light 1.3, 1.2, 1.1.
std::array<ColorRef, 6> pointerShades(ColorRef color, bool clamp);

} // namespace ventoral
