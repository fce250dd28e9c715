// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// ventoral-cli: the report parsers for scripts and for checking files.
//
//   ventoral-cli present FILE [--speed Kph|Mph] [--temp C|F] [--pressure hPa|In]
//                             [--utc-offset HOURS] [--now YYYY-MM-DDTHH:MM:SS]
//
// --now is a local time in the machine's zone (TZ), or in the fixed zone
// --utc-offset gives (hours, 5.5 for UTC+5:30).
//   ventoral-cli trend FILE [--speed Kph|Mph]
//
// Each prints one JSON object. A missing or unreadable file, or a bad
// option, prints one line on standard error and exits with status 2.
// The snapshot and update commands are in app/snapshot.h and cli/cli_update.h.

#include <iosfwd>
#include <string>
#include <vector>

#include "platform/core/civil_time.h"
#include "platform/core/time_zone.h"

namespace ventoral {

struct CliEnvironment {
    const TimeZone* zone = nullptr;   // the machine's zone, used without --utc-offset; nothing: UTC
    CivilTime nowUtc;                 // the real UTC clock, used without --now
    const DateForms* forms = nullptr;
};

// args excludes the program name.
int runCli(const std::vector<std::string>& args, const CliEnvironment& env, std::ostream& out, std::ostream& err);

} // namespace ventoral
