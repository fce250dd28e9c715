// SPDX-License-Identifier: GPL-3.0-or-later
// Export and Import of the File menu after a switch of station: each
// station's copy and min/max file only ever hold that station's data.

#include <filesystem>

#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "observations/minmax.h"
#include "observations/station_export.h"
#include "test_support.h"

using namespace ventoral;

namespace {

class ExportImportTest : public test::MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        state.tables.shortList.entries = {"KBFI Boeing Field", "KSEA Seattle"};
        // KBFI's extremes, which no other station may inherit.
        writeMinMaxFile(minMaxPath(state.tables.folders.minMax, "KBFI"),
                        {150, 93, 160, 99, -30, 45, -22, 113, 5, 100, 955, 1045, 28.21f, 30.86f});
    }
    void start()
    {
        MainWindowFixture::start();
        window->stationsLoaded();
    }
    std::string lastText() const { return prompter.messages().empty() ? "" : prompter.messages().back().text; }
};

} // namespace

TEST_F(ExportImportTest, ExportWithoutDataRefusesAndWritesNothing)
{
    start();
    choose(1);   // KSEA: no station data file
    const auto before = std::distance(std::filesystem::directory_iterator(state.tables.folders.stationData), {});
    window->exportShownStation();
    EXPECT_EQ(prompter.messages().back().kind, "warn");
    EXPECT_EQ(lastText(), "There are no data of KSEA to export. Click Update to download them.");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(state.tables.folders.stationData), {}), before);
}

TEST_F(ExportImportTest, AnExportedCopyImportsAgainOnlyOnItsOwnStation)
{
    start();
    const std::string stationFile = stationDataPath(state.tables.folders.stationData, "KBFI");
    const std::string before = test::readFile(stationFile);
    const StationSnapshot shown = state.shown.snapshot();
    window->exportShownStation();
    const std::string path = joinPath(state.tables.folders.stationData,
                                      exportFileName("KBFI", shown.present->dateLine));
    EXPECT_EQ(lastText(), "File saved as " + path);

    dialogs.answers.push_back(FileChoice{path, path.substr(path.rfind('/') + 1)});
    window->importStationData();
    EXPECT_EQ(state.shown.snapshot().trendText, shown.trendText);
    EXPECT_EQ(state.shown.snapshot().presentText, shown.presentText);
    EXPECT_TRUE(state.shown.snapshot().valid());
    EXPECT_EQ(test::readFile(stationFile), before);

    dialogs.answers.push_back(FileChoice{path, "KSEA 2023 12 06.txt"});
    window->importStationData();
    EXPECT_EQ(lastText(), "The file does NOT correspond to the selected station");
}

// An imported copy is shown, not stored: no station's files change, and the
// extremes shown are the station's own, widened by the copy's trend.
TEST_F(ExportImportTest, ImportOnAStationWithoutDataShowsOnlyItsOwnExtremesAndWritesNothing)
{
    // A KSEA copy, exported elsewhere.
    const std::string copy = dir.file("KSEA 2023 12 06.txt");
    ASSERT_TRUE(writeStationData(copy, test::readData("observations/trend/KSEA.TREND"),
                                 test::readData("observations/noaa-decoded/KSEA-1.txt")));
    // KSEA's own record, kept while its station data file is missing.
    writeMinMaxFile(minMaxPath(state.tables.folders.minMax, "KSEA"),
                    {20, 12, 25, 15, 5, 15, 41, 59, 40, 95, 1005, 1025, 29.68f, 30.27f});
    const std::string kseaFile = test::readFile(minMaxPath(state.tables.folders.minMax, "KSEA"));
    const std::string kbfiFile = test::readFile(minMaxPath(state.tables.folders.minMax, "KBFI"));
    start();
    choose(1);
    ASSERT_FALSE(state.shown.snapshot().valid());
    dialogs.answers.push_back(FileChoice{copy, "KSEA 2023 12 06.txt"});
    window->importStationData();
    ASSERT_TRUE(state.shown.snapshot().valid()) << lastText();

    EXPECT_EQ(test::readFile(minMaxPath(state.tables.folders.minMax, "KSEA")), kseaFile);
    EXPECT_EQ(test::readFile(minMaxPath(state.tables.folders.minMax, "KBFI")), kbfiFile);
    const std::optional<MinMaxRecord> shown = state.shown.model(state.tables.units, {}).extremes;
    ASSERT_TRUE(shown);
    EXPECT_GE(shown->maxWind, 20);   // KSEA's own highest wind
    EXPECT_LT(shown->maxWind, 150);  // never KBFI's
    EXPECT_GT(shown->minTemp, -30);

    // The export of what is shown now is named by KSEA's own report.
    const std::string& present = state.shown.snapshot().presentText;
    window->exportShownStation();
    EXPECT_EQ(lastText(), "File saved as " + joinPath(state.tables.folders.stationData,
                                                      exportFileName("KSEA", reportDateLine(present))));
    EXPECT_NE(reportDateLine(present), reportDateLine(test::readData("observations/noaa-decoded/KBFI-2.txt")));
}
