// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop's screens as the window placement reads them, and the
// placement of the windows the main window opens.

#include <vector>

#include <QRect>
#include <QSize>

class QWidget;

#include "session/window_placement.h"

namespace ventoral {

// Every screen with its work area, the primary first; empty without screens.
std::vector<ScreenArea> desktopScreens();

PixelRect pixelRect(const QRect& rect);

// What the window's frame adds on each side; nothing before it is first shown.
FrameMargins frameMarginsOf(const QWidget& window);

// Gives window this size, centred in the work area of the screen its parent
// (the main window) stands on, cut to that work area.
void placeBesideParent(QWidget& window, const std::vector<ScreenArea>& screens, QSize size);

// Makes window fill the work area of the screen it stands on.
void fillWorkArea(QWidget& window, const std::vector<ScreenArea>& screens);

} // namespace ventoral
