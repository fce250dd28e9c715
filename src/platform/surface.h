// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one drawing target of dials, graphs and faces: a picture of the main
// window, the print page, the printer or an off-screen image. Coordinates
// are twips (1/1440 inch) from the top-left corner; angles are degrees
// counter-clockwise from three o'clock with y pointing down.

#include <cstdint>
#include <string>
#include <vector>

namespace ventoral {

// Colours are red + 256 x green + 65536 x blue.
using ColorRef = std::int32_t;

inline constexpr ColorRef rgb(int r, int g, int b)
{
    return static_cast<ColorRef>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
inline constexpr int redOf(ColorRef c) { return c & 0xFF; }
inline constexpr int greenOf(ColorRef c) { return (c >> 8) & 0xFF; }
inline constexpr int blueOf(ColorRef c) { return (c >> 16) & 0xFF; }

inline constexpr ColorRef kBlack = rgb(0, 0, 0);
inline constexpr ColorRef kWhite = rgb(255, 255, 255);
inline constexpr ColorRef kRed = rgb(255, 0, 0);
inline constexpr ColorRef kGreen = rgb(0, 255, 0);

struct PointTwips {
    double x = 0;
    double y = 0;
};

class Surface {
public:
    enum class Kind { Window, PrintPage, Printer, Image };

    virtual ~Surface() = default;

    virtual Kind kind() const = 0;
    // The print page and the printer get black ticks and text, grey pointers, no face bitmap.
    bool isPrint() const { return kind() == Kind::PrintPage || kind() == Kind::Printer; }

    virtual double widthTwips() const = 0;
    virtual double heightTwips() const = 0;
    // Twips per device pixel, horizontally.
    virtual double twipsPerPixel() const = 0;

    virtual void clear(ColorRef background) = 0;

    // Lines and outlines use the fore colour and the draw width (device-independent
    // pixels of a 96 dpi screen); text uses the fore colour; fills use the fill colour.
    // A fresh surface draws 1 pixel wide and writes in 8 points.
    virtual void setForeColor(ColorRef color) = 0;
    virtual void setFillColor(ColorRef color) = 0;
    virtual void setFillSolid(bool solid) = 0;
    virtual void setDrawWidth(double pixels) = 0;
    virtual void setFontSize(double points) = 0;
    virtual void setBold(bool bold) = 0;

    virtual void line(double x1, double y1, double x2, double y2) = 0;
    // Rectangle outlined in the fore colour, filled when the fill is solid.
    virtual void box(double x1, double y1, double x2, double y2) = 0;
    // Rectangle filled with the fore colour (outline included).
    virtual void filledBox(double x1, double y1, double x2, double y2) = 0;
    virtual void circle(double cx, double cy, double r) = 0;
    // Arc from startDeg counter-clockwise to endDeg.
    virtual void arc(double cx, double cy, double r, double startDeg, double endDeg) = 0;
    // Circle sector from startDeg counter-clockwise to endDeg, filled with the fill colour.
    virtual void pie(double cx, double cy, double r, double startDeg, double endDeg) = 0;
    // Outlined in the fore colour, filled with the fill colour.
    virtual void polygon(const std::vector<PointTwips>& points) = 0;

    virtual double textWidth(const std::string& text) = 0;
    virtual double textHeight(const std::string& text) = 0;
    // Text with its top-left corner at (x, y).
    virtual void text(double x, double y, const std::string& text) = 0;

    // Draws a picture file (a face bitmap) into the rectangle from the
    // surface's origin to (widthTwips, heightTwips). False when the file
    // cannot be read.
    virtual bool picture(const std::string& path, double widthTwips, double heightTwips) = 0;
};

} // namespace ventoral
