// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Everything the program shares between its windows for the whole run,
// owned by the application and handed on by reference.

#include <string>

#include "settings/settings.h"
#include "platform/core/trace_log.h"
#include "session/download_state.h"
#include "instruments/dial.h"
#include "platform/core/civil_time.h"
#include "observations/minmax.h"
#include "observations/observation.h"

namespace ventoral {

// The station shown in the main window and its two report texts.
struct CurrentStationTexts {
    std::string currentStation;   // four-letter code
    std::string stationDataPath;
    std::string presentText;
    std::string lastText;         // trend report
    bool dataValid = false;
};

struct AppState {
    std::string settingsFile;
    std::string programFolder;
    std::string deliveredDataFolder;
    CivilTime startDate;
    double screenWidthTwips = 0;
    double screenHeightTwips = 0;
    double utcOffsetHours = 0;    // whole hours added to UTC
    // Full dates, so a schedule that passes midnight keeps its order.
    CivilTime nextUpdateTime;
    CivilTime lastTickTime;
    bool startupComplete = false;
    bool gustPointer = true;
    bool dewPointPointer = true;

    AppTables tables;
    CurrentStationTexts station;
    Observation observation;
    TrendSeries trend;
    MinMaxRecord minMax;
    DialGeometry dial;
    DownloadState download;
    TraceLog trace;

    DisplayUnits displayUnits() const
    {
        return DisplayUnits::fromTexts(tables.units.speedUnit, tables.units.temperatureUnit, tables.units.pressureUnit);
    }
};

} // namespace ventoral
