// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the downloader shows: the windows implement it (or the command
// line), so the same update, station test and map downloads run with or
// without them. Every call has a do-nothing default.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "download/core/station_outcome.h"
#include "observations/minmax.h"
#include "observations/station_snapshot.h"

namespace ventoral {

// A station's new report as the update stored it.
struct StoredStation {
    std::shared_ptr<const StationSnapshot> snapshot; // never null
    std::optional<MinMaxFileTable> extremes;
};

class DownloadView {
public:
    virtual ~DownloadView() = default;

    // The downloader window's load and unload: menus off, then all back on.
    virtual void downloaderLoaded() {}
    virtual void downloaderUnloaded() {}
    // The seven top-level menus, off while an update runs.
    virtual void disableMenus() {}
    // "&Update" and "Si&tes".
    virtual void setUpdateMenusEnabled(bool) {}
    virtual void setCaption(const std::string&) {}

    // The main window's download panel.
    virtual void showDownloadPanel(bool) {}
    virtual void setStatus(const std::string&) {}
    virtual void setCount(const std::string&) {}
    virtual void showFrame(int) {}
    virtual void noStationSelected() {}
    // An update ended; stored holds every station whose new report it
    // stored, with the extremes kept for it now.
    virtual void updateFinished(const std::vector<StoredStation>& /*stored*/) {}
    // One station of the update is done: which source served its present
    // report and its trend, and which failed.
    virtual void stationUpdated(const StationOutcome& /*outcome*/) {}

    // The downloader window's own labels (1 and 2) and picture.
    virtual void setDownloaderText(int, const std::string&) {}
    virtual void showDownloaderFrame(int) {}

    // The map viewer's download panel.
    virtual void setMapStatus(const std::string&) {}
    virtual void setMapBytes(const std::string&) {}
    virtual void showMapFrame(int) {}
    virtual void showBusyNotice() {}
};

} // namespace ventoral
