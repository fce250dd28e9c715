#include "widgets/picture_panel.h"

#include <cmath>

namespace ventoral {

int twipsToPixels(const QWidget& widget, double twips)
{
    return static_cast<int>(std::lround(twips * widget.logicalDpiX() / 1440.0));
}

PicturePanel::PicturePanel(const QString& name, int widthTwips, int heightTwips, QWidget* parent)
    : QWidget(parent), m_widthTwips(widthTwips), m_heightTwips(heightTwips)
{
    setObjectName(name);
    setFixedSize(twipsToPixels(*this, widthTwips), twipsToPixels(*this, heightTwips));
}

Surface& PicturePanel::begin()
{
    end();
    const qreal ratio = devicePixelRatioF();
    m_image = QImage(static_cast<int>(std::lround(width() * ratio)), static_cast<int>(std::lround(height() * ratio)),
                     QImage::Format_RGB32);
    m_image.setDevicePixelRatio(ratio);
    const int dotsPerMeter = static_cast<int>(std::lround(logicalDpiX() / 0.0254));
    m_image.setDotsPerMeterX(dotsPerMeter);
    m_image.setDotsPerMeterY(dotsPerMeter);
    m_image.fill(Qt::white);
    m_painter = std::make_unique<QPainter>(&m_image);
    m_surface = std::make_unique<QtSurface>(*m_painter, m_image, Surface::Kind::Window);
    return *m_surface;
}

void PicturePanel::end()
{
    if (!m_painter)
        return;
    m_surface.reset();
    m_painter->end();
    m_painter.reset();
    update();
}

void PicturePanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!m_image.isNull())
        painter.drawImage(QPoint(0, 0), m_image);
}

} // namespace ventoral
