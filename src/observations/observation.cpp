// SPDX-License-Identifier: GPL-3.0-or-later
#include "observations/observation.h"

namespace ventoral {

bool isAbsentReport(std::string_view text)
{
    return text == kNoDataText || text.size() < 10;
}

void Observation::presetForParse()
{
    temperature = kNoTemperatureLine;
    dewPoint = kNoTemperatureLine;
    windGust = kGustNotParsed;
}

void Observation::clearPresentValues()
{
    const std::int16_t gustSeen = maxGustSeen;
    *this = Observation{};
    maxGustSeen = gustSeen;
}

void TrendSeries::clear()
{
    for (auto& row : cells)
        for (auto& cell : row)
            cell.clear();
}

} // namespace ventoral
