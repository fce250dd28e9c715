// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/window_placement.h"

#include <algorithm>

namespace ventoral {

namespace {

// Where a span of length starts so that it lies in [areaStart, areaStart +
// areaLength), moved as little as it can be; a span longer than the area
// starts where the area does.
int fittedStart(int start, int length, int areaStart, int areaLength)
{
    return std::max(areaStart, std::min(start, areaStart + areaLength - length));
}

int centredStart(int length, int areaStart, int areaLength)
{
    return areaStart + std::max(0, (areaLength - length) / 2);
}

} // namespace

PixelRect restoredWindowPlace(const std::vector<ScreenArea>& screens, const StoredPlace& stored, PixelSize smallest,
                              FrameMargins frame)
{
    PixelSize size = smallest;
    if (stored.size && stored.size->width > 0 && stored.size->height > 0)
        size = *stored.size;
    const bool positioned = stored.left && stored.top;

    const ScreenArea* screen = nullptr;
    if (positioned) {
        const int centreX = *stored.left + size.width / 2;
        const int centreY = *stored.top + size.height / 2;
        for (const ScreenArea& s : screens)
            if (!screen && s.geometry.contains(centreX, centreY))
                screen = &s;
    }
    const bool onAScreen = screen != nullptr;
    if (!screen && !screens.empty())
        screen = &screens.front();
    if (!screen)
        return {stored.left.value_or(0), stored.top.value_or(0), size.width, size.height};

    const PixelRect& area = screen->workArea;
    const int frameWidth = frame.left + frame.right;
    const int frameHeight = frame.top + frame.bottom;
    size.width = std::max(std::min(size.width, area.width - frameWidth), smallest.width);
    size.height = std::max(std::min(size.height, area.height - frameHeight), smallest.height);

    // Positions of the frame's top-left corner.
    int left = 0;
    int top = 0;
    if (onAScreen) {
        left = fittedStart(*stored.left - frame.left, size.width + frameWidth, area.left, area.width);
        top = fittedStart(*stored.top - frame.top, size.height + frameHeight, area.top, area.height);
    } else {
        left = centredStart(size.width + frameWidth, area.left, area.width);
        top = centredStart(size.height + frameHeight, area.top, area.height);
    }
    return {left + frame.left, top + frame.top, size.width, size.height};
}

} // namespace ventoral
