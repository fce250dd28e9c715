// SPDX-License-Identifier: GPL-3.0-or-later
// The alarm check after an update: it reads the station files, keeps what it
// raised between runs, stays right when two programs check at once, and says
// when its state file cannot be kept.

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "observations/station_data.h"
#include "platform/core/file_io.h"
#include "session/alarm_watch.h"
#include "test_support.h"

namespace ventoral {
namespace {

class RecordingNotifier : public Notifier {
public:
    std::vector<std::string> bodies;
    bool notify(const std::string& title, const std::string& body) override
    {
        EXPECT_EQ(title, kAlarmTitle);
        bodies.push_back(body);
        return true;
    }
};

using Bodies = std::vector<std::string>;

TEST(CheckAlarms, EachRunReadsTheFilesAndRemembersWhatItRaised)
{
    test::TempDir dir;
    const std::string settings = dir.file("vntl.ini");
    test::writeFile(settings, "[Alarms]\r\nGustKph=40\r\nStations=KSFO\r\nKSFO.PressureFallHpa=2\r\n");
    const std::string data = dir.file("data");
    ASSERT_TRUE(createFolder(data));
    writeStationData(stationDataPath(data, "KBLI"), "", test::readData("observations/noaa-decoded/KBLI-7.txt"));
    writeStationData(stationDataPath(data, "KSFO"), "", test::readData("observations/noaa-decoded/KSFO-3.txt"));
    AlarmCheck check{settings, data, {"KBLI", "KSFO", "KJFK"}, dir.file("state/alarms.txt")};

    RecordingNotifier first;
    // KBLI gusts to 40.3 km/h; KSFO's own limits have no gust limit, but its pressure fell 2.2 hPa.
    const AlarmCheckResult result = checkAlarms(check, first);
    EXPECT_EQ(result.raised.size(), 2u);
    EXPECT_FALSE(result.stateProblem);
    EXPECT_EQ(first.bodies, (Bodies{"KBLI: gust 40.3 km/h, at or above the limit of 40 km/h",
                                    "KSFO: pressure fell 2.2 hPa in 3 hours, at least the limit of 2 hPa"}));
    EXPECT_EQ(test::readFile(check.stateFile), "KBLI Gust\nKSFO PressureFall\n");

    // The next run, from cron, finds the same reports: nothing new.
    RecordingNotifier second;
    EXPECT_TRUE(checkAlarms(check, second).raised.empty());
    EXPECT_TRUE(second.bodies.empty());

    // The gust limit raised above the gust arms it again.
    test::writeFile(settings, "[Alarms]\r\nGustKph=45\r\n");
    EXPECT_TRUE(checkAlarms(check, second).raised.empty());
    EXPECT_EQ(test::readFile(check.stateFile), "");
}

TEST(CheckAlarms, TheStationsOfAnUpdate)
{
    AppState state;
    state.tables.shortList.entries = {"KSEA Seattle", "EGLL", "KSEA again", ""};
    state.tables.shortList.selected = 1;
    state.tables.units.updateAll = true;
    EXPECT_EQ(stationsOfUpdate(state), (std::vector<std::string>{"KSEA", "EGLL"}));
    state.tables.units.updateAll = false;
    EXPECT_EQ(stationsOfUpdate(state), std::vector<std::string>{"EGLL"});
}

// A state file that cannot be kept: each check rings its alarms again, and
// the watch says why the first time only.
TEST(AlarmWatch, AStateThatCannotBeKeptIsSaidOnce)
{
    struct Case {
        const char* what;
        void (*prepare)(const std::string& folder, const std::string& stateFile);
        std::optional<AlarmStateProblem> said;
    };
    const Case cases[] = {
        {"a folder that can be written", [](const std::string&, const std::string&) {}, std::nullopt},
        {"a folder that cannot be written",
         [](const std::string& folder, const std::string& stateFile) {
             test::writeFile(stateFile, "");
             chmod(folder.c_str(), 0555);
         },
         AlarmStateProblem::NotWritten},
        {"a folder in the state file's place",
         [](const std::string&, const std::string& stateFile) { createFolder(stateFile); },
         AlarmStateProblem::NotWritten},
        {"a state file that cannot be read",
         [](const std::string&, const std::string& stateFile) {
             test::writeFile(stateFile, "");
             chmod(stateFile.c_str(), 0);
         },
         AlarmStateProblem::NotRead},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        AppState state;
        state.settingsFile = dir.file("vntl.ini");
        test::writeFile(state.settingsFile, "[Alarms]\r\nGustKph=40\r\n");
        state.tables.folders.stationData = dir.file("data");
        createFolder(state.tables.folders.stationData);
        writeStationData(stationDataPath(state.tables.folders.stationData, "KBLI"), "",
                         test::readData("observations/noaa-decoded/KBLI-7.txt"));
        state.tables.shortList.entries = {"KBLI Bellingham"};
        const std::string folder = dir.file("ventoral");
        const std::string stateFile = joinPath(folder, kAlarmStateFileName);
        createFolder(folder);
        c.prepare(folder, stateFile);

        test::PermissionBitsBind bind;
        RecordingNotifier notifier;
        std::vector<std::pair<AlarmStateProblem, std::string>> said;
        AlarmWatch watch(notifier, stateFile, [&said](AlarmStateProblem problem, const std::string& file) {
            said.emplace_back(problem, file);
        });
        EXPECT_EQ(watch.afterUpdate(state).size(), 1u);
        const std::size_t again = c.said ? 1 : 0;
        EXPECT_EQ(watch.afterUpdate(state).size(), again);
        EXPECT_EQ(notifier.bodies.size(), 1 + again);
        ASSERT_EQ(said.size(), c.said ? 1u : 0u);
        if (c.said) {
            EXPECT_EQ(said[0], std::make_pair(*c.said, stateFile));
        }
        chmod(folder.c_str(), 0755);
    }
}

// Real reports gusting to 24 to 26 MPH.
const std::vector<std::string> kGusting = {"KBLI", "KFNT", "KOKH", "KSFO", "KSIY"};
const char* const kGustReport[] = {"KBLI-7", "KFNT-1", "KOKH-1", "KSFO-3", "KSIY-1"};

class Silent : public Notifier {
public:
    bool notify(const std::string&, const std::string&) override { return true; }
};

class CheckAlarmsAtOnce : public ::testing::Test {
protected:
    CheckAlarmsAtOnce()
    {
        test::writeFile(settings, "[Alarms]\r\nGustKph=30\r\n");
        createFolder(data);
        for (std::size_t i = 0; i < kGusting.size(); ++i)
            writeStationData(stationDataPath(data, kGusting[i]), "",
                             test::readData(std::string("observations/noaa-decoded/") + kGustReport[i] + ".txt"));
    }

    AlarmCheck check(std::vector<std::string> stations) const
    {
        return {settings, data, std::move(stations), stateFile};
    }

    // Each check in a process of its own, all let go at the same moment;
    // the number of alarms each raised.
    static std::vector<int> inProcesses(const std::vector<AlarmCheck>& checks)
    {
        int start[2];
        int results[2];
        if (pipe(start) != 0 || pipe(results) != 0) {
            ADD_FAILURE() << "no pipe";
            return {};
        }
        std::vector<pid_t> children;
        for (std::size_t i = 0; i < checks.size(); ++i) {
            const pid_t pid = fork();
            if (pid == 0) {
                close(start[1]);
                char go;
                if (read(start[0], &go, 1) < 0)
                    _exit(2);
                Silent silent;
                const char raised[2] = {static_cast<char>(i), static_cast<char>(checkAlarms(checks[i], silent).raised.size())};
                _exit(write(results[1], raised, 2) == 2 ? 0 : 2);
            }
            children.push_back(pid);
        }
        close(start[0]);
        close(start[1]);   // every child reads the end of the pipe at once
        close(results[1]);
        std::vector<int> raised(checks.size(), -1);
        char pair[2];
        while (read(results[0], pair, 2) == 2)
            raised[static_cast<std::size_t>(pair[0])] = pair[1];
        close(results[0]);
        for (const pid_t pid : children) {
            int status = 0;
            waitpid(pid, &status, 0);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        return raised;
    }

    test::TempDir dir;
    const std::string settings = dir.file("vntl.ini");
    const std::string data = dir.file("data");
    const std::string stateFile = dir.file("state/alarms-raised.txt");
};

// The window and a cron run finishing their updates at the same moment: an
// alarm rings in one of them only, and neither loses what the other raised.
TEST_F(CheckAlarmsAtOnce, EachAlarmRingsOnceAndNoEntryIsLost)
{
    const std::string all = "KBLI Gust\nKFNT Gust\nKOKH Gust\nKSFO Gust\nKSIY Gust\n";
    struct Case {
        const char* what;
        std::vector<std::vector<std::string>> stations;   // of each process
    };
    const Case cases[] = {
        {"the same stations", {kGusting, kGusting}},
        {"stations apart", {{"KBLI", "KFNT"}, {"KOKH", "KSFO", "KSIY"}}},
        {"three at once", {kGusting, {"KBLI", "KSIY"}, kGusting}},
    };
    constexpr int kRounds = 10;
    for (const Case& c : cases) {
        std::vector<AlarmCheck> checks;
        for (const auto& stations : c.stations)
            checks.push_back(check(stations));
        for (int round = 0; round < kRounds; ++round) {
            std::remove(stateFile.c_str());
            int rung = 0;
            for (const int raised : inProcesses(checks))
                rung += raised;
            ASSERT_EQ(rung, 5) << c.what << ", round " << round;
            ASSERT_EQ(test::readFile(stateFile), all) << c.what << ", round " << round;
        }
    }
}

} // namespace
} // namespace ventoral
