// SPDX-License-Identifier: GPL-3.0-or-later
// The station test against a real server on 127.0.0.1: fetched reports are
// marked, sorted into fresh, old and no data, and the remove hint follows.

#include <gtest/gtest.h>

#include "download/core/downloader.h"
#include "download/core/station_test.h"
#include "http_test_server.h"
#include "loopback_downloader.h"
#include "platform/qt_transfer.h"
#include "test_support.h"

using namespace ventoral;
using ventoral::test::HttpResponse;
using ventoral::test::HttpTestServer;

namespace {

// NOAA's decoded report of EDDB with another code and report date.
std::string reportFor(const std::string& code, const std::string& date)
{
    std::string text = test::readData("observations/noaa-decoded/EDDB-1.txt");
    for (std::size_t at = text.find("EDDB"); at != std::string::npos; at = text.find("EDDB", at))
        text.replace(at, 4, code);
    const std::size_t at = text.find("2013.09.26");
    text.replace(at, 10, date);
    return text;
}

class StationTest : public ::testing::Test, protected test::WithApplication, protected test::LoopbackDownloader {
protected:
    StationTest()
    {
        state.settingsFile = home.file("vntl.ini");
        state.tables.addresses[AddressTable::kPresent] = server.base() + "/decoded";
        downloader.setView(&view);
    }

    // The test of the stations of entries, against the server's present reports.
    std::optional<std::vector<std::string>> test(const std::vector<std::string>& entries, DownloadView& shown)
    {
        downloader.setView(&shown);
        return testStations(downloader.context(), downloader.transfers(),
                            {entries, state.tables.addresses[AddressTable::kPresent],
                             state.tables.addresses[AddressTable::kTrend], kDefaultHistoryAnswerCap, now},
                            shown);
    }

    void serve(const std::string& code, HttpResponse response)
    {
        server.route("/decoded/" + code + ".TXT", std::move(response));
    }

    test::TempDir home;
    DownloadView view;
    const CivilTime now{2023, 12, 7, 2, 0, 0};
};

} // namespace

TEST_F(StationTest, SortsFreshOldNoDataAndNoConnectionInListOrder)
{
    serve("FRSH", HttpResponse(200, reportFor("FRSH", "2023.12.07")));
    serve("OLDS", HttpResponse(200, reportFor("OLDS", "2023.12.01")));
    serve("FIVE", HttpResponse(200, reportFor("FIVE", "2023.12.02")));
    // An error page, even one quoting a report, is the service failing.
    serve("HTML", HttpResponse(200, "<HTML><BODY>Not Found</BODY></HTML>").type("text/html"));
    serve("PAGE", HttpResponse(503, reportFor("PAGE", "2023.12.07")));
    // GONE has no route: the server answers 404, that it has no such report.
    const std::vector<std::string> entries = {"FRSH  Fresh", "OLDS  Old", "FIVE  Five",
                                              "HTML  Page",  "GONE  Gone", "PAGE  Quoted"};

    const std::vector<std::string> results = test(entries, view).value();
    EXPECT_EQ(results, (std::vector<std::string>{"FRSH for 2023.12.07", "OLDS for 2023.12.01", "FIVE for 2023.12.02",
                                                 "HTML No connection", "GONE No data", "PAGE No connection"}));
    EXPECT_FALSE(state.download.busy);

    const std::string indent = "\n" + std::string(20, ' ');
    const StationTestSummary summary = sortTestResults(results, now, 0);
    EXPECT_EQ(summary.fresh, indent + "FRSH for 2023.12.07" + indent + "FIVE for 2023.12.02");
    EXPECT_EQ(summary.old, indent + "OLDS for 2023.12.01");
    EXPECT_EQ(summary.noData, indent + "GONE");
    EXPECT_EQ(summary.noConnection, indent + "HTML" + indent + "PAGE");
    EXPECT_EQ(summary.stale, (std::vector<bool>{false, true, false, false, true, false}));
    EXPECT_EQ(removeHint(summary),
              "To remove the stations with old data and the stations with no data from the short list, click Remove.");

    // Five days back in UTC is six days back in local time west of Greenwich.
    const StationTestSummary west = sortTestResults(results, now, -5);
    EXPECT_EQ(west.fresh, indent + "FRSH for 2023.12.07");
    EXPECT_EQ(west.stale, (std::vector<bool>{false, true, true, false, true, false}));
}

// A timeout, a reset, an error answer or an empty answer is the service
// failing: "No connection", and nothing is offered for removal, also when
// it fails for every station.
TEST_F(StationTest, AFailingServiceIsNoEvidenceAndOffersNothingForRemoval)
{
    downloader.setDeadlines({std::chrono::milliseconds(300), std::chrono::milliseconds(300)});
    serve("SLNT", HttpResponse(200, reportFor("SLNT", "2023.12.07")).silent());
    serve("TRKL", HttpResponse(200, reportFor("TRKL", "2023.12.07")).trickle(1, 50));
    serve("RSET", HttpResponse(200, reportFor("RSET", "2023.12.07")).dropAfter(100));
    serve("UNAV", HttpResponse(503, "Service Unavailable"));
    serve("FAIL", HttpResponse(500, "<HTML>Error</HTML>").type("text/html"));
    serve("NONE", HttpResponse(204));
    const std::vector<std::string> entries = {"SLNT", "TRKL", "RSET", "UNAV", "FAIL", "NONE"};

    const std::vector<std::string> results = test(entries, view).value();
    for (std::size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ(results[i], entries[i] + " No connection");
    const StationTestSummary summary = sortTestResults(results, now, 0);
    EXPECT_FALSE(summary.anyStale());
    EXPECT_EQ(summary.stale, std::vector<bool>(entries.size(), false));
    EXPECT_EQ(removeHint(summary), "");

    const StationTestSummary none = sortTestResults(test({}, view).value(), now, 0);
    EXPECT_FALSE(none.anyStale());
    EXPECT_EQ(removeHint(none), "");
}

// A station without a decoded report is looked for at the METAR service:
// with a METAR it is live ("METAR only", fresh or old by the METAR's date);
// an answer without it is no data; a failing service, no connection.
TEST_F(StationTest, AStationWithAMetarButNoDecodedReportIsLive)
{
    state.tables.addresses[AddressTable::kTrend] = server.base() + "/api/data/metar";
    serve("FRSH", HttpResponse(200, reportFor("FRSH", "2023.12.07")));
    server.route("/api/data/metar?ids=EGLC,GONE,OLDM&format=raw&hours=25",
                 HttpResponse(200, "METAR COR EGLC 070150Z AUTO 24009KT 9999 FEW030 06/03 Q1014\n"
                                   "METAR EGLC 070120Z AUTO 09005KT 9999 NCD 05/03 Q1015\n"
                                   "METAR OLDM 300150Z 24009KT 9999 FEW030 06/03 Q1014\n"));
    const std::vector<std::string> entries = {"FRSH", "EGLC", "GONE", "OLDM"};
    const std::vector<std::string> results = test(entries, view).value();
    EXPECT_EQ(results, (std::vector<std::string>{"FRSH for 2023.12.07", "EGLC for 2023.12.07 (METAR only)",
                                                 "GONE No data", "OLDM for 2023.11.30 (METAR only)"}));
    const StationTestSummary summary = sortTestResults(results, now, 0);
    EXPECT_EQ(summary.stale, (std::vector<bool>{false, false, true, true}));

    server.route("/api/data/metar?ids=EGLC,GONE,OLDM&format=raw&hours=25", HttpResponse(503, "Service Unavailable"));
    EXPECT_EQ(test(entries, view).value(), (std::vector<std::string>{"FRSH for 2023.12.07", "EGLC No connection",
                                                                     "GONE No connection", "OLDM No connection"}));
}

TEST_F(StationTest, NothingIsFetchedWhileADownloadRuns)
{
    serve("FRSH", HttpResponse(200, reportFor("FRSH", "2023.12.07")));
    state.download.busy = true;
    EXPECT_FALSE(test({"FRSH"}, view).has_value());
    EXPECT_EQ(server.requests("/decoded/FRSH.TXT"), 0);
}

// Cancels when the test reaches the given station.
class CancellingView : public DownloadView {
public:
    CancellingView(Downloader& downloader, std::string code) : m_downloader(downloader), m_code(std::move(code)) {}
    void setDownloaderText(int, const std::string& text) override
    {
        if (text.size() >= 8 && text.compare(text.size() - 8, 4, m_code) == 0)
            m_downloader.stopAndClose();
    }

private:
    Downloader& m_downloader;
    std::string m_code;
};

TEST_F(StationTest, NoConnectionOrCancelStopsTheTestWithoutResults)
{
    for (const char* code : {"AAAA", "BBBB", "CCCC"})
        serve(code, HttpResponse(200, reportFor(code, "2023.12.07")));

    // No connection: said once, and the stations not fetched are no evidence.
    state.tables.addresses[AddressTable::kPresent] = "http://127.0.0.1:1/decoded";
    EXPECT_FALSE(test({"AAAA", "BBBB", "CCCC"}, view).has_value());
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Cannot connect, try later");
    EXPECT_FALSE(state.download.busy);

    state.tables.addresses[AddressTable::kPresent] = server.base() + "/decoded";
    CancellingView cancelling(downloader, "BBBB");
    EXPECT_FALSE(test({"AAAA", "BBBB", "CCCC"}, cancelling).has_value());
    EXPECT_EQ(server.requests("/decoded/AAAA.TXT"), 1);
    EXPECT_EQ(server.requests("/decoded/CCCC.TXT"), 0);
    EXPECT_EQ(prompter.messages().size(), 1u);
    EXPECT_FALSE(state.download.busy);
    EXPECT_FALSE(state.download.cancelRequested);

    // The next test runs whole.
    EXPECT_TRUE(test({"AAAA", "CCCC"}, view).has_value());
}

TEST(StationTestMarks, ShortTextsAndMissingCodes)
{
    EXPECT_EQ(markTestResult("KJFK", ""), "KJFK No connection No data");
    EXPECT_EQ(markTestResult("KJFK", "Some other station (EGLL)\n"), "KJFK No data");
}
