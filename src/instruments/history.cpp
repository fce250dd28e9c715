// SPDX-License-Identifier: GPL-3.0-or-later
#include "instruments/history.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/core/number_text.h"

namespace ventoral {

std::optional<std::array<int, 24>> historyAngles(const ScaleAngles& scale, const TrendSeries& trend, int latestCycle,
                                                 const HistorySeries& series)
{
    std::array<std::optional<double>, 24> values{};
    int hour = latestCycle >= 23 || latestCycle < 0 ? 0 : latestCycle + 1;
    bool any = false;
    for (int k = 0; k < 24; ++k) {
        const std::string& cell = trend.at(hour, series.column);
        if (!cell.empty()) {
            values[k] = readNumber(cell);
            any = true;
        }
        hour = hour == 23 ? 0 : hour + 1;
    }
    if (!any)
        return std::nullopt;
    if (!values[0]) {
        for (int k = 1; k < 24; ++k)
            if (values[k]) {
                values[0] = values[k];
                break;
            }
    }
    for (int k = 1; k < 24; ++k)
        if (!values[k])
            values[k] = values[k - 1];

    std::array<int, 24> angles{};
    for (int k = 0; k < 24; ++k) {
        const double v = std::clamp(*values[k], series.minimum, series.maximum);
        double angle = scale.startAngle - (v - series.angleMinimum) * scale.degPerUnit;
        if (angle < 0.0001)
            angle += 360;
        if (angle >= 360)
            angle -= 360;
        angles[k] = static_cast<int>(std::trunc(angle));
    }
    return angles;
}

std::pair<int, int> historyArc(const DialGeometry& dial, bool fullCircle, int a, int b)
{
    int s = std::min(a, b);
    int e = std::max(a, b);
    if (fullCircle) {
        if (e - s > 180)
            std::swap(s, e);
    } else {
        if (e - s >= dial.scaleStart)
            std::swap(s, e);
        if (s <= dial.startAngle && e >= dial.scaleStart)
            std::swap(s, e);
    }
    if (s > 360)
        s -= 360;
    if (e > 360)
        e -= 360;
    return {s, e};
}

void drawHistoryBand(DialGeometry& dial, const ColorScheme& colors, const ShadeTable& shades,
                     const std::optional<std::array<int, 24>>& angles, bool fullCircle)
{
    if (!dial.target || !angles)
        return;
    Surface& target = *dial.target;
    target.setFillSolid(true);
    const double cx = dial.centreX;
    const double cy = dial.centreY;
    const double r = 0.96 * dial.radius[0];
    for (int k = 0; k < 23; ++k) {
        const auto [s, e] = historyArc(dial, fullCircle, (*angles)[k], (*angles)[k + 1]);
        if (s == e)
            continue;
        target.setDrawWidth(4);
        target.setForeColor(colors.faceColor);
        target.setFillColor(colors.faceColor);
        target.arc(cx, cy, r, s, e);
        target.setDrawWidth(3);
        target.setForeColor(shades[static_cast<std::size_t>(k + 1)]);
        target.setFillColor(shades[static_cast<std::size_t>(k + 1)]);
        target.arc(cx, cy, r, s, e);
    }
    target.setDrawWidth(1);
}

namespace {

// Relative luminance of an sRGB colour, 0 (black) to 1 (white).
double luminance(ColorRef color)
{
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(redOf(color)) + 0.7152 * linear(greenOf(color)) + 0.0722 * linear(blueOf(color));
}

} // namespace

ColorRef labelColorOn(ColorRef background)
{
    const double l = luminance(background);
    const double onBlack = (l + 0.05) / 0.05;
    const double onWhite = 1.05 / (l + 0.05);
    return onBlack >= onWhite ? kBlack : kWhite;
}

void drawColorCodeBar(Surface& target, const ShadeTable& shades)
{
    constexpr int kHours = 24;
    const auto left = [](int i) { return 50 + 320 * i; };
    for (int i = 0; i < kHours; ++i) {
        target.setForeColor(shades[static_cast<std::size_t>(i)]);
        target.filledBox(left(i), 0, left(i) + 290, 300);
    }
    target.setFontSize(7);
    target.setBold(true);
    for (int i = 0; i < kHours; ++i) {
        target.setForeColor(labelColorOn(shades[static_cast<std::size_t>(i)]));
        target.text(left(i), 0, "  " + std::to_string(i - 23));
    }
    target.setBold(false);
}

} // namespace ventoral
