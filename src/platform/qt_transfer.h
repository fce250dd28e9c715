// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The transfer over QNetworkAccessManager: a whole-answer deadline on every
// transfer, redirects that are no less safe, a User-Agent naming Ventoral,
// and a 20 MB cap on every body.
//
// The states of a started transfer come from the reply's signals:
//   start                    -> 1 "Seeking"
//   socketStartedConnecting  -> 3 "Connecting to"
//   encrypted                -> 4 "Connected to" (https only)
//   requestSent              -> 6 "Request sent to"
//   metaDataChanged          -> 7 "Receiving response from" (headers read)
//   first bytes of the body  -> 8 (the read can start; more bytes follow)
//   finished, an answer      -> 8 if not yet sent, then 12
//   finished, no answer      -> 11 (refused, past the deadline, reset, too large)
// 8 is sent from the event loop, never from inside a signal of the reply,
// so the reader may wait for more bytes in a nested loop.
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

    FetchResult fetch(const std::string& address, std::chrono::milliseconds deadline) override;
    std::string start(const std::string& address, std::chrono::milliseconds deadline) override;
    bool stillExecuting() const override { return m_executing; }
    std::string getChunk(std::size_t size) override;
    int httpStatus() const override { return m_status; }
    std::string contentType() const override { return m_contentType; }
    std::string address() const override { return m_address; }
    void cancel() override;

private:
    void takeHead(QNetworkReply* reply);
    void append(const QByteArray& bytes);
    // State 8, once per transfer.
    void reportBody(unsigned generation);
    void finishStarted(QNetworkReply* reply, unsigned generation);

    QNetworkAccessManager m_manager;
    QPointer<QNetworkReply> m_reply;    // of fetch
    QPointer<QNetworkReply> m_started;  // of start
    bool m_cancelled = false;

    std::string m_address;
    QByteArray m_body;       // arrived; read up to m_offset
    qsizetype m_offset = 0;
    qint64 m_received = 0;
    int m_status = 0;
    std::string m_contentType;
    bool m_executing = false;
    bool m_bodyReported = false;
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
