// SPDX-License-Identifier: GPL-3.0-or-later
#include "download/core/progress_frames.h"

#include <algorithm>
#include <cmath>

namespace ventoral {

namespace {

constexpr double kPi = 3.14159265358979323846;

ColorRef blend(ColorRef from, ColorRef to, double share)
{
    const auto mix = [share](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * share)); };
    return rgb(mix(redOf(from), redOf(to)), mix(greenOf(from), greenOf(to)), mix(blueOf(from), blueOf(to)));
}

} // namespace

void drawProgressFrame(Surface& surface, int frame)
{
    const ColorRef head = rgb(0, 84, 166);
    const ColorRef rest = rgb(206, 216, 228);
    const int current = ((frame - 1) % kProgressFrames + kProgressFrames) % kProgressFrames;

    const double w = surface.widthTwips();
    const double h = surface.heightTwips();
    const double cx = w / 2;
    const double cy = h / 2;
    const double ring = std::min(w, h) * 0.34;
    const double dot = std::min(w, h) * 0.085;

    surface.clear(kWhite);
    surface.setFillSolid(true);
    surface.setDrawWidth(1);
    for (int i = 0; i < kProgressFrames; ++i) {
        // Clockwise from twelve o'clock; the head is dot `current`.
        const int behind = (current - i + kProgressFrames) % kProgressFrames;
        const double share = behind >= 4 ? 1.0 : behind / 4.0;
        const ColorRef color = blend(head, rest, share);
        const double angle = 2 * kPi * i / kProgressFrames;
        const double x = cx + ring * std::sin(angle);
        const double y = cy - ring * std::cos(angle);
        surface.setForeColor(color);
        surface.setFillColor(color);
        surface.circle(x, y, behind == 0 ? dot * 1.25 : dot);
    }
}

} // namespace ventoral
