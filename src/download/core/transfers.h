// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The transfers of the downloader: a whole-text fetch for reports and
// METAR histories, and a started transfer for a map whose body is read in
// 256-byte chunks while it arrives. Each has a whole-answer deadline and
// waits with the window events running; each hands over the bytes or says
// why there are none. Judging what the bytes are is the callers' part.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/civil_time.h"
#include "platform/core/trace_log.h"
#include "platform/transfer.h"
#include "session/download_state.h"

namespace ventoral {

// Whole-answer deadlines: a transfer not complete this long after its start
// is an error, however slowly its bytes still trickle in.
struct TransferDeadlines {
    std::chrono::milliseconds text = std::chrono::seconds(20);   // a report or a METAR history
    std::chrono::milliseconds map = std::chrono::seconds(60);    // a map image
};

// An answer that is no report or map: a status other than 2xx, or an HTML
// page (its first non-blank character "<", or a text/html content type).
bool isErrorAnswer(int httpStatus, std::string_view contentType, std::string_view body);

// What a whole-text fetch gave.
struct FetchedText {
    enum class Outcome {
        Text,         // a 2xx answer that is no error page
        NoReport,     // 404 or 410: the server has nothing at that address
        Failed,       // any other error answer or error page, a reset, no whole answer in time
        Unreachable,  // no connection could be made
        Cancelled,    // the user's Cancel ended it
    };
    Outcome outcome = Outcome::Failed;
    std::string body;     // the answer as it came, an error page's too
    int httpStatus = 0;
    std::string reason;   // why it is no Text: "answered 503", "an error page", "no connection"
    std::string retryAfter;   // the Retry-After header, as sent

    bool isText() const { return outcome == Outcome::Text; }
};

// The UTC time a Retry-After header names: whole seconds from nowUtc, or
// an HTTP date ("Wed, 21 Oct 2015 07:28:00 GMT"). Nullopt for anything else.
std::optional<CivilTime> retryAfterUntil(std::string_view header, const CivilTime& nowUtc);

// What a map transfer gave.
struct FetchedMap {
    bool started = false;      // false: the address could not be asked (reason says why)
    bool failed = false;       // no whole answer: a reset, past the deadline, too large
    bool cancelled = false;
    int httpStatus = 0;
    std::string contentType;
    std::string body;
    std::string reason;
};

// The progress of a map transfer as it runs.
class MapTransferProgress {
public:
    virtual ~MapTransferProgress() = default;
    // The status text of a transfer state ("Connecting to" and the address).
    virtual void stateText(const std::string&) {}
    // The bytes of the body received so far.
    virtual void bytesReceived(std::int32_t) {}
};

class Transfers {
public:
    Transfers(DownloadState& record, Transfer& transfer, EventPump& events, TraceLog& trace);

    void setDeadlines(TransferDeadlines deadlines) { m_deadlines = deadlines; }

    // The whole answer of address, at most the text deadline from its start.
    FetchedText fetchText(const std::string& address);

    // Starts a map transfer and waits until it has ended, reading the body
    // as it arrives.
    FetchedMap fetchMap(const std::string& address, MapTransferProgress& progress);

    // Ends the running transfer and the operation waiting for it: the Cancel buttons.
    void cancel();
    // Ends the running transfer, if any; the operation goes on.
    void endTransfer() { m_transfer.cancel(); }

    // The highest index of the body of the running map transfer, -1 when empty.
    std::int32_t lastByteIndex() const;

    // The started transfer's state handler.
    void onTransferState(int state);

private:
    void readBody();

    DownloadState& m_record;
    Transfer& m_transfer;
    EventPump& m_events;
    TraceLog& m_trace;
    TransferDeadlines m_deadlines;

    // Of the running map transfer.
    MapTransferProgress* m_progress = nullptr;   // non-null while one runs
    std::string m_body;
    std::int32_t m_bytesReceived = 0;
    bool m_failed = false;   // it ended in the error state
};

} // namespace ventoral
