// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the parts of the main window's panel stand, in twips from the
// panel's top-left corner, for a panel shown zoom times its smallest size.
// Every part keeps its proportions: a rectangle at zoom z is z times the
// rectangle at zoom 1.

#include <map>

#include "instruments/condition_strip.h"   // the strip's size at zoom 1
#include "instruments/panel_painter.h"

namespace ventoral {

struct RectTwips {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

struct PanelGeometry {
    double zoom = 1;
    double widthTwips = 0;
    double heightTwips = 0;
    RectTwips stations;        // the station selector
    RectTwips dateLabel;
    RectTwips strip;           // the condition strip
    RectTwips source;          // the line saying which source gave the report, right of the strip
    RectTwips downloadPanel;   // over the strip while an update runs
    std::map<PanelPicture, RectTwips> pictures;
};

// The panel at zoom times its smallest size; a zoom below 1 counts as 1.
PanelGeometry panelGeometry(double zoom);

// The largest zoom at which the whole panel fits into width x height twips,
// never below 1: the panel's smallest size is that of zoom 1.
double panelZoomFor(double widthTwips, double heightTwips);

} // namespace ventoral
