// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A browser for tests: keeps every address it was asked to open.

#include <string>
#include <vector>

#include "platform/browser.h"

namespace ventoral {

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
