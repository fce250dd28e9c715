// SPDX-License-Identifier: GPL-3.0-or-later
#include "instruments/condition_strip.h"

#include <string>

#include "platform/core/text_encoding.h"

namespace ventoral {

namespace {

constexpr double kTagFontPt = 8;
constexpr double kTagPadX = 90;     // between the tag's edges and its text
constexpr double kTagPadY = 30;
constexpr double kTagRightGap = 90; // between the tag and the strip's right end

} // namespace

ColorRef flightCategoryColor(FlightCategory category)
{
    switch (category) {
    case FlightCategory::Vfr: return rgb(0, 128, 0);
    case FlightCategory::Mvfr: return rgb(0, 0, 255);
    case FlightCategory::Ifr: return rgb(220, 0, 0);
    case FlightCategory::Lifr: return rgb(190, 0, 190);
    }
    return kBlack;
}

void drawConditionStrip(Surface& strip, ColorRef background, const std::vector<StripLine>& lines,
                        std::optional<FlightCategory> category)
{
    strip.clear(background);
    strip.setForeColor(kBlack);
    strip.setFontSize(8);
    for (const StripLine& line : lines) {
        const std::string text = decodeLegacyText(line.text);
        strip.text(kStripCentreTwips - strip.textWidth(text) / 2, line.y, text);
    }
    if (!category)
        return;

    const std::string name(flightCategoryName(*category));
    strip.setFontSize(kTagFontPt);
    strip.setBold(true);
    const double width = strip.textWidth(name) + 2 * kTagPadX;
    const double height = strip.textHeight(name) + 2 * kTagPadY;
    const double right = kStripWidthTwips - kTagRightGap;
    const double top = (kStripHeightTwips - height) / 2;
    strip.setForeColor(flightCategoryColor(*category));
    strip.filledBox(right - width, top, right, top + height);
    strip.setForeColor(kWhite);
    strip.text(right - width + kTagPadX, top + kTagPadY, name);
    strip.setBold(false);
    strip.setForeColor(kBlack);
}

} // namespace ventoral
