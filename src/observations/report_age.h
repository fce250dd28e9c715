// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How old the shown report is and when the station's next routine report is
// due. Ages count on the real UTC clock, never on local time, so no time
// zone or change of daylight saving can bend them. A station makes its
// routine reports at one minute of the hour, once an hour or every half
// hour, with special reports (SPECI) between them when the weather changes.

#include <optional>
#include <string>

#include "observations/observation.h"
#include "platform/core/civil_time.h"

namespace ventoral {

inline constexpr long long kReportCycleMinutes = 60;
inline constexpr long long kHalfHourlyMinutes = 30;
// Older than two hourly cycles: the date label takes its stale colouring.
inline constexpr long long kStaleAfterMinutes = 2 * kReportCycleMinutes;

// When a station makes its routine reports.
struct ReportingRhythm {
    int routineMinute = 0;                            // 0-59
    long long periodMinutes = kReportCycleMinutes;    // 60, or 30 for a station reporting half-hourly

    // A report at a routine minute, give or take two minutes.
    bool isRoutine(const CivilTime& observedUtc) const;
    // The routine report due after the report of observedUtc: one period
    // after a routine report, the next routine minute after a special one.
    CivilTime nextAfter(const CivilTime& observedUtc) const;
};

// The rhythm of a station from its trend table, observedUtc being its
// present report's time. The trend keeps for each hourly cycle (minute 45
// of the hour before to minute 44) the newest routine report, a special one
// only where no routine report came, so the minute most records share is
// the routine minute. A station reporting every half hour leaves only the
// later report of each cycle there, which always falls between minutes 15
// and 44: a routine minute there is read as half-hourly. Without records,
// the report alone: hourly at its own minute.
ReportingRhythm reportingRhythm(const TrendSeries& trend, const CivilTime& observedUtc);

struct ReportAge {
    long long minutes = 0;          // minute boundaries crossed since the observation, never negative
    CivilTime nextDueUtc;           // the station's next routine report
    long long minutesPastDue = 0;   // negative or 0 until then

    bool overdue() const { return minutesPastDue > 0; }
    bool stale() const { return minutes > kStaleAfterMinutes; }
};

// Minutes from the report of observedUtc to nowUtc, the real UTC clock,
// never negative; a report up to 10 minutes ahead of the clock counts as
// new, and one further ahead has no age (nullopt).
std::optional<long long> reportAgeMinutes(const CivilTime& observedUtc, const CivilTime& nowUtc);

// The age of the report of observedUtc at nowUtc, against the station's next
// routine report; nullopt as reportAgeMinutes.
std::optional<ReportAge> reportAge(const CivilTime& observedUtc, const CivilTime& nextDueUtc, const CivilTime& nowUtc);

// "41 min old", "3 h 5 min old", "4 days old"; minutes below 0 count as 0.
std::string reportAgeText(long long minutes);

// The age and the next routine report:
// "41 min old, next about 18:53 UTC";
// "1 h 15 min old, overdue since 18:53 UTC" once that time has passed;
// "3 days old, overdue" when it passed a day or more ago, where a time of
// day alone would name the wrong day.
std::string freshnessText(const ReportAge& age);

// "18:53"
std::string hourMinuteText(const CivilTime& t);

} // namespace ventoral
