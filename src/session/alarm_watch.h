// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The alarms after each update, for the window and for `ventoral-cli
// update` alike: the stations the update fetched are read from their files,
// each newly crossed limit goes to the notifier, and what is raised is kept
// in a small state file, so a run from cron does not repeat it. The window
// and a run from cron may check at the same moment: one lock file beside the
// state file keeps each read-check-write whole.

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "session/alarms.h"
#include "session/app_state.h"
#include "session/update_runner.h"
#include "platform/notifier.h"

namespace ventoral {

inline constexpr const char* kAlarmTitle = "Ventoral alarm";
inline constexpr const char* kAlarmStateFileName = "alarms-raised.txt";

struct AlarmCheck {
    std::string settingsFile;        // the limits, read afresh each time
    std::string stationDataFolder;
    std::vector<std::string> stations;
    std::string stateFile;
};

// The codes an update fetches: the whole short list when it updates all,
// else the current station.
std::vector<std::string> stationsOfUpdate(const AppState& state);

AlarmCheck alarmCheckAfterUpdate(const AppState& state, const std::string& stateFile);

// How long a check waits for another program's check to end; one takes
// milliseconds, so only a program stuck inside one holds it this long.
inline constexpr std::chrono::milliseconds kAlarmStateWait{10000};

enum class AlarmStateProblem {
    NotRead,     // it is there but cannot be read: every alarm counts as not raised
    NotWritten,  // it cannot be made or replaced: the next check rings the same alarms again
};

struct AlarmCheckResult {
    std::vector<RaisedAlarm> raised;
    std::optional<AlarmStateProblem> stateProblem;
};

// Raises the newly crossed limits, one notification each, and returns them.
// A station whose file is missing or not its own changes nothing. The state
// file is read, checked against and replaced (atomically, only when it
// changed) under its lock; the notifications go out after the lock is let
// go. A lock that cannot be had within kAlarmStateWait is done without.
AlarmCheckResult checkAlarms(const AlarmCheck& check, Notifier& notifier);

// The check after every update of one run of a program. A state file that
// cannot be kept is reported the first time only: each update would say it
// again.
class AlarmWatch {
public:
    using ReportProblem = std::function<void(AlarmStateProblem problem, const std::string& stateFile)>;

    AlarmWatch(Notifier& notifier, std::string stateFile, ReportProblem report)
        : m_notifier(notifier), m_stateFile(std::move(stateFile)), m_report(std::move(report))
    {
    }
    std::vector<RaisedAlarm> afterUpdate(const AppState& state);

private:
    Notifier& m_notifier;
    std::string m_stateFile;
    ReportProblem m_report;
    bool m_reported = false;
};

// Runs the update, then the given step (the alarm check).
class UpdateThen : public UpdateRunner {
public:
    UpdateThen(UpdateRunner& update, std::function<void()> then) : m_update(update), m_then(std::move(then)) {}
    bool busy() const override { return m_update.busy(); }
    void runUpdate() override
    {
        // A second update asked for while one runs is refused by the first.
        if (m_update.busy()) {
            m_update.runUpdate();
            return;
        }
        m_update.runUpdate();
        m_then();
    }
    void cancel() override { m_update.cancel(); }

private:
    UpdateRunner& m_update;
    std::function<void()> m_then;
};

} // namespace ventoral
