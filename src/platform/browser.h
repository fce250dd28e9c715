// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Opens a web address or a local file in the user's default browser.

#include <string>

namespace ventoral {

class Browser {
public:
    virtual ~Browser() = default;
    // False when no program could be started for it.
    virtual bool open(const std::string& addressOrPath) = 0;
};

} // namespace ventoral
