// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The downloader: its three rooms (the transfers, the station update and
// the map downloads) over one shared context, for the windows and the
// command line to hold as one. It talks to them only through DownloadView.

#include <functional>
#include <string>

#include "download/core/download_context.h"
#include "download/core/download_view.h"
#include "download/core/map_downloads.h"
#include "download/core/station_update.h"
#include "download/core/transfers.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "platform/transfer.h"
#include "session/app_state.h"
#include "session/update_runner.h"

namespace ventoral {

struct DownloaderServices {
    Transfer& transfer;
    EventPump& events;
    Prompter& prompter;
    const Clock& clock;
};

class Downloader : public UpdateRunner {
public:
    Downloader(AppState& state, DownloaderServices services);

    void setView(DownloadView* view) { m_context.setView(view); }
    void setDeadlines(TransferDeadlines deadlines) { m_transfers.setDeadlines(deadlines); }
    void setStationLookup(std::function<StationInfo(const std::string&)> lookup)
    {
        m_update.setStationLookup(std::move(lookup));
    }

    DownloadContext& context() { return m_context; }
    Transfers& transfers() { return m_transfers; }
    StationUpdate& update() { return m_update; }
    MapDownloads& maps() { return m_maps; }

    // The download panel's and the map viewer's Cancel: the transfer ends
    // and the update menus stay off until the window unloads.
    void cancel() override;
    // Ends any transfer and closes the downloader window: the station
    // test's Cancel button.
    void stopAndClose();
    // Closes the downloader window, when it is open.
    void closeWindow() { m_context.unload(); }
    void showErrors() { m_context.showErrors(); }

    // UpdateRunner. A message box of the downloader's counts as busy: its
    // wait lets the timer run, and no update may start under it.
    bool busy() const override { return m_context.record().busy; }
    void runUpdate() override { m_update.runUpdate(); }

private:
    DownloadContext m_context;
    Transfers m_transfers;
    MapDownloads m_maps;
    StationUpdate m_update;
};

} // namespace ventoral
