// SPDX-License-Identifier: GPL-3.0-or-later
#include "observations/report_age.h"

#include <cstdio>
#include <cstdlib>
#include <map>

#include "observations/trend_graphs.h"

namespace ventoral {

namespace {

constexpr long long kClockSkewMinutes = 10;
constexpr long long kMinutesPerDay = 24 * 60;
constexpr int kRoutineToleranceMinutes = 2;
// Where the later report of a half-hourly station's cycle falls.
constexpr int kHalfHourlyFirstMinute = 15;
constexpr int kHalfHourlyLastMinute = 44;

// Minutes from a to b round the hour, 0-30.
int minutesApart(int a, int b)
{
    const int d = std::abs(a - b) % 60;
    return d > 30 ? 60 - d : d;
}

} // namespace

bool ReportingRhythm::isRoutine(const CivilTime& observedUtc) const
{
    for (int slot = routineMinute % static_cast<int>(periodMinutes); slot < 60; slot += static_cast<int>(periodMinutes))
        if (minutesApart(observedUtc.minute, slot) <= kRoutineToleranceMinutes)
            return true;
    return false;
}

CivilTime ReportingRhythm::nextAfter(const CivilTime& observedUtc) const
{
    CivilTime observed = observedUtc;
    observed.second = 0;
    if (isRoutine(observed))
        return observed.plusMinutes(periodMinutes);
    // The first routine minute after a special report.
    const std::int64_t at = observed.minutesSinceEpoch();
    const std::int64_t hourStart = at - observed.minute;
    std::int64_t next = hourStart + routineMinute % periodMinutes - periodMinutes;
    while (next <= at)
        next += periodMinutes;
    return CivilTime::fromMinutes(next);
}

ReportingRhythm reportingRhythm(const TrendSeries& trend, const CivilTime& observedUtc)
{
    std::map<int, int> counts;   // records at each minute
    int records = 0;
    for (int row = 0; row < kGraphColumns; ++row) {
        if (const auto t = recordTimeUtc(trend, row, observedUtc)) {
            ++counts[t->minute];
            ++records;
        }
    }
    if (records == 0)
        return {observedUtc.minute, kReportCycleMinutes};

    // The minute most records share; of equals, the newest record's.
    std::optional<int> newestMinute;
    if (const auto row = newestRecordRow(trend))
        if (const auto t = recordTimeUtc(trend, *row, observedUtc))
            newestMinute = t->minute;
    int routine = counts.begin()->first;
    for (const auto& [minute, count] : counts) {
        const int best = counts[routine];
        if (count > best || (count == best && newestMinute == minute))
            routine = minute;
    }
    const bool halfHourly = routine >= kHalfHourlyFirstMinute && routine <= kHalfHourlyLastMinute;
    return {routine, halfHourly ? kHalfHourlyMinutes : kReportCycleMinutes};
}

std::optional<long long> reportAgeMinutes(const CivilTime& observedUtc, const CivilTime& nowUtc)
{
    const long long minutes = nowUtc.minutesSinceEpoch() - observedUtc.minutesSinceEpoch();
    if (minutes < -kClockSkewMinutes)
        return std::nullopt;
    return minutes < 0 ? 0 : minutes;
}

std::optional<ReportAge> reportAge(const CivilTime& observedUtc, const CivilTime& nextDueUtc, const CivilTime& nowUtc)
{
    const std::optional<long long> minutes = reportAgeMinutes(observedUtc, nowUtc);
    if (!minutes)
        return std::nullopt;
    ReportAge age;
    age.minutes = *minutes;
    age.nextDueUtc = nextDueUtc;
    age.minutesPastDue = nowUtc.minutesSinceEpoch() - nextDueUtc.minutesSinceEpoch();
    return age;
}

std::string reportAgeText(long long minutes)
{
    if (minutes < 0)
        minutes = 0;
    if (minutes < 60)
        return std::to_string(minutes) + " min old";
    if (minutes < 48 * 60)
        return std::to_string(minutes / 60) + " h " + std::to_string(minutes % 60) + " min old";
    return std::to_string(minutes / kMinutesPerDay) + " days old";
}

std::string hourMinuteText(const CivilTime& t)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d", t.hour, t.minute);
    return buffer;
}

std::string freshnessText(const ReportAge& age)
{
    const std::string old = reportAgeText(age.minutes);
    if (!age.overdue())
        return old + ", next about " + hourMinuteText(age.nextDueUtc) + " UTC";
    // Within the last day a time of day names the moment without doubt.
    if (age.minutesPastDue < kMinutesPerDay)
        return old + ", overdue since " + hourMinuteText(age.nextDueUtc) + " UTC";
    return old + ", overdue";
}

} // namespace ventoral
