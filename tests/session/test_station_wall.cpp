// SPDX-License-Identifier: GPL-3.0-or-later
// The station wall's data: every short-list station read once, in order;
// afterwards a station changes only by the snapshot handed to the wall,
// never by reading its file again; new folders are read afresh.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "observations/station_data.h"
#include "platform/core/file_io.h"
#include "session/shown_station.h"
#include "session/station_wall.h"
#include "test_support.h"

using namespace ventoral;

namespace {

class StationWallTest : public ::testing::Test {
protected:
    test::TempDir dir;
    StationStore store{dir.file("stations"), dir.file("minmax")};
    IsoDateForms forms;
    PanelMoment moment{CivilTime{2023, 12, 6, 18, 0, 0}, nullptr, &forms};
    std::string trend = test::readData("observations/trend/KSEA.TREND");

    void SetUp() override
    {
        createFolder(store.stationDataFolder());
        createFolder(store.minMaxFolder());
    }
    void write(const std::string& code, const std::string& reportFile, const std::string& folder = {})
    {
        writeStationData(stationDataPath(folder.empty() ? store.stationDataFolder() : folder, code), trend,
                         test::readData("observations/noaa-decoded/" + reportFile));
    }
    std::vector<WallTile> tiles(const StationWall& wall) const { return wall.tiles(UnitSettings{}, moment); }
};

} // namespace

TEST_F(StationWallTest, ATileForEveryEntryInTheListsOrder)
{
    write("KSEA", "KSEA-1.txt");
    write("EGLC", "EGLC-1.txt");
    test::writeFile(stationDataPath(store.stationDataFolder(), "KBLI"), "\"\"\r\n\"short\"\r\n");
    StationWall wall;
    wall.follow(store, {"EGLC London City", "KNYC", "KSEA Seattle", "KBLI Bellingham"});
    const std::vector<WallTile> t = tiles(wall);
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[0].code, "EGLC");
    EXPECT_EQ(t[0].name, "London City");
    EXPECT_TRUE(t[0].hasReport);
    EXPECT_EQ(t[1].code, "KNYC");
    EXPECT_FALSE(t[1].hasReport);
    EXPECT_EQ(t[1].statusLine, "Click Update to download data for this station");
    EXPECT_TRUE(t[2].hasReport);
    EXPECT_EQ(t[3].statusLine, "No data available for this station");
}

TEST_F(StationWallTest, AHeldStationIsNotReadAgain)
{
    write("KSEA", "KSEA-1.txt");
    write("EGLC", "EGLC-1.txt");
    StationWall wall;
    wall.follow(store, {"KSEA", "EGLC"});
    const std::string temperature = tiles(wall)[0].readings.temperature;
    // The files change behind the wall's back; a new list order reads no file twice.
    write("KSEA", "KBFI-2.txt");
    std::filesystem::remove(stationDataPath(store.stationDataFolder(), "EGLC"));
    wall.follow(store, {"EGLC", "KSEA", "KBFI"});
    const std::vector<WallTile> t = tiles(wall);
    ASSERT_EQ(t.size(), 3u);
    EXPECT_TRUE(t[0].hasReport);
    EXPECT_EQ(t[1].readings.temperature, temperature);
    EXPECT_FALSE(t[2].hasReport);
}

TEST_F(StationWallTest, ASnapshotHandedOverReplacesOnlyItsStation)
{
    write("KSEA", "KSEA-1.txt");
    write("EGLC", "EGLC-1.txt");
    StationWall wall;
    wall.follow(store, {"KSEA", "EGLC"});
    StationTexts texts;
    texts.presentText = test::readData("observations/noaa-decoded/KSEA-2.txt");
    texts.lastText = trend;
    texts.dataValid = true;
    const auto newer = std::make_shared<const StationSnapshot>(snapshotOf("KSEA", texts));
    EXPECT_TRUE(wall.replace(newer, std::nullopt));
    EXPECT_EQ(&wall.snapshot(0), newer.get());
    EXPECT_FALSE(wall.replace(std::make_shared<const StationSnapshot>(snapshotOf("KBFI", texts)), std::nullopt));
    EXPECT_EQ(wall.snapshot(1).code, "EGLC");
    // Following the same list keeps the snapshot handed over.
    wall.follow(store, {"KSEA", "EGLC"});
    EXPECT_EQ(&wall.snapshot(0), newer.get());
}

TEST_F(StationWallTest, OtherFoldersAreReadAfresh)
{
    write("KSEA", "KSEA-1.txt");
    StationWall wall;
    wall.follow(store, {"KSEA"});
    ASSERT_TRUE(tiles(wall)[0].hasReport);
    const StationStore elsewhere(dir.file("other"), dir.file("minmax"));
    createFolder(elsewhere.stationDataFolder());
    wall.follow(elsewhere, {"KSEA"});
    EXPECT_FALSE(tiles(wall)[0].hasReport);
}

TEST_F(StationWallTest, TilesAgreeWithThePanelOfTheShownStation)
{
    write("KBFI", "KBFI-2.txt");
    StationWall wall;
    wall.follow(store, {"KBFI Boeing Field"});
    ShownStation shown;
    shown.show(store, "KBFI");
    const PanelModel panel = shown.model(UnitSettings{}, moment);
    const WallTile tile = tiles(wall)[0];
    EXPECT_EQ(tile.readings.temperature, panel.readings.temperature);
    EXPECT_EQ(tile.flightCategory, panel.flightCategory);
    EXPECT_EQ(tile.tendencyText, panel.dial(DialKind::Pressure).secondCaption);
}
