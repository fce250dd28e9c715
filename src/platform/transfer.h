#pragma once
// Fetching web addresses: whole texts, and binary bodies read in chunks
// while state numbers report the progress. Waiting lets window events run,
// so Cancel buttons, the timer and the state events keep working meanwhile.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace ventoral {

struct FetchResult {
    bool connected = false;   // false: no answer at all (refused, time-out, cancelled, too large)
    int httpStatus = 0;
    std::string body;         // also the body of an error page
    std::string error;        // why, when not connected
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

    // Waits for the whole body.
    virtual FetchResult fetch(const std::string& address) = 0;

    // Starts a GET and returns at once; the states arrive through the
    // handler as events run. Returns the reason when it cannot start.
    virtual std::string start(const std::string& address, int timeoutSeconds) = 0;
    virtual bool stillExecuting() const = 0;
    // The next at most size bytes of the body; empty when none remain.
    virtual std::string getChunk(std::size_t size) = 0;
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

inline constexpr int kTransferTimeoutSeconds = 60;
// A body beyond this is no report or map; the fetch stops rather than fill memory.
inline constexpr std::int64_t kMaxBodyBytes = 20 * 1024 * 1024;

} // namespace ventoral
