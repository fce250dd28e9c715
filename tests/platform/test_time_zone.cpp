// SPDX-License-Identifier: GPL-3.0-or-later
// Time zones by their rules: half-hour offsets, changes of daylight saving,
// and local times that a change skips or repeats.

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "platform/core/time_zone.h"
#include "test_support.h"

using namespace ventoral;

namespace {

std::string text(const CivilTime& t)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour, t.minute);
    return buffer;
}

} // namespace

// The offset at each instant, either side of New York's and St. John's
// changes of 2024, with TZ naming the zone; a zone unknown to the system
// is UTC, as the C library reads it.
TEST(TimeZone, TheSystemZoneGivesTheOffsetOfEachInstant)
{
    struct Case {
        const char* zone;
        CivilTime utc;
        int offsetMinutes;
        const char* local;
    };
    const Case cases[] = {
        {"Asia/Kolkata", {2024, 3, 10, 6, 59, 0}, 330, "2024-03-10 12:29"},
        {"Asia/Kolkata", {2024, 7, 1, 18, 45, 0}, 330, "2024-07-02 00:15"},
        {"America/St_Johns", {2024, 3, 10, 5, 29, 0}, -210, "2024-03-10 01:59"},
        {"America/St_Johns", {2024, 3, 10, 5, 30, 0}, -150, "2024-03-10 03:00"},
        {"America/St_Johns", {2024, 11, 3, 4, 29, 0}, -150, "2024-11-03 01:59"},
        {"America/St_Johns", {2024, 11, 3, 4, 30, 0}, -210, "2024-11-03 01:00"},
        {"America/New_York", {2024, 3, 10, 6, 59, 0}, -300, "2024-03-10 01:59"},
        {"America/New_York", {2024, 3, 10, 7, 0, 0}, -240, "2024-03-10 03:00"},
        {"America/New_York", {2024, 11, 3, 5, 59, 0}, -240, "2024-11-03 01:59"},
        {"America/New_York", {2024, 11, 3, 6, 0, 0}, -300, "2024-11-03 01:00"},
        {"Etc/GMT+3", {2024, 1, 1, 0, 0, 0}, -180, "2023-12-31 21:00"},
        {"Nowhere/Atlantis", {2024, 1, 1, 0, 0, 0}, 0, "2024-01-01 00:00"},
    };
    for (const Case& c : cases) {
        const test::ScopedTimeZone zone(c.zone);
        const SystemTimeZone system;
        EXPECT_EQ(system.offsetMinutesAt(c.utc), c.offsetMinutes) << c.zone << " " << text(c.utc);
        EXPECT_EQ(text(system.localTime(c.utc)), c.local) << c.zone << " " << text(c.utc);
    }
}

// From a local time back to its instant: one a change skips is read as
// moved on by it; one it repeats gives one of its two instants.
TEST(TimeZone, ALocalTimeGivesItsInstant)
{
    const test::ScopedTimeZone newYork("America/New_York");
    const SystemTimeZone zone;
    struct Case {
        CivilTime local;
        const char* utc;
    };
    const Case cases[] = {
        {{2024, 3, 10, 1, 59, 0}, "2024-03-10 06:59"},
        {{2024, 3, 10, 2, 30, 0}, "2024-03-10 07:30"},   // skipped: 03:30 EDT
        {{2024, 3, 10, 3, 0, 0}, "2024-03-10 07:00"},
        {{2024, 11, 3, 0, 59, 0}, "2024-11-03 04:59"},
        {{2024, 11, 3, 2, 0, 0}, "2024-11-03 07:00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(text(zone.utcOf(c.local)), c.utc) << text(c.local);
    const CivilTime repeated = zone.utcOf({2024, 11, 3, 1, 30, 0});
    EXPECT_TRUE(text(repeated) == "2024-11-03 05:30" || text(repeated) == "2024-11-03 06:30") << text(repeated);
    EXPECT_EQ(text(zone.localTime(repeated)), "2024-11-03 01:30");

    const FixedTimeZone stJohnsWinter(-210);
    EXPECT_EQ(text(stJohnsWinter.utcOf({2023, 12, 6, 14, 23, 0})), "2023-12-06 17:53");
}
