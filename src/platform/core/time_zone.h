// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A time zone: its offset from UTC at any instant by the zone's own rules,
// so half-hour zones and a change of daylight saving are right at every
// moment, also one that comes while the program runs.

#include "platform/core/civil_time.h"

namespace ventoral {

class TimeZone {
public:
    virtual ~TimeZone() = default;
    // Minutes added to UTC for local time at the instant utc, daylight
    // saving included (UTC+5:30 gives 330, UTC-3:30 gives -210).
    virtual int offsetMinutesAt(const CivilTime& utc) const = 0;

    // The local date and time of the instant utc; its seconds are kept.
    CivilTime localTime(const CivilTime& utc) const;
    // The instant of a local date and time. A local time the zone skips
    // (clocks going forward) is read as moved on by the change; one it
    // repeats (clocks going back) gives one of its two instants.
    CivilTime utcOf(const CivilTime& local) const;
};

// A zone whose offset never changes: UTC, or a given offset.
class FixedTimeZone : public TimeZone {
public:
    explicit FixedTimeZone(int offsetMinutes = 0) : m_offsetMinutes(offsetMinutes) {}
    int offsetMinutesAt(const CivilTime&) const override { return m_offsetMinutes; }

private:
    int m_offsetMinutes;
};

// The computer's zone by the C library's rules: the zone TZ names, or the
// system's (/etc/localtime) without TZ. TZ is read afresh at each call.
class SystemTimeZone : public TimeZone {
public:
    int offsetMinutesAt(const CivilTime& utc) const override;
};

} // namespace ventoral
