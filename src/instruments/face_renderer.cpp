// SPDX-License-Identifier: GPL-3.0-or-later
#include "instruments/face_renderer.h"

#include <cmath>

#include "instruments/instruments.h"

namespace ventoral {

namespace {

int wholePixels(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

// Block bounds of destination index i: floor(i (s - 1) / d) up to
// floor((i + 1)(s - 1) / d) - 1, widened to one pixel where that is empty.
std::pair<int, int> blockOf(int i, int sourceSize, int destinationSize)
{
    const auto first = static_cast<int>(std::floor(static_cast<double>(i) * (sourceSize - 1) / destinationSize));
    auto last = static_cast<int>(std::floor(static_cast<double>(i + 1) * (sourceSize - 1) / destinationSize)) - 1;
    if (last < first)
        last = first;
    if (last >= sourceSize)
        last = sourceSize - 1;
    return {std::min(first, sourceSize - 1), last};
}

} // namespace

void reducePixels(const PixelArray& source, PixelArray& destination)
{
    if (source.width <= 0 || source.height <= 0)
        return;
    for (int y = 0; y < destination.height; ++y) {
        const auto [rowFirst, rowLast] = blockOf(y, source.height, destination.height);
        for (int x = 0; x < destination.width; ++x) {
            const auto [colFirst, colLast] = blockOf(x, source.width, destination.width);
            std::uint64_t sums[3] = {0, 0, 0};
            for (int sy = rowFirst; sy <= rowLast; ++sy)
                for (int sx = colFirst; sx <= colLast; ++sx) {
                    const std::uint8_t* p = source.at(sx, sy);
                    sums[0] += p[0];
                    sums[1] += p[1];
                    sums[2] += p[2];
                }
            const double count = static_cast<double>(rowLast - rowFirst + 1) * (colLast - colFirst + 1);
            std::uint8_t* d = destination.at(x, y);
            for (int ch = 0; ch < 3; ++ch)
                d[ch] = static_cast<std::uint8_t>(std::nearbyint(static_cast<double>(sums[ch]) / count));
        }
    }
}

std::vector<FaceSpec> thermometerFaceSpecs(const UnitSettings& units)
{
    const auto numbers = [](double low, double high) { return static_cast<int>(std::nearbyint((high - low) / 10 + 1)); };
    return {
        {kFaceTemperatureC, units.tempLowC, units.tempHighC, 1, numbers(units.tempLowC, units.tempHighC), 300, false},
        {kFaceTemperatureF, units.tempLowF, units.tempHighF, 1, numbers(units.tempLowF, units.tempHighF), 300, false},
    };
}

std::vector<FaceSpec> faceSpecs(const UnitSettings& units)
{
    std::vector<FaceSpec> faces = {
        {kFacePressureH, 950, 1050, 1, 11, 300, false},
        {kFacePressureI, 28, 32, 0.1, 5, 300, false},
        {kFaceHumidity, 0, 100, 1, 11, 300, false},
        {kFaceWindSpeedK, 0, 160, 2, 9, 300, false},
        {kFaceWindSpeedM, 0, 100, 2, 6, 300, false},
        {kFaceWindDirection, 0, 360, 4.5, 9, 270, true},
    };
    for (FaceSpec& f : thermometerFaceSpecs(units))
        faces.push_back(f);
    return faces;
}

void drawFaceScale(DialGeometry& dial, const ColorScheme& colors, Surface& target, double centreX, double centreY,
                   double scaleStart, double rangeHigh, double rangeLow, double scaleDiv)
{
    const double tpp = target.twipsPerPixel();
    const double rPixels = 0.9 * centreX / tpp;
    const int longTick = wholePixels(rPixels / 7);
    const int mediumTick = wholePixels(rPixels / 10);
    const int shortTick = wholePixels(rPixels / 20);
    dial.target = &target;
    dial.centreX = centreX;
    dial.centreY = centreY;
    dial.radius[0] = rPixels * tpp;
    dial.scaleStart = scaleStart;
    dial.span = scaleStart < 90 ? 2 * (90 - scaleStart) : 2 * (450 - scaleStart);
    dial.startAngle = scaleStart < 90 ? 180 - scaleStart : 540 - scaleStart;
    const double range = rangeHigh - rangeLow;
    dial.degPerStep = range != 0 && scaleDiv != 0 ? dial.span / (range / scaleDiv) : 0;
    dial.degPerUnit = range != 0 ? dial.span / range : 0;

    target.setFillSolid(true);
    target.setForeColor(colors.tickColor);
    const double heightPixels = target.heightTwips() / tpp;
    target.setDrawWidth(heightPixels > 5000 ? 5 : heightPixels > 3000 ? 3 : 2);

    const double outer = 0.98 * rPixels * tpp;
    const auto tick = [&](int lengthPixels, double angle) {
        const ScalePoint a = scalePoint((rPixels - lengthPixels) * tpp, std::nearbyint(angle), centreX, centreY);
        const ScalePoint b = scalePoint(outer, std::nearbyint(angle), centreX, centreY);
        target.line(a.x, a.y, b.x, b.y);
    };
    const int numbers = std::max(1, std::min(dial.labelCount, DialGeometry::kMaxLabels));
    double angle = scaleStart;
    for (int i = 1; i <= numbers - 1; ++i) {
        tick(longTick, angle);
        for (int step = 1; step <= 9; ++step) {
            angle += dial.degPerStep;
            if (angle > 360)
                angle -= 360;
            tick(step == 5 ? mediumTick : shortTick, angle);
        }
        angle += dial.degPerStep;
        if (angle > 360)
            angle -= 360;
    }
    tick(longTick, angle);
}

void drawFace(DialGeometry& dial, const ColorScheme& colors, Surface& target, const FaceSpec& face)
{
    target.clear(colors.faceColor);
    const double centre = target.widthTwips() / 2;
    dial.labelCount = face.numbers;
    dial.target = &target;
    if (face.compass) {
        for (int point = 0; point < 8; ++point) {
            const double angle = point * 45.0;
            const double length = (point % 2 == 0 ? 0.7 : 0.5) * centre;
            drawPointer(dial, centre, centre, length, 1, 1, 0.1, colors.faceColor, angle, false);
        }
    }
    drawFaceScale(dial, colors, target, centre, centre, face.scaleStart, face.maximum, face.minimum, face.step);
    drawPointer(dial, centre, centre, 0.833 * centre, 0, 1.5, 0.05, colors.pointerColor, 0, true);
}

} // namespace ventoral
