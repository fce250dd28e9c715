// SPDX-License-Identifier: GPL-3.0-or-later
// The trend built from the archive, for when the METAR service fails: the
// same trend the service's own answer gives.

#include <gtest/gtest.h>

#include "download/core/downloader.h"
#include "download/core/metar_trend.h"
#include "real_metar_days.h"
#include "observations/history_csv.h"
#include "observations/station_store.h"
#include "test_support.h"

namespace ventoral {
namespace {

struct Moment {
    const char* day;
    const char* station;
    CivilTime now;
};

TEST(ArchiveTrend, TheArchivedHoursGiveTheTrendTheServiceGave)
{
    const Moment moments[] = {
        {test::kRodnDay, "RODN", {2026, 8, 18, 12, 10, 0}},
        {test::kRodnDay, "RODN", {2026, 8, 19, 0, 10, 0}},
        {test::kRodnDay, "RODN", {2026, 8, 19, 20, 10, 0}},   // most of the day has left the 25 hours
        {test::kRksiDay, "RKSI", {2026, 6, 18, 3, 40, 0}},
    };
    for (const Moment& m : moments) {
        SCOPED_TRACE(std::string(m.station) + " " + utcTimeText(m.now.minutesSinceEpoch()));
        test::TempDir dir;
        const StationStore store(dir.file("stations"), dir.file("minmax"),
                                 std::make_shared<Archive>(dir.file("archive.sqlite")));
        const std::string reports = test::readData(m.day);
        // Everything the program ever fetched, then the service fails.
        store.archiveHistory(test::servedHistory(reports, m.now, 48), m.now);
        const std::string served = test::servedHistory(reports, m.now);
        EXPECT_EQ(trendFromMetars(store.archivedHistory(m.station, m.now), m.station, m.now),
                  trendFromMetars(served, m.station, m.now));
    }
}

TEST(ArchiveTrend, AStationTheArchiveDoesNotKnowHasNoTrend)
{
    test::TempDir dir;
    const StationStore store(dir.file("stations"), dir.file("minmax"),
                             std::make_shared<Archive>(dir.file("archive.sqlite")));
    EXPECT_EQ(store.archivedHistory("KSEA", {2026, 8, 19, 0, 10, 0}), "");
    EXPECT_FALSE(trendHasRecords(trendFromMetars("", "KSEA", {2026, 8, 19, 0, 10, 0})));
}

} // namespace
} // namespace ventoral
