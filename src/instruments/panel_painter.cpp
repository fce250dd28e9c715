// SPDX-License-Identifier: GPL-3.0-or-later
#include "instruments/panel_painter.h"

#include "instruments/dial_painter.h"
#include "instruments/graph_painter.h"
#include "instruments/panel_layout.h"

namespace ventoral {

namespace {

struct GraphPicture {
    GraphKind kind;
    panel::GraphMargins margins;
};

// In drawing order.
constexpr GraphPicture kGraphs[] = {
    {GraphKind::Pressure, panel::kPressureMargins},   {GraphKind::Humidity, panel::kHumidityMargins},
    {GraphKind::Temperature, panel::kTemperatureMargins}, {GraphKind::WindSpeed, panel::kWindSpeedMargins},
    {GraphKind::WindDirection, panel::kWindDirectionMargins},
};

constexpr DialKind kDials[] = {DialKind::WindDirection, DialKind::WindSpeed, DialKind::Temperature,
                               DialKind::Humidity, DialKind::Pressure};

} // namespace

PanelPicture pictureOf(DialKind kind)
{
    switch (kind) {
    case DialKind::WindDirection:
        return PanelPicture::Picture10;
    case DialKind::WindSpeed:
        return PanelPicture::Picture8;
    case DialKind::Temperature:
        return PanelPicture::Picture2;
    case DialKind::Humidity:
        return PanelPicture::Picture4;
    case DialKind::Pressure:
        break;
    }
    return PanelPicture::Picture6;
}

PanelPicture pictureOf(GraphKind kind)
{
    switch (kind) {
    case GraphKind::Pressure:
        return PanelPicture::PresGraph;
    case GraphKind::Humidity:
        return PanelPicture::HumidGraph;
    case GraphKind::Temperature:
        return PanelPicture::TempGraph;
    case GraphKind::WindSpeed:
        return PanelPicture::WindSGraph;
    case GraphKind::WindDirection:
        break;
    }
    return PanelPicture::WindDGraph;
}

void paintPanel(PanelTargets& targets, const PanelModel& model, const PanelStyle& style)
{
    const GraphStyle graphStyle{style.colors, style.shades};
    for (const GraphPicture& graph : kGraphs) {
        Surface& surface = targets.begin(pictureOf(graph.kind));
        surface.clear(style.colors.backgroundColor);
        surface.setForeColor(kBlack);
        surface.setFontSize(8);
        const double left = graph.margins.left + panel::kGraphLabelPad;
        paintGraph(surface, model.graph(graph.kind), graphStyle,
                   {left, static_cast<double>(graph.margins.top), surface.widthTwips(), 0});
        targets.end(pictureOf(graph.kind));
    }
    const DialStyle dialStyle{style.colors, style.shades, style.facesFolder};
    for (const DialKind kind : kDials) {
        Surface& surface = targets.begin(pictureOf(kind));
        surface.clear(style.colors.backgroundColor);
        paintDial(surface, model.dial(kind), dialStyle, surface.widthTwips(), surface.heightTwips());
        targets.end(pictureOf(kind));
    }
}

} // namespace ventoral
