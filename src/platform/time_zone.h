// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The computer's bias from UTC, and the text and offset derived from it.

#include <string>

namespace ventoral {

class TimeZoneSource {
public:
    virtual ~TimeZoneSource() = default;
    // UTC minus local time in minutes, daylight saving included
    // (a computer three hours west of Greenwich gives 180).
    virtual int currentBiasMinutes() const = 0;
};

// "3 hours, 0 minutes"; UTC+5:30 gives "-5 hours, -30 minutes".
std::string timeBiasText(int biasMinutes);
inline std::string GetCurrentTimeBias(const TimeZoneSource& zone) { return timeBiasText(zone.currentBiasMinutes()); }

// Minus the whole hours of the bias text: UTC+5:30 gives 5, UTC-3:30 gives -3.
double utcOffsetFromBias(const std::string& biasText);

} // namespace ventoral
