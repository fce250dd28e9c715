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

    void serve(const std::string& code, HttpResponse response)
    {
        server.route("/decoded/" + code + ".TXT", std::move(response));
    }

    test::TempDir home;
    DownloadView view;
    const CivilTime now{2023, 12, 7, 2, 0, 0};
};

} // namespace

TEST_F(StationTest, SortsFreshOldAndNoDataInListOrder)
{
    serve("FRSH", HttpResponse(200, reportFor("FRSH", "2023.12.07")));
    serve("OLDS", HttpResponse(200, reportFor("OLDS", "2023.12.01")));
    serve("FIVE", HttpResponse(200, reportFor("FIVE", "2023.12.02")));
    serve("HTML", HttpResponse(200, "<HTML><BODY>Not Found</BODY></HTML>").type("text/html"));
    // An error page that quotes a report is no data either.
    serve("PAGE", HttpResponse(503, reportFor("PAGE", "2023.12.07")));
    // GONE has no route: the server answers 404 with an error page.
    const std::vector<std::string> entries = {"FRSH  Fresh", "OLDS  Old", "FIVE  Five",
                                              "HTML  Page",  "GONE  Gone", "PAGE  Quoted"};

    const std::vector<std::string> results = TestAll(downloader, state, entries, view).value();
    ASSERT_EQ(results.size(), 6u);
    EXPECT_EQ(results[0], "FRSH for 2023.12.07");
    EXPECT_EQ(results[1], "OLDS for 2023.12.01");
    EXPECT_EQ(results[3].substr(0, 4), "HTML");
    EXPECT_EQ(results[3].substr(results[3].size() - 7), "No data");
    EXPECT_NE(results[4].find("No data"), std::string::npos);
    EXPECT_EQ(results[5], "PAGE No data");
    EXPECT_FALSE(state.download.busy);
    EXPECT_EQ(state.download.stationCodes, results);

    const std::string indent = "\n" + std::string(20, ' ');
    const StationTestSummary summary = sortTestResults(results, now, 0);
    EXPECT_EQ(summary.fresh, indent + "FRSH for 2023.12.07" + indent + "FIVE for 2023.12.02");
    EXPECT_EQ(summary.old, indent + "OLDS for 2023.12.01");
    EXPECT_EQ(summary.noData, indent + "HTML" + indent + "GONE" + indent + "PAGE");
    EXPECT_EQ(summary.stale, (std::vector<bool>{false, true, false, true, true, true}));
    EXPECT_EQ(removeHint(summary),
              "To remove the stations with old data and the stations with no data from the short list, click Remove.");

    // Five days back in UTC is six days back in local time west of Greenwich.
    const StationTestSummary west = sortTestResults(results, now, -5);
    EXPECT_EQ(west.fresh, indent + "FRSH for 2023.12.07");
    EXPECT_EQ(west.stale, (std::vector<bool>{false, true, true, true, true, true}));
}

TEST_F(StationTest, ErrorPagesOnlyGiveTheNoDataHintAndAnEmptyListNone)
{
    serve("AAAA", HttpResponse(500, "<HTML>Error</HTML>").type("text/html"));
    serve("BBBB", HttpResponse(200, "<HTML>not found</HTML>").type("text/html"));
    const StationTestSummary summary =
        sortTestResults(TestAll(downloader, state, {"AAAA", "BBBB"}, view).value(), now, 0);
    EXPECT_TRUE(summary.fresh.empty());
    EXPECT_TRUE(summary.old.empty());
    EXPECT_FALSE(summary.noData.empty());
    EXPECT_EQ(removeHint(summary), "To remove the stations with no data from the short list, click Remove.");

    const StationTestSummary none = sortTestResults(TestAll(downloader, state, {}, view).value(), now, 0);
    EXPECT_FALSE(none.anyStale());
    EXPECT_EQ(removeHint(none), "");
}

TEST_F(StationTest, NothingIsFetchedWhileADownloadRuns)
{
    serve("FRSH", HttpResponse(200, reportFor("FRSH", "2023.12.07")));
    state.download.busy = true;
    EXPECT_FALSE(TestAll(downloader, state, {"FRSH"}, view).has_value());
    EXPECT_EQ(server.requests("/decoded/FRSH.TXT"), 0);
}

// Cancels when the test reaches the given station.
class CancellingView : public DownloadView {
public:
    CancellingView(Downloader& downloader, std::string code) : m_downloader(downloader), m_code(std::move(code)) {}
    void setDownloaderText(int, const std::string& text) override
    {
        if (text.size() >= 8 && text.compare(text.size() - 8, 4, m_code) == 0)
            m_downloader.btnCancel_Click();
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
    EXPECT_FALSE(TestAll(downloader, state, {"AAAA", "BBBB", "CCCC"}, view).has_value());
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Cannot connect, try later");
    EXPECT_FALSE(state.download.busy);

    state.tables.addresses[AddressTable::kPresent] = server.base() + "/decoded";
    CancellingView cancelling(downloader, "BBBB");
    EXPECT_FALSE(TestAll(downloader, state, {"AAAA", "BBBB", "CCCC"}, cancelling).has_value());
    EXPECT_EQ(server.requests("/decoded/AAAA.TXT"), 1);
    EXPECT_EQ(server.requests("/decoded/CCCC.TXT"), 0);
    EXPECT_EQ(prompter.messages().size(), 1u);
    EXPECT_FALSE(state.download.busy);
    EXPECT_FALSE(state.download.cancelRequested);

    // The next test runs whole.
    EXPECT_TRUE(TestAll(downloader, state, {"AAAA", "CCCC"}, view).has_value());
}

TEST(StationTestMarks, ShortTextsAndMissingCodes)
{
    EXPECT_EQ(markTestResult("KJFK", ""), "KJFK No connection No data");
    EXPECT_EQ(markTestResult("KJFK", "Some other station (EGLL)\n"), "KJFK No data");
}
