// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/unit_choices.h"

#include "platform/core/number_text.h"
#include "settings/units.h"

namespace ventoral {

std::optional<int> selectedScaleRow(const UnitSettings& units)
{
    const bool fahrenheit = units.temperatureUnit == kTempFahrenheit;
    if (!fahrenheit && units.temperatureUnit != kTempCelsius)
        return std::nullopt;
    for (std::size_t row = 0; row < kScaleRanges.size(); ++row) {
        const ScaleRangeRow& r = kScaleRanges[row];
        if ((fahrenheit ? r.lowF : r.lowC) == (fahrenheit ? units.tempLowF : units.tempLowC))
            return static_cast<int>(row);
    }
    return std::nullopt;
}

std::string scaleRowLabel(int row, bool fahrenheit)
{
    const ScaleRangeRow& r = kScaleRanges.at(static_cast<std::size_t>(row));
    return fahrenheit ? decimalText(r.lowF) + " to " + decimalText(r.highF)
                      : decimalText(r.lowC) + " to " + decimalText(r.highC);
}

void chooseScaleRow(UnitSettings& units, int row)
{
    const ScaleRangeRow& r = kScaleRanges.at(static_cast<std::size_t>(row));
    units.tempLowC = r.lowC;
    units.tempHighC = r.highC;
    units.tempLowF = r.lowF;
    units.tempHighF = r.highF;
}

} // namespace ventoral
