// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `ventoral-cli history` and `ventoral-cli records`: the archive of every
// report, read without windows.
//
//   ventoral-cli history CODE [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--format csv|json]
//   ventoral-cli records CODE [--format json|text] [--now YYYY-MM-DDTHH:MM:SS]
//
// An archive that is not there holds nothing: the history is its header
// alone, every record null. A bad option prints one line on standard error
// and exits with status 2.

#include <iosfwd>
#include <string>
#include <vector>

#include "platform/core/civil_time.h"

namespace ventoral {

struct ArchiveCommandEnvironment {
    std::string archiveFile;   // $XDG_DATA_HOME/ventoral/archive.sqlite
    CivilTime nowUtc;          // used when --now is not given
};

class StationStore;

// What the store's archive had to tell (a damaged database set aside, or
// none that can be opened), one line each after "ventoral-cli: ".
void printArchiveNotices(const StationStore& store, std::ostream& err);

// args starts with the command's name; false when it is neither command.
bool isArchiveCommand(const std::vector<std::string>& args);
int runArchiveCommand(const std::vector<std::string>& args, const ArchiveCommandEnvironment& env, std::ostream& out,
                      std::ostream& err);

} // namespace ventoral
