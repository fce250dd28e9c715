// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An update for tests of the main window: counts the updates and cancels
// asked for, and says it is busy when told to.

#include "session/update_runner.h"

namespace ventoral {

class CountingUpdateRunner : public UpdateRunner {
public:
    int updates = 0;
    int cancels = 0;
    bool isBusy = false;
    bool busy() const override { return isBusy; }
    void runUpdate() override { ++updates; }
    void cancel() override { ++cancels; }
};

} // namespace ventoral
