// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the tray icon shows of the selected station: the rounded temperature
// drawn into the icon, and a tooltip with temperature, wind, pressure and
// the report's age.

#include <string>
#include <string_view>

#include "observations/observation.h"
#include "platform/core/civil_time.h"
#include "settings/units.h"

namespace ventoral {

struct TrayContext {
    DisplayUnits units;   // the units the observation was parsed in
    CivilTime nowUtc;     // the real UTC clock
};

struct TrayText {
    std::string iconText;  // "12", "-5", or "--" without a temperature
    std::string toolTip;   // lines joined by '\n', UTF-8
};

// station: the selected ICAO code, empty when none is selected. The
// observation is the one the last display cycle parsed for that station.
TrayText trayText(std::string_view station, const Observation& obs, const TrayContext& context);

} // namespace ventoral
