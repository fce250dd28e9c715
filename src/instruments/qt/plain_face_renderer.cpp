#include "instruments/qt/plain_face_renderer.h"

#include <QColor>
#include <QImage>
#include <QPainter>

#include "platform/core/file_io.h"
#include "platform/qt_services.h"

namespace ventoral {

namespace {

// Colours are stored as red + 256 x green + 65536 x blue.
QColor fromColorRef(std::int32_t value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

} // namespace

bool PlainFaceRenderer::makeFaces(const AppState& state, const std::string& facesFolder)
{
    const ColorScheme& colors = state.tables.colors;
    QImage image(kFacePixels, kFacePixels, QImage::Format_RGB32);
    image.fill(fromColorRef(colors.backgroundColor));
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(fromColorRef(colors.tickColor), 3));
        painter.setBrush(fromColorRef(colors.faceColor));
        painter.drawEllipse(QRectF(4, 4, kFacePixels - 8, kFacePixels - 8));
    }
    bool saved = createFolder(facesFolder);
    for (const char* name : kFaceFiles)
        saved = image.save(toQString(joinPath(facesFolder, name)), "BMP") && saved;
    return saved;
}

} // namespace ventoral
