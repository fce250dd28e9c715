// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The arguments of ventoral-cli's commands: one word (a file or a station
// code) and "--name value" options.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/civil_time.h"

namespace ventoral {

// A bad argument; its message is printed on one line and the exit status is 2.
struct UsageError {
    std::string message;
};

struct Arguments {
    std::string word;
    std::map<std::string, std::string> options;
};

// args[0] is the command. Only the options in allowed are taken, each with
// a value; a second word is an error, and so is none (with the message missing).
Arguments parseArguments(const std::vector<std::string>& args, const std::vector<std::string>& allowed,
                         const std::string& missing);

// "YYYY-MM-DDTHH:MM:SS"; nothing for anything else or a date that is not.
std::optional<CivilTime> parseDateTime(const std::string& text);

} // namespace ventoral
