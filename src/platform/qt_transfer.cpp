#include "platform/qt_transfer.h"

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

QNetworkRequest requestFor(const QUrl& url, int timeoutMs)
{
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QString::fromStdString(userAgent()));
    request.setTransferTimeout(timeoutMs);
    return request;
}

// An HTTP error still is an answer: its page is the body.
bool isAnswer(QNetworkReply* reply)
{
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    return reply->error() == QNetworkReply::NoError ||
           (status >= 400 && reply->error() > QNetworkReply::UnknownProxyError);
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

FetchResult QtTransfer::fetch(const std::string& address)
{
    FetchResult result;
    const QUrl url(QString::fromStdString(address));
    if (!isWebAddress(url)) {
        result.error = "not a web address: " + address;
        return result;
    }
    m_cancelled = false;
    QNetworkReply* reply = m_manager.get(requestFor(url, m_timeoutMs));
    m_reply = reply;
    bool tooLarge = false;
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [&tooLarge, reply](qint64 received, qint64) {
        if (received > kMaxBodyBytes) {
            tooLarge = true;
            reply->abort();
        }
    });
    // The transfer time-out only fires when nothing arrives; a server that
    // sends a byte now and then must not hold the program either.
    bool late = false;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, reply, [&late, reply] {
        late = true;
        reply->abort();
    });
    deadline.start(m_timeoutMs);
    if (!reply->isFinished())
        loop.exec();
    deadline.stop();

    result.httpStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (tooLarge) {
        result.error = "the answer is larger than 20 MB";
    } else if (late) {
        result.error = "no whole answer within the time-out";
    } else if (m_cancelled) {
        result.error = "cancelled";
    } else if (isAnswer(reply)) {
        result.connected = true;
        result.body = reply->readAll().toStdString();
    } else {
        result.error = reply->errorString().toStdString();
    }
    reply->deleteLater();
    m_reply = nullptr;
    return result;
}

std::string QtTransfer::start(const std::string& address, int timeoutSeconds)
{
    if (m_started) {
        ++m_generation;
        m_started->abort();
    }
    m_address = address;
    m_body.clear();
    m_offset = 0;
    m_tooLarge = false;
    m_executing = false;
    const QUrl url(QString::fromStdString(address));
    if (!isWebAddress(url))
        return "Not a web address: " + address;

    const unsigned generation = ++m_generation;
    QNetworkReply* reply = m_manager.get(requestFor(url, timeoutSeconds * 1000));
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
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [report] { report(kStateReceiving); });
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [this, reply, generation] {
        if (generation != m_generation)
            return;
        m_body += reply->readAll();
        if (m_body.size() > kMaxBodyBytes) {
            m_tooLarge = true;
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::finished, reply,
                     [this, reply, generation] { finishStarted(reply, generation); });
    return {};
}

void QtTransfer::finishStarted(QNetworkReply* reply, unsigned generation)
{
    reply->deleteLater();
    if (generation != m_generation)
        return;
    m_executing = false;
    if (m_tooLarge || !isAnswer(reply)) {
        m_body.clear();
        reportState(kStateError);
        return;
    }
    m_body += reply->readAll();
    reportState(kStateResponseReceived);
    if (generation == m_generation || !m_started || m_started == reply)
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
}

void QtEventPump::waitForEvents()
{
    // The timer wakes the wait when nothing else happens.
    QTimer wake;
    wake.start(100);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

} // namespace ventoral
