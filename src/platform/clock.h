// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The computer's present time: the real UTC clock, and the zone whose rules
// give the local time of any instant. Tests set their own
// (tests/support/fixed_clock.h).

#include "platform/core/civil_time.h"
#include "platform/core/time_zone.h"

namespace ventoral {

class Clock {
public:
    virtual ~Clock() = default;
    virtual CivilTime nowUtc() const = 0;
    virtual const TimeZone& zone() const = 0;
    // The present local date and time, by the zone's rules at this instant.
    CivilTime nowLocal() const { return zone().localTime(nowUtc()); }
};

} // namespace ventoral
