// SPDX-License-Identifier: GPL-3.0-or-later
// The store archives the METAR of every present report it stores.

#include "observations/station_store.h"

#include <gtest/gtest.h>

#include "observations/history_csv.h"
#include "test_support.h"

namespace ventoral {
namespace {

TEST(StationStoreArchive, AStoredReportsMetarIsArchivedAtItsDateLinesTime)
{
    test::TempDir dir;
    const StationStore store(dir.file("stations"), dir.file("minmax"),
                             std::make_shared<Archive>(dir.file("archive.sqlite")));
    const std::string report = test::readData("observations/noaa-decoded/KBFI-2.txt");
    const DisplayUnits units;
    ASSERT_EQ(store.storeReport("KBFI", "", report, units).result, StationStore::StoreResult::Stored);
    // The same report again adds nothing.
    store.storeReport("KBFI", "", report, units);
    const auto rows = store.archivedObservations("KBFI", {2023, 12, 1, 0, 0, 0}, {2023, 12, 31, 0, 0, 0});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(utcTimeText(rows[0].timeMinutes), "2023-12-06T17:53Z");
    EXPECT_EQ(rows[0].raw, "KBFI 061753Z 00000KT 5SM BR BKN009 OVC027 10/09 A2981 RMK AO2 SLP095 60000 T01000089 "
                           "10100 20089 58010");
    EXPECT_TRUE(rows[0].temperature->tenths);
}

TEST(StationStoreArchive, WithoutAnArchiveNothingIsKeptAndNothingIsFound)
{
    test::TempDir dir;
    const StationStore store(dir.file("stations"), dir.file("minmax"));
    const std::string report = test::readData("observations/noaa-decoded/KBFI-2.txt");
    EXPECT_EQ(store.storeReport("KBFI", "", report, DisplayUnits{}).result, StationStore::StoreResult::Stored);
    EXPECT_EQ(store.archiveHistory("KBFI 061753Z 00000KT 5SM BR BKN009 10/09 A2981", {2023, 12, 6, 18, 0, 0}).stored,
              0);
    EXPECT_FALSE(store.archiveKnows("KBFI"));
    EXPECT_TRUE(store.takeArchiveNotices().empty());
}

} // namespace
} // namespace ventoral
