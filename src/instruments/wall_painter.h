// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Draws the station wall's tiles in the panel's colours: each tile at the
// surface's origin, kTileWidthTwips by kTileHeightTwips, or the whole wall
// as a layout places it. It only reads the tiles.

#include <vector>

#include "instruments/wall_tile.h"
#include "platform/surface.h"
#include "settings/settings.h"

namespace ventoral {

struct WallStyle {
    const ColorScheme& colors;
};

// focused: the tile the keyboard is on, outlined thick in the tick colour.
void paintTile(Surface& target, const WallTile& tile, const WallStyle& style, bool focused = false);

// Clears the surface to the background and draws every tile where the
// layout puts it, zoomed by it.
void paintWall(Surface& target, const std::vector<WallTile>& tiles, const WallStyle& style, const WallLayout& layout);

} // namespace ventoral
