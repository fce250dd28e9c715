// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// ventoral-cli: the report parsers for scripts and for checking files.
//
//   ventoral-cli present FILE [--speed Kph|Mph] [--temp C|F] [--pressure hPa|In]
//                             [--utc-offset HOURS] [--now YYYY-MM-DDTHH:MM:SS]
//   ventoral-cli trend FILE [--speed Kph|Mph]
//   ventoral-cli history CODE ..., ventoral-cli records CODE ... (cli/cli_archive.h)
//
// Each prints one JSON object. A missing or unreadable file, or a bad
// option, prints one line on standard error and exits with status 2.
// The snapshot and update commands are in app/snapshot.h and cli/cli_update.h.

#include <iosfwd>
#include <string>
#include <vector>

#include "cli/cli_archive.h"
#include "platform/core/civil_time.h"

namespace ventoral {

struct CliEnvironment {
    double utcOffsetHours = 0;  // used when --utc-offset is not given
    CivilTime nowLocal;         // used when --now is not given
    const DateForms* forms = nullptr;
    ArchiveCommandEnvironment archive;
};

// args excludes the program name.
int runCli(const std::vector<std::string>& args, const CliEnvironment& env, std::ostream& out, std::ostream& err);

} // namespace ventoral
