// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A clock that stands where the test puts it.

#include "platform/clock.h"

namespace ventoral {

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
