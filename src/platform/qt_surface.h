// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The drawing target over a QPainter: a widget, an image, the print page or
// the printer. The painter is scaled once so that all drawing is in twips.

#include <QFont>
#include <QPainter>

#include "platform/surface.h"

namespace ventoral {

QColor toQColor(ColorRef color);

class QtSurface : public Surface {
public:
    // painter must be active on device; both outlive the surface.
    QtSurface(QPainter& painter, const QPaintDevice& device, Kind kind);
    ~QtSurface() override;

    Kind kind() const override { return m_kind; }

    void clear(ColorRef background) override;
    void setForeColor(ColorRef color) override;
    void setFillColor(ColorRef color) override;
    void setFillSolid(bool solid) override;
    void setBold(bool bold) override;

protected:
    double targetWidthTwips() const override { return m_widthTwips; }
    double targetHeightTwips() const override { return m_heightTwips; }
    double targetTwipsPerPixel() const override { return m_twipsPerPixel; }
    void applyDrawWidth(double pixels) override;
    void applyFontSize(double points) override;
    void targetLine(double x1, double y1, double x2, double y2) override;
    void targetBox(double x1, double y1, double x2, double y2) override;
    void targetFilledBox(double x1, double y1, double x2, double y2) override;
    void targetCircle(double cx, double cy, double r) override;
    void targetArc(double cx, double cy, double r, double startDeg, double endDeg) override;
    void targetPie(double cx, double cy, double r, double startDeg, double endDeg) override;
    void targetPolygon(const std::vector<PointTwips>& points) override;
    double targetTextWidth(const std::string& text) override;
    double targetTextHeight(const std::string& text) override;
    void targetText(double x, double y, const std::string& text) override;
    bool targetPicture(const std::string& path, double x, double y, double widthTwips, double heightTwips) override;

private:
    void applyPen();
    void applyBrush();

    QPainter& m_painter;
    Kind m_kind;
    double m_widthTwips;
    double m_heightTwips;
    double m_twipsPerPixel;
    ColorRef m_fore = kBlack;
    ColorRef m_fill = kBlack;
    bool m_fillSolid = false;
    double m_drawWidth = 1;
    QFont m_font;
};

} // namespace ventoral
