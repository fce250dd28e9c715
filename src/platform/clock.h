// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The computer's present local and UTC date and time, settable in tests.

#include "platform/core/civil_time.h"

namespace ventoral {

class Clock {
public:
    virtual ~Clock() = default;
    virtual CivilTime nowLocal() const = 0;
    // The real UTC clock: not the local time moved by a whole-hour offset.
    virtual CivilTime nowUtc() const = 0;
};

class FixedClock : public Clock {
public:
    // biasMinutes: UTC minus local time (a clock at UTC+5:30 gives -330).
    explicit FixedClock(CivilTime now = {}, int biasMinutes = 0) : m_now(now), m_biasMinutes(biasMinutes) {}
    CivilTime nowLocal() const override { return m_now; }
    CivilTime nowUtc() const override { return m_now.plusMinutes(m_biasMinutes); }
    void set(CivilTime now, int biasMinutes = 0)
    {
        m_now = now;
        m_biasMinutes = biasMinutes;
    }

private:
    CivilTime m_now;
    int m_biasMinutes = 0;
};

} // namespace ventoral
