// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dial faces: ticks, compass rose and hub drawn large, then reduced by
// block averaging to the dial's size, which smooths them.

#include <cstdint>
#include <string>
#include <vector>

#include "settings/settings.h"
#include "instruments/dial.h"

namespace ventoral {

// Width x height pixels of blue, green, red bytes, rows top to bottom.
struct PixelArray {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bgr;

    PixelArray() = default;
    PixelArray(int w, int h) : width(w), height(h), bgr(static_cast<std::size_t>(w) * h * 3, 0) {}
    std::uint8_t* at(int x, int y) { return &bgr[(static_cast<std::size_t>(y) * width + x) * 3]; }
    const std::uint8_t* at(int x, int y) const { return &bgr[(static_cast<std::size_t>(y) * width + x) * 3]; }
};

// Each destination pixel is the mean of its block of source pixels, rounded
// half to even. Every block holds at least one pixel, and the sums are wide
// enough for any block.
void reducePixels(const PixelArray& source, PixelArray& destination);

// What one face shows.
struct FaceSpec {
    std::string file;
    double minimum = 0;
    double maximum = 0;
    double step = 1;
    int numbers = 0;
    double scaleStart = 300;
    bool compass = false;
};

// The eight faces for the thermometer ranges of units.
std::vector<FaceSpec> faceSpecs(const UnitSettings& units);
// The Celsius and Fahrenheit thermometer faces only.
std::vector<FaceSpec> thermometerFaceSpecs(const UnitSettings& units);

// Ticks of a face in the tick colour, every one drawn; sizes follow the
// target's pixels: R = 0.9 x centre, long ticks R/7, medium R/10, short R/20.
void drawFaceScale(DialGeometry& dial, const ColorScheme& colors, Surface& target, double centreX, double centreY,
                   double scaleStart, double rangeHigh, double rangeLow, double scaleDiv);

// Draws one whole face (rose, ticks, hub) on a square target.
void drawFace(DialGeometry& dial, const ColorScheme& colors, Surface& target, const FaceSpec& face);

} // namespace ventoral
