// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/civil_time.h"

#include <cstdio>

namespace ventoral {

namespace {

// Days from 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void civilFromDays(std::int64_t z, int& year, int& month, int& day)
{
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(y + (month <= 2));
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

} // namespace

int daysInMonth(int year, int month)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

bool CivilTime::isValid() const
{
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= daysInMonth(year, month)
           && hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 && second <= 59;
}

std::int64_t CivilTime::minutesSinceEpoch() const
{
    return daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) * 1440 + hour * 60 + minute;
}

CivilTime CivilTime::fromMinutes(std::int64_t minutes)
{
    CivilTime t;
    const std::int64_t days = floorDiv(minutes, 1440);
    const std::int64_t rest = minutes - days * 1440;
    civilFromDays(days, t.year, t.month, t.day);
    t.hour = static_cast<int>(rest / 60);
    t.minute = static_cast<int>(rest % 60);
    return t;
}

CivilTime CivilTime::plusMinutes(std::int64_t minutes) const
{
    CivilTime t = fromMinutes(minutesSinceEpoch() + minutes);
    t.second = second;
    return t;
}

bool CivilTime::operator==(const CivilTime& o) const
{
    return year == o.year && month == o.month && day == o.day && hour == o.hour && minute == o.minute
           && second == o.second;
}

std::string IsoDateForms::shortDate(int year, int month, int day) const
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", year, month, day);
    return buffer;
}

std::string IsoDateForms::longTime(int hour, int minute, int second) const
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", hour, minute, second);
    return buffer;
}

} // namespace ventoral
