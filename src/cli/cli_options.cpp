// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_options.h"

#include <cstdio>

namespace ventoral {

Arguments parseArguments(const std::vector<std::string>& args, const std::vector<std::string>& allowed,
                         const std::string& missing)
{
    Arguments parsed;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) == 0) {
            bool known = false;
            for (const auto& name : allowed)
                known = known || name == arg;
            if (!known)
                throw UsageError{"unknown option " + arg};
            if (i + 1 >= args.size())
                throw UsageError{"option " + arg + " needs a value"};
            parsed.options[arg] = args[++i];
        } else if (parsed.word.empty()) {
            parsed.word = arg;
        } else {
            throw UsageError{"unexpected argument " + arg};
        }
    }
    if (parsed.word.empty())
        throw UsageError{missing};
    return parsed;
}

std::optional<CivilTime> parseDateTime(const std::string& text)
{
    CivilTime t;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c", &t.year, &t.month, &t.day, &t.hour, &t.minute,
                    &t.second, &tail) != 6 ||
        !t.isValid())
        return std::nullopt;
    return t;
}

} // namespace ventoral
