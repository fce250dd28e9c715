// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Draws the panel model on the main window's ten pictures (or anything that
// hands out a surface per picture): the five graphs, then the five dials,
// in the order the program has always drawn them.

#include <string>

#include "instruments/panel_model.h"
#include "platform/surface.h"
#include "settings/settings.h"

namespace ventoral {

// The ten pictures of the panel, in the order they are drawn.
enum class PanelPicture {
    PresGraph,
    HumidGraph,
    TempGraph,
    WindSGraph,
    WindDGraph,
    Picture10,  // wind direction
    Picture8,   // wind speed
    Picture2,   // temperature
    Picture4,   // humidity
    Picture6,   // pressure
};

// Hands out a surface per picture for one drawing.
class PanelTargets {
public:
    virtual ~PanelTargets() = default;
    virtual Surface& begin(PanelPicture picture) = 0;
    virtual void end(PanelPicture picture) = 0;
};

struct PanelStyle {
    const ColorScheme& colors;
    const ShadeTable& shades;
    std::string facesFolder;   // face bitmaps; empty: none
};

void paintPanel(PanelTargets& targets, const PanelModel& model, const PanelStyle& style);

// The picture a dial or graph is drawn on.
PanelPicture pictureOf(DialKind kind);
PanelPicture pictureOf(GraphKind kind);

} // namespace ventoral
