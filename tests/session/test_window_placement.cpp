// SPDX-License-Identifier: GPL-3.0-or-later
// Where the main window stands at start: on the screen it was on, inside
// that screen's work area, its origin included; and where the windows it
// opens stand: on its screen, inside that work area.

#include <ostream>

#include <gtest/gtest.h>

#include "session/window_placement.h"

namespace ventoral {
namespace {

constexpr PixelSize kSmallest{932, 547};

// Screens: the primary first.
const std::vector<ScreenArea> kOne = {{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}}};   // a panel at the bottom
const std::vector<ScreenArea> kTopPanel = {{{0, 0, 1920, 1080}, {0, 32, 1920, 1048}}};
const std::vector<ScreenArea> kSideBySide = {{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}},
                                             {{1920, 0, 2560, 1440}, {1920, 0, 2560, 1440}}};
// The primary is the right one, its work area below a top panel.
const std::vector<ScreenArea> kPrimaryOnTheRight = {{{1920, 0, 1920, 1080}, {1920, 27, 1920, 1053}},
                                                    {{0, 0, 1920, 1080}, {0, 0, 1920, 1080}}};
const std::vector<ScreenArea> kSmallScreen = {{{0, 0, 800, 600}, {0, 0, 800, 600}}};

StoredPlace at(int left, int top, int width, int height) { return {PixelSize{width, height}, left, top}; }
StoredPlace sizeOnly(int width, int height) { return {PixelSize{width, height}, {}, {}}; }

struct PlacementCase {
    const char* what;
    std::vector<ScreenArea> screens;
    StoredPlace stored;
    FrameMargins frame;
    PixelRect expected;
};

const PlacementCase kCases[] = {
    {"nothing stored: centred in the work area", kOne, {}, {}, {494, 246, 932, 547}},
    {"a size only: centred at that size", kOne, sizeOnly(1000, 600), {}, {460, 220, 1000, 600}},
    {"a size of nothing: the smallest", kOne, sizeOnly(0, 600), {}, {494, 246, 932, 547}},
    {"below a top panel: centred from the work area's top", kTopPanel, {}, {}, {494, 282, 932, 547}},
    {"a primary from x=1920: centred there", kPrimaryOnTheRight, {}, {}, {2414, 280, 932, 547}},
    {"fits on the primary: kept", kSideBySide, at(100, 50, 1000, 600), {}, {100, 50, 1000, 600}},
    {"on the larger second screen: kept, not cut to the primary",
     kSideBySide, at(2000, 100, 2400, 1300), {}, {2000, 100, 2400, 1300}},
    {"on the left screen beside a primary on the right: kept",
     kPrimaryOnTheRight, at(100, 0, 1500, 1000), {}, {100, 0, 1500, 1000}},
    {"across two screens: moved onto the one holding its centre",
     kSideBySide, at(1500, 100, 1000, 600), {}, {1920, 100, 1000, 600}},
    {"on a screen that is gone: centred on the primary", kOne, at(3000, 100, 1000, 600), {}, {460, 220, 1000, 600}},
    {"off the primary on the right: centred in its work area",
     kPrimaryOnTheRight, at(-3000, 0, 1000, 600), {}, {2380, 253, 1000, 600}},
    {"sticking out below the work area: moved up into it", kOne, at(100, 600, 1000, 600), {}, {100, 440, 1000, 600}},
    {"under a top panel: moved down below it", kTopPanel, at(100, 0, 1000, 600), {}, {100, 32, 1000, 600}},
    {"larger than the work area: cut to it", kOne, at(0, 0, 2500, 1500), {}, {0, 0, 1920, 1040}},
    {"larger than the second screen's work area: cut to that one",
     kSideBySide, at(1920, 0, 3000, 2000), {}, {1920, 0, 2560, 1440}},
    {"a screen below the smallest size: the smallest, from the corner", kSmallScreen, {}, {}, {0, 26, 932, 547}},
    {"the frame is centred with the window", kOne, {}, {1, 25, 1, 1}, {494, 258, 932, 547}},
    {"the frame is cut to the work area with the window",
     kOne, at(0, 0, 2500, 1500), {1, 25, 1, 1}, {1, 25, 1918, 1014}},
    {"no screens at all: as stored", {}, at(10, 20, 1000, 600), {}, {10, 20, 1000, 600}},
};

void PrintTo(const PlacementCase& c, std::ostream* out) { *out << c.what; }

class WindowPlacement : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(WindowPlacement, OnTheScreenItWasOnInsideItsWorkArea)
{
    const PlacementCase& c = GetParam();
    const PixelRect placed = restoredWindowPlace(c.screens, c.stored, kSmallest, c.frame);
    EXPECT_EQ(placed, c.expected) << c.what << ": " << placed.left << "," << placed.top << " " << placed.width << "x"
                                  << placed.height;
}

INSTANTIATE_TEST_SUITE_P(Cases, WindowPlacement, ::testing::ValuesIn(kCases));

struct BesideCase {
    const char* what;
    std::vector<ScreenArea> screens;
    std::optional<PixelRect> owner;
    PixelSize size;
    PixelRect expected;
};

const BesideCase kBesideCases[] = {
    {"no main window: centred in the primary's work area", kOne, std::nullopt, {520, 467}, {700, 286, 520, 467}},
    {"a primary from x=1920 below a top panel: centred there",
     kPrimaryOnTheRight, std::nullopt, {520, 467}, {2620, 320, 520, 467}},
    {"the main window on the primary", kPrimaryOnTheRight, PixelRect{2000, 100, 932, 547}, {520, 467},
     {2620, 320, 520, 467}},
    {"the main window on the left screen: centred on that one",
     kPrimaryOnTheRight, PixelRect{100, 100, 932, 547}, {520, 467}, {700, 306, 520, 467}},
    {"the main window across two screens: on the one holding its centre",
     kSideBySide, PixelRect{1500, 100, 1000, 600}, {733, 567}, {2833, 436, 733, 567}},
    {"the main window off every screen: the primary", kSideBySide, PixelRect{-3000, 0, 1000, 600}, {733, 567},
     {593, 236, 733, 567}},
    {"larger than the work area: cut to it", kOne, PixelRect{0, 0, 932, 547}, {2500, 1500}, {0, 0, 1920, 1040}},
};

void PrintTo(const BesideCase& c, std::ostream* out) { *out << c.what; }

class PlaceBeside : public ::testing::TestWithParam<BesideCase> {};

TEST_P(PlaceBeside, OnTheMainWindowsScreenInsideItsWorkArea)
{
    const BesideCase& c = GetParam();
    const PixelRect placed = placeBeside(c.screens, c.owner, c.size, {200, 150}, {});
    EXPECT_EQ(placed, c.expected) << c.what << ": " << placed.left << "," << placed.top << " " << placed.width << "x"
                                  << placed.height;
}

INSTANTIATE_TEST_SUITE_P(Cases, PlaceBeside, ::testing::ValuesIn(kBesideCases));

TEST(FilledWorkArea, TheWholeWorkAreaOfTheWindowsScreenLessTheFrame)
{
    EXPECT_EQ(filledWorkArea(kTopPanel, {100, 100, 500, 400}, {1, 25, 1, 1}), (PixelRect{1, 57, 1918, 1022}));
    EXPECT_EQ(filledWorkArea(kPrimaryOnTheRight, {100, 100, 500, 400}, {}), (PixelRect{0, 0, 1920, 1080}));
    EXPECT_EQ(filledWorkArea(kPrimaryOnTheRight, {-900, 100, 500, 400}, {}), (PixelRect{1920, 27, 1920, 1053}));
}

} // namespace
} // namespace ventoral
