// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Everything the program shares between its windows for the whole run,
// owned by the application and handed on by reference.

#include <string>
#include <vector>

#include "settings/settings.h"
#include "platform/core/trace_log.h"
#include "session/download_state.h"
#include "session/window_placement.h"
#include "platform/core/civil_time.h"
#include "session/shown_station.h"

namespace ventoral {

struct AppState {
    std::string settingsFile;
    std::string programFolder;
    std::string deliveredDataFolder;
    CivilTime startDate;
    std::vector<ScreenArea> screens;   // primary first, as the main window found them
    // Full UTC dates, so a schedule that passes midnight keeps its order.
    CivilTime nextUpdateTime;
    CivilTime lastTickTime;
    bool startupComplete = false;

    AppTables tables;
    // The station the main window shows.
    ShownStation shown;
    DownloadState download;
    TraceLog trace;

    DisplayUnits displayUnits() const
    {
        return DisplayUnits::fromTexts(tables.units.speedUnit, tables.units.temperatureUnit, tables.units.pressureUnit);
    }
};

} // namespace ventoral
