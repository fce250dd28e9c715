// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/qt_face_renderer.h"

#include <cmath>

#include <QPainter>

#include "instruments/panel_layout.h"
#include "platform/core/file_io.h"
#include "platform/qt_surface.h"

namespace ventoral {

namespace {

// Pixels of a 96 dpi screen per twip.
constexpr double kPixelsPerTwip = 96.0 / 1440.0;

} // namespace

PixelArray GetBitmapPixels(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    PixelArray pixels(rgb.width(), rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            std::uint8_t* p = pixels.at(x, y);
            p[0] = static_cast<std::uint8_t>(qBlue(line[x]));
            p[1] = static_cast<std::uint8_t>(qGreen(line[x]));
            p[2] = static_cast<std::uint8_t>(qRed(line[x]));
        }
    }
    return pixels;
}

void SetBitmapPixels(QImage& image, const PixelArray& pixels)
{
    QImage rgb(pixels.width, pixels.height, QImage::Format_RGB32);
    for (int y = 0; y < pixels.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(rgb.scanLine(y));
        for (int x = 0; x < pixels.width; ++x) {
            const std::uint8_t* p = pixels.at(x, y);
            line[x] = qRgb(p[2], p[1], p[0]);
        }
    }
    if (image.format() == QImage::Format_Indexed8 && !image.colorTable().isEmpty())
        image = rgb.convertToFormat(QImage::Format_Indexed8, image.colorTable());
    else
        image = rgb.convertToFormat(image.isNull() ? QImage::Format_RGB32 : image.format());
}

int QtFaceRenderer::faceSide() const
{
    return static_cast<int>(std::lround(panel::kDialWidth * kPixelsPerTwip * m_ratio));
}

QImage QtFaceRenderer::renderFace(const ColorScheme& colors, const FaceSpec& face) const
{
    const int large = static_cast<int>(std::lround(panel::kLargeFaceTwips * kPixelsPerTwip * m_ratio));
    QImage canvas(large, large, QImage::Format_RGB32);
    canvas.setDotsPerMeterX(static_cast<int>(std::lround(96 * m_ratio / 0.0254)));
    canvas.setDotsPerMeterY(canvas.dotsPerMeterX());
    {
        QPainter painter(&canvas);
        QtSurface surface(painter, canvas, Surface::Kind::Image);
        DialGeometry dial;
        drawFace(dial, colors, surface, face);
    }
    const int small = faceSide();
    PixelArray reduced(small, small);
    reducePixels(GetBitmapPixels(canvas), reduced);
    QImage result(small, small, QImage::Format_RGB888);
    SetBitmapPixels(result, reduced);
    return result;
}

bool QtFaceRenderer::render(const AppState& state, const std::string& facesFolder, const std::vector<FaceSpec>& faces)
{
    bool saved = createFolder(facesFolder);
    for (const FaceSpec& face : faces) {
        const QImage image = renderFace(state.tables.colors, face);
        saved = image.save(QString::fromStdString(joinPath(facesFolder, face.file)), "BMP") && saved;
    }
    return saved;
}

bool QtFaceRenderer::makeFaces(const AppState& state, const std::string& facesFolder)
{
    return render(state, facesFolder, faceSpecs(state.tables.units));
}

bool QtFaceRenderer::SaveTemp(const AppState& state, const std::string& facesFolder)
{
    return render(state, facesFolder, thermometerFaceSpecs(state.tables.units));
}

} // namespace ventoral
