// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/core/printed_panel.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "instruments/dial_painter.h"
#include "instruments/graph_painter.h"
#include "instruments/panel_layout.h"
#include "platform/core/text_encoding.h"

namespace ventoral {

namespace {

constexpr ColorRef kGraphFill = rgb(0, 0, 255);
constexpr int kOutlineAllowance = 30;

struct PageDial {
    page::DialFrame frame;
    DialKind kind;
};

// In the order of the screen's row: pressure, temperature, humidity, wind speed, wind direction.
constexpr std::array<PageDial, 5> kDials{{
    {{page::kDialFrameWidth, page::kDialFrameHeight, page::kDialBorder}, DialKind::Pressure},
    {{page::kDialFrameWidth, page::kDialFrameHeight, page::kDialBorder}, DialKind::Temperature},
    {{page::kDialFrameWidth, page::kDialFrameHeight, page::kDialBorder}, DialKind::Humidity},
    {{page::kDialFrameWidth, page::kDialFrameHeight, page::kDialBorder}, DialKind::WindSpeed},
    {{page::kDialFrameWidth, page::kDialFrameHeight, page::kDialBorder}, DialKind::WindDirection},
}};

struct PageGraph {
    int x;   // plot's top-left corner from the graph area's left edge and the row's plot top
    int row;
    panel::GraphMargins screenMargins;
    int screenWidth;
    double plotWidth;
    GraphKind kind;
};

constexpr std::array<PageGraph, 5> kGraphs{{
    {0, 0, panel::kPressureMargins, panel::kWideGraphWidth, kWidePlotWidthTwips, GraphKind::Pressure},
    {4430, 0, panel::kTemperatureMargins, panel::kWideGraphWidth, kWidePlotWidthTwips, GraphKind::Temperature},
    {-120, 1, panel::kHumidityMargins, panel::kNarrowGraphWidth, kNarrowPlotWidthTwips, GraphKind::Humidity},
    {-120 + 2950, 1, panel::kWindSpeedMargins, panel::kNarrowGraphWidth, kNarrowPlotWidthTwips,
     GraphKind::WindSpeed},
    {-120 + 2950 + 2970, 1, panel::kWindDirectionMargins, panel::kNarrowGraphWidth, kNarrowPlotWidthTwips,
     GraphKind::WindDirection},
}};

void centredText(Surface& t, double centreX, double y, const std::string& text)
{
    t.text(centreX - t.textWidth(text) / 2, y, text);
}

// The framed dials, bottoms on one line; returns that line.
int drawDialRow(const PanelModel& model, const ColorScheme& screenColors, const ShadeTable& shades, Surface& t,
                int rowTop)
{
    t.setFillSolid(false);
    // The page's dials are smaller than the screen's, so are their numbers,
    // or neighbouring numbers run into each other.
    ColorScheme colors = screenColors;
    const double reduction = static_cast<double>(page::kDialFrameWidth) / panel::kDialWidth;
    colors.fontSizePt = static_cast<std::int16_t>(std::ceil(colors.fontSizePt * reduction));
    const DialStyle style{colors, shades, std::string()};
    int x = 0;
    int y = rowTop;
    int previousHeight = kDials[0].frame.height;
    for (const PageDial& dial : kDials) {
        const page::DialFrame& f = dial.frame;
        y += previousHeight - f.height;
        previousHeight = f.height;
        t.setForeColor(kBlack);
        t.setDrawWidth(1);
        t.box(x, y, x + f.width, y + f.height);

        t.save();
        t.translate(x + f.border, y + page::kDialTopInset);
        paintDial(t, model.dial(dial.kind), style, f.width - 2 * f.border, f.height - 2 * page::kDialTopInset);
        t.restore();
        t.setFillSolid(false);
        x += f.width;
    }
    return y + previousHeight;
}

void drawConditionLines(Surface& t, std::vector<StripLine> lines, double centreX, int top)
{
    std::stable_sort(lines.begin(), lines.end(), [](const StripLine& a, const StripLine& b) { return a.y < b.y; });
    t.setForeColor(kBlack);
    t.setFontSize(8);
    int y = top;
    for (const StripLine& line : lines) {
        centredText(t, centreX, y, decodeLegacyText(line.text));
        y += page::kConditionLineStep;
    }
}

void drawGraphArea(const PanelModel& model, const GraphStyle& style, Surface& t, int baseline)
{
    const int x = page::kGraphAreaLeft;
    const int rowTop[2] = {baseline + page::kGraphRowTop, baseline + page::kGraphRowTop + page::kGraphRowStep};
    const int ruleLeft = x - page::kRuleInset;
    const int ruleRight = ruleLeft + page::kRuleLength;
    const int heavyRule = baseline + page::kGraphAreaRule;
    const int rowRule = rowTop[0] + page::kRowRuleBelowPlot;
    const int areaBottom = rowTop[1] + page::kRowRuleBelowPlot;

    t.setForeColor(kBlack);
    t.setDrawWidth(3);
    t.line(ruleLeft, heavyRule, ruleRight, heavyRule);
    t.setDrawWidth(1);
    t.line(ruleLeft, rowRule, ruleRight, rowRule);
    // Between two graphs of a row, halfway from one plot's right edge to the next one's labels.
    for (std::size_t i = 0; i + 1 < kGraphs.size(); ++i) {
        const PageGraph& a = kGraphs[i];
        const PageGraph& b = kGraphs[i + 1];
        if (a.row != b.row)
            continue;
        const double between = x + (a.x + a.plotWidth + b.x - page::kValueLabelRoom) / 2;
        const int top = a.row == 0 ? heavyRule : rowRule;
        const int bottom = a.row == 0 ? rowRule : areaBottom;
        t.line(between, top, between, bottom);
    }

    for (const PageGraph& g : kGraphs) {
        t.setForeColor(kBlack);
        t.setFillColor(kGraphFill);
        t.setFontSize(8);
        const double plotLeft = x + g.x;
        const double screenLeft = g.screenMargins.left + panel::kGraphLabelPad;
        paintGraph(t, model.graph(g.kind), style,
                   {plotLeft, static_cast<double>(rowTop[g.row]), static_cast<double>(g.screenWidth),
                    plotLeft - screenLeft});
    }
    t.setDrawWidth(1);
    t.setFillSolid(false);
}

} // namespace

JobSize panelJobSize()
{
    return {static_cast<double>(page::kPanelWidth + kOutlineAllowance),
            static_cast<double>(page::kTitleHeight + page::kPanelHeight + kOutlineAllowance)};
}

void drawMachine(const PanelModel& model, const ColorScheme& colors, const ShadeTable& shades, Surface& t,
                 const PanelPage& content)
{
    t.save();
    t.translate(content.originX, content.originY);

    t.setFontSize(10);
    t.setForeColor(kBlack);
    t.text(0, 0, content.title);

    const int panelTop = page::kTitleHeight;
    t.setFontSize(8);
    t.setDrawWidth(1);
    t.setFillSolid(true);
    t.setFillColor(kWhite);
    t.box(0, panelTop, page::kPanelWidth, panelTop + page::kPanelHeight);
    t.setFillSolid(false);

    const int baseline = drawDialRow(model, colors, shades, t, panelTop);

    // The date line stands over the middle three dials.
    const double spanLeft = kDials[0].frame.width;
    const double spanWidth = kDials[1].frame.width + kDials[2].frame.width + kDials[3].frame.width;
    t.setFontSize(8);
    t.setForeColor(kBlack);
    centredText(t, spanLeft + spanWidth / 2, baseline + page::kDateLineTop, content.dateLabel);

    drawConditionLines(t, model.pageStrip, page::kPanelWidth / 2.0, baseline + page::kConditionTop);
    drawGraphArea(model, {colors, shades}, t, baseline);
    t.restore();
}

} // namespace ventoral
