// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `ventoral-cli wall --json [--speed Kph|Mph] [--temp C|F] [--pressure hPa|In]`
// prints the station wall as a JSON array, one object per short-list
// station in order: code, name and, for a station with data, the values
// `present` gives under the same names, the flight category, the pressure
// tendency, the report's age and freshness, and the source. Units are the
// settings' unless an option says otherwise.
// `ventoral-cli wall OUT.png` draws the wall off-screen and saves it as PNG.

#include <iosfwd>
#include <string>
#include <vector>

namespace ventoral {

// Needs a QGuiApplication for the picture. args starts after "wall".
// Returns the exit status: 2 for a bad option, no settings or no stations
// set up, or a picture that cannot be written.
int runWallCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace ventoral
