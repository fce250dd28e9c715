#pragma once
// A picture of the main window: drawing goes into an image kept at the
// screen's pixel ratio, and painting shows that image, so what was drawn
// stays until the next redraw.

#include <memory>

#include <QImage>
#include <QPainter>
#include <QWidget>

#include "platform/qt_surface.h"

namespace ventoral {

class PicturePanel : public QWidget {
    Q_OBJECT
public:
    PicturePanel(const QString& name, int widthTwips, int heightTwips, QWidget* parent = nullptr);

    int widthTwips() const { return m_widthTwips; }
    int heightTwips() const { return m_heightTwips; }

    // Starts drawing on a fresh image; end() shows it.
    Surface& begin();
    void end();
    const QImage& image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_widthTwips;
    int m_heightTwips;
    QImage m_image;
    std::unique_ptr<QPainter> m_painter;
    std::unique_ptr<QtSurface> m_surface;
};

// Twips to this widget's device-independent pixels.
int twipsToPixels(const QWidget& widget, double twips);

} // namespace ventoral
