// SPDX-License-Identifier: GPL-3.0-or-later
// The chain of sources against loopback services: either source may fail
// and the update goes on with the other; the METAR service is asked within
// its limits (its answer cap, 429 and Retry-After); "METAR COR" reports
// count in the combined answer.

#include <algorithm>
#include <set>

#include <gtest/gtest.h>

#include "download/core/downloader.h"
#include "download/core/metar_trend.h"
#include "loopback_downloader.h"
#include "metar_service.h"
#include "observations/report_source.h"
#include "observations/station_data.h"
#include "observations/trend_parser.h"
#include "platform/core/file_io.h"
#include "test_support.h"

using namespace ventoral;
using ventoral::test::HttpResponse;
using ventoral::test::MetarService;

namespace {

const CivilTime kNow{2023, 12, 7, 2, 0, 0};
const std::string kOldTrend = test::readData("observations/trend/KSEA.TREND");

// NOAA's decoded report of EDDB of 2013 under another code: older than any
// METAR of the service, so the newest METAR stands in when there is one.
std::string decodedReportOf(const std::string& code)
{
    std::string text = test::readData("observations/noaa-decoded/EDDB-1.txt");
    for (std::size_t at = text.find("EDDB"); at != std::string::npos; at = text.find("EDDB", at + code.size()))
        text.replace(at, 4, code);
    return text;
}

class RecordingView : public DownloadView {
public:
    std::vector<std::string> lines;
    void stationUpdated(const StationOutcome& outcome) override { lines.push_back(outcomeLine(outcome)); }
};

class SourceChain : public ::testing::Test, protected test::WithApplication, protected test::LoopbackDownloader {
protected:
    SourceChain()
    {
        clock.set(kNow);
        state.settingsFile = home.file("vntl.ini");
        state.tables.folders.stationData = home.file("Data");
        state.tables.folders.minMax = home.file("MinMax");
        for (const char* folder : {"Data", "MinMax"})
            createFolder(home.file(folder));
        state.tables.addresses[AddressTable::kPresent] = server.base() + "/decoded";
        state.tables.addresses[AddressTable::kTrend] = server.base() + MetarService::kPath;
        state.tables.units.updateAll = true;
        downloader.setView(&view);
    }

    // The short list: codes, each with a decoded report at NOAA.
    void shortList(const std::vector<std::string>& codes)
    {
        for (const std::string& code : codes) {
            state.tables.shortList.entries.push_back(code + " station");
            server.route("/decoded/" + code + ".TXT", HttpResponse(200, decodedReportOf(code)));
        }
        state.tables.shortList.selected = 0;
    }
    std::string dataFile(const std::string& code) const { return stationDataPath(state.tables.folders.stationData, code); }
    StationTexts stored(const std::string& code) const { return ReadData(dataFile(code), code); }
    // Old data of a station: a trend and a report that names it.
    void oldData(const std::string& code)
    {
        writeStationData(dataFile(code), kOldTrend, "old report of " + code);
    }
    // The cycles of a station's stored trend that hold a record.
    int trendHours(const std::string& code) const
    {
        TrendSeries trend;
        trendData(stored(code).lastText, false, trend);
        int hours = 0;
        for (int cycle = 0; cycle < 24; ++cycle)
            hours += trend.at(cycle, TrendSeries::Record).empty() ? 0 : 1;
        return hours;
    }
    std::string historyAddress(const std::string& codes) const
    {
        return server.base() + MetarService::kPath + "?ids=" + codes + "&format=raw&hours=25";
    }
    std::string messages() const
    {
        std::string all;
        for (const auto& m : prompter.messages())
            all += m.text + "\n";
        return all;
    }

    test::TempDir home;
    RecordingView view;
};

std::vector<std::string> codesOf(int count)
{
    std::vector<std::string> codes;
    for (int i = 0; i < count; ++i)
        codes.push_back("KX" + std::string(1, static_cast<char>('A' + i / 26)) + std::string(1, static_cast<char>('A' + i % 26)));
    return codes;
}

} // namespace

// Twenty stations reporting half-hourly give 1,000 reports in 25 hours;
// the service gives at most 400 an answer. Three requests bring every
// station's whole day, and the service is told who asks.
TEST_F(SourceChain, ACappedServiceGivesTwentyHalfHourlyStationsTheirWholeDayInThreeRequests)
{
    MetarService metar(server, clock.nowUtc(), 400);
    const std::vector<std::string> codes = codesOf(20);
    shortList(codes);
    for (const std::string& code : codes)
        metar.reportEvery(code, 30);

    downloader.runUpdate();

    EXPECT_LE(metar.requests(), 3);
    for (const std::string& code : codes) {
        EXPECT_EQ(trendHours(code), 24) << code;
        EXPECT_EQ(presentSource(stored(code).lastText, stored(code).presentText), "built from the METAR of 01:50 UTC")
            << code;
    }
    EXPECT_TRUE(prompter.messages().empty()) << messages();
    EXPECT_EQ(downloader.update().failedSources(), 0);
    EXPECT_EQ(server.lastUserAgent, userAgent());
}

// Answers cut by the service (its own cap lower than the setting, or
// stations reporting more often than counted) are asked again in smaller
// groups, each request once: every station still gets its whole day.
TEST_F(SourceChain, CutAnswersAreAskedAgainInSmallerGroupsEachRequestOnce)
{
    const struct Row {
        const char* what;
        int serviceCap;
        int everyMinutes;
    } rows[] = {{"a service capping at 300", 300, 30}, {"stations reporting every 20 minutes", 400, 20}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        test::HttpTestServer service;
        state.tables.addresses[AddressTable::kTrend] = service.base() + MetarService::kPath;
        MetarService metar(service, clock.nowUtc(), row.serviceCap);
        const std::vector<std::string> codes = codesOf(20);
        state.tables.shortList.entries.clear();
        shortList(codes);
        for (const std::string& code : codes)
            metar.reportEvery(code, row.everyMinutes);

        downloader.runUpdate();

        for (const std::string& code : codes)
            EXPECT_EQ(trendHours(code), 24) << code;
        const std::vector<std::string>& asked = metar.askedFor();
        EXPECT_EQ(std::set<std::string>(asked.begin(), asked.end()).size(), asked.size()) << "a request was repeated";
        EXPECT_LE(metar.requests(), 9);
        EXPECT_EQ(downloader.update().historyRequests(), metar.requests());
        EXPECT_EQ(downloader.update().failedSources(), 0);
    }
}

// A 429 fails its request honestly: the fresh decoded reports are stored
// with the old trends, and the service is asked nothing more until its
// Retry-After has passed, in this run or the next.
TEST_F(SourceChain, TooManyRequestsWithRetryAfterFailsThatRequestAndIsHonoured)
{
    MetarService metar(server, clock.nowUtc(), 400);
    const std::vector<std::string> codes = codesOf(20);
    shortList(codes);
    for (const std::string& code : codes) {
        oldData(code);
        metar.reportEvery(code, 30);
    }
    const std::string firstGroup = "KXAA,KXAB,KXAC,KXAD,KXAE,KXAF,KXAG";
    server.route(std::string(MetarService::kPath) + "?ids=" + firstGroup + "&format=raw&hours=25",
                 HttpResponse(429, "Too Many Requests").header("Retry-After: 120"));

    downloader.runUpdate();

    EXPECT_EQ(server.requests(std::string(MetarService::kPath) + "?ids=" + firstGroup + "&format=raw&hours=25"), 1);
    EXPECT_EQ(metar.requests(), 0);
    for (const std::string& code : codes) {
        EXPECT_EQ(stored(code).presentText, decodedReportOf(code)) << code;
        EXPECT_EQ(stored(code).lastText, kOldTrend) << code;
    }
    EXPECT_EQ(view.lines.front(), "Present report of KXAA: decoded report; trend: old trend kept; METAR history "
                                  "failed (answered 429, asked to wait until 02:02 UTC)");
    EXPECT_EQ(view.lines.back(), "Present report of KXAT: decoded report; trend: old trend kept; METAR history "
                                 "failed (not asked after answered 429, asked to wait until 02:02 UTC)");
    EXPECT_NE(messages().find(historyAddress("KXAT")), std::string::npos);
    EXPECT_EQ(downloader.update().failedSources(), 20);

    // The next update within the two minutes asks the service nothing.
    view.lines.clear();
    downloader.runUpdate();
    EXPECT_EQ(metar.requests(), 0);
    EXPECT_EQ(view.lines.front(), "Present report of KXAA: decoded report; trend: old trend kept; METAR history "
                                  "failed (not asked: the service asked to wait until 02:02 UTC)");

    clock.set(kNow.plusMinutes(3));
    server.route(std::string(MetarService::kPath) + "?ids=" + firstGroup + "&format=raw&hours=25",
                 HttpResponse(200, ""));
    downloader.runUpdate();
    EXPECT_GE(metar.requests(), 2);
}

// NOAA cannot be reached: every present report is built from the station's
// newest METAR, and NOAA is not asked again in the run.
TEST_F(SourceChain, NoaaUnreachableBuildsEveryPresentReportFromTheNewestMetar)
{
    MetarService metar(server, clock.nowUtc(), 400);
    shortList({"EGLC", "EDDB", "KBFI"});
    for (const char* code : {"EGLC", "EDDB", "KBFI"})
        metar.reportEvery(code, 30);
    state.tables.addresses[AddressTable::kPresent] = "http://127.0.0.1:1/decoded";

    downloader.runUpdate();

    for (const char* code : {"EGLC", "EDDB", "KBFI"}) {
        EXPECT_EQ(presentSource(stored(code).lastText, stored(code).presentText), "built from the METAR of 01:50 UTC")
            << code;
        EXPECT_EQ(trendHours(code), 24) << code;
    }
    EXPECT_EQ(view.lines[1], "Present report of EDDB: built from the METAR of 01:50 UTC; trend: METAR history; "
                             "decoded report failed (no connection)");
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Could not find http://127.0.0.1:1/decoded/EGLC.TXT\r\n"
                                           "http://127.0.0.1:1/decoded/EDDB.TXT\r\n"
                                           "http://127.0.0.1:1/decoded/KBFI.TXT");
    EXPECT_FALSE(downloader.update().connectionFailed());
    EXPECT_EQ(downloader.update().failedSources(), 3);
}

// The METAR service failing in any way costs the trends only: each fresh
// decoded report is stored beside the station's old trend.
TEST_F(SourceChain, AFailingMetarServiceKeepsTheOldTrendsWithTheFreshReports)
{
    shortList({"EGLC", "KBFI"});
    const std::string joint = std::string(MetarService::kPath) + "?ids=EGLC,KBFI&format=raw&hours=25";
    const struct Row {
        const char* what;
        std::string trendBase;
        HttpResponse answer;
        std::string reason;
    } rows[] = {
        {"unreachable", "http://127.0.0.1:1/api/data/metar", HttpResponse(), "no connection"},
        {"503", "", HttpResponse(503, "Service Unavailable"), "answered 503"},
        {"an error page", "", HttpResponse(200, "<html><body>Down for maintenance</body></html>"), "an error page"},
        {"empty", "", HttpResponse(204), "no report of EGLC in the answer"},
    };
    downloader.setDeadlines({std::chrono::milliseconds(500), std::chrono::milliseconds(500)});
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        for (const char* code : {"EGLC", "KBFI"})
            oldData(code);
        state.tables.addresses[AddressTable::kTrend] =
            row.trendBase.empty() ? server.base() + MetarService::kPath : row.trendBase;
        server.route(joint, row.answer);
        view.lines.clear();

        downloader.runUpdate();

        for (const char* code : {"EGLC", "KBFI"}) {
            EXPECT_EQ(stored(code).presentText, decodedReportOf(code)) << code;
            EXPECT_EQ(stored(code).lastText, kOldTrend) << code;
        }
        ASSERT_EQ(view.lines.size(), 2u);
        const bool noReport = row.reason.rfind("no report", 0) == 0;
        EXPECT_EQ(view.lines[0], std::string("Present report of EGLC: decoded report; trend: old trend kept; ") +
                                     (noReport ? "no METAR history (" : "METAR history failed (") + row.reason + ")");
        EXPECT_EQ(downloader.update().failedSources(), 2);
        EXPECT_FALSE(downloader.update().connectionFailed());
    }
}

// Only when neither source can be reached does the update stop, saying so
// once, with every old file as it was.
TEST_F(SourceChain, NeitherSourceReachableSaysCannotConnect)
{
    shortList({"EGLC", "KBFI"});
    for (const char* code : {"EGLC", "KBFI"})
        oldData(code);
    const std::string before = test::readFile(dataFile("EGLC"));
    state.tables.addresses[AddressTable::kPresent] = "http://127.0.0.1:1/decoded";
    state.tables.addresses[AddressTable::kTrend] = "http://127.0.0.1:1/api/data/metar";

    downloader.runUpdate();

    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Cannot connect, try later");
    EXPECT_EQ(test::readFile(dataFile("EGLC")), before);
    EXPECT_TRUE(downloader.update().connectionFailed());
    EXPECT_FALSE(downloader.busy());
}

// A corrected report is filed under the station after "METAR COR", in the
// combined answer of several stations.
TEST_F(SourceChain, CorrectedReportsCountInTheCombinedAnswer)
{
    shortList({"EGLC", "EDDB"});
    server.route(std::string(MetarService::kPath) + "?ids=EGLC,EDDB&format=raw&hours=25",
                 HttpResponse(200, "METAR COR EGLC 070150Z AUTO 24009KT 9999 FEW030 06/03 Q1014\n"
                                   "METAR EGLC 070120Z AUTO 09005KT 9999 NCD 05/03 Q1015\n"
                                   "SPECI COR EDDB 070140Z 02012KT 6000 -DZ SCT003 BKN006 08/07 Q1010\n"
                                   "METAR EDDB 070120Z 02011KT 6000 -DZ SCT003 BKN006 08/08 Q1010\n"));

    downloader.runUpdate();

    EXPECT_EQ(presentSource(stored("EGLC").lastText, stored("EGLC").presentText), "built from the METAR of 01:50 UTC");
    EXPECT_NE(stored("EGLC").presentText.find("ob: EGLC 070150Z"), std::string::npos);
    EXPECT_EQ(presentSource(stored("EDDB").lastText, stored("EDDB").presentText), "built from the METAR of 01:40 UTC");
    TrendSeries trend;
    trendData(stored("EGLC").lastText, false, trend);
    EXPECT_EQ(trend.at(2, TrendSeries::TemperatureC), "6.0");
}

// The archive behind the chain: a station it has never seen gets its last
// week once, asked alone; every history served is kept; and when the METAR
// service fails later, each station's day comes from the archive.
TEST_F(SourceChain, TheArchiveGivesANewStationItsWeekOnceAndItsDayWhenTheServiceFails)
{
    state.tables.archive.file = home.file("archive.sqlite");
    MetarService metar(server, clock.nowUtc(), 400);
    shortList({"EGLC", "KBFI"});
    for (const char* code : {"EGLC", "KBFI"})
        metar.reportEvery(code, 60, 9 * 24);

    downloader.runUpdate();
    downloader.runUpdate();

    EXPECT_EQ(metar.askedFor(), (std::vector<std::string>{"EGLC,KBFI", "EGLC", "KBFI", "EGLC,KBFI"}));
    EXPECT_EQ(server.requests(std::string(MetarService::kPath) + "?ids=EGLC&format=raw&hours=168"), 1);
    const StationStore archive({}, {}, std::make_shared<Archive>(state.tables.archive.file));
    for (const char* code : {"EGLC", "KBFI"}) {
        const std::string week = archive.archivedHistory(code, kNow, 9 * 24);
        EXPECT_EQ(std::count(week.begin(), week.end(), '\n'), 7 * 24) << code;
    }

    server.route(historyAddress("EGLC,KBFI").substr(server.base().size()), HttpResponse(503, "Service Unavailable"));
    for (const char* code : {"EGLC", "KBFI"})
        oldData(code);
    view.lines.clear();
    downloader.runUpdate();

    for (const char* code : {"EGLC", "KBFI"})
        EXPECT_EQ(trendHours(code), 24) << code;
    ASSERT_EQ(view.lines.size(), 2u);
    // NOAA's report is older than the archive's newest METAR, which stands in.
    EXPECT_EQ(view.lines[0], "Present report of EGLC: built from the METAR of 01:20 UTC; trend: the archive; "
                             "METAR history failed (answered 503)");
    EXPECT_EQ(downloader.update().failedSources(), 2);
}
