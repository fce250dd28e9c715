// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_transfer.h"

#include <functional>

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

namespace ventoral {

namespace {

bool isWebAddress(const QUrl& url)
{
    return url.isValid() && (url.scheme() == "http" || url.scheme() == "https") && !url.host().isEmpty();
}

QNetworkRequest requestFor(const QUrl& url, std::chrono::milliseconds deadline)
{
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QString::fromStdString(userAgent()));
    request.setTransferTimeout(static_cast<int>(deadline.count()));
    return request;
}

// An HTTP error still is an answer: its page is the body.
bool isAnswer(QNetworkReply* reply)
{
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    return reply->error() == QNetworkReply::NoError ||
           (status >= 400 && reply->error() > QNetworkReply::UnknownProxyError);
}

// No connection could be made: the line or the host, not this address.
bool isUnreachable(QNetworkReply::NetworkError error)
{
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::UnknownNetworkError:
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyNotFoundError:
        return true;
    default:
        return false;
    }
}

// Aborts reply when the whole answer has not come by deadline, after
// telling onLate. The timer lives with the reply.
QTimer* abortAt(QNetworkReply* reply, std::chrono::milliseconds deadline, const std::function<void()>& onLate = {})
{
    auto* timer = new QTimer(reply);
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, reply, [onLate, reply] {
        if (onLate)
            onLate();
        reply->abort();
    });
    timer->start(deadline);
    return timer;
}

} // namespace

std::string userAgent()
{
    return "Ventoral/" VENTORAL_VERSION " (desktop weather-station monitor)";
}

QtTransfer::QtTransfer()
{
    m_manager.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
}

QtTransfer::~QtTransfer()
{
    ++m_generation;
    if (m_started)
        m_started->abort();
    if (m_reply)
        m_reply->abort();
}

FetchResult QtTransfer::fetch(const std::string& address, std::chrono::milliseconds deadline)
{
    FetchResult result;
    const QUrl url(QString::fromStdString(address));
    if (!isWebAddress(url)) {
        result.error = "not a web address: " + address;
        return result;
    }
    m_cancelled = false;
    QNetworkReply* reply = m_manager.get(requestFor(url, deadline));
    m_reply = reply;
    bool tooLarge = false;
    bool sent = false;
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(reply, &QNetworkReply::requestSent, reply, [&sent] { sent = true; });
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [&tooLarge, reply](qint64 received, qint64) {
        if (received > kMaxBodyBytes) {
            tooLarge = true;
            reply->abort();
        }
    });
    // The transfer time-out only fires when nothing arrives; a server that
    // sends a byte now and then must not hold the program either.
    bool late = false;
    QTimer* timer = abortAt(reply, deadline, [&late] { late = true; });
    if (!reply->isFinished())
        loop.exec();
    // late is about to go; the reply goes a little later.
    timer->stop();

    result.httpStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    result.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toString().toStdString();
    result.retryAfter = reply->rawHeader("Retry-After").trimmed().toStdString();
    if (tooLarge) {
        result.error = "the answer is larger than 20 MB";
    } else if (late) {
        result.error = "no whole answer within " + std::to_string(deadline.count() / 1000) + " s";
        result.unreachable = !sent;
    } else if (m_cancelled) {
        result.error = "cancelled";
    } else if (isAnswer(reply)) {
        result.answered = true;
        result.body = reply->readAll().toStdString();
    } else {
        result.error = reply->errorString().toStdString();
        result.unreachable = isUnreachable(reply->error());
    }
    reply->deleteLater();
    m_reply = nullptr;
    return result;
}

std::string QtTransfer::start(const std::string& address, std::chrono::milliseconds deadline)
{
    if (m_started) {
        ++m_generation;
        m_started->abort();
    }
    m_address = address;
    m_body.clear();
    m_offset = 0;
    m_received = 0;
    m_status = 0;
    m_contentType.clear();
    m_tooLarge = false;
    m_executing = false;
    m_bodyReported = false;
    const QUrl url(QString::fromStdString(address));
    if (!isWebAddress(url))
        return "Not a web address: " + address;

    const unsigned generation = ++m_generation;
    QNetworkReply* reply = m_manager.get(requestFor(url, deadline));
    m_started = reply;
    m_executing = true;
    const auto report = [this, generation](int state) {
        if (generation == m_generation)
            reportState(state);
    };
    QTimer::singleShot(0, reply, [report] { report(kStateResolving); });
    QObject::connect(reply, &QNetworkReply::socketStartedConnecting, reply, [report] { report(kStateConnecting); });
    QObject::connect(reply, &QNetworkReply::encrypted, reply, [report] { report(kStateConnected); });
    QObject::connect(reply, &QNetworkReply::requestSent, reply, [report] { report(kStateRequestSent); });
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [this, reply, report] {
        takeHead(reply);
        report(kStateReceiving);
    });
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [this, reply, generation] {
        if (generation != m_generation)
            return;
        const QByteArray bytes = reply->readAll();
        m_received += bytes.size();
        if (m_received > kMaxBodyBytes) {
            m_tooLarge = true;
            reply->abort();
            return;
        }
        append(bytes);
        if (!m_bodyReported)
            QTimer::singleShot(0, reply, [this, generation] { reportBody(generation); });
    });
    // Past the deadline the reply is aborted: no answer, error state.
    abortAt(reply, deadline);
    QObject::connect(reply, &QNetworkReply::finished, reply,
                     [this, reply, generation] { finishStarted(reply, generation); });
    return {};
}

void QtTransfer::takeHead(QNetworkReply* reply)
{
    m_status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    m_contentType = reply->header(QNetworkRequest::ContentTypeHeader).toString().toStdString();
}

void QtTransfer::reportBody(unsigned generation)
{
    if (generation != m_generation || m_bodyReported)
        return;
    m_bodyReported = true;
    reportState(kStateResponseReceived);
}

void QtTransfer::finishStarted(QNetworkReply* reply, unsigned generation)
{
    reply->deleteLater();
    if (generation != m_generation)
        return;
    m_executing = false;
    if (m_tooLarge || !isAnswer(reply)) {
        m_body.clear();
        m_offset = 0;
        m_bodyReported = true;  // no read is to start any more
        reportState(kStateError);
        return;
    }
    takeHead(reply);
    const QByteArray rest = reply->readAll();
    m_received += rest.size();
    append(rest);
    // A read already running takes the rest; otherwise it starts now.
    reportBody(generation);
    if (generation == m_generation)
        reportState(kStateCompleted);
}

std::string QtTransfer::getChunk(std::size_t size)
{
    const qsizetype n = std::min<qsizetype>(static_cast<qsizetype>(size), m_body.size() - m_offset);
    if (n <= 0)
        return {};
    std::string chunk(m_body.constData() + m_offset, static_cast<std::size_t>(n));
    m_offset += n;
    return chunk;
}

void QtTransfer::append(const QByteArray& bytes)
{
    // What was read goes, now and then rather than at every chunk.
    if (m_offset == m_body.size() || m_offset > 64 * 1024) {
        m_body.remove(0, m_offset);
        m_offset = 0;
    }
    m_body += bytes;
}

void QtTransfer::cancel()
{
    m_cancelled = true;
    if (m_reply)
        m_reply->abort();
    if (m_started && m_executing) {
        ++m_generation;
        m_executing = false;
        m_started->abort();
    }
}

void QtEventPump::letEventsRun()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents();
}

void QtEventPump::waitForEvents()
{
    // The timer wakes the wait when nothing else happens.
    QTimer wake;
    wake.start(100);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    // A wait nested in a queued call (the read of a started transfer runs in
    // one) is not always told of what the network thread posts meanwhile,
    // such as the transfer's end: the glib event loop can leave it queued
    // until the outer call returns. Taking the queue here delivers it.
    QCoreApplication::sendPostedEvents();
}

} // namespace ventoral
