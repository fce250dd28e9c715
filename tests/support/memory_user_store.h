// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A per-user store for tests that keeps its values in memory.

#include <map>
#include <string>

#include "platform/user_store.h"

namespace ventoral {

class MemoryUserStore : public UserStore {
public:
    std::string value(const std::string& section, const std::string& key, const std::string& fallback) const override
    {
        const auto it = m_values.find(section + "/" + key);
        return it == m_values.end() ? fallback : it->second;
    }
    void setValue(const std::string& section, const std::string& key, const std::string& value) override
    {
        m_values[section + "/" + key] = value;
    }

private:
    std::map<std::string, std::string> m_values;
};

} // namespace ventoral
