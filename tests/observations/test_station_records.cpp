// SPDX-License-Identifier: GPL-3.0-or-later
// A station's records of today, this month and all time.

#include "observations/station_records.h"

#include <gtest/gtest.h>

#include "real_metar_days.h"
#include "observations/history_csv.h"
#include "test_support.h"

namespace ventoral {
namespace {

// "31.2 at 2026-08-18T03:55Z", or "-" for no record.
std::string text(const std::optional<RecordValue>& record)
{
    return record ? shortNumber(record->value, 1) + " at " + utcTimeText(record->timeMinutes) : "-";
}

struct Expected {
    const char* kind;
    const char* today;
    const char* month;
    const char* allTime;
};

void expectRecords(const StationRecords& records, const std::vector<Expected>& expected)
{
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.kind);
        for (const RecordKind& kind : kRecordKinds) {
            if (std::string(kind.key) != e.kind)
                continue;
            EXPECT_EQ(text(records.today.*kind.record), e.today);
            EXPECT_EQ(text(records.month.*kind.record), e.month);
            EXPECT_EQ(text(records.allTime.*kind.record), e.allTime);
        }
    }
}

// The real day of specials at Kadena: a whole-degree special (27 at 17:59)
// stands below the routine report's tenths (27.4 at 17:55).
TEST(StationRecords, TheExtremesOfARealDayOfSpecials)
{
    const CivilTime now{2026, 8, 18, 23, 59, 0};
    expectRecords(recordsOf(test::observationsOf(test::readData(test::kRodnDay), now), now),
                  {
                      {"temperatureMax", "31.2 at 2026-08-18T03:55Z", "31.2 at 2026-08-18T03:55Z",
                       "31.2 at 2026-08-18T03:55Z"},
                      {"temperatureMin", "27 at 2026-08-18T17:59Z", "27 at 2026-08-18T17:59Z",
                       "27 at 2026-08-18T17:59Z"},
                      {"gustMax", "46.3 at 2026-08-18T04:55Z", "46.3 at 2026-08-18T04:55Z",
                       "46.3 at 2026-08-18T04:55Z"},
                      {"windMax", "35.2 at 2026-08-18T04:55Z", "35.2 at 2026-08-18T04:55Z",
                       "35.2 at 2026-08-18T04:55Z"},
                      {"pressureMin", "1006.4 at 2026-08-18T20:45Z", "1006.4 at 2026-08-18T20:45Z",
                       "1006.4 at 2026-08-18T20:45Z"},
                      {"pressureMax", "1008.1 at 2026-08-18T00:55Z", "1008.1 at 2026-08-18T00:55Z",
                       "1008.1 at 2026-08-18T00:55Z"},
                  });
}

TEST(StationRecords, EachPeriodStartsAtItsUtcMidnight)
{
    const CivilTime now{2026, 8, 18, 12, 0, 0};
    const std::vector<ArchivedObservation> observations = test::observationsOf(
        "METAR KSEA 312350Z 27030G45KT 10SM CLR 35/10 Q0990\n"   // July: all time only
        "METAR KSEA 010000Z 27020KT 10SM CLR 30/10 Q1030\n"      // this month
        "METAR KSEA 172359Z 27010KT 10SM CLR 25/10 Q1020\n"      // yesterday
        "METAR KSEA 180000Z 27005KT 10SM CLR 20/10 Q1015\n"      // today
        "METAR KSEA 180600Z 27005KT 10SM CLR 20/10 Q1015\n"      // the same again: the first keeps it
        "METAR KSEA 181100Z 00000KT 10SM CLR 18/10 Q1016\n",
        now);
    expectRecords(recordsOf(observations, now),
                  {
                      {"temperatureMax", "20 at 2026-08-18T00:00Z", "30 at 2026-08-01T00:00Z",
                       "35 at 2026-07-31T23:50Z"},
                      {"temperatureMin", "18 at 2026-08-18T11:00Z", "18 at 2026-08-18T11:00Z",
                       "18 at 2026-08-18T11:00Z"},
                      {"gustMax", "-", "-", "83.3 at 2026-07-31T23:50Z"},
                      {"windMax", "9.3 at 2026-08-18T00:00Z", "37 at 2026-08-01T00:00Z",
                       "55.6 at 2026-07-31T23:50Z"},
                      {"pressureMin", "1015 at 2026-08-18T00:00Z", "1015 at 2026-08-18T00:00Z",
                       "990 at 2026-07-31T23:50Z"},
                      {"pressureMax", "1016 at 2026-08-18T11:00Z", "1030 at 2026-08-01T00:00Z",
                       "1030 at 2026-08-01T00:00Z"},
                  });
}

TEST(StationRecords, NoObservationsNoRecords)
{
    const StationRecords records = recordsOf({}, {2026, 8, 18, 12, 0, 0});
    for (const RecordKind& kind : kRecordKinds) {
        EXPECT_FALSE((records.today.*kind.record).has_value());
        EXPECT_FALSE((records.allTime.*kind.record).has_value());
    }
}

} // namespace
} // namespace ventoral
