// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The words a screen reader reads for the panel's dials, graphs and
// condition strip and for the station wall's tiles: a name for each, and a
// description that reads the figures the captions show with their units
// spelt out ("Wind speed 19.3 kilometres per hour, gusting 30").

#include <string>

#include "instruments/panel_model.h"
#include "instruments/wall_tile.h"

namespace ventoral {

// "Wind direction", "Wind speed", "Temperature", "Humidity", "Air pressure".
std::string dialName(DialKind kind);
// "Wind from the south-west, 230 degrees"; "Wind speed 19.3 kilometres per
// hour, gusting 30"; "Temperature 7.2 degrees Celsius, dew point 3.9" (the
// dew point where the dial shows it); "Humidity 79 percent"; "Air pressure
// 1010 hectopascals, rising slowly, 1.4 in 3 hours".
std::string dialDescription(const PanelModel& model, DialKind kind);

// "Air pressure, last 24 hours" and so on.
std::string graphName(GraphKind kind);
// "From 1021 to 1009 hectopascals, lowest 1008, highest 1022"; the wind
// direction graph "From the south to the south-west"; "No data".
std::string graphDescription(const PanelModel& model, GraphKind kind);

// The condition strip's lines and its coloured tag as words:
// "Visibility: 10 mile(s), Sky conditions: overcast. Flight category VFR".
std::string stripDescription(const PanelModel& model);

// "KSEA Seattle-Tacoma".
std::string tileName(const WallTile& tile);
// Every figure of the tile in the dials' words, then the flight category,
// the weather words, the report's age and its source.
std::string tileDescription(const WallTile& tile);

// "north", "north-north-east", ... "south-west", of the 16-point compass.
std::string compassWords(double degreesFromNorth);

// "kilometres per hour", "degrees Celsius", "hectopascals", ... for the
// dials' unit texts; the text itself for any other.
std::string unitWords(const std::string& unit);

// "41 minutes", "1 hour 5 minutes", "3 days".
std::string ageWords(long long minutes);

} // namespace ventoral
