// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Renders the eight faces on images, reduces them to the dial's size and
// saves them as 24-bit BMP files.

#include <QImage>

#include "session/startup.h"
#include "instruments/face_renderer.h"

namespace ventoral {

PixelArray GetBitmapPixels(const QImage& image);
// Writes pixels into image; an indexed image takes the nearest colour of its table.
void SetBitmapPixels(QImage& image, const PixelArray& pixels);

class QtFaceRenderer : public FaceRenderer {
public:
    // Faces are rendered devicePixelRatio times the dial's size at 96 dpi:
    // above 1 for HiDPI screens and for a panel shown larger.
    explicit QtFaceRenderer(double devicePixelRatio = 1.0) : m_ratio(devicePixelRatio) {}

    // Width and height of a rendered face, in pixels.
    int faceSide() const;

    bool makeFaces(const AppState& state, const std::string& facesFolder) override;
    // The two thermometer faces only, after a change of the thermometer range.
    bool SaveTemp(const AppState& state, const std::string& facesFolder);
    // One face at the dial's size.
    QImage renderFace(const ColorScheme& colors, const FaceSpec& face) const;

private:
    bool render(const AppState& state, const std::string& facesFolder, const std::vector<FaceSpec>& faces);
    double m_ratio;
};

} // namespace ventoral
