// The transfer against a real server on 127.0.0.1.

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include "http_test_server.h"
#include "platform/qt_transfer.h"

using namespace ventoral;
using ventoral::test::HttpResponse;
using ventoral::test::HttpTestServer;

namespace {

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
    auto r = transfer.fetch(server.base() + "/a.txt");
    EXPECT_TRUE(r.connected);
    EXPECT_EQ(r.httpStatus, 200);
    EXPECT_EQ(r.body, "KSEA report\n");
    EXPECT_EQ(server.lastUserAgent.rfind("Ventoral/", 0), 0u);
    EXPECT_EQ(transfer.fetch(server.base() + "/chunked").body, std::string(1000, 'c'));
    EXPECT_EQ(transfer.fetch(server.base() + "/512").body.size(), 512u);
    r = transfer.fetch(server.base() + "/empty");
    EXPECT_TRUE(r.connected);
    EXPECT_EQ(r.body, "");
}

TEST_F(TransferTest, AnErrorPageIsAnAnswerWithItsBody)
{
    const auto r = transfer.fetch(server.base() + "/missing.TXT");
    EXPECT_TRUE(r.connected);
    EXPECT_EQ(r.httpStatus, 404);
    EXPECT_EQ(r.body.front(), '<');
}

TEST_F(TransferTest, FollowsRedirects)
{
    server.route("/old", HttpResponse(301).to(server.base() + "/new"));
    server.route("/new", HttpResponse(200, "moved here"));
    EXPECT_EQ(transfer.fetch(server.base() + "/old").body, "moved here");
}

TEST_F(TransferTest, RefusedDroppedAndSilentServersAreNoAnswer)
{
    const std::string refused = "http://127.0.0.1:1/x";
    EXPECT_FALSE(transfer.fetch(refused).connected);

    server.route("/drop", HttpResponse(200, std::string(5000, 'd')).dropAfter(300));
    EXPECT_FALSE(transfer.fetch(server.base() + "/drop").connected);

    server.route("/slow", HttpResponse(200, "late").after(3000));
    transfer.setTimeoutMs(300);
    const auto r = transfer.fetch(server.base() + "/slow");
    EXPECT_FALSE(r.connected);
    EXPECT_FALSE(r.error.empty());
    EXPECT_FALSE(transfer.fetch("not an address").connected);

    // A byte every 50 ms never trips the idle time-out; the whole-answer one ends it.
    server.route("/trickle", HttpResponse(200, std::string(2000, 't')).trickle(1, 50));
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(transfer.fetch(server.base() + "/trickle").connected);
    EXPECT_LT(clock.elapsed(), 5000);
}

TEST_F(TransferTest, ABodyOverTwentyMegabytesIsRefused)
{
    server.route("/huge", HttpResponse(200, std::string(21 * 1024 * 1024, 'h')));
    const auto r = transfer.fetch(server.base() + "/huge");
    EXPECT_FALSE(r.connected);
    EXPECT_TRUE(r.body.empty());
}
