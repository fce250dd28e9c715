// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one drawing target of dials, graphs and faces: a picture of the main
// window, the print page, the printer or an off-screen image. Coordinates
// are twips (1/1440 inch) from the top-left corner; angles are degrees
// counter-clockwise from three o'clock with y pointing down.

#include <cmath>
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

// Callers draw in their own coordinates; save, restore, translate and
// scale move and scale them onto the target, so a painter draws a dial at
// its own origin wherever the picture stands (on the print page, in a
// zoomed panel). Implementations receive target twips.
class Surface {
public:
    enum class Kind { Window, PrintPage, Printer, Image };

    virtual ~Surface() = default;

    virtual Kind kind() const = 0;
    // The print page and the printer get black ticks and text, grey pointers, no face bitmap.
    bool isPrint() const { return kind() == Kind::PrintPage || kind() == Kind::Printer; }

    // The target's size and pixel in the current coordinates.
    double widthTwips() const { return targetWidthTwips() / m_now.scale; }
    double heightTwips() const { return targetHeightTwips() / m_now.scale; }
    // Twips per target pixel, horizontally.
    double twipsPerPixel() const { return targetTwipsPerPixel() / m_now.scale; }

    // Moves the origin by (dx, dy) in the current coordinates.
    void translate(double dx, double dy)
    {
        m_now.dx += dx * m_now.scale;
        m_now.dy += dy * m_now.scale;
    }
    // Everything drawn after is factor times larger: positions, radii, draw
    // widths and font sizes; angles and colours stay.
    void scale(double factor)
    {
        if (!(factor > 0))
            return;
        m_now.scale *= factor;
        applyDrawWidth(m_now.drawWidth * m_now.scale);
        applyFontSize(m_now.fontPoints * m_now.scale);
    }
    // Keeps the transform, the draw width and the font size until the matching restore.
    void save() { m_saved.push_back(m_now); }
    void restore()
    {
        if (m_saved.empty())
            return;
        m_now = m_saved.back();
        m_saved.pop_back();
        applyDrawWidth(m_now.drawWidth * m_now.scale);
        applyFontSize(m_now.fontPoints * m_now.scale);
    }
    // The point nearest to p that lies on a whole target pixel.
    PointTwips snapToPixel(const PointTwips& p) const
    {
        const double tpp = targetTwipsPerPixel();
        const PointTwips t = toTarget(p.x, p.y);
        return {(std::nearbyint(t.x / tpp) * tpp - m_now.dx) / m_now.scale,
                (std::nearbyint(t.y / tpp) * tpp - m_now.dy) / m_now.scale};
    }

    // The whole target, whatever the transform.
    virtual void clear(ColorRef background) = 0;

    // Lines and outlines use the fore colour and the draw width (device-independent
    // pixels of a 96 dpi screen); text uses the fore colour; fills use the fill colour.
    // A fresh surface draws 1 pixel wide and writes in 8 points.
    virtual void setForeColor(ColorRef color) = 0;
    virtual void setFillColor(ColorRef color) = 0;
    virtual void setFillSolid(bool solid) = 0;
    void setDrawWidth(double pixels)
    {
        m_now.drawWidth = pixels;
        applyDrawWidth(pixels * m_now.scale);
    }
    void setFontSize(double points)
    {
        m_now.fontPoints = points;
        applyFontSize(points * m_now.scale);
    }
    virtual void setBold(bool bold) = 0;

    void line(double x1, double y1, double x2, double y2)
    {
        const PointTwips a = toTarget(x1, y1);
        const PointTwips b = toTarget(x2, y2);
        targetLine(a.x, a.y, b.x, b.y);
    }
    // Rectangle outlined in the fore colour, filled when the fill is solid.
    void box(double x1, double y1, double x2, double y2)
    {
        const PointTwips a = toTarget(x1, y1);
        const PointTwips b = toTarget(x2, y2);
        targetBox(a.x, a.y, b.x, b.y);
    }
    // Rectangle filled with the fore colour (outline included).
    void filledBox(double x1, double y1, double x2, double y2)
    {
        const PointTwips a = toTarget(x1, y1);
        const PointTwips b = toTarget(x2, y2);
        targetFilledBox(a.x, a.y, b.x, b.y);
    }
    void circle(double cx, double cy, double r)
    {
        const PointTwips c = toTarget(cx, cy);
        targetCircle(c.x, c.y, r * m_now.scale);
    }
    // Arc from startDeg counter-clockwise to endDeg.
    void arc(double cx, double cy, double r, double startDeg, double endDeg)
    {
        const PointTwips c = toTarget(cx, cy);
        targetArc(c.x, c.y, r * m_now.scale, startDeg, endDeg);
    }
    // Circle sector from startDeg counter-clockwise to endDeg, filled with the fill colour.
    void pie(double cx, double cy, double r, double startDeg, double endDeg)
    {
        const PointTwips c = toTarget(cx, cy);
        targetPie(c.x, c.y, r * m_now.scale, startDeg, endDeg);
    }
    // Outlined in the fore colour, filled with the fill colour.
    void polygon(const std::vector<PointTwips>& points)
    {
        std::vector<PointTwips> mapped;
        mapped.reserve(points.size());
        for (const PointTwips& p : points)
            mapped.push_back(toTarget(p.x, p.y));
        targetPolygon(mapped);
    }

    double textWidth(const std::string& text) { return targetTextWidth(text) / m_now.scale; }
    double textHeight(const std::string& text) { return targetTextHeight(text) / m_now.scale; }
    // Text with its top-left corner at (x, y).
    void text(double x, double y, const std::string& text)
    {
        const PointTwips p = toTarget(x, y);
        targetText(p.x, p.y, text);
    }

    // Draws a picture file (a face bitmap) into the rectangle from the
    // origin to (widthTwips, heightTwips). False when the file cannot be read.
    bool picture(const std::string& path, double widthTwips, double heightTwips)
    {
        const PointTwips p = toTarget(0, 0);
        return targetPicture(path, p.x, p.y, widthTwips * m_now.scale, heightTwips * m_now.scale);
    }

protected:
    virtual double targetWidthTwips() const = 0;
    virtual double targetHeightTwips() const = 0;
    virtual double targetTwipsPerPixel() const = 0;
    virtual void applyDrawWidth(double pixels) = 0;
    virtual void applyFontSize(double points) = 0;
    virtual void targetLine(double x1, double y1, double x2, double y2) = 0;
    virtual void targetBox(double x1, double y1, double x2, double y2) = 0;
    virtual void targetFilledBox(double x1, double y1, double x2, double y2) = 0;
    virtual void targetCircle(double cx, double cy, double r) = 0;
    virtual void targetArc(double cx, double cy, double r, double startDeg, double endDeg) = 0;
    virtual void targetPie(double cx, double cy, double r, double startDeg, double endDeg) = 0;
    virtual void targetPolygon(const std::vector<PointTwips>& points) = 0;
    virtual double targetTextWidth(const std::string& text) = 0;
    virtual double targetTextHeight(const std::string& text) = 0;
    virtual void targetText(double x, double y, const std::string& text) = 0;
    virtual bool targetPicture(const std::string& path, double x, double y, double widthTwips,
                               double heightTwips) = 0;

private:
    struct State {
        double dx = 0;
        double dy = 0;
        double scale = 1;
        double drawWidth = 1;
        double fontPoints = 8;
    };

    PointTwips toTarget(double x, double y) const { return {x * m_now.scale + m_now.dx, y * m_now.scale + m_now.dy}; }

    State m_now;
    std::vector<State> m_saved;
};

} // namespace ventoral
