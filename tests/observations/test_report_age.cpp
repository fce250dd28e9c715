// SPDX-License-Identifier: GPL-3.0-or-later
// The shown report's age, its next report against the hourly cycle, and
// the stale colouring after two cycles.

#include <gtest/gtest.h>

#include "observations/present_parser.h"
#include "observations/report_age.h"
#include "test_support.h"

using namespace ventoral;

namespace {

constexpr const char* kDate = "Dec 06, 2023 - 12:53 PM EST / 2023.12.06 1753 UTC";

} // namespace

// Ages either side of each boundary, against the reference: the next report
// is due an hour after this one, stale past two cycles, overdue for a day
// drops the time, and a report from more than ten minutes ahead has no age.
TEST(ReportAge, AgeTextAndColouringMatchReference)
{
    struct Case {
        const char* what;
        const char* dateLine;
        CivilTime nowLocal;
        double utcOffsetHours;
    };
    const Case cases[] = {
        {"just in", kDate, {2023, 12, 6, 17, 53, 0}, 0},
        {"seconds do not count", kDate, {2023, 12, 6, 18, 34, 59}, 0},
        {"local time at UTC-8", kDate, {2023, 12, 6, 10, 34, 0}, -8},
        {"due this minute", kDate, {2023, 12, 6, 18, 53, 0}, 0},
        {"one minute overdue", kDate, {2023, 12, 6, 18, 54, 0}, 0},
        {"two cycles", kDate, {2023, 12, 6, 19, 53, 59}, 0},
        {"past two cycles", kDate, {2023, 12, 6, 19, 54, 0}, 0},
        {"overdue nearly a day", kDate, {2023, 12, 7, 18, 52, 0}, 0},
        {"overdue a day: the time alone would name today", kDate, {2023, 12, 7, 18, 53, 0}, 0},
        {"days old", kDate, {2023, 12, 9, 18, 0, 0}, 0},
        {"due after midnight", "Dec 31, 2023 - 06:51 PM EST / 2023.12.31 2351 UTC", {2024, 1, 1, 0, 5, 0}, 0},
        {"overdue across the month's end", "Nov 30, 2023 - 06:30 PM EST / 2023.11.30 2330 UTC", {2023, 12, 1, 1, 0, 0}, 0},
        {"local date a day ahead", "Feb 28, 2024 - 06:51 PM EST / 2024.02.28 2351 UTC", {2024, 2, 29, 9, 20, 0}, 9},
        {"ten minutes from the future", kDate, {2023, 12, 6, 17, 43, 0}, 0},
        {"further in the future", kDate, {2023, 12, 6, 17, 42, 0}, 0},
        {"no date line", "", {2023, 12, 6, 18, 0, 0}, 0},
        {"unreadable date", "Dec 06 / 2023.1x.06 1753 UTC", {2023, 12, 6, 18, 0, 0}, 0},
    };
    std::string actual;
    for (const Case& c : cases) {
        const auto age = reportAge(c.dateLine, c.nowLocal, c.utcOffsetHours);
        actual += std::string(c.what) + ": " + (age ? std::to_string(age->minutes) + " minutes, " + freshnessText(*age)
                                                           + (age->stale() ? ", stale" : "")
                                                     : std::string("no age"))
                  + "\n";
    }
    EXPECT_EQ(actual, test::reference("observations/report-ages.expected", actual));
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
