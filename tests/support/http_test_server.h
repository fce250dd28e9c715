// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A real HTTP/1.1 server on 127.0.0.1 for the download tests. It runs in
// the test's own thread: the transfer's waiting loop serves it.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QByteArray>
#include <QCoreApplication>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <sys/socket.h>

namespace ventoral::test {

// The one application of a test program, made on first use.
inline QCoreApplication& testApplication()
{
    static int argc = 1;
    static char name[] = "test_download";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// The first member of a fixture that holds servers or transfers.
struct WithApplication {
    WithApplication() { testApplication(); }
};

struct HttpResponse {
    HttpResponse(int status = 200, std::string body = {}) : status(status), body(std::move(body)) {}
    HttpResponse& type(std::string t) { contentType = std::move(t); return *this; }
    HttpResponse& inChunks() { chunked = true; return *this; }
    HttpResponse& after(int ms) { delayMs = ms; return *this; }
    HttpResponse& dropAfter(long bytes) { dropAfterBytes = bytes; return *this; }
    // Takes the request and never answers.
    HttpResponse& silent() { delayMs = 24 * 3600 * 1000; return *this; }
    HttpResponse& to(std::string address) { location = std::move(address); return *this; }
    // An extra header line, such as "Retry-After: 120".
    HttpResponse& header(std::string line) { headers.push_back(std::move(line)); return *this; }
    HttpResponse& trickle(int bytesPerTick, int tickMs) { trickleBytes = bytesPerTick; trickleMs = tickMs; return *this; }
    // Holds the answer until action has run: the request is in and the
    // client waits for it meanwhile, however long the action takes.
    HttpResponse& whileWaiting(std::function<void()> action) { waitingAction = std::move(action); return *this; }

    int status = 200;
    std::string body;
    std::string contentType = "text/plain";
    bool chunked = false;
    int delayMs = 0;               // before the answer
    long dropAfterBytes = -1;      // reset the connection after this much of the body
    std::string location;          // for 301/302
    std::vector<std::string> headers;
    int trickleBytes = 0;          // send the body this many bytes at a time
    int trickleMs = 0;             // with this pause between
    std::function<void()> waitingAction;   // runs before the answer, once per request
};

class HttpTestServer : public QObject {
public:
    HttpTestServer()
    {
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection())
                serve(socket);
        });
        m_server.listen(QHostAddress::LocalHost, 0);
    }

    std::string base() const { return "http://127.0.0.1:" + std::to_string(m_server.serverPort()); }
    void route(const std::string& path, HttpResponse response) { m_routes[path] = std::move(response); }
    // Answers every path that starts with prefix and has no route of its own.
    void handle(const std::string& prefix, std::function<HttpResponse(const std::string& path)> handler)
    {
        m_handlers[prefix] = std::move(handler);
    }
    int requests(const std::string& path) const
    {
        const auto it = m_counts.find(path);
        return it == m_counts.end() ? 0 : it->second;
    }
    std::string lastUserAgent;

private:
    void serve(QTcpSocket* socket)
    {
        auto buffer = std::make_shared<QByteArray>();
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
            buffer->append(socket->readAll());
            const int end = buffer->indexOf("\r\n\r\n");
            if (end < 0)
                return;
            const QByteArray head = buffer->left(end);
            buffer->clear();
            const QList<QByteArray> lines = head.split('\n');
            const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
            const std::string path = requestLine.value(1).toStdString();
            for (const QByteArray& line : lines)
                if (line.toLower().startsWith("user-agent:"))
                    lastUserAgent = line.mid(11).trimmed().toStdString();
            ++m_counts[path];
            HttpResponse response = responseTo(path);
            const auto later = [socket, response] {
                QTimer::singleShot(response.delayMs, socket, [socket, response] { answer(socket, response); });
            };
            if (!response.waitingAction) {
                later();
                return;
            }
            // The action runs from the event loop, not inside this handler.
            QTimer::singleShot(0, socket, [response, later] {
                response.waitingAction();
                later();
            });
        });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }

    HttpResponse responseTo(const std::string& path) const
    {
        if (const auto it = m_routes.find(path); it != m_routes.end())
            return it->second;
        for (const auto& [prefix, handler] : m_handlers)
            if (path.rfind(prefix, 0) == 0)
                return handler(path);
        return HttpResponse(404, "<html><body>404 Not Found</body></html>").type("text/html");
    }

    static void answer(QTcpSocket* socket, const HttpResponse& r)
    {
        QByteArray out = "HTTP/1.1 " + QByteArray::number(r.status) + " X\r\nContent-Type: " +
                         QByteArray::fromStdString(r.contentType) + "\r\nConnection: close\r\n";
        if (!r.location.empty())
            out += "Location: " + QByteArray::fromStdString(r.location) + "\r\n";
        for (const std::string& line : r.headers)
            out += QByteArray::fromStdString(line) + "\r\n";
        QByteArray body = QByteArray::fromStdString(r.body);
        if (r.dropAfterBytes >= 0) {
            out += "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n";
            socket->write(out + body.left(r.dropAfterBytes));
            socket->flush();
            // A reset, not an orderly close: no linger, so the peer gets RST.
            const linger noLinger{1, 0};
            ::setsockopt(static_cast<int>(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &noLinger,
                         sizeof noLinger);
            socket->abort();
            return;
        }
        if (r.trickleBytes > 0) {
            out += "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n";
            socket->write(out);
            auto* timer = new QTimer(socket);
            auto sent = std::make_shared<qsizetype>(0);
            connect(timer, &QTimer::timeout, socket, [socket, timer, body, sent, step = r.trickleBytes] {
                socket->write(body.mid(*sent, step));
                *sent += step;
                if (*sent >= body.size()) {
                    timer->stop();
                    socket->disconnectFromHost();
                }
            });
            timer->start(r.trickleMs);
            return;
        }
        if (r.chunked) {
            out += "Transfer-Encoding: chunked\r\n\r\n";
            for (int i = 0; i < body.size(); i += 100) {
                const QByteArray piece = body.mid(i, 100);
                out += QByteArray::number(piece.size(), 16) + "\r\n" + piece + "\r\n";
            }
            out += "0\r\n\r\n";
        } else {
            out += "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
        }
        socket->write(out);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    std::map<std::string, HttpResponse> m_routes;
    std::map<std::string, std::function<HttpResponse(const std::string&)>> m_handlers;
    std::map<std::string, int> m_counts;
};

} // namespace ventoral::test
