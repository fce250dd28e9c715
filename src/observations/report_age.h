// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How old the shown report is and when the station's next one is due.
// Stations report once an hour at about the same minute, so the next report
// is due one cycle after the observation time.

#include <optional>
#include <string>
#include <string_view>

#include "platform/core/civil_time.h"

namespace ventoral {

inline constexpr long long kReportCycleMinutes = 60;
// Older than two cycles: the date label takes its stale colouring.
inline constexpr long long kStaleAfterMinutes = 2 * kReportCycleMinutes;

struct ReportAge {
    long long minutes = 0;  // minute boundaries crossed since the observation, never negative
    CivilTime nextDueUtc;   // one cycle after the observation

    bool overdue() const { return minutes > kReportCycleMinutes; }
    bool stale() const { return minutes > kStaleAfterMinutes; }
};

// dateLine: the report's second line, "... / 2023.12.06 1753 UTC".
// nowLocal: the computer's present local time; utcOffsetHours: whole hours
// added to UTC for local time. A report up to 10 minutes ahead of the clock
// counts as new; nullopt for one further ahead or an unreadable date line.
std::optional<ReportAge> reportAge(std::string_view dateLine, const CivilTime& nowLocal, double utcOffsetHours);

// "41 min old", "3 h 5 min old", "4 days old"; minutes below 0 count as 0.
std::string reportAgeText(long long minutes);

// The age and the next report against the hourly cycle:
// "41 min old, next about 18:53 UTC";
// "1 h 15 min old, overdue since 18:53 UTC" once that time has passed;
// "3 days old, overdue" when it passed a day or more ago, where a time of
// day alone would name the wrong day.
std::string freshnessText(const ReportAge& age);

// "18:53"
std::string hourMinuteText(const CivilTime& t);

} // namespace ventoral
