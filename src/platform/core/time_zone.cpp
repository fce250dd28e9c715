// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/time_zone.h"

#include <ctime>

namespace ventoral {

CivilTime TimeZone::localTime(const CivilTime& utc) const
{
    return utc.plusMinutes(offsetMinutesAt(utc));
}

CivilTime TimeZone::utcOf(const CivilTime& local) const
{
    // The offset at a first guess, then at the instant that guess gives:
    // enough for zones whose offset changes at most once within a day.
    const CivilTime guess = local.plusMinutes(-offsetMinutesAt(local));
    const CivilTime utc = local.plusMinutes(-offsetMinutesAt(guess));
    if (localTime(utc) == local)
        return utc;
    // A skipped local time: of the two readings, the later one.
    return guess.minutesSinceEpoch() > utc.minutesSinceEpoch() ? guess : utc;
}

int SystemTimeZone::offsetMinutesAt(const CivilTime& utc) const
{
    // localtime_r need not look at TZ again; tzset does.
    tzset();
    const std::time_t instant = static_cast<std::time_t>(utc.secondsSinceEpoch());
    std::tm local{};
    if (!localtime_r(&instant, &local))
        return 0;
    return static_cast<int>(local.tm_gmtoff / 60);
}

} // namespace ventoral
