// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The alarms after each update, for the window and for `ventoral-cli
// update` alike: the stations the update fetched are read from their files,
// each newly crossed limit goes to the notifier, and what is raised is kept
// in a small state file, so a run from cron does not repeat it.

#include <functional>
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
    DisplayUnits units;              // of the messages
    std::string stateFile;
};

// The codes an update fetches: the whole short list when it updates all,
// else the current station.
std::vector<std::string> stationsOfUpdate(const AppState& state);

AlarmCheck alarmCheckAfterUpdate(const AppState& state, const std::string& stateFile);

// Raises the newly crossed limits, one notification each, and returns them.
// A station whose file is missing or not its own changes nothing. The state
// file is replaced atomically, and only when it changed.
std::vector<RaisedAlarm> checkAlarms(const AlarmCheck& check, Notifier& notifier);

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
