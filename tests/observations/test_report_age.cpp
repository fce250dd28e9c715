// The shown report's age, its next report against the hourly cycle, and
// the stale colouring after two cycles.

#include <gtest/gtest.h>

#include "observations/present_parser.h"
#include "observations/report_age.h"

using namespace ventoral;

namespace {

constexpr const char* kDate = "Dec 06, 2023 - 12:53 PM EST / 2023.12.06 1753 UTC";

} // namespace

TEST(ReportAge, AgeTextAndColouring)
{
    struct Case {
        const char* what;
        const char* dateLine;
        CivilTime nowLocal;
        double utcOffsetHours;
        long long minutes;    // -1: no age
        const char* text;
        bool stale;
    };
    const Case cases[] = {
        {"just in", kDate, {2023, 12, 6, 17, 53, 0}, 0, 0, "0 min old, next about 18:53 UTC", false},
        {"seconds do not count", kDate, {2023, 12, 6, 18, 34, 59}, 0, 41, "41 min old, next about 18:53 UTC", false},
        {"local time at UTC-8", kDate, {2023, 12, 6, 10, 34, 0}, -8, 41, "41 min old, next about 18:53 UTC", false},
        {"due this minute", kDate, {2023, 12, 6, 18, 53, 0}, 0, 60, "1 h 0 min old, next about 18:53 UTC", false},
        {"one minute overdue", kDate, {2023, 12, 6, 18, 54, 0}, 0, 61, "1 h 1 min old, overdue since 18:53 UTC", false},
        {"two cycles", kDate, {2023, 12, 6, 19, 53, 59}, 0, 120, "2 h 0 min old, overdue since 18:53 UTC", false},
        {"past two cycles", kDate, {2023, 12, 6, 19, 54, 0}, 0, 121, "2 h 1 min old, overdue since 18:53 UTC", true},
        {"overdue nearly a day", kDate, {2023, 12, 7, 18, 52, 0}, 0, 1499,
         "24 h 59 min old, overdue since 18:53 UTC", true},
        {"overdue a day: the time alone would name today", kDate, {2023, 12, 7, 18, 53, 0}, 0, 1500,
         "25 h 0 min old, overdue", true},
        {"days old", kDate, {2023, 12, 9, 18, 0, 0}, 0, 4327, "3 days old, overdue", true},
        {"due after midnight", "Dec 31, 2023 - 06:51 PM EST / 2023.12.31 2351 UTC", {2024, 1, 1, 0, 5, 0}, 0, 14,
         "14 min old, next about 00:51 UTC", false},
        {"overdue across the month's end", "Nov 30, 2023 - 06:30 PM EST / 2023.11.30 2330 UTC",
         {2023, 12, 1, 1, 0, 0}, 0, 90, "1 h 30 min old, overdue since 00:30 UTC", false},
        {"local date a day ahead", "Feb 28, 2024 - 06:51 PM EST / 2024.02.28 2351 UTC", {2024, 2, 29, 9, 20, 0}, 9, 29,
         "29 min old, next about 00:51 UTC", false},
        {"ten minutes from the future", kDate, {2023, 12, 6, 17, 43, 0}, 0, 0,
         "0 min old, next about 18:53 UTC", false},
        {"further in the future", kDate, {2023, 12, 6, 17, 42, 0}, 0, -1, "", false},
        {"no date line", "", {2023, 12, 6, 18, 0, 0}, 0, -1, "", false},
        {"unreadable date", "Dec 06 / 2023.1x.06 1753 UTC", {2023, 12, 6, 18, 0, 0}, 0, -1, "", false},
    };
    for (const Case& c : cases) {
        const auto age = reportAge(c.dateLine, c.nowLocal, c.utcOffsetHours);
        ASSERT_EQ(age.has_value(), c.minutes >= 0) << c.what;
        if (age) {
            EXPECT_EQ(age->minutes, c.minutes) << c.what;
            EXPECT_EQ(freshnessText(*age), c.text) << c.what;
            EXPECT_EQ(age->stale(), c.stale) << c.what;
        }
    }
}

TEST(ReportAge, AgeTextSteps)
{
    const std::pair<long long, const char*> cases[] = {
        {0, "0 min old"},       {59, "59 min old"},        {60, "1 h 0 min old"},
        {125, "2 h 5 min old"}, {2879, "47 h 59 min old"}, {2880, "2 days old"},
        {-5, "0 min old"},
    };
    for (const auto& [minutes, expected] : cases)
        EXPECT_EQ(reportAgeText(minutes), expected) << minutes;
}

TEST(ReportAge, AShownLabelGrowsOlderAndTurnsStale)
{
    DateLabel label;
    label.caption = "UTC: 2023-12-06 17:53; Local: 2023-12-06 17:53:00";
    setLabelAge(label, kDate, {2023, 12, 6, 20, 0, 0}, 0);
    EXPECT_EQ(label.freshness, "2 h 7 min old, overdue since 18:53 UTC");
    EXPECT_TRUE(label.stale);
    // The clock set back before the report: no age, and the colouring goes.
    setLabelAge(label, kDate, {2023, 12, 6, 12, 0, 0}, 0);
    EXPECT_EQ(label.text(), label.caption);
    EXPECT_FALSE(label.stale);
}
