// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/picture_panel.h"

#include <algorithm>
#include <cmath>

#include <QAccessible>
#include <QAccessibleWidget>

namespace ventoral {

namespace {

QAccessibleInterface* pictureAccessible(const QString& className, QObject* object)
{
    if (className != QLatin1String("ventoral::PicturePanel") || !object || !object->isWidgetType())
        return nullptr;
    auto* picture = static_cast<PicturePanel*>(object);
    QAccessible::Role role = QAccessible::Graphic;
    if (picture->accessibleRole() == PicturePanel::Role::Dial)
        role = QAccessible::Dial;
    else if (picture->accessibleRole() == PicturePanel::Role::Chart)
        role = QAccessible::Chart;
    return new QAccessibleWidget(picture, role);
}

} // namespace

int twipsToPixels(const QWidget& widget, double twips)
{
    return static_cast<int>(std::lround(twips * widget.logicalDpiX() / 1440.0));
}

PicturePanel::PicturePanel(const QString& name, int widthTwips, int heightTwips, QWidget* parent)
    : QWidget(parent), m_widthTwips(widthTwips), m_heightTwips(heightTwips)
{
    static const bool factory = (QAccessible::installFactory(pictureAccessible), true);
    (void)factory;
    setObjectName(name);
    setFixedSize(twipsToPixels(*this, widthTwips), twipsToPixels(*this, heightTwips));
}

void PicturePanel::setAccessibleTexts(const std::string& name, const std::string& description)
{
    const QString nameText = QString::fromStdString(name);
    const QString descriptionText = QString::fromStdString(description);
    if (accessibleName() != nameText)
        setAccessibleName(nameText);
    if (accessibleDescription() != descriptionText)
        setAccessibleDescription(descriptionText);
}

void PicturePanel::setZoom(double zoom)
{
    m_zoom = std::max(zoom, 1.0);
    setFixedSize(twipsToPixels(*this, m_widthTwips * m_zoom), twipsToPixels(*this, m_heightTwips * m_zoom));
}

Surface& PicturePanel::begin()
{
    end();
    const qreal ratio = devicePixelRatioF();
    const QSize pixels(static_cast<int>(std::lround(width() * ratio)), static_cast<int>(std::lround(height() * ratio)));
    const int dotsPerMeter = static_cast<int>(std::lround(logicalDpiX() / 0.0254));
    // The image of the last drawing is drawn over when it still fits.
    if (m_image.size() != pixels || m_image.devicePixelRatio() != ratio || m_image.dotsPerMeterX() != dotsPerMeter) {
        m_image = QImage(pixels, QImage::Format_RGB32);
        m_image.setDevicePixelRatio(ratio);
        m_image.setDotsPerMeterX(dotsPerMeter);
        m_image.setDotsPerMeterY(dotsPerMeter);
    }
    m_image.fill(Qt::white);
    m_painter = std::make_unique<QPainter>(&m_image);
    m_surface = std::make_unique<QtSurface>(*m_painter, m_image, Surface::Kind::Window);
    m_surface->scale(m_zoom);
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
    if (m_image.isNull())
        return;
    QPainter painter(this);
    const QSizeF drawn = m_image.deviceIndependentSize();
    if (std::abs(drawn.width() - width()) < 0.5 && std::abs(drawn.height() - height()) < 0.5) {
        painter.drawImage(QPoint(0, 0), m_image);
        return;
    }
    // Drawn for another size: shown stretched until the panel is drawn again.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(rect()), m_image);
}

} // namespace ventoral
