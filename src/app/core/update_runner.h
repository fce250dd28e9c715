#pragma once
// The station data update as the main window's menu and timer start it.

namespace ventoral {

class UpdateRunner {
public:
    virtual ~UpdateRunner() = default;
    // True while a download runs; the timer then skips its update.
    virtual bool busy() const = 0;
    virtual void runUpdate() = 0;
};

// Until downloads exist: counts the updates asked for.
class CountingUpdateRunner : public UpdateRunner {
public:
    int updates = 0;
    bool isBusy = false;
    bool busy() const override { return isBusy; }
    void runUpdate() override { ++updates; }
};

} // namespace ventoral
