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

} // namespace ventoral
