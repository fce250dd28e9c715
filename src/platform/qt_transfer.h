#pragma once
// The transfer over QNetworkAccessManager: time-outs, redirects that are no
// less safe, a User-Agent naming Ventoral, and a 20 MB cap on every body.
//
// The states of a started transfer come from the reply's signals:
//   start                    -> 1 "Seeking"
//   socketStartedConnecting  -> 3 "Connecting to"
//   encrypted                -> 4 "Connected to" (https only)
//   requestSent              -> 6 "Request sent to"
//   metaDataChanged          -> 7 "Receiving response from" (headers read)
//   finished, an answer      -> 8 (the whole body is buffered), then 12
//   finished, no answer      -> 11 (refused, time-out, reset, too large)
// Qt reports no host lookup, connection or disconnection of its own, so 2,
// 5, 9 and 10 do not occur. An HTTP error page is an answer: its body is read.

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QPointer>

#include "platform/transfer.h"

class QNetworkReply;

namespace ventoral {

class QtTransfer : public Transfer {
public:
    QtTransfer();
    ~QtTransfer() override;

    FetchResult fetch(const std::string& address) override;
    std::string start(const std::string& address, int timeoutSeconds) override;
    bool stillExecuting() const override { return m_executing; }
    std::string getChunk(std::size_t size) override;
    std::string address() const override { return m_address; }
    void cancel() override;

    // The synchronous fetch's time-out; tests shorten it.
    void setTimeoutMs(int ms) { m_timeoutMs = ms; }

private:
    void finishStarted(QNetworkReply* reply, unsigned generation);

    QNetworkAccessManager m_manager;
    QPointer<QNetworkReply> m_reply;    // of fetch
    QPointer<QNetworkReply> m_started;  // of start
    bool m_cancelled = false;
    int m_timeoutMs = kTransferTimeoutSeconds * 1000;

    std::string m_address;
    QByteArray m_body;
    qsizetype m_offset = 0;
    bool m_executing = false;
    bool m_tooLarge = false;
    unsigned m_generation = 0;  // a cancel or a new start silences the old reply
};

class QtEventPump : public EventPump {
public:
    void letEventsRun() override;
    void waitForEvents() override;
};

std::string userAgent();

} // namespace ventoral
