// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Opens a web address or a local file in the user's default browser.

#include <string>
#include <vector>

namespace ventoral {

class Browser {
public:
    virtual ~Browser() = default;
    // False when no program could be started for it.
    virtual bool open(const std::string& addressOrPath) = 0;
};

class RecordingBrowser : public Browser {
public:
    std::vector<std::string> opened;
    bool open(const std::string& addressOrPath) override
    {
        opened.push_back(addressOrPath);
        return true;
    }
};

} // namespace ventoral
