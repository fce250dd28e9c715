// SPDX-License-Identifier: GPL-3.0-or-later
#include "instruments/graph_painter.h"

#include <cmath>

#include "platform/core/number_text.h"

namespace ventoral {

namespace {

constexpr ColorRef kPaperOutline = rgb(150, 150, 150);
constexpr ColorRef kPrintLine = rgb(100, 100, 100);
constexpr double kPointRadius = 30;

// Grid and label walks stop at the maximum; the tolerance keeps a last step
// that lands on it within rounding.
constexpr double kStepTolerance = 1e-9;

int stepsUpTo(double range, double step)
{
    if (!(range >= 0) || !(step > 0))
        return 0;
    return static_cast<int>(std::floor(range / step + kStepTolerance)) + 1;
}

struct Painting {
    Surface& t;
    const GraphModel& model;
    const GraphStyle& style;
    const GraphPlacement& place;
};

ColorRef textColor(const Painting& p)
{
    return p.t.isPrint() ? kBlack : p.style.colors.windowTextColor;
}

ColorRef gridLineColor(const Painting& p, int number)
{
    if (p.t.isPrint())
        return kPrintLine;
    return number == p.model.scale.midLineNumber() ? p.style.colors.midLineColor : p.style.colors.graphLineColor;
}

// Paper and horizontal grid (mid line marked); then the pen for the
// vertical lines, which take the colour of the top grid line, never the mid line.
void paintGrid(Painting& p)
{
    Surface& t = p.t;
    const GraphScale& scale = p.model.scale;
    const double left = p.place.plotLeft;
    const double top = p.place.plotTop;
    const double right = left + scale.width;
    const double bottom = top + scale.height;

    t.setFillSolid(!t.isPrint());
    t.setForeColor(kPaperOutline);
    t.setFillColor(p.style.colors.paperColor);
    t.box(left, top, right, bottom);

    const int lines = scale.gridLineCount();
    for (int i = 0; i < lines; ++i) {
        const double y = top + scale.offsetOf(scale.minimum + i * scale.gridStep());
        t.setForeColor(gridLineColor(p, i + 1));
        t.line(left, y, right + 10, y);
    }
    t.setFillColor(kBlack);
    t.setForeColor(t.isPrint() ? kPrintLine : p.style.colors.graphLineColor);
}

// The frame, then the axis text's font and colour and its first word.
void paintFrame(Painting& p, const char* axisWord)
{
    Surface& t = p.t;
    const GraphScale& scale = p.model.scale;
    const double left = p.place.plotLeft;
    const double top = p.place.plotTop;
    t.setFillSolid(false);
    t.setForeColor(kBlack);
    t.box(left, top, left + scale.width, top + scale.height);
    t.setFontSize(6);
    t.setForeColor(textColor(p));
    t.text(left - 225, top + scale.height + 50, axisWord);
}

// Paper, grid, hour lines, frame and time axis.
void paintPaper(Painting& p)
{
    Surface& t = p.t;
    const GraphScale& scale = p.model.scale;
    const double left = p.place.plotLeft;
    const double top = p.place.plotTop;
    const double bottom = top + scale.height;

    paintGrid(p);
    for (int k = 0; k < kGraphColumns; ++k) {
        const double x = left + k * scale.width / kGraphColumns + scale.halfColumn();
        t.line(x, top, x, bottom);
    }
    paintFrame(p, "Time:");
    for (int k = 1; k < kGraphColumns; k += 2) {
        const std::string label = std::to_string(p.model.axisHours[static_cast<std::size_t>(k)]);
        t.text(left + k * scale.width / kGraphColumns + scale.halfColumn() - t.textWidth(label) / 2 - 20, bottom + 50,
               label);
    }
}

// Segments coloured as their right-hand point, then a dot per point.
void paintCurve(Painting& p)
{
    Surface& t = p.t;
    const GraphScale& scale = p.model.scale;
    const auto& points = p.model.points;
    const ColorRef measured = textColor(p);
    const ColorRef filled = p.style.shades[kFilledShade];
    const auto colourOf = [&](const GraphPoint& point) { return point.measured ? measured : filled; };
    t.setDrawWidth(1);
    t.setFillSolid(true);
    const double column = scale.width / kGraphColumns;
    const double top = p.place.plotTop;
    const auto xOf = [&](int k) { return p.place.plotLeft + std::nearbyint(k * column + scale.halfColumn()); };
    for (int k = 0; k + 1 < kGraphColumns; ++k) {
        if (!points[k].offset || !points[k + 1].offset)
            continue;
        t.setForeColor(colourOf(points[k + 1]));
        t.setFillColor(colourOf(points[k + 1]));
        t.line(xOf(k), top + *points[k].offset, xOf(k) + column, top + *points[k + 1].offset);
    }
    for (int k = 0; k < kGraphColumns; ++k) {
        if (!points[k].offset)
            continue;
        t.setForeColor(colourOf(points[k]));
        t.setFillColor(colourOf(points[k]));
        t.circle(xOf(k), top + *points[k].offset, kPointRadius);
    }
}

// Paper, grid, a line at every local midnight, frame and the days' numbers.
void paintSpanPaper(Painting& p, const SpanPlot& span)
{
    Surface& t = p.t;
    const double left = p.place.plotLeft;
    const double top = p.place.plotTop;
    const double bottom = top + p.model.scale.height;
    paintGrid(p);
    for (const DayMark& mark : span.marks)
        t.line(left + mark.x, top, left + mark.x, bottom);
    paintFrame(p, "Day:");
    for (const DayMark& mark : span.marks)
        if (!mark.label.empty())
            t.text(left + mark.labelX - t.textWidth(mark.label) / 2 - 20, bottom + 50, mark.label);
}

// Each run as one line; a point standing alone as a dot.
void paintSpanCurve(Painting& p, const SpanPlot& span)
{
    Surface& t = p.t;
    const ColorRef measured = textColor(p);
    t.setDrawWidth(1);
    t.setFillSolid(true);
    t.setForeColor(measured);
    t.setFillColor(measured);
    const double left = p.place.plotLeft;
    const double top = p.place.plotTop;
    for (const std::vector<SpanPoint>& run : span.runs) {
        if (run.size() == 1)
            t.circle(left + run.front().x, top + run.front().offset, kPointRadius / 2);
        for (std::size_t k = 1; k < run.size(); ++k)
            t.line(left + run[k - 1].x, top + run[k - 1].offset, left + run[k].x, top + run[k].offset);
    }
}

void paintValueLabels(Painting& p)
{
    Surface& t = p.t;
    const GraphScale& scale = p.model.scale;
    t.setFontSize(6);
    t.setForeColor(textColor(p));
    const int count = stepsUpTo(scale.range(), scale.labelStep);
    for (int i = 0; i < count; ++i) {
        const double v = scale.minimum + i * scale.labelStep;
        const std::string label = decimalText(static_cast<float>(v));
        t.text(p.place.plotLeft - t.textWidth(label) - 40, p.place.plotTop + scale.offsetOf(v) - t.textHeight(label) / 2,
               label);
    }
}

// North at the top line, then a name every 45 degrees down to north again.
void paintCompassLabels(Painting& p)
{
    static constexpr const char* kNames[] = {"N", "NE", "E", "SE", "S", "SW", "W", "NW", "N"};
    Surface& t = p.t;
    t.setFontSize(6);
    t.setForeColor(textColor(p));
    for (int line = 0; line <= 8; ++line) {
        std::string name = kNames[line];
        if (name.size() == 1)
            name += ' ';
        t.text(p.place.plotLeft - 250 + (250 - t.textWidth(name)) / 2,
               p.place.plotTop + line * p.model.scale.height / 8 - 70, name);
    }
}

void paintTitle(Painting& p)
{
    Surface& t = p.t;
    const std::string& title = p.model.scale.title;
    t.setFontSize(7);
    t.text((p.place.pictureWidth - t.textWidth(title)) / 2 + p.place.titleShift, p.place.plotTop - 220, title);
}

} // namespace

void paintGraph(Surface& target, const GraphModel& graph, const GraphStyle& style, const GraphPlacement& place)
{
    Painting p{target, graph, style, place};
    if (!target.isPrint())
        target.clear(style.colors.backgroundColor);
    if (graph.span) {
        paintSpanPaper(p, *graph.span);
        paintSpanCurve(p, *graph.span);
    } else {
        paintPaper(p);
        paintCurve(p);
    }
    if (graph.compass)
        paintCompassLabels(p);
    else
        paintValueLabels(p);
    paintTitle(p);
}

} // namespace ventoral
