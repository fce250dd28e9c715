// SPDX-License-Identifier: GPL-3.0-or-later
// Export and Import of the File menu after a switch of station: each
// station's copy and min/max file only ever hold that station's data.

#include <filesystem>

#include <gtest/gtest.h>

#include "app/main_window_fixture.h"
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
    window->mnuFileSave_Click();
    EXPECT_EQ(prompter.messages().back().kind, "warn");
    EXPECT_EQ(lastText(), "There are no data of KSEA to export. Click Update to download them.");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(state.tables.folders.stationData), {}), before);
}

TEST_F(ExportImportTest, AnExportedCopyImportsAgainOnlyOnItsOwnStation)
{
    start();
    const std::string stationFile = stationDataPath(state.tables.folders.stationData, "KBFI");
    const std::string before = test::readFile(stationFile);
    const CurrentStationTexts shown = state.station;
    window->mnuFileSave_Click();
    const std::string path = joinPath(state.tables.folders.stationData,
                                      exportFileName("KBFI", state.observation.dateLine));
    EXPECT_EQ(lastText(), "File saved as " + path);

    state.station.lastText.clear();
    state.station.presentText.clear();
    dialogs.answers.push_back(FileChoice{path, path.substr(path.rfind('/') + 1)});
    window->Import_Click();
    EXPECT_EQ(state.station.lastText, shown.lastText);
    EXPECT_EQ(state.station.presentText, shown.presentText);
    EXPECT_TRUE(state.station.dataValid);
    EXPECT_EQ(test::readFile(stationFile), before);

    dialogs.answers.push_back(FileChoice{path, "KSEA 2023 12 06.txt"});
    window->Import_Click();
    EXPECT_EQ(lastText(), "The file does NOT correspond to the selected station");
}

TEST_F(ExportImportTest, ImportOnAStationWithoutDataGivesItsMinMaxFileOnlyItsOwnValues)
{
    // A KSEA copy, exported elsewhere.
    const std::string copy = dir.file("KSEA 2023 12 06.txt");
    ASSERT_TRUE(writeStationData(copy, test::readData("observations/trend/KSEA.TREND"),
                                 test::readData("observations/noaa-decoded/KSEA-1.txt")));
    // KSEA's own record, kept while its station data file is missing.
    writeMinMaxFile(minMaxPath(state.tables.folders.minMax, "KSEA"),
                    {20, 12, 25, 15, 5, 15, 41, 59, 40, 95, 1005, 1025, 29.68f, 30.27f});
    start();
    choose(1);
    ASSERT_FALSE(state.station.dataValid);
    dialogs.answers.push_back(FileChoice{copy, "KSEA 2023 12 06.txt"});
    window->Import_Click();
    ASSERT_TRUE(state.station.dataValid) << lastText();

    const MinMaxFileRead kbfi = readMinMaxFile(minMaxPath(state.tables.folders.minMax, "KBFI"));
    const MinMaxFileRead ksea = readMinMaxFile(minMaxPath(state.tables.folders.minMax, "KSEA"));
    ASSERT_TRUE(ksea.exists);
    EXPECT_LT(ksea.table[0], kbfi.table[0]);   // the highest wind
    EXPECT_GT(ksea.table[4], kbfi.table[4]);   // the lowest temperature
    EXPECT_LT(ksea.table[5], kbfi.table[5]);   // the highest temperature
    EXPECT_FLOAT_EQ(state.minMax.maxWind, ksea.table[0]);

    // The export of what is shown now is named by KSEA's own report.
    window->mnuFileSave_Click();
    EXPECT_EQ(lastText(), "File saved as " + joinPath(state.tables.folders.stationData,
                                                      exportFileName("KSEA", reportDateLine(state.station.presentText))));
    EXPECT_NE(reportDateLine(state.station.presentText),
              reportDateLine(test::readData("observations/noaa-decoded/KBFI-2.txt")));
}
