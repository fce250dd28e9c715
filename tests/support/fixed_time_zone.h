// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A time zone whose bias from UTC the test chooses.

#include "platform/time_zone.h"

namespace ventoral {

class FixedTimeZone : public TimeZoneSource {
public:
    explicit FixedTimeZone(int biasMinutes) : m_bias(biasMinutes) {}
    int currentBiasMinutes() const override { return m_bias; }

private:
    int m_bias;
};

} // namespace ventoral
