// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Draws one dial of the panel model: scale, face, 24-hour band, numbers,
// unit, high/low markers, pointers and caption. It only reads the model;
// the dial stands at the surface's origin, so a page places it with a
// translation.

#include <string>

#include "instruments/panel_model.h"
#include "platform/surface.h"
#include "settings/settings.h"

namespace ventoral {

struct DialStyle {
    const ColorScheme& colors;   // fontSizePt: the dial numbers
    const ShadeTable& shades;
    std::string facesFolder;     // face bitmaps, drawn on screen only; empty: none
};

// pictureWidth and pictureHeight: the dial's picture in twips; the scale
// fills its top square and the captions stand at its foot.
// The pressure tendency arrow, size twips long, centred on (centreX,
// centreY): up for a rising pressure, down for a falling one, level for a
// steady one.
void drawTendencyArrow(Surface& target, double centreX, double centreY, double size, PressureTrend trend,
                       ColorRef color);

void paintDial(Surface& target, const DialModel& dial, const DialStyle& style, double pictureWidth,
               double pictureHeight);

} // namespace ventoral
