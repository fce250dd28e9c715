// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up in an empty or prepared temporary home.

#include <algorithm>
#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "settings/ini_file.h"
#include "settings/settings.h"
#include "session/startup.h"
#include "platform/core/file_io.h"
#include "test_support.h"
#include "fixed_clock.h"

using namespace ventoral;
using ventoral::test::TempDir;

namespace {

// Writes every face with a chosen size and records what start-up asked of the windows.
class Recorder : public StartupUi, public FaceRenderer, public MainWindowHost {
public:
    std::vector<std::string> events;
    long faceBytes = 1500;
    bool startupCompleteAtStationsLoaded = true;
    AppState* state = nullptr;

    void showSetupNotice(const std::string& text) override { events.push_back("notice:" + text); }
    void hideSetupNotice() override { events.push_back("notice down"); }
    void showSetupWizard() override { events.push_back("wizard"); }
    bool makeFaces(const AppState&, const std::string& folder) override
    {
        events.push_back("faces");
        for (const char* name : kFaceFiles)
            test::writeFile(joinPath(folder, name), std::string(static_cast<std::size_t>(faceBytes), 'x'));
        return true;
    }
    void stationsLoaded() override
    {
        startupCompleteAtStationsLoaded = state->startupComplete;
        events.push_back("stations");
    }
    void startProg() override { events.push_back("startProg"); }
    void showWindow() override { events.push_back("show"); }
};

class Startup : public ::testing::Test {
protected:
    TempDir home;
    FixedLocations locations{home.file("config/ventoral/vntl.ini"), home.file("program"), home.file("program/data")};
    FixedClock clock{CivilTime{2026, 12, 6, 14, 30, 15}};
    Recorder recorder;
    AppState state;

    StartupReport run()
    {
        recorder.events.clear();
        recorder.state = &state;
        state = AppState{};
        return Main(state, {locations, clock, recorder, recorder, recorder});
    }
    std::string settings() const { return test::readFile(locations.settingsFile()); }
};

} // namespace

TEST_F(Startup, FirstRunInAnEmptyHomeCreatesFoldersDefaultsAndFaces)
{
    const StartupReport report = run();
    EXPECT_TRUE(report.firstRun);
    for (const char* folder : kProgramFolders)
        EXPECT_TRUE(std::filesystem::is_directory(joinPath(locations.programFolder(), folder))) << folder;
    EXPECT_FALSE(facesNeedRendering(locations.programFolder()));
    // The wizard opens last, beside the main window, and start-up does not wait for it.
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"notice:Wait while Ventoral completes the setup.", "faces",
                                                         "notice down", "stations", "startProg", "show", "wizard"}));
    EXPECT_TRUE(state.tables.shortList.entries.empty());   // the defaults' blank entry is no station
    EXPECT_FALSE(recorder.startupCompleteAtStationsLoaded);
    EXPECT_TRUE(state.startupComplete);
    EXPECT_FALSE(std::filesystem::exists(home.file("program/TraceLog.txt")));
}

TEST_F(Startup, ASecondRunLoadsTheSettingsAndTouchesNothing)
{
    run();
    WriteIniValue("Stations", "Number", "2", locations.settingsFile());
    WriteIniValue("Stations", "Station1", "KBFI Boeing Field", locations.settingsFile());
    WriteIniValue("Stations", "Station0", "KSEA Seattle", locations.settingsFile());
    WriteIniValue("Stations", "Last", "0", locations.settingsFile());
    WriteIniValue("Units", "U00", "Mph", locations.settingsFile());
    const std::string before = settings();

    const StartupReport report = run();
    EXPECT_FALSE(report.firstRun);
    EXPECT_FALSE(report.facesRendered);
    EXPECT_EQ(settings(), before);
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"stations", "startProg", "show"}));
    EXPECT_EQ(state.tables.shortList.currentStation(), "KSEA");
    EXPECT_EQ(state.tables.units.speedUnit, "Mph");
}

TEST_F(Startup, AFileWithoutTheStationsFolderCountsAsAFirstRun)
{
    run();
    DeleteIniKey("Files", "Stations", locations.settingsFile());
    WriteIniValue("Units", "U00", "Mph", locations.settingsFile());
    const StartupReport report = run();
    EXPECT_TRUE(report.firstRun);
    EXPECT_EQ(state.tables.units.speedUnit, "Kph");
    EXPECT_NE(std::find(recorder.events.begin(), recorder.events.end(), "wizard"), recorder.events.end());
}

TEST_F(Startup, AMissingOrDamagedFaceRendersAllEightWithoutTheWizard)
{
    run();
    const std::string faces = facesFolder(locations.programFolder());
    const std::string before = settings();

    std::filesystem::remove(joinPath(faces, kFaceFiles[3]));
    EXPECT_EQ(run().facesRendered, true);
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"stations", "notice:Wait while Ventoral completes the setup.",
                                                         "faces", "notice down", "startProg", "show"}));
    EXPECT_EQ(settings(), before);

    test::writeFile(joinPath(faces, kFaceFiles[0]), std::string(999, 'x'));
    EXPECT_TRUE(run().facesRendered);

    for (const char* name : kFaceFiles)
        test::writeFile(joinPath(faces, name), std::string(1000, 'x'));
    EXPECT_FALSE(run().facesRendered);
}

TEST_F(Startup, AFolderThatCannotBeCreatedIsReportedNotFatal)
{
    test::writeFile(home.file("program"), "a file where the program folder should be");
    const StartupReport report = run();
    ASSERT_FALSE(report.problems.empty());
    EXPECT_EQ(report.problems.front().first, StartupProblem::FolderNotCreated);
    EXPECT_EQ(recorder.events.back(), "wizard");
}

// A settings file that stands there but cannot be read is no first run: the
// run says so, works on the defaults and never writes the file, not even
// once it reads again.
TEST_F(Startup, ASettingsFileThatCannotBeReadIsReportedAndNeverWritten)
{
    const std::string users = "[Files]\r\nStations=/mine\r\n[Stations]\r\nNumber=1\r\nLast=0\r\nStation0=KSEA\r\n";
    const struct {
        const char* what;
        std::function<void(const std::string& file)> make;
    } cases[] = {
        {"a folder", [](const std::string& file) { std::filesystem::create_directory(file); }},
        {"a file without read permission",
         [&users](const std::string& file) {
             test::writeFile(file, users);
             std::filesystem::permissions(file, std::filesystem::perms::owner_write);
         }},
        {"links that loop",
         [](const std::string& file) {
             std::filesystem::create_symlink(file + ".other", file);
             std::filesystem::create_symlink(file, file + ".other");
         }},
    };
    for (const auto& c : cases) {
        // A file of its own for each case: the run leaves its file untouched for good.
        const std::string folder = home.file(std::string("config-") + std::to_string(&c - cases) + "/ventoral");
        locations = FixedLocations{folder + "/vntl.ini", locations.programFolder(), locations.deliveredDataFolder()};
        const std::string file = locations.settingsFile();
        std::filesystem::create_directories(folder);
        c.make(file);
        const test::PermissionBitsBind asAnyUser;

        const StartupReport report = run();
        EXPECT_FALSE(report.firstRun) << c.what;
        ASSERT_EQ(report.problems.size(), 1u) << c.what;
        EXPECT_EQ(report.problems.front(), std::make_pair(StartupProblem::SettingsUnreadable, file)) << c.what;
        EXPECT_EQ(std::find(recorder.events.begin(), recorder.events.end(), "wizard"), recorder.events.end()) << c.what;
        EXPECT_EQ(state.tables.units.speedUnit, "Kph") << c.what;
        EXPECT_EQ(state.tables.addresses[AddressTable::kPresent], kDefaultPresentAddress) << c.what;
        EXPECT_EQ(state.tables.folders.stationData, defaultStationDataFolder(locations.programFolder())) << c.what;
        EXPECT_TRUE(state.tables.shortList.entries.empty()) << c.what;

        // Made readable again, it still takes no save of this run's defaults.
        std::error_code ec;
        if (std::filesystem::is_regular_file(file, ec))
            std::filesystem::permissions(file, std::filesystem::perms::owner_all);
        EXPECT_FALSE(WriteUnitSettings(file, state.tables.units)) << c.what;
        EXPECT_FALSE(WriteLastStation(file, 0)) << c.what;
        if (std::filesystem::is_regular_file(file, ec))
            EXPECT_EQ(settings(), users) << c.what;
        else
            EXPECT_FALSE(std::filesystem::is_regular_file(std::filesystem::symlink_status(file))) << c.what;
    }
}

// A link into a dotfiles folder made before the first start: the defaults
// land in the file it names, and the link stays.
TEST_F(Startup, ALinkToNothingIsAFirstRunThatMakesTheFileItNames)
{
    std::filesystem::create_directories(home.file("config/ventoral"));
    std::filesystem::create_directories(home.file("dotfiles"));
    std::filesystem::create_symlink(home.file("dotfiles/vntl.ini"), locations.settingsFile());
    const StartupReport report = run();
    EXPECT_TRUE(report.firstRun);
    EXPECT_TRUE(report.problems.empty());
    EXPECT_TRUE(std::filesystem::is_symlink(locations.settingsFile()));
    EXPECT_EQ(IniDocument::load(home.file("dotfiles/vntl.ini")).value("Files", "Stations", ""),
              defaultStationDataFolder(locations.programFolder()));
}

TEST(TraceLog, WritesOneQuotedLinePerProcedureOnlyWhenSwitchedOn)
{
    TempDir dir;
    const std::string file = dir.file("TraceLog.txt");
    test::writeFile(file, "an old log\r\n");
    TraceLog off;
    off.open(file);
    off.record("Module1,Main");
    EXPECT_EQ(test::readFile(file), "an old log\r\n");

    TraceLog on;
    on.setEnabled(true);
    on.open(file);
    on.record("Module1,Main");
    on.record("frmMain,ReadData");
    on.close();
    EXPECT_EQ(test::readFile(file), "\"Module1,Main\"\r\n\"frmMain,ReadData\"\r\n");
}
