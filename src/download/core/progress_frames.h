// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The nine frames of the download animation: a ring of nine dots with a
// bright head that moves one place per frame and a fading tail behind it.

#include "platform/surface.h"

namespace ventoral {

inline constexpr int kProgressFrames = 9;

// Draws frame 1 to 9 over the whole surface; other numbers count round.
void drawProgressFrame(Surface& surface, int frame);

} // namespace ventoral
