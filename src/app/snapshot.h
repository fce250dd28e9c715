// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `ventoral-cli snapshot OUT.png [--station CODE]`: the main window drawn
// off-screen from the user's settings and station data, saved as PNG.

#include <iosfwd>
#include <string>
#include <vector>

namespace ventoral {

// Needs a QApplication. args starts after "snapshot". Returns the exit status.
int runSnapshot(const std::vector<std::string>& args, std::ostream& err);

} // namespace ventoral
