// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/alarm_watch.h"

#include <algorithm>

#include "observations/station_data.h"
#include "platform/core/file_io.h"
#include "platform/core/file_lock.h"
#include "platform/core/number_text.h"

namespace ventoral {

std::vector<std::string> stationsOfUpdate(const AppState& state)
{
    std::vector<std::string> codes;
    if (!state.tables.units.updateAll) {
        const std::string current = state.tables.shortList.currentStation();
        if (!current.empty())
            codes.push_back(current);
        return codes;
    }
    for (const std::string& entry : state.tables.shortList.entries) {
        const std::string code(trimBlanks(std::string_view(entry).substr(0, 4)));
        if (!code.empty() && std::find(codes.begin(), codes.end(), code) == codes.end())
            codes.push_back(code);
    }
    return codes;
}

AlarmCheck alarmCheckAfterUpdate(const AppState& state, const std::string& stateFile)
{
    return {state.settingsFile, state.tables.folders.stationData, stationsOfUpdate(state), stateFile};
}

namespace {

// The read-check-write of the state file, whole under its lock.
AlarmCheckResult raisedUnderLock(const AlarmCheck& check, const AlarmSettings& settings)
{
    AlarmCheckResult result;
    const auto slash = check.stateFile.find_last_of('/');
    if (slash != std::string::npos)
        createFolder(check.stateFile.substr(0, slash));
    const std::string lockFile = lockFileOf(check.stateFile);
    const std::optional<FileLock> lock = FileLock::take(lockFile, kAlarmStateWait);
    // Where no lock file can be made, no state file can be written.
    if (!lock && nothingAt(lockFile))
        result.stateProblem = AlarmStateProblem::NotWritten;
    const std::optional<std::string> before = readWholeFile(check.stateFile);
    if (!before && !nothingAt(check.stateFile))
        result.stateProblem = AlarmStateProblem::NotRead;
    AlarmState state = AlarmState::fromText(before.value_or(""));

    for (const std::string& code : check.stations) {
        const StationTexts texts = ReadData(stationDataPath(check.stationDataFolder, code), code);
        if (!texts.dataValid)
            continue;
        const auto now = state.update(code, alarmReadingsOf(texts.presentText, texts.lastText), settings.limitsFor(code));
        result.raised.insert(result.raised.end(), now.begin(), now.end());
    }

    const std::string after = state.toText();
    if (after != before.value_or("") && !writeFileAtomically(check.stateFile, after))
        result.stateProblem = AlarmStateProblem::NotWritten;
    return result;
}

} // namespace

AlarmCheckResult checkAlarms(const AlarmCheck& check, Notifier& notifier)
{
    const AlarmCheckResult result = raisedUnderLock(check, ReadAlarmSettings(IniDocument::load(check.settingsFile)));
    for (const RaisedAlarm& alarm : result.raised)
        notifier.notify(kAlarmTitle, alarmMessage(alarm));
    return result;
}

std::vector<RaisedAlarm> AlarmWatch::afterUpdate(const AppState& state)
{
    AlarmCheckResult result = checkAlarms(alarmCheckAfterUpdate(state, m_stateFile), m_notifier);
    if (result.stateProblem && !m_reported && m_report) {
        m_reported = true;
        m_report(*result.stateProblem, m_stateFile);
    }
    return std::move(result.raised);
}

} // namespace ventoral
