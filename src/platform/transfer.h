// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fetching web addresses: whole texts, and binary bodies read in chunks
// while state numbers report the progress. Waiting lets window events run,
// so Cancel buttons, the timer and the state events keep working meanwhile.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace ventoral {

struct FetchResult {
    bool answered = false;    // a whole answer came, of any status
    // Not answered because no connection could be made (refused, unknown
    // host, no network, or the deadline passed before the request was
    // sent). Other failures (reset, silence, past the deadline) are the
    // address's own.
    bool unreachable = false;
    int httpStatus = 0;
    std::string contentType;  // as sent, "text/html; charset=utf-8"
    std::string body;         // also the body of an error page
    std::string retryAfter;   // the Retry-After header as sent, empty without one
    std::string error;        // why, when not answered
};

// The transfer's progress states.
enum TransferState : int {
    kStateResolving = 1,
    kStateResolved = 2,
    kStateConnecting = 3,
    kStateConnected = 4,
    kStateRequesting = 5,
    kStateRequestSent = 6,
    kStateReceiving = 7,
    kStateResponseReceived = 8,
    kStateDisconnecting = 9,
    kStateDisconnected = 10,
    kStateError = 11,
    kStateCompleted = 12,
};

class Transfer {
public:
    using StateHandler = std::function<void(int state)>;

    virtual ~Transfer() = default;

    // Waits for the whole body, at most deadline from the start.
    virtual FetchResult fetch(const std::string& address, std::chrono::milliseconds deadline) = 0;

    // Starts a GET and returns at once; the states arrive through the
    // handler as events run. A transfer still running at deadline ends
    // with the error state. Returns the reason when it cannot start.
    //
    // State 8 comes as soon as the body starts (or the answer is complete),
    // so the body can be read while it arrives.
    virtual std::string start(const std::string& address, std::chrono::milliseconds deadline) = 0;
    virtual bool stillExecuting() const = 0;
    // The next at most size bytes of the body that have arrived; empty when
    // none are there yet (stillExecuting) or none remain.
    virtual std::string getChunk(std::size_t size) = 0;
    // Of the started transfer's answer, once its headers are in; 0 and
    // empty before.
    virtual int httpStatus() const = 0;
    virtual std::string contentType() const = 0;
    // The address of the running or last transfer.
    virtual std::string address() const = 0;
    // Ends a running transfer (a running fetch then reports no connection);
    // harmless when idle.
    virtual void cancel() = 0;

    void setStateHandler(StateHandler handler) { m_stateHandler = std::move(handler); }

protected:
    void reportState(int state)
    {
        if (m_stateHandler)
            m_stateHandler(state);
    }

private:
    StateHandler m_stateHandler;
};

// Lets the window events run inside a waiting loop.
class EventPump {
public:
    virtual ~EventPump() = default;
    // Runs what is pending and returns.
    virtual void letEventsRun() = 0;
    // Waits until at least one event has been handled (or a short while).
    virtual void waitForEvents() = 0;
};

// A body beyond this is no report or map; the fetch stops rather than fill memory.
inline constexpr std::int64_t kMaxBodyBytes = 20 * 1024 * 1024;

} // namespace ventoral
