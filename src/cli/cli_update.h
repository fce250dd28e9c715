// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `ventoral-cli update [--all]`: the main window's update without windows,
// for cron. The displayed station, or with --all the whole short list, and
// the maps marked Auto are fetched through the same Downloader as the menu.

#include <iosfwd>
#include <string>
#include <vector>

namespace ventoral {

// Needs a QCoreApplication. args starts after "update"; each alarm the
// update raised goes to out as one line, and progress, one line per station
// saying which source served its present report and its trend and which
// failed ("Present report of KSEA: decoded report; trend: METAR history"),
// messages and errors go to err. Returns 0 when every station's present
// report and trend were renewed and every map marked Auto came; 1 when a
// source failed for a station, a station kept old data, a map failed, a
// file could not be saved, no answer came or no station is selected; and 2
// for a bad argument or a missing settings file.
int runUpdateCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace ventoral
