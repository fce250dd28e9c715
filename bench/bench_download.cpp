// SPDX-License-Identifier: GPL-3.0-or-later
// Download costs against a real HTTP server on 127.0.0.1. Targets on a
// 2-core machine: an update of a short list of 20 stations (40 fetches)
// under 1 s; one 5 MB map under 2 s, the event loop never stalled for
// 50 ms or more meanwhile.

#include <algorithm>
#include <array>
#include <filesystem>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "download/core/downloader.h"
#include "download/core/history_requests.h"
#include "http_test_server.h"
#include "observations/station_data.h"
#include "platform/core/file_io.h"
#include "platform/qt_transfer.h"
#include "fixed_clock.h"
#include "scripted_prompter.h"

using namespace ventoral;
using ventoral::test::HttpResponse;
using ventoral::test::HttpTestServer;

namespace {

const std::vector<std::string> kStations = {"EDDB", "EGGD", "EGLC", "EHRD", "ENQA", "KARB", "KBFI",
                                            "KBLI", "KBRL", "KFNT", "KIIY", "KLAN", "KNMM", "KNYC",
                                            "KOKH", "KPAE", "KSEA", "KSFO", "KSIY", "KYIP"};
constexpr std::int64_t kMapBytes = 5 * 1024 * 1024;

// An HttpTestServer in a thread of its own. Served from the downloader's
// thread, its answers would be stalls of their own: building and copying a
// 5 MB answer into the socket blocks that loop for 60 to 130 ms.
class ServerThread {
public:
    ServerThread()
    {
        m_anchor.moveToThread(&m_thread);
        m_thread.start();
        inThread([this] { m_server = std::make_unique<HttpTestServer>(); });
        m_base = m_server->base();
    }
    ~ServerThread()
    {
        inThread([this] {
            m_server.reset();
            m_anchor.moveToThread(QCoreApplication::instance()->thread());
        });
        m_thread.quit();
        m_thread.wait();
    }

    const std::string& base() const { return m_base; }
    void route(const std::string& path, HttpResponse response)
    {
        inThread([this, &path, &response] { m_server->route(path, std::move(response)); });
    }

private:
    template <typename F>
    void inThread(F work)
    {
        QMetaObject::invokeMethod(&m_anchor, work, Qt::BlockingQueuedConnection);
    }

    QThread m_thread;
    QObject m_anchor;  // lives in m_thread: the context of the calls there
    std::unique_ptr<HttpTestServer> m_server;
    std::string m_base;
};

// The application, made first, then a server, the Qt transfer and a
// downloader whose settings point at the server and a temporary folder.
struct DownloadRig {
    DownloadRig()
    {
        const std::string folder = home.path().toStdString();
        state.settingsFile = folder + "/vntl.ini";
        state.tables.folders.stationData = folder + "/Data";
        state.tables.folders.minMax = folder + "/MinMax";
        state.tables.folders.maps = folder + "/Maps";
        for (const std::string* sub :
             {&state.tables.folders.stationData, &state.tables.folders.minMax, &state.tables.folders.maps})
            createFolder(*sub);
        state.tables.addresses[AddressTable::kPresent] = server.base() + "/decoded";
        state.tables.addresses[AddressTable::kTrend] = server.base() + "/trend";
    }

    std::string dataFile(const std::string& code) const
    {
        return stationDataPath(state.tables.folders.stationData, code);
    }

    // The stations on the short list, every one of them updated, each with
    // its real decoded report served.
    void listStations(const std::vector<std::string>& codes)
    {
        for (const std::string& code : codes) {
            state.tables.shortList.entries.push_back(code + " station");
            server.route("/decoded/" + code + ".TXT",
                         HttpResponse(200, bench::sample("observations/noaa-decoded/" + code + "-1.txt")));
        }
        state.tables.shortList.selected = 0;
        state.tables.units.updateAll = true;
    }

    QTemporaryDir home;
    ServerThread server;
    QtTransfer transfer;
    QtEventPump events;
    ScriptedPrompter prompter;  // answers nothing: no question is asked here
    FixedClock clock{CivilTime{2023, 12, 7, 2, 0, 0}};
    AppState state;
    Downloader downloader{state, {transfer, events, prompter, clock}};
};

void BM_UpdateAll20(benchmark::State& state)
{
    DownloadRig rig;
    const std::string trend = bench::sample("observations/trend/KSEA.TREND");
    rig.listStations(kStations);
    for (const std::string& code : kStations)
        rig.server.route("/trend/" + code + ".TREND", HttpResponse(200, trend));

    bool checked = false;
    for (auto _ : state) {
        rig.downloader.update().updateStations(false);
        if (checked)
            continue;
        checked = true;
        const auto missing = std::count_if(kStations.begin(), kStations.end(), [&rig](const std::string& code) {
            return !std::filesystem::exists(rig.dataFile(code));
        });
        if (missing > 0 || rig.downloader.update().failedStations() > 0 || rig.downloader.update().connectionFailed()) {
            state.SkipWithError((std::to_string(missing) + " of " + std::to_string(kStations.size()) +
                                 " data files missing: " +
                                 rig.downloader.update().reportedErrors()).c_str());
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * 2 * static_cast<std::int64_t>(kStations.size()));
}
BENCHMARK(BM_UpdateAll20)->Unit(benchmark::kMillisecond)->UseRealTime();

// As BM_UpdateAll20, but every update finds new reports: the trends take
// turns between two versions, so each station's file is replaced and its
// min/max record read again each time, as when the reports have changed
// since the last update.
void BM_UpdateAll20Changed(benchmark::State& state)
{
    DownloadRig rig;
    const std::string trend = bench::sample("observations/trend/KSEA.TREND");
    std::string changed = trend;
    changed.replace(changed.find("46.0 (7.8)"), 10, "47.1 (8.4)");
    const std::array<const std::string*, 2> trends = {&trend, &changed};
    rig.listStations(kStations);

    std::size_t turn = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string& served = *trends[turn++ % trends.size()];
        for (const std::string& code : kStations)
            rig.server.route("/trend/" + code + ".TREND", HttpResponse(200, served));
        state.ResumeTiming();
        rig.downloader.update().updateStations(false);
        if (rig.downloader.update().failedStations() > 0) {
            state.SkipWithError(rig.downloader.update().reportedErrors().c_str());
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * 2 * static_cast<std::int64_t>(kStations.size()));
}
BENCHMARK(BM_UpdateAll20Changed)->Unit(benchmark::kMillisecond)->UseRealTime();

// The histories of the METAR service for a group of stations, each reporting
// half-hourly for 25 hours with the real reports of Seoul Incheon, newest first.
std::string halfHourlyHistories(const std::vector<std::string>& codes, const CivilTime& nowUtc)
{
    std::vector<std::string> bodies;
    std::istringstream lines(bench::sample("download/metar-history/RKSI-20260618.txt"));
    for (std::string line; std::getline(lines, line);)
        bodies.push_back(line.substr(line.find("Z ") + 2));
    std::string answer;
    for (int n = 0; n < 50; ++n) {
        const CivilTime at = nowUtc.plusMinutes(-10 - 30 * n);
        char time[16];
        std::snprintf(time, sizeof time, "%02d%02d%02dZ", at.day, at.hour, at.minute);
        for (const std::string& code : codes)
            answer += "METAR " + code + " " + time + " " + bodies[static_cast<std::size_t>(n) % bodies.size()] + "\n";
    }
    return answer;
}

// The update of 1, 7 and 20 stations whose trends come from the METAR
// service: its requests (counter "history_requests") and all requests of
// one update ("requests").
void BM_UpdateAllMetar(benchmark::State& state)
{
    DownloadRig rig;
    const std::vector<std::string> codes(kStations.begin(), kStations.begin() + state.range(0));
    rig.state.tables.addresses[AddressTable::kTrend] = rig.server.base() + "/api/data/metar";
    rig.listStations(codes);
    for (const std::vector<std::string>& group : historyGroups(codes, kDefaultHistoryAnswerCap)) {
        std::string ids;
        for (const std::string& code : group)
            ids += (ids.empty() ? "" : ",") + code;
        rig.server.route("/api/data/metar?ids=" + ids + "&format=raw&hours=25",
                         HttpResponse(200, halfHourlyHistories(group, rig.clock.nowUtc())));
    }

    for (auto _ : state) {
        rig.downloader.update().updateStations(false);
        if (rig.downloader.update().failedSources() > 0) {
            state.SkipWithError(("a source failed: " + rig.downloader.update().reportedErrors()).c_str());
            return;
        }
    }
    const int history = rig.downloader.update().historyRequests();
    state.counters["history_requests"] = history;
    state.counters["requests"] = history + static_cast<double>(codes.size());
}
BENCHMARK(BM_UpdateAllMetar)->Arg(1)->Arg(7)->Arg(20)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MapDownload5MB(benchmark::State& state)
{
    DownloadRig rig;
    std::string picture = "GIF89a";
    picture.resize(static_cast<std::size_t>(kMapBytes), 'x');
    picture.back() = ';';   // the GIF trailer: a whole image
    rig.state.tables.addresses[0] = rig.server.base() + "/pix/big.gif";
    rig.state.tables.files[0] = "big.gif";
    rig.server.route("/pix/big.gif", HttpResponse(200, std::move(picture)).type("image/gif"));
    const std::string stored = joinPath(rig.state.tables.folders.maps, "big.gif");

    // The longest gap between the ticks of a 5 ms timer is the longest
    // time the event loop did not run.
    qint64 maxStallMs = 0;
    QElapsedTimer sinceTick;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] { maxStallMs = std::max(maxStallMs, sinceTick.restart()); });

    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(stored);
        state.ResumeTiming();
        sinceTick.start();
        ticker.start();
        const bool started = rig.downloader.maps().downloadMap(0);
        ticker.stop();
        maxStallMs = std::max(maxStallMs, sinceTick.elapsed());
        std::error_code error;
        const auto size = std::filesystem::file_size(stored, error);
        if (!started || error || static_cast<std::int64_t>(size) != kMapBytes) {
            state.SkipWithError(("the map was not stored whole: " + std::to_string(error ? 0 : size) +
                                 " bytes").c_str());
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * kMapBytes);
    state.counters["max_stall_ms"] = benchmark::Counter(static_cast<double>(maxStallMs));
}
BENCHMARK(BM_MapDownload5MB)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
