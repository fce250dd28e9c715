// SPDX-License-Identifier: GPL-3.0-or-later
#include "instruments/dial_painter.h"

#include <algorithm>
#include <cmath>

#include "instruments/history.h"
#include "platform/core/file_io.h"

namespace ventoral {

namespace {

constexpr double kMainShoulder = 0.3;
constexpr double kMainTail = 1.25;
constexpr double kSecondTail = 0.7;
constexpr double kHalfWidth = 0.05;

// The tendency arrow and its gap to the caption line, in line heights.
constexpr double kArrowSize = 0.8;
constexpr double kArrowGap = 0.3;

struct Painting {
    Surface& t;
    const DialModel& model;
    const DialStyle& style;
    double width;
    double height;
    DialGeometry dial;
};

// Scale, face, band, numbers and unit.
void paintScale(Painting& p)
{
    Surface& t = p.t;
    const DialScale& scale = p.model.scale;
    DialGeometry& dial = p.dial;
    dial.labelCount = scale.numbers;
    dial.radius[0] = p.width / 2 * 0.98;
    const double centre = scale.fullCircle ? std::trunc(p.width / 2) : p.width / 2;
    drawScale(dial, p.style.colors, t, centre, centre, scale.scaleStart, scale.maximum, scale.minimum, scale.step);
    if (!t.isPrint() && !p.style.facesFolder.empty())
        t.picture(joinPath(p.style.facesFolder, scale.face), p.width, p.width);
    drawHistoryBand(dial, p.style.colors, p.style.shades, p.model.band, scale.fullCircle);

    t.setBold(true);
    t.setForeColor(t.isPrint() ? kBlack : p.style.colors.textColor);
    t.setFontSize(p.style.colors.fontSizePt + scale.fontSizeAdjust);
    const int count = std::min<int>(scale.numbers, static_cast<int>(scale.labels.size()));
    for (int i = 1; i <= count && i <= DialGeometry::kMaxLabels; ++i) {
        const std::string& label = scale.labels[static_cast<std::size_t>(i - 1)];
        const double tw = t.textWidth(label);
        const double th = t.textHeight(label);
        t.text(dial.labelX[i] - dial.labelShiftX[i] * tw, dial.labelY[i] - dial.labelShiftY[i] * (th + 10), label);
    }
    if (!scale.unit.empty()) {
        t.setFontSize(8);
        t.text(dial.centreX - t.textWidth(scale.unit) / 2, 1.25 * dial.centreY, scale.unit);
    }
    dial.radius[1] = dial.radius[2] = 0.85 * dial.radius[0];
}

ColorRef markerColour(const Painting& p, MarkerColour colour)
{
    switch (colour) {
    case MarkerColour::SecondPointer:
        return p.style.colors.secondPointerColor;
    case MarkerColour::Green:
        return kGreen;
    case MarkerColour::Red:
        break;
    }
    return kRed;
}

void paintMarkers(Painting& p)
{
    const ScaleAngles angles = scaleAnglesOf(p.model.scale);
    for (const DialMarker& marker : p.model.markers) {
        const ColorRef colour = markerColour(p, marker.colour);
        p.t.setFillColor(colour);
        p.t.setForeColor(colour);
        p.dial.currentAngle = angleOnScale(p.model.scale, angles, marker.value);
        drawHiLoPointer(p.dial);
    }
}

void paintPointers(Painting& p)
{
    const ScaleAngles angles = scaleAnglesOf(p.model.scale);
    DialGeometry& dial = p.dial;
    for (const DialPointer& pointer : p.model.pointers) {
        dial.currentAngle = angleOnScale(p.model.scale, angles, pointer.value);
        const double length = 0.85 * dial.radius[0];
        drawPointer(dial, dial.centreX, dial.centreY, length, kMainShoulder, pointer.second ? kSecondTail : kMainTail,
                    kHalfWidth, pointer.second ? p.style.colors.secondPointerColor : p.style.colors.pointerColor,
                    dial.currentAngle, !pointer.second && p.t.isPrint());
    }
}

// Where a caption line was written: left, top, width and height.
struct CaptionLine {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// An arrow right of a caption line, in the caption's colour.
void tendencyArrow(Painting& p, const CaptionLine& line, PressureTrend trend)
{
    const double size = kArrowSize * line.height;
    Surface& t = p.t;
    drawTendencyArrow(t, line.left + line.width + kArrowGap * line.height + size / 2, line.top + line.height / 2, size,
                      trend, t.isPrint() ? kBlack : p.style.colors.textColor);
}

// One or two centred caption lines below the dial. A line followed by the
// tendency arrow is centred together with the arrow: beside the first line
// where both fit in the picture, else beside the shorter second line (the
// narrower dials of the print page).
void paintCaption(Painting& p)
{
    Surface& t = p.t;
    const DialModel& m = p.model;
    t.setFontSize(7);
    t.setForeColor(t.isPrint() ? kBlack : p.style.colors.textColor);
    const bool two = !m.secondCaption.empty();
    double firstTrail = 0;
    double secondTrail = 0;
    bool arrowBesideFirst = true;
    if (m.tendency) {
        const double room = (kArrowGap + kArrowSize) * t.textHeight(m.caption);
        arrowBesideFirst = t.textWidth(m.caption) + room <= p.width;
        (arrowBesideFirst ? firstTrail : secondTrail) = room;
    }
    CaptionLine first{0, 0, t.textWidth(m.caption), t.textHeight(m.caption)};
    first.left = (p.width - first.width - firstTrail) / 2;
    first.top = p.height - (two ? 1.8 : 1.2) * first.height;
    t.text(first.left, first.top, m.caption);
    CaptionLine second;
    if (two) {
        second = {0, 0, t.textWidth(m.secondCaption), t.textHeight(m.secondCaption)};
        second.left = (p.width - second.width - secondTrail) / 2;
        second.top = p.height - second.height;
        t.text(second.left, second.top, m.secondCaption);
    }
    t.setBold(false);
    if (m.tendency)
        tendencyArrow(p, arrowBesideFirst ? first : second, *m.tendency);
}

} // namespace

void drawTendencyArrow(Surface& t, double centreX, double centreY, double size, PressureTrend trend, ColorRef color)
{
    // Tail to tip pointing right, in units of the arrow's size; turned to point along (dx, dy).
    static constexpr PointTwips kShape[] = {{-0.5, -0.12}, {0.05, -0.12}, {0.05, -0.4}, {0.5, 0},
                                            {0.05, 0.4},   {0.05, 0.12},  {-0.5, 0.12}};
    double dx = 1;
    double dy = 0;
    if (trend > PressureTrend::Steady) {
        dx = 0;
        dy = -1;
    } else if (trend < PressureTrend::Steady) {
        dx = 0;
        dy = 1;
    }
    std::vector<PointTwips> points;
    for (const PointTwips& shape : kShape)
        points.push_back(
            {centreX + (shape.x * dx - shape.y * dy) * size, centreY + (shape.x * dy + shape.y * dx) * size});
    t.setForeColor(color);
    t.setFillColor(color);
    t.setDrawWidth(1);
    t.polygon(points);
}

void paintDial(Surface& target, const DialModel& dial, const DialStyle& style, double pictureWidth,
               double pictureHeight)
{
    Painting p{target, dial, style, pictureWidth, pictureHeight, DialGeometry{}};
    p.dial.dataValid = true;
    paintScale(p);
    paintMarkers(p);
    paintPointers(p);
    paintCaption(p);
}

} // namespace ventoral
