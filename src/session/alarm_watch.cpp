// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/alarm_watch.h"

#include <algorithm>

#include "observations/station_data.h"
#include "platform/core/file_io.h"
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
    return {state.settingsFile, state.tables.folders.stationData, stationsOfUpdate(state), state.displayUnits(),
            stateFile};
}

std::vector<RaisedAlarm> checkAlarms(const AlarmCheck& check, Notifier& notifier)
{
    const AlarmSettings settings = ReadAlarmSettings(IniDocument::load(check.settingsFile));
    const std::string before = readWholeFile(check.stateFile).value_or("");
    AlarmState state = AlarmState::fromText(before);

    std::vector<RaisedAlarm> raised;
    for (const std::string& code : check.stations) {
        const StationTexts texts = ReadData(stationDataPath(check.stationDataFolder, code), code);
        if (!texts.dataValid)
            continue;
        const auto now = state.update(code, alarmReadingsOf(texts.presentText, texts.lastText), settings.limitsFor(code));
        raised.insert(raised.end(), now.begin(), now.end());
    }

    const std::string after = state.toText();
    if (after != before) {
        const auto slash = check.stateFile.find_last_of('/');
        if (slash != std::string::npos)
            createFolder(check.stateFile.substr(0, slash));
        writeFileAtomically(check.stateFile, after);
    }
    for (const RaisedAlarm& alarm : raised)
        notifier.notify(kAlarmTitle, alarmMessage(alarm, check.units));
    return raised;
}

} // namespace ventoral
