// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A surface that draws on another one `factor` times larger. Callers keep
// drawing in their own logical twips; positions, radii, font sizes and draw
// widths reach the target scaled once, angles and colours unchanged.

#include "platform/surface.h"

namespace ventoral {

class ScaledSurface : public Surface {
public:
    // target outlives this surface; factor > 0.
    ScaledSurface(Surface& target, double factor);

    double factor() const { return m_factor; }

    Kind kind() const override { return m_target.kind(); }
    // The target's size in logical twips.
    double widthTwips() const override { return m_target.widthTwips() / m_factor; }
    double heightTwips() const override { return m_target.heightTwips() / m_factor; }
    double twipsPerPixel() const override { return m_target.twipsPerPixel() / m_factor; }

    void clear(ColorRef background) override { m_target.clear(background); }
    void setForeColor(ColorRef color) override { m_target.setForeColor(color); }
    void setFillColor(ColorRef color) override { m_target.setFillColor(color); }
    void setFillSolid(bool solid) override { m_target.setFillSolid(solid); }
    void setDrawWidth(double pixels) override { m_target.setDrawWidth(pixels * m_factor); }
    void setFontSize(double points) override { m_target.setFontSize(points * m_factor); }
    void setBold(bool bold) override { m_target.setBold(bold); }

    void line(double x1, double y1, double x2, double y2) override;
    void box(double x1, double y1, double x2, double y2) override;
    void filledBox(double x1, double y1, double x2, double y2) override;
    void circle(double cx, double cy, double r) override;
    void arc(double cx, double cy, double r, double startDeg, double endDeg) override;
    void pie(double cx, double cy, double r, double startDeg, double endDeg) override;
    void polygon(const std::vector<PointTwips>& points) override;

    double textWidth(const std::string& text) override { return m_target.textWidth(text) / m_factor; }
    double textHeight(const std::string& text) override { return m_target.textHeight(text) / m_factor; }
    void text(double x, double y, const std::string& text) override;
    bool picture(const std::string& path, double widthTwips, double heightTwips) override;

private:
    Surface& m_target;
    double m_factor;
};

} // namespace ventoral
