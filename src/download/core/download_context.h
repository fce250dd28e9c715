// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the transfers, the station update and the map downloads share: the
// download record whose flags serialise them, the view they report to (the
// station test lends it to its own window), the downloader window's load
// and unload, and its message boxes.

#include <string>

#include "download/core/download_view.h"
#include "platform/core/trace_log.h"
#include "platform/prompter.h"
#include "platform/transfer.h"
#include "session/download_state.h"

namespace ventoral {

inline constexpr const char* kProgramCaption = "Ventoral";

class DownloadContext {
public:
    DownloadContext(DownloadState& record, Prompter& prompter, EventPump& events, TraceLog& trace)
        : m_record(record), m_prompter(prompter), m_events(events), m_trace(trace)
    {
    }

    DownloadState& record() { return m_record; }
    const DownloadState& record() const { return m_record; }
    DownloadView& view() { return *m_view; }
    void setView(DownloadView* view) { m_view = view ? view : &m_noView; }
    void trace(const char* procedure) const { m_trace.record(procedure); }

    // The downloader window: menus off while it is loaded, all back on
    // when it unloads. Either is harmless when it is so already.
    void load();
    void unload();
    bool loaded() const { return m_loaded; }

    // A message box; the download counts as busy while it is open, so its
    // wait lets the timer run and no update starts under it.
    void showMessage(const std::string& title, const std::string& text);
    // The error list in one "Error" box, then cleared; nothing when empty.
    void showErrors();
    // No connection could be made: the operation ends with "Cannot
    // connect, try later".
    void cannotConnect();

private:
    DownloadState& m_record;
    Prompter& m_prompter;
    EventPump& m_events;
    TraceLog& m_trace;
    DownloadView m_noView;
    DownloadView* m_view = &m_noView;
    bool m_loaded = false;
};

} // namespace ventoral
