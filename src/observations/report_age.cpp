// SPDX-License-Identifier: GPL-3.0-or-later
#include "observations/report_age.h"

#include <cmath>
#include <cstdio>

#include "observations/present_parser.h"

namespace ventoral {

namespace {

constexpr long long kClockSkewMinutes = 10;
constexpr long long kMinutesPerDay = 24 * 60;

} // namespace

std::optional<ReportAge> reportAge(std::string_view dateLine, const CivilTime& nowLocal, double utcOffsetHours)
{
    const auto observed = readObservationTime(dateLine);
    if (!observed)
        return std::nullopt;
    const auto offsetMinutes = static_cast<std::int64_t>(std::trunc(utcOffsetHours * 60.0));
    const long long minutes = nowLocal.minutesSinceEpoch() - offsetMinutes - observed->minutesSinceEpoch();
    if (minutes < -kClockSkewMinutes)
        return std::nullopt;
    ReportAge age;
    age.minutes = minutes < 0 ? 0 : minutes;
    age.nextDueUtc = observed->plusMinutes(kReportCycleMinutes);
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
    if (age.minutes - kReportCycleMinutes < kMinutesPerDay)
        return old + ", overdue since " + hourMinuteText(age.nextDueUtc) + " UTC";
    return old + ", overdue";
}

} // namespace ventoral
