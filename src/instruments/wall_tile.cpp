// SPDX-License-Identifier: GPL-3.0-or-later
#include "instruments/wall_tile.h"

#include <algorithm>
#include <cmath>

#include "platform/core/number_text.h"

namespace ventoral {

std::string entryCode(const std::string& entry)
{
    return std::string(trimBlanks(std::string_view(entry).substr(0, 4)));
}

std::string entryName(const std::string& entry)
{
    return entry.size() > 4 ? std::string(trimBlanks(std::string_view(entry).substr(4))) : std::string();
}

WallTile wallTileOf(const std::string& entry, const PanelModel& model)
{
    WallTile tile;
    tile.code = entryCode(entry);
    tile.name = entryName(entry);
    tile.hasReport = model.status == StationDataStatus::Valid;
    tile.readings = model.readings;
    tile.speedUnit = model.dial(DialKind::WindSpeed).scale.unit;
    tile.temperatureUnit = model.dial(DialKind::Temperature).scale.unit;
    tile.pressureUnit = model.dial(DialKind::Pressure).scale.unit;
    tile.pressureChangeHpa = model.pressureChangeHpa;
    if (model.pressureChangeHpa)
        tile.tendencyText = model.dial(DialKind::Pressure).secondCaption;
    tile.flightCategory = model.flightCategory;
    if (model.dateLabel && model.dateLabel->age) {
        tile.age = model.dateLabel->age;
        tile.ageText = reportAgeText(model.dateLabel->age->minutes);
        tile.stale = model.dateLabel->stale;
    }
    tile.source = model.source;
    tile.temperatureLine = model.graph(GraphKind::Temperature);
    tile.pressureLine = model.graph(GraphKind::Pressure);
    return tile;
}

double WallLayout::tileLeft(int index) const
{
    return kTileGapTwips + (index % columns) * (kTileWidthTwips + kTileGapTwips);
}

double WallLayout::tileTop(int index) const
{
    return kTileGapTwips + (index / columns) * (kTileHeightTwips + kTileGapTwips);
}

double WallLayout::widthTwips() const
{
    return kTileGapTwips + columns * (kTileWidthTwips + kTileGapTwips);
}

double WallLayout::heightTwips() const
{
    return kTileGapTwips + rows * (kTileHeightTwips + kTileGapTwips);
}

WallLayout wallLayout(int tileCount, double widthTwips, double heightTwips)
{
    WallLayout layout;
    const int fit = static_cast<int>(std::floor((widthTwips - kTileGapTwips) / (kTileWidthTwips + kTileGapTwips)));
    layout.columns = std::clamp(fit, 1, std::max(tileCount, 1));
    layout.rows = (std::max(tileCount, 0) + layout.columns - 1) / layout.columns;
    double zoom = widthTwips / layout.widthTwips();
    if (layout.rows > 0)
        zoom = std::min(zoom, heightTwips / layout.heightTwips());
    layout.zoom = std::max(zoom, 1.0);
    return layout;
}

int neighbourTile(const WallLayout& layout, int tileCount, int index, int dx, int dy)
{
    const int column = index % layout.columns + dx;
    const int row = index / layout.columns + dy;
    const int target = row * layout.columns + column;
    if (column < 0 || column >= layout.columns || row < 0 || target >= tileCount)
        return index;
    return target;
}

} // namespace ventoral
