// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The start of a ventoral-cli command that works on the user's stations:
// the settings file read as the program reads it, without windows, faces
// or a first run's defaults.

#include <iosfwd>

#include "platform/clock.h"
#include "session/app_state.h"

namespace ventoral {

// Fills state from the settings file; false, with a line on err, when the
// file cannot be read or sets up no stations (a first run).
bool startCommand(AppState& state, const Clock& clock, std::ostream& err);

} // namespace ventoral
