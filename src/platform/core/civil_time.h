// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Calendar date and wall-clock time without a time zone, with minute arithmetic.

#include <cstdint>
#include <string>

namespace ventoral {

struct CivilTime {
    int year = 1970;
    int month = 1;   // 1-12
    int day = 1;     // 1-31
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool isValid() const;
    // Whole minutes since 1970-01-01 00:00; seconds are dropped.
    std::int64_t minutesSinceEpoch() const;
    static CivilTime fromMinutes(std::int64_t minutes);
    std::int64_t secondsSinceEpoch() const { return minutesSinceEpoch() * 60 + second; }
    CivilTime plusMinutes(std::int64_t minutes) const;

    bool operator==(const CivilTime& other) const;
};

int daysInMonth(int year, int month);

// The system's short date and long time forms; windows and the command line
// take them from the locale, tests from a fixed form.
class DateForms {
public:
    virtual ~DateForms() = default;
    virtual std::string shortDate(int year, int month, int day) const = 0;
    virtual std::string longTime(int hour, int minute, int second) const = 0;
};

// 2023-12-06 and 17:53:00.
class IsoDateForms : public DateForms {
public:
    std::string shortDate(int year, int month, int day) const override;
    std::string longTime(int hour, int minute, int second) const override;
};

} // namespace ventoral
