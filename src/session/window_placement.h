// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the main window stands at start: the size and position kept from the
// last run, fitted to the work area (the screen less its panels and docks)
// of the screen it was on. Pixels of the whole desktop, x to the right and
// y down; the primary screen's top-left corner need not be 0,0.

#include <optional>
#include <vector>

namespace ventoral {

struct PixelSize {
    int width = 0;
    int height = 0;
};

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool contains(int x, int y) const { return x >= left && x < left + width && y >= top && y < top + height; }
    bool operator==(const PixelRect& other) const
    {
        return left == other.left && top == other.top && width == other.width && height == other.height;
    }
};

struct ScreenArea {
    PixelRect geometry;
    PixelRect workArea;
};

// What the window frame adds on each side of the window's inside.
struct FrameMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct StoredPlace {
    std::optional<PixelSize> size;    // only a size above 0 both ways counts
    std::optional<int> left;          // of the window's inside
    std::optional<int> top;
};

// The window's inside (without the frame). screens: every screen, the
// primary first. The screen is the one whose area holds the centre of the
// stored rectangle; without a stored position, or off every screen, the
// primary. The size is the stored one (else smallest) cut to that screen's
// work area with the frame, but never below smallest. A stored position
// whose window lies inside the work area is kept; one that sticks out moves
// in just so far; with none the window is centred in the work area, never
// further left or up than its corner.
PixelRect restoredWindowPlace(const std::vector<ScreenArea>& screens, const StoredPlace& stored, PixelSize smallest,
                              FrameMargins frame);

// A window opened from the main window (a viewer), placed as the main
// window is without a stored position, on the screen holding the centre of
// owner (the main window's inside; the primary without one or off every
// screen): centred in its work area and cut to it, never below smallest.
PixelRect placeBeside(const std::vector<ScreenArea>& screens, const std::optional<PixelRect>& owner, PixelSize size,
                      PixelSize smallest, FrameMargins frame);

// The inside of a window whose frame fills the work area of the screen
// holding the centre of at (the primary when none does).
PixelRect filledWorkArea(const std::vector<ScreenArea>& screens, const PixelRect& at, FrameMargins frame);

} // namespace ventoral
