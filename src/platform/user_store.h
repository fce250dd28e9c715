// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The per-user store of small values that do not belong in the settings
// file, such as the main window's position.

#include <string>

namespace ventoral {

class UserStore {
public:
    virtual ~UserStore() = default;
    virtual std::string value(const std::string& section, const std::string& key, const std::string& fallback) const = 0;
    virtual void setValue(const std::string& section, const std::string& key, const std::string& value) = 0;
};

} // namespace ventoral
