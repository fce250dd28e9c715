// SPDX-License-Identifier: GPL-3.0-or-later
// The update, the map downloads and the read of started transfers, against
// a real server on 127.0.0.1 that serves NOAA's own reports.

#include <chrono>
#include <functional>

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include "download/core/downloader.h"
#include "http_test_server.h"
#include "loopback_downloader.h"
#include "download/core/metar_trend.h"
#include "observations/present_builder.h"
#include "observations/report_source.h"
#include "observations/station_data.h"
#include "stations/core/station_catalogue.h"
#include "observations/trend_parser.h"
#include "platform/core/file_io.h"
#include "platform/qt_transfer.h"
#include "test_support.h"
#include "scripted_prompter.h"

using namespace ventoral;
using ventoral::test::HttpResponse;
using ventoral::test::HttpTestServer;

namespace {

const std::string kReports = "observations/noaa-decoded/";
const std::vector<std::string> kStations = {"EDDB", "EGGD", "EGLC", "EHRD", "KBFI"};
const std::string kEglcHistory = "/api/data/metar?ids=EGLC&format=raw&hours=25";
const std::string kOldTrend = "old trend text\n";

std::string presentOf(const std::string& code) { return test::readData(kReports + code + "-1.txt"); }

// Records what the windows would show; hooks let a test act mid-download.
class RecordingView : public DownloadView {
public:
    std::vector<std::string> counts, mapBytes, sources, lines;
    int finishes = 0, busyNotices = 0, loads = 0, unloads = 0;
    bool noStation = false;
    std::vector<StoredStation> stored;   // of the last update
    std::function<void(const std::string&)> onMapBytes, onCount;

    void downloaderLoaded() override { ++loads; }
    void downloaderUnloaded() override { ++unloads; }
    void setCount(const std::string& t) override { counts.push_back(t), onCount ? onCount(t) : void(); }
    void noStationSelected() override { noStation = true; }
    void updateFinished(const std::vector<StoredStation>& s) override { ++finishes, stored = s; }
    void setMapBytes(const std::string& t) override { mapBytes.push_back(t), onMapBytes ? onMapBytes(t) : void(); }
    void showBusyNotice() override { ++busyNotices; }
    void stationUpdated(const StationOutcome& o) override
    {
        if (o.stored())
            sources.push_back(o.code + ": " + o.present);
        lines.push_back(outcomeLine(o));
    }
};

// A message box with its own event loop: the auto-update timer's check runs
// while it is open, as it does under a real box. Set no timer: a plain box.
class TimerUnderTheBox : public ScriptedPrompter {
public:
    std::function<void()> timer;
    int open = 0, mostOpen = 0;
    void inform(const std::string& title, const std::string& text) override
    {
        ScriptedPrompter::inform(title, text);
        mostOpen = std::max(mostOpen, ++open);
        if (timer)
            timer();
        --open;
    }
};

class DownloaderTest : public ::testing::Test,
                       protected test::WithApplication,
                       protected test::LoopbackDownloaderWith<TimerUnderTheBox> {
protected:
    DownloaderTest()
    {
        state.settingsFile = home.file("vntl.ini");
        state.tables.folders.stationData = home.path() + "/Data";
        state.tables.folders.minMax = home.path() + "/MinMax";
        state.tables.folders.maps = home.path() + "/Maps";
        for (const char* folder : {"Data", "MinMax", "Maps"})
            createFolder(home.file(folder));
        state.tables.addresses[AddressTable::kPresent] = server.base() + "/decoded";
        state.tables.addresses[AddressTable::kTrend] = server.base() + "/trend";
        for (const std::string& code : kStations) {
            state.tables.shortList.entries.push_back(code + " station");
            server.route("/decoded/" + code + ".TXT", HttpResponse(200, presentOf(code)));
            server.route("/trend/" + code + ".TREND", HttpResponse(200, test::readData("observations/trend/KSEA.TREND")));
        }
        state.tables.shortList.selected = 2;
        state.tables.units.updateAll = true;
        downloader.setView(&view);
    }

    std::string dataFile(const std::string& code) const { return stationDataPath(state.tables.folders.stationData, code); }
    // Old data for a station: an old trend and a report naming the station;
    // gives the file as it stands.
    std::string oldData(const std::string& code)
    {
        writeStationData(dataFile(code), kOldTrend, "old present text of " + code);
        return test::readFile(dataFile(code));
    }
    // The file of a station whose new present report was stored with its old trend.
    static std::string withOldTrend(const std::string& present) { return stationDataContent(kOldTrend, present); }
    // Trends from the METAR service; gives its address.
    std::string metarService() { return state.tables.addresses[AddressTable::kTrend] = server.base() + "/api/data/metar"; }
    std::string mapFile(const std::string& name) const { return joinPath(state.tables.folders.maps, name); }

    void map(int slot, const std::string& name, const std::string& body, bool autoDownload = false)
    {
        state.tables.addresses[slot] = server.base() + "/pix/" + name;
        state.tables.files[static_cast<std::size_t>(slot)] = name;
        state.tables.autos[static_cast<std::size_t>(slot)] = autoDownload ? "1" : "0";
        server.route("/pix/" + name, HttpResponse(200, body));
    }

    test::TempDir home;
    RecordingView view;
};

} // namespace

TEST(DownloadState, AddressesCodesFramesAndSafeFileNames)
{
    EXPECT_EQ(stationCodeOfAddress("https://x/trend/KJFK.TREND"), "KJFK");
    EXPECT_EQ(stationCodeOfAddress("https://x/decoded/KJFK.TXT"), "KJFK");
    EXPECT_EQ(stationCodeOfAddress("https://x/api?ids=KJFK"), "");

    EXPECT_EQ(nextFrame(9), 1);
    EXPECT_EQ(nextFrame(3), 4);

    for (const char* bad : {"", ".", "..", "../x.gif", "a/b.gif", "a\\b.gif"})
        EXPECT_FALSE(isSafeFileName(bad)) << bad;
    EXPECT_TRUE(isSafeFileName("radar.gif"));
}

TEST_F(DownloaderTest, UpdatesTheWholeShortListCountingBothReportsOfEachStation)
{
    downloader.runUpdate();

    ASSERT_EQ(view.counts.size(), 11u);
    EXPECT_EQ((std::vector<std::string>(view.counts.begin(), view.counts.begin() + 3)),
              (std::vector<std::string>{"1/10", "1/10", "2/10"}));
    EXPECT_EQ(view.counts.back(), "10/10");
    for (const std::string& code : kStations) {
        const StationTexts texts = ReadData(dataFile(code), code);
        EXPECT_TRUE(texts.dataValid) << code;
        EXPECT_EQ(texts.presentText.substr(0, 40), presentOf(code).substr(0, 40));
    }
    // Every station stored is handed on, each with its own report.
    EXPECT_EQ(view.finishes, 1);
    ASSERT_EQ(view.stored.size(), kStations.size());
    for (const StoredStation& station : view.stored)
        EXPECT_NE(station.snapshot->presentText.find("(" + station.snapshot->code + ")"), std::string::npos);
    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_FALSE(downloader.busy());
    EXPECT_EQ(view.loads, view.unloads);
    EXPECT_NE(readWholeFile(state.settingsFile).value_or("").find("Last=2"), std::string::npos);
}

TEST_F(DownloaderTest, WithTheListPreferenceOffOnlyTheDisplayedStationIsFetched)
{
    state.tables.units.updateAll = false;
    downloader.runUpdate();
    EXPECT_EQ(view.counts.back(), "2/2");
    EXPECT_EQ(server.requests("/decoded/EGLC.TXT"), 1);
    EXPECT_EQ(server.requests("/decoded/EDDB.TXT"), 0);
    EXPECT_TRUE(fileExists(dataFile("EGLC")));
}

TEST_F(DownloaderTest, NoSelectedStationFetchesNothing)
{
    state.tables.shortList.selected = -1;
    downloader.runUpdate();
    EXPECT_TRUE(view.noStation);
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Please select a station");
    EXPECT_EQ(server.requests("/decoded/EGLC.TXT"), 0);
    EXPECT_FALSE(downloader.busy());
}

// A present report that did not come keeps the station's old file; a trend
// that did not come keeps the old trend beside the new present report.
TEST_F(DownloaderTest, EveryAnswerThatIsNoReportKeepsTheOldDataAndIsListed)
{
    const std::string trendPath = "/trend/EGLC.TREND";
    const std::string presentPath = "/decoded/EGLC.TXT";
    const std::string html = "<!DOCTYPE html><html><body>Service Unavailable</body></html>";
    const std::vector<std::pair<std::string, HttpResponse>> bad = {
        {presentPath, HttpResponse(404, "Not Found")},
        {presentPath, HttpResponse(503, "Service Unavailable")},
        {presentPath, HttpResponse(204)},
        {presentPath, HttpResponse(200, "")},
        {trendPath, HttpResponse(200, "0123456789")},
        {presentPath, HttpResponse(200, "\r\n\n  " + html)},
        {presentPath, HttpResponse(200, "Service Unavailable, try again in a minute").type("text/html")},
        {trendPath, HttpResponse(302, "Found")},
        // No whole answer from a server that took the request: this address only.
        {presentPath, HttpResponse(200, presentOf("EGLC")).dropAfter(100)},
        {trendPath, HttpResponse(200, std::string(4000, 't')).silent()},
        {trendPath, HttpResponse(200, std::string(4000, 't')).trickle(1, 20)},
        // A METAR history without a report of the station is a missing trend.
        {kEglcHistory, HttpResponse(204)},
        {kEglcHistory, HttpResponse(200, "")},
        {kEglcHistory, HttpResponse(200, "\n")},
        {kEglcHistory, HttpResponse(200, "METAR EGLL 061750Z 22012KT 9999 FEW030 12/08 Q1012\n")},
        {kEglcHistory, HttpResponse(503, "Service Unavailable")},
    };
    downloader.setDeadlines({std::chrono::milliseconds(300), std::chrono::milliseconds(300)});
    state.tables.units.updateAll = false;
    int row = 0;
    for (const auto& [path, response] : bad) {
        SCOPED_TRACE(row++);
        const std::string before = oldData("EGLC");
        server.route("/decoded/EGLC.TXT", HttpResponse(200, presentOf("EGLC")));
        server.route(trendPath, HttpResponse(200, test::readData("observations/trend/KSEA.TREND")));
        server.route(path, response);
        state.tables.addresses[AddressTable::kTrend] =
            server.base() + (path == kEglcHistory ? "/api/data/metar" : "/trend");
        const std::size_t messages = prompter.messages().size();
        const int trends = server.requests(trendPath);
        downloader.runUpdate();
        ASSERT_EQ(prompter.messages().size(), messages + 1);
        EXPECT_EQ(prompter.messages().back().text, "Could not find " + server.base() + path);
        EXPECT_FALSE(downloader.busy());
        if (path == presentPath) {
            EXPECT_EQ(test::readFile(dataFile("EGLC")), before);
            EXPECT_EQ(downloader.update().failedStations(), 1);
            // A station without its present report is not asked for its trend.
            EXPECT_EQ(server.requests(trendPath), trends);
        } else {
            EXPECT_EQ(test::readFile(dataFile("EGLC")), withOldTrend(presentOf("EGLC")));
            EXPECT_EQ(downloader.update().failedStations(), 0);
            EXPECT_EQ(downloader.update().failedSources(), 1);
            EXPECT_EQ(view.sources.back(), "EGLC: decoded report");
        }
    }
}

// A trend folder that cannot be reached costs the trends only: each present
// report is stored with the station's old trend, and the folder is not
// asked again in this run.
TEST_F(DownloaderTest, ATrendFolderThatCannotBeReachedCostsTheTrendsOnly)
{
    // The third station's trend leads to a port where nobody listens.
    server.route("/trend/EGLC.TREND", HttpResponse(302).to("http://127.0.0.1:1/trend/EGLC.TREND"));
    for (const std::string& code : kStations)
        oldData(code);
    downloader.runUpdate();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Could not find " + server.base() + "/trend/EGLC.TREND\r\n" +
                                               server.base() + "/trend/EHRD.TREND\r\n" + server.base() +
                                               "/trend/KBFI.TREND");
    const std::string trend = test::readData("observations/trend/KSEA.TREND");
    for (const char* code : {"EDDB", "EGGD"})
        EXPECT_EQ(test::readFile(dataFile(code)), stationDataContent(trend, presentOf(code))) << code;
    for (const char* code : {"EGLC", "EHRD", "KBFI"})
        EXPECT_EQ(test::readFile(dataFile(code)), withOldTrend(presentOf(code))) << code;
    EXPECT_EQ(server.requests("/trend/EHRD.TREND"), 0);
    EXPECT_FALSE(downloader.update().connectionFailed());
    EXPECT_EQ(downloader.update().failedStations(), 0);
    EXPECT_EQ(downloader.update().failedSources(), 3);
    EXPECT_FALSE(downloader.busy());
    EXPECT_EQ(view.finishes, 1);
}

TEST_F(DownloaderTest, AMissingOrOlderDecodedReportGivesWayToTheNewestMetar)
{
    // The clock says 2023-12-07 02:00 UTC; the decoded report of EGLC is of 01:20.
    metarService();
    state.tables.units.updateAll = false;
    const std::string built0150 = "built from the METAR of 01:50 UTC";
    const std::string metarOf0120 = "METAR EGLC 070120Z AUTO 09005KT 9999 NCD 05/03 Q1015";
    const std::string metarOf0150 = "METAR EGLC 070150Z AUTO 24009KT 9999 FEW030 06/03 Q1014";
    const std::string history = metarOf0120 + "\n" + metarOf0150 + "\n" + "METAR EGLC 070200Z NIL\n";
    std::string yearsOld = presentOf("EGLC");
    yearsOld.replace(yearsOld.find("2023.12.07"), 10, "2019.12.07");
    // A decoded report that is missing is no failure; one that failed is listed.
    const struct Row {
        const char* what;
        HttpResponse decoded;
        std::string history, source;
        bool listed;
    } rows[] = {
        {"missing", HttpResponse(404, "Not Found"), history, built0150, false},
        {"error page", HttpResponse(200, "<html><body>Service Unavailable</body></html>"), history, built0150, true},
        {"empty", HttpResponse(200, ""), history, built0150, true},
        {"years old", HttpResponse(200, yearsOld), metarOf0120 + "\n", "built from the METAR of 01:20 UTC", false},
        {"older", HttpResponse(200, presentOf("EGLC")), history, built0150, false},
        {"as new", HttpResponse(200, presentOf("EGLC")), metarOf0120 + "\n", "decoded report", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        server.route("/decoded/EGLC.TXT", row.decoded);
        server.route(kEglcHistory, HttpResponse(200, row.history));
        view.sources.clear();
        const std::size_t messages = prompter.messages().size();
        downloader.runUpdate();

        if (row.listed) {
            ASSERT_EQ(prompter.messages().size(), messages + 1);
            EXPECT_EQ(prompter.messages().back().text, "Could not find " + server.base() + "/decoded/EGLC.TXT");
            EXPECT_EQ(downloader.update().failedSources(), 1);
        } else {
            EXPECT_EQ(prompter.messages().size(), messages);
            EXPECT_EQ(downloader.update().failedSources(), 0);
        }
        ASSERT_EQ(view.sources, std::vector<std::string>{"EGLC: " + row.source});
        // The station is missing from the directory read here: the report
        // without a station name is still EGLC's own, kept and shown.
        const StationTexts texts = ReadData(dataFile("EGLC"), "EGLC");
        ASSERT_TRUE(texts.dataValid);
        EXPECT_EQ(presentSource(texts.lastText, texts.presentText), row.source);
        ASSERT_EQ(view.stored.size(), 1u);
        EXPECT_EQ(view.stored.front().snapshot->presentText, texts.presentText);
        const auto newest = newestMetar(row.history, "EGLC", clock.nowUtc());
        ASSERT_TRUE(newest);
        EXPECT_EQ(texts.presentText, row.source == "decoded report"
                                         ? presentOf("EGLC")
                                         : buildPresentReport(newest->line, StationInfo{}, clock.nowUtc()).value());
        EXPECT_TRUE(trendHasRecords(texts.lastText));
    }
}

TEST_F(DownloaderTest, OneHistoryRequestServesTheWholeListAndAStationMissingFromItIsListed)
{
    const std::string base = metarService();
    state.deliveredDataFolder = VENTORAL_TEST_DATA "/../../data";
    downloader.setStationLookup(catalogueLookup(state.deliveredDataFolder));
    state.tables.shortList.entries = {"EDDB station", "EGLC station", "KBFI station"};
    state.tables.shortList.selected = 0;
    const std::string joint = "/api/data/metar?ids=EDDB,EGLC,KBFI&format=raw&hours=25";
    server.route(joint, HttpResponse(200, "METAR EDDB 070120Z 02011KT 6000 -DZ SCT003 BKN006 08/08 Q1010\n"
                                          "METAR EGLC 070120Z AUTO 09005KT 9999 NCD 05/03 Q1015\n"
                                          "METAR EDDB 070150Z 02012KT 6000 -DZ SCT003 BKN006 08/07 Q1010\n"));
    const std::string before = oldData("KBFI");

    downloader.runUpdate();

    EXPECT_EQ(server.requests(joint), 1);
    // Histories shorter than the hours asked may have been cut: those
    // stations are asked for once more, in a smaller group.
    EXPECT_EQ(server.requests("/api/data/metar?ids=EDDB,EGLC&format=raw&hours=25"), 1);
    EXPECT_EQ(view.counts.front(), "1/4");
    EXPECT_EQ(view.counts.back(), "5/5");
    EXPECT_EQ(view.sources, (std::vector<std::string>{"EDDB: built from the METAR of 01:50 UTC",
                                                      "EGLC: decoded report", "KBFI: decoded report"}));
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Could not find " + base + "?ids=KBFI&format=raw&hours=25");
    // KBFI keeps its old trend beside its new present report.
    EXPECT_NE(test::readFile(dataFile("KBFI")), before);
    EXPECT_EQ(test::readFile(dataFile("KBFI")), withOldTrend(presentOf("KBFI")));
    EXPECT_EQ(view.lines.back(), "Present report of KBFI: decoded report; trend: old trend kept; no METAR history "
                                 "(no report of KBFI in the answer)");
    EXPECT_EQ(downloader.update().failedStations(), 0);
    EXPECT_EQ(downloader.update().failedSources(), 1);
    // The built report names the station as the directory does.
    const StationTexts eddb = ReadData(dataFile("EDDB"), "EDDB");
    ASSERT_TRUE(eddb.dataValid);
    const CatalogueResult catalogue = loadStationCatalogue(state.deliveredDataFolder);
    ASSERT_TRUE(catalogue.catalogue);
    EXPECT_EQ(eddb.presentText.substr(0, eddb.presentText.find('\n')),
              stationLineFor("EDDB", stationInfoOf(*catalogue.catalogue, "EDDB")));
    EXPECT_NE(eddb.presentText.find("(EDDB)"), std::string::npos);
    EXPECT_TRUE(ReadData(dataFile("EGLC"), "EGLC").dataValid);
}

TEST_F(DownloaderTest, AFailedHistoryRequestListsEveryStationOnItsOwnLine)
{
    const std::string base = metarService();
    state.tables.shortList.entries = {"EGLC station", "KBFI station"};
    state.tables.shortList.selected = 0;
    server.route("/api/data/metar?ids=EGLC,KBFI&format=raw&hours=25", HttpResponse(503, "Service Unavailable"));
    server.route("/decoded/KBFI.TXT", HttpResponse(404, "Not Found"));
    downloader.runUpdate();
    ASSERT_EQ(prompter.messages().size(), 1u);
    // EGLC has a decoded report but no trend; KBFI has neither report.
    EXPECT_EQ(prompter.messages()[0].text, "Could not find " + base + "?ids=EGLC&format=raw&hours=25\r\n" +
                                               server.base() + "/decoded/KBFI.TXT\r\n" + base +
                                               "?ids=KBFI&format=raw&hours=25");
    EXPECT_EQ(downloader.update().failedStations(), 1);
    EXPECT_EQ(view.sources, std::vector<std::string>{"EGLC: decoded report"});
    EXPECT_EQ(view.lines, (std::vector<std::string>{
                              "Present report of EGLC: decoded report; trend: old trend kept; METAR history failed "
                              "(answered 503)",
                              "Present report of KBFI: none, the old data stay; trend: none; no decoded report "
                              "(answered 404); METAR history failed (answered 503)"}));
}

TEST_F(DownloaderTest, CancelStopsBeforeTheNextReportAndStillRedraws)
{
    view.onCount = [this](const std::string& count) {
        if (count == "4/10")
            downloader.cancel();
    };
    downloader.runUpdate();
    EXPECT_TRUE(fileExists(dataFile("EDDB")));
    EXPECT_TRUE(fileExists(dataFile("EGGD")));
    EXPECT_EQ(server.requests("/decoded/EGLC.TXT"), 0);
    EXPECT_EQ(view.finishes, 1);
    EXPECT_TRUE(prompter.messages().empty());
}

TEST_F(DownloaderTest, TheMonthOfTheMetarTrendComesFromTheRealUtcClock)
{
    // Newfoundland, UTC-3:30: 20:45 local on 30 November is already
    // 00:15 UTC on 1 December; a whole-hour offset would still say November.
    clock.set(CivilTime{2023, 11, 30, 20, 45, 0}, 210);
    metarService();
    server.route(kEglcHistory,
                 HttpResponse(200, "METAR EGLC 010010Z 24009KT 9999 09/07 Q0994\n"
                                   "METAR EGLC 302220Z 24009KT 9999 08/07 Q0994\n"));
    state.tables.units.updateAll = false;
    downloader.runUpdate();

    TrendSeries trend;
    trendData(ReadData(dataFile("EGLC"), "EGLC").lastText, false, trend);
    EXPECT_EQ(trend.at(0, TrendSeries::OrderKey), "12|10010");
    EXPECT_EQ(trend.at(22, TrendSeries::OrderKey), "11|302220");
}

TEST_F(DownloaderTest, TheMapsOfTheUpdateAreThoseMarkedAuto)
{
    map(0, "radar.gif", test::gifImage(1000, 'r'), true);
    map(1, "satellite.gif", test::gifImage(1000, 's'), false);
    map(2, "fronts.gif", test::gifImage(700, 'f'), true);
    state.tables.files[3] = "../../escape.gif";
    state.tables.addresses[3] = server.base() + "/pix/escape.gif";
    state.tables.autos[3] = "1";
    downloader.runUpdate();
    EXPECT_EQ(test::readFile(mapFile("radar.gif")), test::gifImage(1000, 'r'));
    EXPECT_EQ(test::readFile(mapFile("fronts.gif")), test::gifImage(700, 'f'));
    EXPECT_FALSE(fileExists(mapFile("satellite.gif")));
    EXPECT_EQ(server.requests("/pix/escape.gif"), 0);
    EXPECT_FALSE(downloader.busy());
}

TEST_F(DownloaderTest, MapsArriveInChunksAndOnlyImagesAreStored)
{
    map(0, "map1000.gif", test::gifImage(1000, 'a'));
    map(1, "map512.gif", test::gifImage(512, 'b'));
    map(2, "page.gif", "<html><body>No such map</body></html>");
    test::writeFile(mapFile("page.gif"), "old image");
    map(3, "tiny.gif", "GIF8");
    map(4, "big.gif", test::gifImage(100000, 'c'));
    state.tables.addresses[5] = "http://x/";  // 10 characters: not configured
    state.tables.files[5] = "skipped.gif";

    downloader.maps().downloadAllMaps();

    EXPECT_EQ(test::readFile(mapFile("map1000.gif")), test::gifImage(1000, 'a'));
    EXPECT_EQ(test::readFile(mapFile("map512.gif")), test::gifImage(512, 'b'));
    EXPECT_EQ(test::readFile(mapFile("big.gif")).size(), 100000u);
    EXPECT_EQ(test::readFile(mapFile("page.gif")), "old image");
    EXPECT_FALSE(fileExists(mapFile("tiny.gif")));
    EXPECT_FALSE(fileExists(mapFile("skipped.gif")));
    EXPECT_EQ(state.download.errorList, "Could not Find " + server.base() + "/pix/page.gif");
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Cannot download tiny.gif");
    // The byte count of the first map: 256, 512, 768, 1000.
    const std::vector<std::string> first(view.mapBytes.begin(), view.mapBytes.begin() + 5);
    EXPECT_EQ(first, (std::vector<std::string>{"0", "256", "512", "768", "1000"}));
    EXPECT_FALSE(downloader.busy());
    EXPECT_EQ(state.download.pictureIndex, 0);
}

TEST_F(DownloaderTest, MapAnswersThatAreNoImageKeepTheOldImageAndAreListed)
{
    const std::vector<HttpResponse> bad = {
        HttpResponse(404, "Not Found"),
        HttpResponse(503, "Service Unavailable"),
        HttpResponse(500, std::string(300, 'x')).type("image/gif"),
        HttpResponse(200, "\r\n\r\n<!DOCTYPE html><html><body>No such map</body></html>"),
        HttpResponse(200, "Sorry, this map is being updated").type("Text/HTML; charset=utf-8"),
        // Past the deadline: a trickle and a server that never answers.
        HttpResponse(200, "GIF89a" + std::string(200, 'g')).trickle(1, 20),
        HttpResponse(200, "GIF89a" + std::string(200, 'g')).silent(),
        // Answered 200, whole, but no image: a text, a JSON body, an image cut short.
        HttpResponse(200, "The map of this hour is not ready yet."),
        HttpResponse(200, "{\"status\": \"error\", \"message\": \"no such map\"}").type("application/json"),
        HttpResponse(200, test::gifImage(3000).substr(0, 2000)).type("image/gif"),
        HttpResponse(200, std::string("\x89PNG\r\n\x1a\n", 8) + std::string(500, 'p')).type("image/png"),
    };
    downloader.setDeadlines({std::chrono::milliseconds(300), std::chrono::milliseconds(300)});
    state.tables.units.updateAll = false;
    // Eight map slots an update: the answers in rounds.
    for (std::size_t first = 0; first < bad.size(); first += AddressTable::kMapCount) {
        const std::size_t count = std::min<std::size_t>(AddressTable::kMapCount, bad.size() - first);
        for (std::size_t slot = 0; slot < AddressTable::kMapCount; ++slot) {
            const std::string name = "map" + std::to_string(first + slot) + ".gif";
            map(static_cast<int>(slot), name, "", slot < count);
            if (slot < count)
                server.route("/pix/" + name, bad[first + slot]);
            test::writeFile(mapFile(name), "GIF89a the old map");
        }
        QElapsedTimer clock;
        clock.start();
        downloader.runUpdate();
        EXPECT_LT(clock.elapsed(), 5000);
        const std::string listed = prompter.messages().empty() ? "" : prompter.messages().back().text;
        for (std::size_t slot = 0; slot < count; ++slot) {
            const std::string name = "map" + std::to_string(first + slot) + ".gif";
            EXPECT_EQ(test::readFile(mapFile(name)), "GIF89a the old map") << first + slot;
            EXPECT_NE(listed.find(server.base() + "/pix/" + name), std::string::npos) << first + slot;
        }
        EXPECT_EQ(downloader.update().failedMaps(), static_cast<int>(count));
    }
    EXPECT_EQ(downloader.update().failedStations(), 0);
    EXPECT_FALSE(downloader.busy());
}

TEST_F(DownloaderTest, TheByteCountMovesWhileTheMapArrives)
{
    map(0, "slow.gif", "");
    server.route("/pix/slow.gif", HttpResponse(200, test::gifImage(20000, 's')).trickle(2000, 30));
    std::vector<bool> whileRunning;
    view.onMapBytes = [&](const std::string& bytes) {
        if (bytes != "0")
            whileRunning.push_back(transfer.stillExecuting());
    };
    downloader.maps().downloadAllMaps();
    EXPECT_EQ(test::readFile(mapFile("slow.gif")).size(), 20000u);
    EXPECT_EQ(view.mapBytes.back(), "20000");
    // Most counts are shown before the last byte has come.
    EXPECT_GT(std::count(whileRunning.begin(), whileRunning.end(), true), 40);
}

TEST_F(DownloaderTest, NoUpdateStartsUnderAnErrorBox)
{
    int updates = 0;
    prompter.timer = [&] {
        if (!downloader.busy() && updates < 3) {
            ++updates;
            downloader.runUpdate();
        }
    };
    // The station always fails: every update ends in an "Error" box.
    state.tables.units.updateAll = false;
    server.route("/decoded/EGLC.TXT", HttpResponse(404, "Not Found"));
    downloader.runUpdate();
    EXPECT_EQ(updates, 0);
    EXPECT_EQ(prompter.mostOpen, 1);
    EXPECT_EQ(server.requests("/decoded/EGLC.TXT"), 1);
    EXPECT_FALSE(downloader.busy());

    // The same holds for "Cannot connect, try later" and the map viewer's list.
    state.tables.addresses[AddressTable::kPresent] = "http://127.0.0.1:1/decoded";
    downloader.runUpdate();
    state.download.errorList = "Could not Find somewhere";
    downloader.showErrors();
    EXPECT_EQ(updates, 0);
    EXPECT_EQ(prompter.mostOpen, 1);
    EXPECT_EQ(prompter.messages().size(), 3u);
}

TEST_F(DownloaderTest, CancelDuringTheThirdMapKeepsTheFirstTwo)
{
    for (int slot = 0; slot < 8; ++slot)
        map(slot, "map" + std::to_string(slot + 1) + ".gif", test::gifImage(3000, static_cast<char>('a' + slot)));
    test::writeFile(mapFile("map3.gif"), "the old third map");
    view.onMapBytes = [this](const std::string& bytes) {
        if (state.download.pictureIndex == 2 && bytes == "1024")
            downloader.cancel();
    };
    downloader.maps().downloadAllMaps();
    EXPECT_EQ(test::readFile(mapFile("map1.gif")).size(), 3000u);
    EXPECT_EQ(test::readFile(mapFile("map2.gif")).size(), 3000u);
    EXPECT_EQ(test::readFile(mapFile("map3.gif")), "the old third map");
    for (int n = 4; n <= 8; ++n)
        EXPECT_EQ(server.requests("/pix/map" + std::to_string(n) + ".gif"), 0) << n;
    EXPECT_FALSE(downloader.busy());
    EXPECT_FALSE(state.download.cancelRequested);
}

TEST_F(DownloaderTest, AFailedTransferEndsItsWaitAndNamesTheAddress)
{
    map(0, "dropped.gif", test::gifImage(5000, 'd'));
    server.route("/pix/dropped.gif", HttpResponse(200, std::string(5000, 'd')).dropAfter(1000));
    map(1, "fine.gif", test::gifImage(2000, 'f'));
    test::writeFile(mapFile("dropped.gif"), "old");
    downloader.maps().downloadAllMaps();
    EXPECT_EQ(test::readFile(mapFile("dropped.gif")), "old");
    EXPECT_EQ(test::readFile(mapFile("fine.gif")).size(), 2000u);
    EXPECT_EQ(state.download.errorList, "Error communicating with " + server.base() + "/pix/dropped.gif");
}

TEST_F(DownloaderTest, ABusyDownloaderStartsNothingElse)
{
    map(0, "radar.gif", test::gifImage(1000, 'r'));
    state.download.busy = true;
    downloader.maps().downloadAllMaps();
    downloader.maps().downloadOneMap(0);
    EXPECT_EQ(view.busyNotices, 1);
    EXPECT_EQ(server.requests("/pix/radar.gif"), 0);
    downloader.runUpdate();
    EXPECT_EQ(server.requests("/decoded/EGLC.TXT"), 0);

    state.download.busy = false;
    downloader.maps().downloadOneMap(0);
    EXPECT_EQ(test::readFile(mapFile("radar.gif")).size(), 1000u);
    EXPECT_EQ(downloader.transfers().lastByteIndex(), -1);
}
