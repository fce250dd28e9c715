// SPDX-License-Identifier: GPL-3.0-or-later
// The shown report's age on the real UTC clock, the station's next routine
// report from its reporting rhythm, the stale colouring after two cycles,
// and the local times of the date label by the zone's rules.

#include <gtest/gtest.h>

#include "observations/present_parser.h"
#include "observations/report_age.h"
#include "observations/trend_parser.h"
#include "test_support.h"

using namespace ventoral;

namespace {

constexpr const char* kDate = "Dec 06, 2023 - 12:53 PM EST / 2023.12.06 1753 UTC";
const IsoDateForms kForms;

// The age of the report of dateLine at nowUtc, against the next routine
// report its station's trend gives; nothing for an unreadable date line.
std::optional<ReportAge> ageAt(std::string_view dateLine, const CivilTime& nowUtc, const TrendSeries& trend = {})
{
    const std::optional<CivilTime> observed = readObservationTime(dateLine);
    if (!observed)
        return std::nullopt;
    return reportAge(*observed, reportingRhythm(trend, *observed).nextAfter(*observed), nowUtc);
}

// A trend read as the program reads a stored one, from a file below tests/data.
TrendSeries storedTrend(const std::string& file)
{
    TrendSeries trend;
    trendData(test::readData(file), false, trend);
    return trend;
}

// A day of hourly records of 6 December 2023 at the given minutes of the
// hour, cycle by cycle, the newest at 23 h; row r holds cycle r.
TrendSeries dayAtMinutes(const std::vector<int>& minutes)
{
    TrendSeries trend;
    for (int row = 0; row < 24; ++row) {
        const int minute = minutes[static_cast<std::size_t>(row) % minutes.size()];
        const int hour = minute >= 45 ? (row + 23) % 24 : row;
        char key[16];
        std::snprintf(key, sizeof key, "12|%02d%02d%02d", hour == 23 && row == 0 ? 5 : 6, hour, minute);
        trend.at(row, TrendSeries::Record) = std::to_string(row) + ":" + key + ":record of the cycle";
        trend.at(row, TrendSeries::Cycle) = std::to_string(row);
        trend.at(row, TrendSeries::OrderKey) = key;
    }
    return trend;
}

std::string dayAndTime(const CivilTime& t)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02d %02d:%02d", t.day, t.hour, t.minute);
    return text;
}

} // namespace

// Ages either side of each boundary, against the reference: without a trend
// the next report is due an hour after this one, stale past two cycles,
// overdue for a day drops the time, and a report from more than ten minutes
// ahead has no age. The clock is UTC: no offset enters.
TEST(ReportAge, AgeTextAndColouringMatchReference)
{
    struct Case {
        const char* what;
        const char* dateLine;
        CivilTime nowUtc;
    };
    const Case cases[] = {
        {"just in", kDate, {2023, 12, 6, 17, 53, 0}},
        {"seconds do not count", kDate, {2023, 12, 6, 18, 34, 59}},
        {"due this minute", kDate, {2023, 12, 6, 18, 53, 0}},
        {"one minute overdue", kDate, {2023, 12, 6, 18, 54, 0}},
        {"two cycles", kDate, {2023, 12, 6, 19, 53, 59}},
        {"past two cycles", kDate, {2023, 12, 6, 19, 54, 0}},
        {"overdue nearly a day", kDate, {2023, 12, 7, 18, 52, 0}},
        {"overdue a day: the time alone would name today", kDate, {2023, 12, 7, 18, 53, 0}},
        {"days old", kDate, {2023, 12, 9, 18, 0, 0}},
        {"due after midnight", "Dec 31, 2023 - 06:51 PM EST / 2023.12.31 2351 UTC", {2024, 1, 1, 0, 5, 0}},
        {"overdue across the month's end", "Nov 30, 2023 - 06:30 PM EST / 2023.11.30 2330 UTC", {2023, 12, 1, 1, 0, 0}},
        {"ten minutes from the future", kDate, {2023, 12, 6, 17, 43, 0}},
        {"further in the future", kDate, {2023, 12, 6, 17, 42, 0}},
        {"no date line", "", {2023, 12, 6, 18, 0, 0}},
        {"unreadable date", "Dec 06 / 2023.1x.06 1753 UTC", {2023, 12, 6, 18, 0, 0}},
    };
    std::string actual;
    for (const Case& c : cases) {
        const auto age = ageAt(c.dateLine, c.nowUtc);
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

// "Next about" is the station's routine minute: an hour (or, for a station
// reporting half-hourly, half an hour) after a routine report, and the next
// routine minute after a special one. The rhythm comes from the stored
// trend: real ones of Seattle (hourly at :53), Incheon (every half hour at
// :00 and :30, built from its real METAR history) and Kadena (hourly at :55,
// 53 SPECIs that day), and hand-made ones.
TEST(ReportAge, NextRoutineReportFollowsTheStationsRhythm)
{
    const TrendSeries seattle = storedTrend("observations/trend/KSEA.TREND");
    const TrendSeries incheon = storedTrend("observations/trend/RKSI-0335.trend");
    const TrendSeries kadena = storedTrend("instruments/frozen/input/RODN-2355.trend");
    const TrendSeries twentyAndFifty = dayAtMinutes({20});     // what a station at :20 and :50 leaves
    const TrendSeries withSpecials = dayAtMinutes({53, 53, 53, 12, 53, 53, 31, 53});
    const TrendSeries hourlyAtTen = dayAtMinutes({10});
    struct Case {
        const char* what;
        const TrendSeries& trend;
        CivilTime observedUtc;
        bool routine;
        const char* nextDue;   // day and time, UTC
    };
    const TrendSeries none;
    const Case cases[] = {
        {"hourly, a routine report", seattle, {2023, 12, 14, 14, 53, 0}, true, "14 15:53"},
        {"hourly, a special report", seattle, {2023, 12, 14, 15, 12, 0}, false, "14 15:53"},
        {"hourly, a special half an hour from the routine minute", seattle, {2023, 12, 14, 15, 23, 0}, false,
         "14 15:53"},
        {"hourly, a routine report a minute early", seattle, {2023, 12, 14, 15, 52, 0}, true, "14 16:52"},
        {"hourly, a special just before midnight", seattle, {2023, 12, 31, 23, 58, 0}, false, "01 00:53"},
        {"half-hourly at :00 and :30, the :30 report", incheon, {2026, 6, 18, 3, 30, 0}, true, "18 04:00"},
        {"half-hourly at :00 and :30, the :00 report", incheon, {2026, 6, 18, 4, 0, 0}, true, "18 04:30"},
        {"half-hourly at :00 and :30, a special report", incheon, {2026, 6, 18, 4, 12, 0}, false, "18 04:30"},
        {"half-hourly at :20 and :50, the :20 report", twentyAndFifty, {2023, 12, 6, 10, 20, 0}, true, "06 10:50"},
        {"half-hourly at :20 and :50, the :50 report", twentyAndFifty, {2023, 12, 6, 10, 50, 0}, true, "06 11:20"},
        {"hourly at :55 among many specials, the routine report", kadena, {2026, 8, 18, 23, 55, 0}, true,
         "19 00:55"},
        {"hourly at :55 among many specials, a special", kadena, {2026, 8, 18, 23, 25, 0}, false, "18 23:55"},
        {"specials in cycles without a routine report do not move the minute", withSpecials,
         {2023, 12, 6, 10, 31, 0}, false, "06 10:53"},
        {"hourly at :10 is no half-hourly station", hourlyAtTen, {2023, 12, 6, 10, 10, 0}, true, "06 11:10"},
        {"no trend: the report alone, hourly", none, {2023, 12, 6, 17, 53, 0}, true, "06 18:53"},
    };
    for (const Case& c : cases) {
        const ReportingRhythm rhythm = reportingRhythm(c.trend, c.observedUtc);
        EXPECT_EQ(rhythm.isRoutine(c.observedUtc), c.routine) << c.what;
        EXPECT_EQ(dayAndTime(rhythm.nextAfter(c.observedUtc)), c.nextDue) << c.what;
    }
    EXPECT_EQ(reportingRhythm(incheon, {2026, 6, 18, 3, 30, 0}).periodMinutes, kHalfHourlyMinutes);
    EXPECT_EQ(reportingRhythm(kadena, {2026, 8, 18, 23, 55, 0}).periodMinutes, kReportCycleMinutes);
}

// A half-hourly station is overdue half an hour after its last report, not an hour.
TEST(ReportAge, AHalfHourlyStationIsOverdueAfterHalfAnHour)
{
    const TrendSeries incheon = storedTrend("observations/trend/RKSI-0335.trend");
    const char* dateLine = "Jun 18, 2026 - 03:30 AM UTC / 2026.06.18 0330 UTC";
    EXPECT_EQ(freshnessText(*ageAt(dateLine, {2026, 6, 18, 3, 45, 0}, incheon)), "15 min old, next about 04:00 UTC");
    EXPECT_EQ(freshnessText(*ageAt(dateLine, {2026, 6, 18, 4, 10, 0}, incheon)),
              "40 min old, overdue since 04:00 UTC");
}

// The date label's local time by the zone's rules at the report's instant,
// and the age on the UTC clock, in a half-hour zone east and west of
// Greenwich and on both sides of New York's changes of daylight saving.
TEST(ReportAge, AgesAndLocalTimesInZones)
{
    struct Case {
        const char* zone;
        const char* observedUtc;   // the date line's UTC part
        CivilTime nowUtc;
        const char* localObserved;
        const char* localNow;
        const char* freshness;
    };
    const Case cases[] = {
        // UTC+5:30: a report ten minutes old reads ten, not forty.
        {"Asia/Kolkata", "2023.12.06 1753", {2023, 12, 6, 18, 3, 0}, "2023-12-06 23:23:00", "2023-12-06 23:33",
         "10 min old, next about 18:53 UTC"},
        {"Asia/Kolkata", "2023.12.06 1853", {2023, 12, 6, 18, 55, 0}, "2023-12-07 00:23:00", "2023-12-07 00:25",
         "2 min old, next about 19:53 UTC"},
        // UTC-3:30 in winter and UTC-2:30 in summer: an age all the same.
        {"America/St_Johns", "2023.12.06 1753", {2023, 12, 6, 18, 3, 0}, "2023-12-06 14:23:00", "2023-12-06 14:33",
         "10 min old, next about 18:53 UTC"},
        {"America/St_Johns", "2024.07.01 0253", {2024, 7, 1, 3, 0, 0}, "2024-07-01 00:23:00", "2024-07-01 00:30",
         "7 min old, next about 03:53 UTC"},
        {"America/St_Johns", "2023.12.07 0253", {2023, 12, 7, 3, 0, 0}, "2023-12-06 23:23:00", "2023-12-06 23:30",
         "7 min old, next about 03:53 UTC"},
        // New York's spring change at 07:00 UTC on 10 March 2024: 02:00 EST becomes 03:00 EDT.
        {"America/New_York", "2024.03.10 0553", {2024, 3, 10, 6, 5, 0}, "2024-03-10 00:53:00", "2024-03-10 01:05",
         "12 min old, next about 06:53 UTC"},
        {"America/New_York", "2024.03.10 0653", {2024, 3, 10, 7, 5, 0}, "2024-03-10 01:53:00", "2024-03-10 03:05",
         "12 min old, next about 07:53 UTC"},
        {"America/New_York", "2024.03.10 0753", {2024, 3, 10, 7, 55, 0}, "2024-03-10 03:53:00", "2024-03-10 03:55",
         "2 min old, next about 08:53 UTC"},
        // Its autumn change at 06:00 UTC on 3 November 2024: the hour from 01:00 comes twice.
        {"America/New_York", "2024.11.03 0553", {2024, 11, 3, 6, 5, 0}, "2024-11-03 01:53:00", "2024-11-03 01:05",
         "12 min old, next about 06:53 UTC"},
        {"America/New_York", "2024.11.03 0653", {2024, 11, 3, 6, 55, 0}, "2024-11-03 01:53:00", "2024-11-03 01:55",
         "2 min old, next about 07:53 UTC"},
    };
    for (const Case& c : cases) {
        const test::ScopedTimeZone zone(c.zone);
        const SystemTimeZone system;
        PresentContext context;
        context.zone = &system;
        context.nowUtc = c.nowUtc;
        context.forms = &kForms;
        const std::string report = std::string("A STATION (ABCD) 40-00N 070-00W\nsome local time / ") +
                                   c.observedUtc + " UTC\nTemperature: 50 F (10 C)\n";
        Observation obs;
        const PresentResult result = presentData(report, context, obs);
        ASSERT_TRUE(result.dateLabel) << c.zone << " " << c.observedUtc;
        const std::string caption = result.dateLabel->caption;
        EXPECT_EQ(caption.substr(caption.find("Local: ") + 7), c.localObserved) << c.zone << " " << c.observedUtc;
        const CivilTime localNow = system.localTime(c.nowUtc);
        char now[32];
        std::snprintf(now, sizeof now, "%04d-%02d-%02d %02d:%02d", localNow.year, localNow.month, localNow.day,
                      localNow.hour, localNow.minute);
        EXPECT_EQ(std::string(now), c.localNow) << c.zone << " " << c.observedUtc;
        EXPECT_EQ(result.dateLabel->freshness, c.freshness) << c.zone << " " << c.observedUtc;
    }
}

TEST(ReportAge, AShownLabelGrowsOlderAndTurnsStale)
{
    DateLabel label;
    label.caption = "UTC: 2023-12-06 17:53; Local: 2023-12-06 17:53:00";
    label.observedUtc = {2023, 12, 6, 17, 53, 0};
    label.nextDueUtc = {2023, 12, 6, 18, 53, 0};
    setLabelAge(label, {2023, 12, 6, 20, 0, 0});
    EXPECT_EQ(label.freshness, "2 h 7 min old, overdue since 18:53 UTC");
    EXPECT_TRUE(label.stale);
    // The clock set back before the report: no age, and the colouring goes.
    setLabelAge(label, {2023, 12, 6, 12, 0, 0});
    EXPECT_EQ(label.text(), label.caption);
    EXPECT_FALSE(label.stale);
}
