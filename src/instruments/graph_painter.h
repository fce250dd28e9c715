// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Draws one trend graph of the panel model: paper, grid with its mid line,
// hour lines, frame, local-time axis, the curve with its points (filled-in
// hours in shade 24), value or compass labels and the title. It only reads
// the model.

#include "instruments/panel_model.h"
#include "platform/surface.h"
#include "settings/settings.h"

namespace ventoral {

struct GraphStyle {
    const ColorScheme& colors;
    const ShadeTable& shades;
};

// Where the graph stands, twips in the surface's coordinates.
struct GraphPlacement {
    double plotLeft = 0;       // top-left corner of the plot
    double plotTop = 0;
    double pictureWidth = 0;   // the graph's picture on screen, for centring the title
    double titleShift = 0;     // added to the title's left edge: the print page moves it with the plot
};

void paintGraph(Surface& target, const GraphModel& graph, const GraphStyle& style, const GraphPlacement& place);

} // namespace ventoral
