// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The instrument panel composed onto one page: a title line, then a framed
// white panel with the five dials in a row standing on one baseline, the
// date line and the condition lines, and the five trend graphs in a ruled
// area. Black ticks and texts, grey pointers with hubs, no face bitmaps.

#include <array>
#include <string>

#include "instruments/panel_model.h"
#include "settings/settings.h"
#include "platform/core/civil_time.h"
#include "platform/surface.h"
#include "printing/core/print_layout.h"

namespace ventoral {

namespace page {

// Twips. The panel is as wide as a letter or A4 page holds between 1-inch
// margins, so the dials are smaller than on screen, in the screen's proportions.
inline constexpr int kTitleHeight = 260;
inline constexpr int kPanelWidth = 8860;
inline constexpr int kPanelHeight = 6300;

struct DialFrame {
    int width;
    int height;
    int border;   // left and right, between frame and scale
};
inline constexpr int kDialFrameWidth = kPanelWidth / 5;
inline constexpr int kDialFrameHeight = 2133;
inline constexpr int kDialBorder = 30;
inline constexpr int kDialTopInset = 20;   // above the scale, and below the captions

// Below the dial row's baseline.
inline constexpr int kDateLineTop = 40;
inline constexpr int kConditionTop = 240;
inline constexpr int kConditionLineStep = 190;
inline constexpr int kGraphAreaRule = 660;   // the heavy rule over the graphs
inline constexpr int kGraphRowTop = 960;     // plot top of the first graph row
inline constexpr int kGraphRowStep = 1750;
inline constexpr int kRowRuleBelowPlot = 1430;

// The graph area's left edge, from the page origin; the rules start 300 to its left.
inline constexpr int kGraphAreaLeft = 380;
inline constexpr int kRuleInset = 300;
inline constexpr int kRuleLength = 8700;
inline constexpr int kValueLabelRoom = 330;  // left of a plot, for its value labels

} // namespace page

struct PanelPage {
    std::string title;       // the station as the station list shows it
    std::string dateLabel;   // the main window's date label
    int originX = 0;         // top-left corner of the page's content, twips
    int originY = 0;
};

// The page's content at true size, with room for the outline.
JobSize panelJobSize();

// Composes the panel model onto target, the page's content at page.originX,
// page.originY: the same dials, bands, markers and graphs as the screen.
void drawMachine(const PanelModel& model, const ColorScheme& colors, const ShadeTable& shades, Surface& target,
                 const PanelPage& page);

} // namespace ventoral
