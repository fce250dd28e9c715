// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop's screens as the window placement reads them.

#include <vector>

#include <QRect>

#include "session/window_placement.h"

namespace ventoral {

// Every screen with its work area, the primary first; empty without screens.
std::vector<ScreenArea> desktopScreens();

PixelRect pixelRect(const QRect& rect);

} // namespace ventoral
