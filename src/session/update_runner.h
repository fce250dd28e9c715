// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The station data update as the main window's menu and timer start it.

namespace ventoral {

class UpdateRunner {
public:
    virtual ~UpdateRunner() = default;
    // True while a download runs; the timer then skips its update.
    virtual bool busy() const = 0;
    virtual void runUpdate() = 0;
    // The download panel's Cancel.
    virtual void cancel() {}
};

// Until downloads exist: counts the updates asked for.
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
