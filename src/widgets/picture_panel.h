// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A picture of the main window: drawing goes into an image kept at the
// screen's pixel ratio, and painting shows that image, so what was drawn
// stays until the next redraw. Drawing is in the picture's own twips at
// every zoom; the surface scales it once.

#include <memory>
#include <string>

#include <QImage>
#include <QPainter>
#include <QWidget>

#include "platform/qt_surface.h"

namespace ventoral {

class PicturePanel : public QWidget {
    Q_OBJECT
public:
    PicturePanel(const QString& name, int widthTwips, int heightTwips, QWidget* parent = nullptr);

    // The size drawing sees, whatever the zoom.
    int widthTwips() const { return m_widthTwips; }
    int heightTwips() const { return m_heightTwips; }

    // Shows the picture zoom times its size in twips (zoom >= 1). What was
    // drawn is stretched to the new size until the next begin().
    void setZoom(double zoom);
    double zoom() const { return m_zoom; }

    // Starts drawing on a fresh image; end() shows it.
    Surface& begin();
    void end();
    const QImage& image() const { return m_image; }

    // What a screen reader takes the picture for; set before it first asks.
    enum class Role { Image, Dial, Chart };
    void setAccessibleRole(Role role) { m_role = role; }
    Role accessibleRole() const { return m_role; }
    // The name and the description a screen reader reads.
    void setAccessibleTexts(const std::string& name, const std::string& description);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_widthTwips;
    int m_heightTwips;
    double m_zoom = 1;
    Role m_role = Role::Image;
    QImage m_image;
    std::unique_ptr<QPainter> m_painter;
    std::unique_ptr<QtSurface> m_surface;
};

// Twips to this widget's device-independent pixels.
int twipsToPixels(const QWidget& widget, double twips);

} // namespace ventoral
