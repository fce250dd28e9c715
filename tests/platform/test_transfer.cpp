// SPDX-License-Identifier: GPL-3.0-or-later
// The transfer against a real server on 127.0.0.1.

#include <algorithm>
#include <chrono>

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include "http_test_server.h"
#include "platform/qt_transfer.h"

using namespace ventoral;
using ventoral::test::HttpResponse;
using ventoral::test::HttpTestServer;
using namespace std::chrono_literals;

namespace {

constexpr std::chrono::milliseconds kDeadline = 5s;

class TransferTest : public ::testing::Test {
protected:
    ventoral::test::WithApplication withApplication;
    HttpTestServer server;
    QtTransfer transfer;
};

} // namespace

TEST_F(TransferTest, ReturnsBodiesWholeAndNamesItself)
{
    server.route("/a.txt", HttpResponse(200, "KSEA report\n"));
    server.route("/chunked", HttpResponse(200, std::string(1000, 'c')).inChunks());
    server.route("/empty", HttpResponse(200, ""));
    server.route("/512", HttpResponse(200, std::string(512, 'x')));
    auto r = transfer.fetch(server.base() + "/a.txt", kDeadline);
    EXPECT_TRUE(r.answered);
    EXPECT_EQ(r.httpStatus, 200);
    EXPECT_EQ(r.body, "KSEA report\n");
    EXPECT_EQ(server.lastUserAgent.rfind("Ventoral/", 0), 0u);
    EXPECT_EQ(transfer.fetch(server.base() + "/chunked", kDeadline).body, std::string(1000, 'c'));
    EXPECT_EQ(transfer.fetch(server.base() + "/512", kDeadline).body.size(), 512u);
    r = transfer.fetch(server.base() + "/empty", kDeadline);
    EXPECT_TRUE(r.answered);
    EXPECT_EQ(r.body, "");
}

TEST_F(TransferTest, AnErrorPageIsAnAnswerWithItsBody)
{
    const auto r = transfer.fetch(server.base() + "/missing.TXT", kDeadline);
    EXPECT_TRUE(r.answered);
    EXPECT_EQ(r.httpStatus, 404);
    EXPECT_EQ(r.body.front(), '<');
}

TEST_F(TransferTest, FollowsRedirects)
{
    server.route("/old", HttpResponse(301).to(server.base() + "/new"));
    server.route("/new", HttpResponse(200, "moved here"));
    EXPECT_EQ(transfer.fetch(server.base() + "/old", kDeadline).body, "moved here");
}

TEST_F(TransferTest, OnlyANoConnectionIsUnreachable)
{
    const auto refused = transfer.fetch("http://127.0.0.1:1/x", kDeadline);
    EXPECT_FALSE(refused.answered);
    EXPECT_TRUE(refused.unreachable);
    EXPECT_FALSE(transfer.fetch("not an address", kDeadline).answered);

    // The server took the request and then failed it: the address's fault.
    server.route("/drop", HttpResponse(200, std::string(5000, 'd')).dropAfter(300));
    server.route("/slow", HttpResponse(200, "late").after(3000));
    // A byte every 50 ms never trips the idle time-out; the whole-answer deadline ends it.
    server.route("/trickle", HttpResponse(200, std::string(2000, 't')).trickle(1, 50));
    for (const char* path : {"/drop", "/slow", "/trickle"}) {
        QElapsedTimer clock;
        clock.start();
        const auto r = transfer.fetch(server.base() + path, 300ms);
        EXPECT_LT(clock.elapsed(), 2000) << path;
        EXPECT_FALSE(r.answered) << path;
        EXPECT_FALSE(r.unreachable) << path;
        EXPECT_FALSE(r.error.empty()) << path;
    }
}

TEST_F(TransferTest, GivesTheContentType)
{
    server.route("/page", HttpResponse(200, "\n<!DOCTYPE html>").type("text/html; charset=utf-8"));
    EXPECT_EQ(transfer.fetch(server.base() + "/page", kDeadline).contentType, "text/html; charset=utf-8");
}

// A started transfer: its states, and its body in the chunks that have arrived.
class StartedTransferTest : public TransferTest {
protected:
    StartedTransferTest()
    {
        transfer.setStateHandler([this](int state) {
            states.push_back(state);
            if (state == kStateResponseReceived)
                readWhileArriving();
        });
    }

    // As the downloader reads: what is there, waiting for more while the transfer runs.
    void readWhileArriving()
    {
        for (;;) {
            const std::string chunk = transfer.getChunk(256);
            if (!chunk.empty()) {
                body += chunk;
                if (transfer.stillExecuting())
                    bytesBeforeTheEnd = body.size();
                continue;
            }
            if (!transfer.stillExecuting())
                return;
            events.waitForEvents();
        }
    }
    void waitUntilOver()
    {
        QElapsedTimer clock;
        clock.start();
        while (transfer.stillExecuting() && clock.elapsed() < 10000)
            events.waitForEvents();
        events.letEventsRun();
    }

    QtEventPump events;
    std::vector<int> states;
    std::string body;
    std::size_t bytesBeforeTheEnd = 0;
};

TEST_F(StartedTransferTest, TheBodyIsReadWhileItArrives)
{
    server.route("/map.gif", HttpResponse(200, std::string(3000, 'm')).type("image/gif").trickle(500, 50));
    ASSERT_EQ(transfer.start(server.base() + "/map.gif", kDeadline), "");
    waitUntilOver();
    EXPECT_EQ(body, std::string(3000, 'm'));
    EXPECT_GE(bytesBeforeTheEnd, 500u);
    EXPECT_EQ(transfer.httpStatus(), 200);
    EXPECT_EQ(transfer.contentType(), "image/gif");
    ASSERT_FALSE(states.empty());
    EXPECT_EQ(states.back(), kStateCompleted);
    EXPECT_EQ(std::count(states.begin(), states.end(), kStateResponseReceived), 1);
}

// The end of a transfer comes from the network thread while the read waits
// inside a queued call. Now and then (one transfer in some hundreds) that wait
// was not told of it, and the transfer ran to its deadline; many transfers
// make that show.
TEST_F(StartedTransferTest, EachTransferEndsAsSoonAsItsBodyIsIn)
{
    constexpr int kTransfers = 2000;
    server.route("/map.gif", HttpResponse(200, std::string(1000, 'm')).type("image/gif"));
    int whole = 0;
    for (int i = 0; i < kTransfers; ++i) {
        body.clear();
        states.clear();
        ASSERT_EQ(transfer.start(server.base() + "/map.gif", 500ms), "");
        waitUntilOver();
        whole += body.size() == 1000 && !states.empty() && states.back() == kStateCompleted;
    }
    EXPECT_EQ(whole, kTransfers);
}

TEST_F(StartedTransferTest, ATransferPastItsDeadlineEndsInTheErrorState)
{
    server.route("/trickle.gif", HttpResponse(200, std::string(100, 't')).trickle(1, 100));
    server.route("/silent.gif", HttpResponse(200, "GIF89a").after(60000));
    for (const char* path : {"/trickle.gif", "/silent.gif"}) {
        states.clear();
        QElapsedTimer clock;
        clock.start();
        ASSERT_EQ(transfer.start(server.base() + path, 400ms), "");
        waitUntilOver();
        EXPECT_LT(clock.elapsed(), 3000) << path;
        ASSERT_FALSE(states.empty()) << path;
        EXPECT_EQ(states.back(), kStateError) << path;
    }
}

TEST_F(TransferTest, ABodyOverTwentyMegabytesIsRefused)
{
    server.route("/huge", HttpResponse(200, std::string(21 * 1024 * 1024, 'h')));
    const auto r = transfer.fetch(server.base() + "/huge", kDeadline);
    EXPECT_FALSE(r.answered);
    EXPECT_TRUE(r.body.empty());
}
