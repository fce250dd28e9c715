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
    // By DialKind.
    static constexpr PanelPicture kPictures[kDialCount] = {PanelPicture::Picture10, PanelPicture::Picture8,
                                                           PanelPicture::Picture2, PanelPicture::Picture4,
                                                           PanelPicture::Picture6};
    return kPictures[static_cast<std::size_t>(kind)];
}

PanelPicture pictureOf(GraphKind kind)
{
    // By GraphKind.
    static constexpr PanelPicture kPictures[kGraphCount] = {PanelPicture::PresGraph, PanelPicture::HumidGraph,
                                                            PanelPicture::TempGraph, PanelPicture::WindSGraph,
                                                            PanelPicture::WindDGraph};
    return kPictures[static_cast<std::size_t>(kind)];
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
