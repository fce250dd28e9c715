// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A clock that stands where the test puts it.

#include "platform/clock.h"
#include "platform/core/time_zone.h"

namespace ventoral {

class FixedClock : public Clock {
public:
    // now: the local time; biasMinutes: UTC minus local time, the same all
    // year (a clock at UTC+5:30 gives -330).
    explicit FixedClock(CivilTime now = {}, int biasMinutes = 0) { set(now, biasMinutes); }
    // A clock at the instant utc whose local times follow zone's rules.
    FixedClock(const TimeZone& zone, CivilTime utc) : m_utc(utc), m_zone(&zone) {}

    CivilTime nowUtc() const override { return m_utc; }
    const TimeZone& zone() const override { return m_zone ? *m_zone : m_fixed; }

    void set(CivilTime now, int biasMinutes = 0)
    {
        m_fixed = FixedTimeZone(-biasMinutes);
        m_zone = nullptr;
        m_utc = now.plusMinutes(biasMinutes);
    }
    // Moves the clock to the instant utc; the zone stays.
    void setUtc(CivilTime utc) { m_utc = utc; }

private:
    CivilTime m_utc;
    FixedTimeZone m_fixed;
    const TimeZone* m_zone = nullptr;
};

} // namespace ventoral
