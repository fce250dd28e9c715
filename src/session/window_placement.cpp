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

// The screen whose area holds the point, or nothing.
const ScreenArea* screenAt(const std::vector<ScreenArea>& screens, int x, int y)
{
    for (const ScreenArea& s : screens)
        if (s.geometry.contains(x, y))
            return &s;
    return nullptr;
}

// The screens with the one holding rect's centre first, else as they are.
std::vector<ScreenArea> holdingFirst(const std::vector<ScreenArea>& screens, const PixelRect& rect)
{
    std::vector<ScreenArea> ordered = screens;
    if (const ScreenArea* holding = screenAt(screens, rect.left + rect.width / 2, rect.top + rect.height / 2)) {
        const auto at = ordered.begin() + (holding - screens.data());
        std::rotate(ordered.begin(), at, at + 1);
    }
    return ordered;
}

} // namespace

PixelRect restoredWindowPlace(const std::vector<ScreenArea>& screens, const StoredPlace& stored, PixelSize smallest,
                              FrameMargins frame)
{
    PixelSize size = smallest;
    if (stored.size && stored.size->width > 0 && stored.size->height > 0)
        size = *stored.size;
    const bool positioned = stored.left && stored.top;

    const ScreenArea* screen =
        positioned ? screenAt(screens, *stored.left + size.width / 2, *stored.top + size.height / 2) : nullptr;
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

PixelRect placeBeside(const std::vector<ScreenArea>& screens, const std::optional<PixelRect>& owner, PixelSize size,
                      PixelSize smallest, FrameMargins frame)
{
    return restoredWindowPlace(owner ? holdingFirst(screens, *owner) : screens, {size, {}, {}}, smallest, frame);
}

PixelRect filledWorkArea(const std::vector<ScreenArea>& screens, const PixelRect& at, FrameMargins frame)
{
    const std::vector<ScreenArea> ordered = holdingFirst(screens, at);
    if (ordered.empty())
        return at;
    const PixelRect& area = ordered.front().workArea;
    return {area.left + frame.left, area.top + frame.top, area.width - frame.left - frame.right,
            area.height - frame.top - frame.bottom};
}

} // namespace ventoral
