// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_surface.h"

#include <filesystem>
#include <map>

#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>

namespace ventoral {

namespace {

constexpr double kTwipsPerInch = 1440.0;
// Draw widths are counted in pixels of a 96 dpi screen: 15 twips each.
constexpr double kTwipsPerDrawPixel = kTwipsPerInch / 96.0;

QRectF square(double cx, double cy, double r)
{
    return QRectF(cx - r, cy - r, 2 * r, 2 * r);
}

// Degrees counter-clockwise from start to end, 0-360.
double spanOf(double startDeg, double endDeg)
{
    double span = endDeg - startDeg;
    while (span < 0)
        span += 360;
    while (span > 360)
        span -= 360;
    return span;
}

} // namespace

QColor toQColor(ColorRef color)
{
    return QColor(redOf(color), greenOf(color), blueOf(color));
}

QtSurface::QtSurface(QPainter& painter, const QPaintDevice& device, Kind kind)
    : m_painter(painter), m_kind(kind)
{
    const double dpiX = device.logicalDpiX() > 0 ? device.logicalDpiX() : 96;
    const double dpiY = device.logicalDpiY() > 0 ? device.logicalDpiY() : 96;
    m_twipsPerPixel = kTwipsPerInch / dpiX;
    // An image counts its pixels; a widget its device-independent pixels.
    const double ratio = device.devType() == QInternal::Image ? device.devicePixelRatioF() : 1.0;
    m_widthTwips = device.width() / ratio * kTwipsPerInch / dpiX;
    m_heightTwips = device.height() / ratio * kTwipsPerInch / dpiY;
    m_painter.save();
    m_painter.scale(dpiX / kTwipsPerInch, dpiY / kTwipsPerInch);
    if (kind == Kind::Window || kind == Kind::Image)
        m_painter.setRenderHint(QPainter::Antialiasing);
    m_painter.setRenderHint(QPainter::TextAntialiasing);
    // The panel's small texts are set close, as on the instruments they imitate.
    m_font.setFamily(QStringLiteral("DejaVu Sans"));
    m_font.setStretch(QFont::SemiCondensed);
    applyFontSize(8);
    applyPen();
    applyBrush();
}

QtSurface::~QtSurface()
{
    m_painter.restore();
}

void QtSurface::applyPen()
{
    QPen pen(toQColor(m_fore));
    pen.setWidthF(m_drawWidth * kTwipsPerDrawPixel);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    m_painter.setPen(pen);
}

void QtSurface::applyBrush()
{
    m_painter.setBrush(m_fillSolid ? QBrush(toQColor(m_fill)) : QBrush(Qt::NoBrush));
}

void QtSurface::clear(ColorRef background)
{
    m_painter.fillRect(QRectF(0, 0, m_widthTwips, m_heightTwips), toQColor(background));
}

void QtSurface::setForeColor(ColorRef color)
{
    m_fore = color;
    applyPen();
}

void QtSurface::setFillColor(ColorRef color)
{
    m_fill = color;
    applyBrush();
}

void QtSurface::setFillSolid(bool solid)
{
    m_fillSolid = solid;
    applyBrush();
}

void QtSurface::applyDrawWidth(double pixels)
{
    m_drawWidth = pixels < 1 ? 1 : pixels;
    applyPen();
}

void QtSurface::applyFontSize(double points)
{
    // One point is 20 twips; the painter's scale takes it to the device.
    m_font.setPixelSize(std::max(1, static_cast<int>(points * 20.0 + 0.5)));
    m_painter.setFont(m_font);
}

void QtSurface::setBold(bool bold)
{
    m_font.setBold(bold);
    m_painter.setFont(m_font);
}

void QtSurface::targetLine(double x1, double y1, double x2, double y2)
{
    m_painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void QtSurface::targetBox(double x1, double y1, double x2, double y2)
{
    m_painter.drawRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized());
}

void QtSurface::targetFilledBox(double x1, double y1, double x2, double y2)
{
    m_painter.fillRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized(), toQColor(m_fore));
}

void QtSurface::targetCircle(double cx, double cy, double r)
{
    m_painter.drawEllipse(square(cx, cy, r));
}

void QtSurface::targetArc(double cx, double cy, double r, double startDeg, double endDeg)
{
    m_painter.drawArc(square(cx, cy, r), static_cast<int>(startDeg * 16), static_cast<int>(spanOf(startDeg, endDeg) * 16));
}

void QtSurface::targetPie(double cx, double cy, double r, double startDeg, double endDeg)
{
    QBrush saved = m_painter.brush();
    m_painter.setBrush(toQColor(m_fill));
    m_painter.drawPie(square(cx, cy, r), static_cast<int>(startDeg * 16), static_cast<int>(spanOf(startDeg, endDeg) * 16));
    m_painter.setBrush(saved);
}

void QtSurface::targetPolygon(const std::vector<PointTwips>& points)
{
    QPolygonF poly;
    for (const PointTwips& p : points)
        poly << QPointF(p.x, p.y);
    QBrush saved = m_painter.brush();
    m_painter.setBrush(toQColor(m_fill));
    m_painter.drawPolygon(poly);
    m_painter.setBrush(saved);
}

double QtSurface::targetTextWidth(const std::string& text)
{
    return QFontMetricsF(m_font).horizontalAdvance(QString::fromStdString(text));
}

double QtSurface::targetTextHeight(const std::string&)
{
    return QFontMetricsF(m_font).height();
}

void QtSurface::targetText(double x, double y, const std::string& text)
{
    QPen saved = m_painter.pen();
    m_painter.setPen(toQColor(m_fore));
    m_painter.drawText(QPointF(x, y + QFontMetricsF(m_font).ascent()), QString::fromStdString(text));
    m_painter.setPen(saved);
}

namespace {

// A picture file read once and kept until the file changes (its size or its
// time of change, to the nanosecond): the faces are drawn at every redraw.
QImage readPicture(const std::string& path)
{
    struct Read {
        std::uintmax_t bytes = 0;
        std::filesystem::file_time_type changed;
        QImage image;
    };
    static std::map<std::string, Read> pictures;
    std::error_code error;
    const std::uintmax_t bytes = std::filesystem::file_size(path, error);
    const std::filesystem::file_time_type changed = error ? std::filesystem::file_time_type()
                                                          : std::filesystem::last_write_time(path, error);
    if (error) {
        pictures.erase(path);
        return {};
    }
    Read& read = pictures[path];
    if (read.bytes != bytes || read.changed != changed || read.image.isNull()) {
        read.bytes = bytes;
        read.changed = changed;
        read.image = QImage(QString::fromStdString(path));
        // Opaque 32-bit pixels blend fastest onto the pictures' images.
        if (!read.image.isNull() && !read.image.hasAlphaChannel())
            read.image = read.image.convertToFormat(QImage::Format_RGB32);
    }
    return read.image;
}

} // namespace

bool QtSurface::targetPicture(const std::string& path, double x, double y, double widthTwips, double heightTwips)
{
    const QImage image = readPicture(path);
    if (image.isNull())
        return false;
    m_painter.save();
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform);
    m_painter.drawImage(QRectF(x, y, widthTwips, heightTwips), image);
    m_painter.restore();
    return true;
}

} // namespace ventoral
