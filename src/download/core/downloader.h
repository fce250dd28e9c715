// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The downloader: whole-text fetches of the station reports, started map
// fetches read in 256-byte chunks, the update of the short list, and the
// map downloads. It talks to the windows (or the command line) only
// through DownloadView, so the same update runs with or without them.

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "session/app_state.h"
#include "session/update_runner.h"
#include "session/download_state.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "platform/transfer.h"
#include "observations/present_builder.h"
#include "observations/station_store.h"

namespace ventoral {

// A station's new report as the update stored it.
struct StoredStation {
    StationSnapshot snapshot;
    std::optional<MinMaxFileTable> extremes;
};

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
    // An update ended; stored holds every station whose new report it
    // stored, with the extremes kept for it now.
    virtual void updateFinished(const std::vector<StoredStation>& /*stored*/) {}
    // A station's data were saved; source is "decoded report" or "built
    // from the METAR of HH:MM UTC".
    virtual void presentSaved(const std::string& /*code*/, const std::string& /*source*/) {}

    // The downloader window's own labels (1 and 2) and picture.
    virtual void setDownloaderText(int, const std::string&) {}
    virtual void showDownloaderFrame(int) {}

    // The map viewer's download panel.
    virtual void setMapStatus(const std::string&) {}
    virtual void setMapBytes(const std::string&) {}
    virtual void showMapFrame(int) {}
    virtual void showBusyNotice() {}
};

// Whole-answer deadlines: a transfer not complete this long after its start
// is an error, however slowly its bytes still trickle in.
struct TransferDeadlines {
    std::chrono::milliseconds text = std::chrono::seconds(20);   // a report or a METAR history
    std::chrono::milliseconds map = std::chrono::seconds(60);    // a map image
};

// An answer that is no report or map: a status other than 2xx, or an HTML
// page (its first non-blank character "<", or a text/html content type).
bool isErrorAnswer(int httpStatus, std::string_view contentType, std::string_view body);

// True when a trend report holds the record of at least one hour.
bool trendHasRecords(std::string_view trendText);

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
    void setDeadlines(TransferDeadlines deadlines) { m_deadlines = deadlines; }
    // The station line's parts of a code, for present reports built from a
    // METAR; without one every such report says "Station name not available".
    void setStationLookup(std::function<StationInfo(const std::string&)> lookup) { m_stationLookup = std::move(lookup); }
    DownloadState& record() { return m_state.download; }

    // Whole-text fetch into lastText. False when the operation is to stop:
    // cancelled, or no connection could be made ("Cannot connect, try
    // later"). A server that gave no whole answer leaves lastText empty.
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
    // The error list in one "Error" box, then cleared; nothing when empty.
    void showErrors();

    void setTesting(bool testing) { m_testing = testing; }
    // The last whole fetch gave no report: an error answer, or no whole answer.
    bool lastAnswerBad() const { return m_lastAnswerBad; }
    std::int32_t bytesReceived() const { return m_bytesReceived; }
    // Of the last UpdateAll: stations whose reports did not come, maps that
    // failed, whether a fetch got no answer at all, and the error list it
    // showed.
    int failedStations() const { return m_failedStations; }
    int failedMaps() const { return m_failedMaps; }
    bool connectionFailed() const { return m_connectionFailed; }
    const std::string& reportedErrors() const { return m_reportedErrors; }

    // UpdateRunner. A message box of the downloader's counts as busy: its
    // wait lets the timer run, and no update may start under it.
    bool busy() const override { return m_state.download.busy; }
    void runUpdate() override { mnuUpdate_Click(); }
    void cancel() override { Cancel(); }

private:
    void load();
    void unload();
    void trace(const char* procedure) const { m_state.trace.record(procedure); }
    void fetchFailed();
    void stopTransfer();
    // A message box; the download counts as busy while it is open.
    void showMessage(const std::string& title, const std::string& text);

    enum class Fetched { Report, Missing, Stopped };
    // A report into lastText: Missing for an error answer, no whole answer
    // or a text of 10 characters or fewer; Stopped when the run is to end.
    Fetched fetchReport(const std::string& address);
    // The present report of a station: its decoded report, or the report
    // built from its newest METAR when the decoded one is missing or older.
    // Nullopt when neither is there.
    struct Present {
        std::string text;
        std::optional<CivilTime> builtFrom;   // UTC time of the METAR
    };
    std::optional<Present> choosePresent(const std::string& code, const std::optional<std::string>& decoded,
                                         std::string_view history, const CivilTime& nowUtc);
    // What one update works with, taken when it starts: a settings editor
    // saving meanwhile changes the next update, never the running one.
    struct Run {
        std::vector<std::string> codes;
        AddressTable addresses;
        StationStore store;
        DisplayUnits units;
        std::vector<StoredStation> stored;
    };
    // The METAR history of every code of the run in one request, by station;
    // false when the run is to end.
    bool fetchHistories(const Run& run, std::map<std::string, std::string>& histories);
    // The reports of every code of the run; false when a station's data
    // could not be saved, which ends the update.
    bool updateStations(Run& run);
    void downloadAutoMaps();
    void readBody();
    void judgeMap();
    void storeMap();
    void mapFailed() { ++m_failedMaps; }

    AppState& m_state;
    DownloaderServices m_services;
    DownloadView m_noView;
    DownloadView* m_view = &m_noView;

    bool m_loaded = false;
    std::string m_fileBuffer;
    std::int32_t m_bytesReceived = 0;
    bool m_testing = false;
    TransferDeadlines m_deadlines;
    bool m_lastAnswerBad = false;   // the last whole fetch gave no report
    bool m_transferFailed = false;  // the started transfer ended in the error state
    int m_failedStations = 0;
    int m_failedMaps = 0;
    bool m_connectionFailed = false;
    std::string m_reportedErrors;
    std::function<StationInfo(const std::string&)> m_stationLookup;
};

} // namespace ventoral
