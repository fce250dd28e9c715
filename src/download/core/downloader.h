#pragma once
// The downloader: whole-text fetches of the station reports, started map
// fetches read in 256-byte chunks, the update of the short list, and the
// map downloads. It talks to the windows (or the command line) only
// through DownloadView, so the same update runs with or without them.

#include <string>

#include "session/app_state.h"
#include "session/update_runner.h"
#include "session/download_state.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "platform/transfer.h"

namespace ventoral {

// What the downloader shows. Every call has a do-nothing default.
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
    virtual void showDataStatus(bool /*hasData*/) {}
    // The displayed station's files were read again: parse and draw.
    virtual void redraw() {}

    // The downloader window's own labels (1 and 2) and picture.
    virtual void setDownloaderText(int, const std::string&) {}
    virtual void showDownloaderFrame(int) {}

    // The map viewer's download panel.
    virtual void setMapStatus(const std::string&) {}
    virtual void setMapBytes(const std::string&) {}
    virtual void showMapFrame(int) {}
    virtual void showBusyNotice() {}
};

struct DownloaderServices {
    Transfer& transfer;
    EventPump& events;
    Prompter& prompter;
    const Clock& clock;
};

class Downloader : public UpdateRunner {
public:
    Downloader(AppState& state, DownloaderServices services);

    void setView(DownloadView* view) { m_view = view ? view : &m_noView; }
    DownloadState& record() { return m_state.download; }

    // Whole-text fetch into lastText. False when no answer came; the running
    // operation is then ended ("Cannot connect, try later").
    bool Update(const std::string& address);
    void Cancel();
    void btnCancel_Click();
    // The highest index of the buffer of the started transfer, -1 when empty.
    std::int32_t SafeUBoundFile() const;
    void Inet1_StateChanged(int state);

    // The main window's update: menus off, panel shown, UpdateAll, errors.
    void mnuUpdate_Click();
    void UpdateAll(bool withMaps);

    // True when a fetch was started (and has ended).
    bool dowloadPicture(int index);
    void downLoadOnePic(int index);
    void dwnLoadAllPics();
    // Closes the downloader window, when it is open.
    void closeWindow() { unload(); }

    void setTesting(bool testing) { m_testing = testing; }
    std::int32_t bytesReceived() const { return m_bytesReceived; }
    // Of the last UpdateAll: stations whose reports did not come, whether a
    // fetch got no answer at all, and the error list it showed.
    int failedStations() const { return m_failedStations; }
    bool connectionFailed() const { return m_connectionFailed; }
    const std::string& reportedErrors() const { return m_reportedErrors; }

    // UpdateRunner
    bool busy() const override { return m_state.download.busy; }
    void runUpdate() override { mnuUpdate_Click(); }
    void cancel() override { Cancel(); }

private:
    void load();
    void unload();
    void trace(const char* procedure) const { m_state.trace.record(procedure); }
    void fetchFailed();
    void stopTransfer();
    // The trend report of code, through the METAR history where the
    // address asks for it. False when the fetch gave no answer.
    bool fetchTrend(const std::string& code, std::string& address);
    void readBody();
    void storeMap();

    AppState& m_state;
    DownloaderServices m_services;
    DownloadView m_noView;
    DownloadView* m_view = &m_noView;

    bool m_loaded = false;
    std::string m_fileBuffer;
    std::int32_t m_bytesReceived = 0;
    bool m_testing = false;
    int m_lastStatus = 0;
    int m_failedStations = 0;
    bool m_connectionFailed = false;
    std::string m_reportedErrors;
};

} // namespace ventoral
