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
// update raised goes to out as one line, and progress, the source of each
// station's stored present report ("Present report of KSEA: decoded
// report"), messages and errors go to err. Returns 0 when every report and every map marked Auto came, 1
// when one did not, could not be saved, no answer came or no station is
// selected, and 2 for a bad argument or a missing settings file.
int runUpdateCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace ventoral
