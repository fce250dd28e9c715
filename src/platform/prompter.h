// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Message boxes and yes/no questions, answered by a person in the program
// and by a script in tests.

#include <string>

namespace ventoral {

class Prompter {
public:
    virtual ~Prompter() = default;
    virtual void inform(const std::string& title, const std::string& text) = 0;
    virtual void warn(const std::string& title, const std::string& text) = 0;
    // True for Yes.
    virtual bool askYesNo(const std::string& title, const std::string& text) = 0;
};

} // namespace ventoral
