#pragma once
// The computer's present local date and time, settable in tests.

#include "platform/core/civil_time.h"

namespace ventoral {

class Clock {
public:
    virtual ~Clock() = default;
    virtual CivilTime nowLocal() const = 0;
};

class FixedClock : public Clock {
public:
    explicit FixedClock(CivilTime now = {}) : m_now(now) {}
    CivilTime nowLocal() const override { return m_now; }
    void set(CivilTime now) { m_now = now; }

private:
    CivilTime m_now;
};

} // namespace ventoral
