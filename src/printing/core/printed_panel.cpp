// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/core/printed_panel.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "instruments/panel_layout.h"
#include "instruments/instruments.h"
#include "observations/present_parser.h"
#include "observations/trend_graphs.h"
#include "platform/core/text_encoding.h"

namespace ventoral {

namespace {

constexpr ColorRef kGraphFill = rgb(0, 0, 255);
constexpr int kOutlineAllowance = 30;

struct PageDial {
    page::DialFrame frame;
    void (*instrument)(InstrumentContext&);
};

// In the order of the screen's row: pressure, temperature, humidity, wind speed, wind direction.
constexpr std::array<PageDial, 5> kDials{{
    {{page::kDialFrameWidth, page::kDialFrameHeight, page::kDialBorder}, instrumentPres},
    {{page::kDialFrameWidth, page::kDialFrameHeight, page::kDialBorder}, instrumentTemp},
    {{page::kDialFrameWidth, page::kDialFrameHeight, page::kDialBorder}, instrumentHumid},
    {{page::kDialFrameWidth, page::kDialFrameHeight, page::kDialBorder}, instrumentWindS},
    {{page::kDialFrameWidth, page::kDialFrameHeight, page::kDialBorder}, instrumentWindD},
}};

struct PageGraph {
    int x;   // plot's top-left corner from the graph area's left edge and the row's plot top
    int row;
    panel::GraphMargins screenMargins;
    int screenWidth;
    double plotWidth;
    void (*graph)(GraphContext&, TrendSeries&, Observation&);
};

constexpr std::array<PageGraph, 5> kGraphs{{
    {0, 0, panel::kPressureMargins, panel::kWideGraphWidth, kWidePlotWidthTwips, graphPresure},
    {4430, 0, panel::kTemperatureMargins, panel::kWideGraphWidth, kWidePlotWidthTwips, graphTemperature},
    {-120, 1, panel::kHumidityMargins, panel::kNarrowGraphWidth, kNarrowPlotWidthTwips, graphHumidity},
    {-120 + 2950, 1, panel::kWindSpeedMargins, panel::kNarrowGraphWidth, kNarrowPlotWidthTwips, graphWindS},
    {-120 + 2950 + 2970, 1, panel::kWindDirectionMargins, panel::kNarrowGraphWidth, kNarrowPlotWidthTwips,
     graphWindD},
}};

void centredText(Surface& t, double centreX, double y, const std::string& text)
{
    t.text(centreX - t.textWidth(text) / 2, y, text);
}

// Steps 5 and 6: the framed dials, bottoms on one line; returns that line.
int drawDialRow(AppState& state, Surface& t, int originX, int rowTop)
{
    t.setFillSolid(false);
    // The page's dials are smaller than the screen's, so are their numbers,
    // or neighbouring numbers run into each other.
    ColorScheme colors = state.tables.colors;
    const double reduction = static_cast<double>(page::kDialFrameWidth) / panel::kDialWidth;
    colors.fontSizePt = static_cast<std::int16_t>(std::ceil(colors.fontSizePt * reduction));
    const std::optional<double> pressureChange = shownPressureChange(
        state.observation, state.station.dataValid, state.station.presentText, state.trend);
    int x = originX;
    int y = rowTop;
    int previousHeight = kDials[0].frame.height;
    for (const PageDial& dial : kDials) {
        const page::DialFrame& f = dial.frame;
        y += previousHeight - f.height;
        previousHeight = f.height;
        t.setForeColor(kBlack);
        t.setDrawWidth(1);
        t.box(x, y, x + f.width, y + f.height);

        state.dial.dataValid = state.station.dataValid;
        InstrumentContext context{t,
                                  state.dial,
                                  colors,
                                  state.tables.shades,
                                  state.tables.units,
                                  state.observation,
                                  state.minMax,
                                  state.trend,
                                  std::string(),
                                  static_cast<double>(f.width - 2 * f.border),
                                  static_cast<double>(f.height - 2 * page::kDialTopInset),
                                  x + f.border,
                                  y + page::kDialTopInset};
        if (dial.instrument == instrumentPres)
            context.pressureChangeHpa = pressureChange;
        dial.instrument(context);
        t.setFillSolid(false);
        x += f.width;
    }
    return y + previousHeight;
}

// The condition lines of the present report, parsed afresh as the display cycle does.
std::vector<StripLine> conditionLines(AppState& state, const CivilTime& nowLocal)
{
    PresentContext context;
    context.units = state.displayUnits();
    context.utcOffsetHours = state.utcOffsetHours;
    context.nowLocal = nowLocal;
    context.surface = StripSurface::PrintPage;
    state.observation.presetForParse();
    state.trace.record("frmMain,presentData");
    std::vector<StripLine> lines = presentData(state.station.presentText, context, state.observation).strip;
    std::stable_sort(lines.begin(), lines.end(), [](const StripLine& a, const StripLine& b) { return a.y < b.y; });
    return lines;
}

void drawConditionLines(Surface& t, const std::vector<StripLine>& lines, double centreX, int top)
{
    t.setForeColor(kBlack);
    t.setFontSize(8);
    int y = top;
    for (const StripLine& line : lines) {
        centredText(t, centreX, y, decodeLegacyText(line.text));
        y += page::kConditionLineStep;
    }
}

void drawGraphArea(AppState& state, Surface& t, int originX, int baseline)
{
    const int x = originX + page::kGraphAreaLeft;
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
        const int screenLeft = g.screenMargins.left + panel::kGraphLabelPad;
        GraphContext context{t,
                             state.tables.colors,
                             state.tables.shades,
                             state.tables.units,
                             state.utcOffsetHours,
                             x + g.x,
                             rowTop[g.row],
                             static_cast<double>(g.screenWidth),
                             screenLeft};
        g.graph(context, state.trend, state.observation);
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

void drawMachine(AppState& state, Surface& t, const PanelPage& content, const CivilTime& nowLocal)
{
    state.trace.record("frmMain,drawMachine");
    const int ox = content.originX;
    const int oy = content.originY;

    t.setFontSize(10);
    t.setForeColor(kBlack);
    t.text(ox, oy, content.title);

    const int panelTop = oy + page::kTitleHeight;
    t.setFontSize(8);
    t.setDrawWidth(1);
    t.setFillSolid(true);
    t.setFillColor(kWhite);
    t.box(ox, panelTop, ox + page::kPanelWidth, panelTop + page::kPanelHeight);
    t.setFillSolid(false);

    const std::vector<StripLine> conditions = conditionLines(state, nowLocal);
    const int baseline = drawDialRow(state, t, ox, panelTop);

    // The date line stands over the middle three dials.
    const double spanLeft = ox + kDials[0].frame.width;
    const double spanWidth = kDials[1].frame.width + kDials[2].frame.width + kDials[3].frame.width;
    t.setFontSize(8);
    t.setForeColor(kBlack);
    centredText(t, spanLeft + spanWidth / 2, baseline + page::kDateLineTop, content.dateLabel);

    drawConditionLines(t, conditions, ox + page::kPanelWidth / 2.0, baseline + page::kConditionTop);
    drawGraphArea(state, t, ox, baseline);
}

} // namespace ventoral
