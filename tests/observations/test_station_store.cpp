// SPDX-License-Identifier: GPL-3.0-or-later
// The store archives the METAR of every present report it stores and
// rewrites a min/max file only when a report widens it.

#include "observations/station_store.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "observations/history_csv.h"
#include "observations/minmax.h"
#include "observations/station_data.h"
#include "platform/core/file_io.h"
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

// Every real report stored twice, with a real trend, in unit choices that
// take each unit both ways: the second store finds the min/max file it
// would write and leaves it alone.
TEST(StationStoreMinMax, TheSameReportStoredAgainLeavesTheMinMaxFileAlone)
{
    const std::string trend = test::readData("observations/trend/KSEA.TREND");
    for (const std::string& name : test::dataFiles("observations/noaa-decoded", ".txt")) {
        const std::string code = name.substr(0, 4);
        const std::string report = test::readData("observations/noaa-decoded/" + name);
        for (const int bits : {0, 3, 4, 7}) {
            const DisplayUnits units{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0};
            SCOPED_TRACE(name + " units " + std::to_string(bits));
            test::TempDir dir;
            const StationStore store(dir.file("stations"), dir.file("minmax"));
            const StationStore::Stored first = store.storeReport(code, trend, report, units);
            if (!first.snapshot || !first.snapshot->valid())
                continue;
            const std::string path = minMaxPath(dir.file("minmax"), code);
            const std::optional<std::string> written = readWholeFile(path);
            ASSERT_TRUE(written);
            // A rewrite would leave the same bytes: remove the file's mark to see one.
            ASSERT_TRUE(writeFileAtomically(path, *written + "unchanged\r\n"));
            const StationStore::Stored second = store.storeReport(code, trend, report, units);
            EXPECT_EQ(second.result, StationStore::StoreResult::Stored);
            EXPECT_EQ(readWholeFile(path), *written + "unchanged\r\n");
            EXPECT_EQ(second.extremes, first.extremes);
        }
    }
}

// The station data file is replaced (a new file renamed over it) only when
// the reports it would hold differ from the ones it holds.
TEST(StationStoreData, OnlyOtherReportsReplaceTheDataFile)
{
    test::TempDir dir;
    const StationStore store(dir.file("stations"), dir.file("minmax"));
    const std::string report = test::readData("observations/noaa-decoded/KSEA-1.txt");
    const std::string trend = test::readData("observations/trend/KSEA.TREND");
    const std::string path = stationDataPath(dir.file("stations"), "KSEA");
    const auto inode = [&path] {
        struct stat st {};
        return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
    };
    ASSERT_EQ(store.storeReport("KSEA", trend, report, DisplayUnits{}).result, StationStore::StoreResult::Stored);
    const auto first = inode();
    ASSERT_NE(first, 0u);
    const StationStore::Stored again = store.storeReport("KSEA", trend, report, DisplayUnits{});
    EXPECT_EQ(again.result, StationStore::StoreResult::Stored);
    ASSERT_TRUE(again.snapshot);
    EXPECT_TRUE(again.snapshot->valid());
    EXPECT_EQ(inode(), first);
    const std::string otherTrend = trend.substr(0, trend.size() / 2);
    EXPECT_EQ(store.storeReport("KSEA", otherTrend, report, DisplayUnits{}).result, StationStore::StoreResult::Stored);
    EXPECT_NE(inode(), first);
    EXPECT_EQ(ReadData(path, "KSEA").lastText, otherTrend);
}

} // namespace
} // namespace ventoral
