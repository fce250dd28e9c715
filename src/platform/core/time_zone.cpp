// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/time_zone.h"

#include "platform/core/number_text.h"

namespace ventoral {

std::string timeBiasText(int biasMinutes)
{
    const int hours = biasMinutes / 60;
    const int minutes = biasMinutes % 60;
    return std::to_string(hours) + " hours, " + std::to_string(minutes) + " minutes";
}

double utcOffsetFromBias(const std::string& biasText)
{
    const double hours = readNumber(biasText);
    return hours == 0.0 ? 0.0 : -hours;
}

} // namespace ventoral
