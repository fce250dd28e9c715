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

TEST_F(TransferTest, ReturnsAnswersWholeWithTheirTypeAndNamesItself)
{
    const std::vector<std::pair<std::string, HttpResponse>> routes = {
        {"/a.txt", HttpResponse(200, "KSEA report\n")},
        {"/chunked", HttpResponse(200, std::string(1000, 'c')).inChunks()},
        {"/empty", HttpResponse(200, "")},
        {"/512", HttpResponse(200, std::string(512, 'x'))},
        {"/page", HttpResponse(200, "\n<!DOCTYPE html>").type("text/html; charset=utf-8")},
    };
    for (const auto& [path, response] : routes) {
        server.route(path, response);
        const auto r = transfer.fetch(server.base() + path, kDeadline);
        EXPECT_TRUE(r.answered) << path;
        EXPECT_EQ(r.httpStatus, 200) << path;
        EXPECT_EQ(r.body, response.body) << path;
        EXPECT_EQ(r.contentType, response.contentType) << path;
    }
    EXPECT_EQ(server.lastUserAgent.rfind("Ventoral/", 0), 0u);

    server.route("/old", HttpResponse(301).to(server.base() + "/new"));
    server.route("/new", HttpResponse(200, "moved here"));
    EXPECT_EQ(transfer.fetch(server.base() + "/old", kDeadline).body, "moved here");
    // An error page is an answer with its body.
    const auto missing = transfer.fetch(server.base() + "/missing.TXT", kDeadline);
    EXPECT_TRUE(missing.answered);
    EXPECT_EQ(missing.httpStatus, 404);
    EXPECT_EQ(missing.body.front(), '<');
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

// A started transfer: its states, its body read as the downloader reads it.
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
            if (!transfer.getChunk(256).empty())
                continue;
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
};

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
