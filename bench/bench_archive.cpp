// SPDX-License-Identifier: GPL-3.0-or-later
// The archive's costs. Targets on a 2-core machine: storing one update of
// 20 stations x 25 hours (about 1,000 METARs, mostly repeats) under 50 ms
// (BM_ArchiveUpdate20); 30 days of one station queried and drawn on the
// five graphs under 30 ms (BM_Graphs30Days); under 3 MB per station-year
// (BM_ArchiveStationYear reports the bytes per row and the MB per year).

#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "instruments/graph_painter.h"
#include "instruments/panel_layout.h"
#include "observations/station_store.h"
#include "platform/qt_surface.h"
#include "session/shown_station.h"

using namespace ventoral;

namespace {

using bench::sample;

constexpr int kMinutesPerDay = 24 * 60;

// The bodies (after the time group) of the real day of specials at Kadena,
// 77 reports, 53 of them specials.
struct ReportBody {
    bool special;
    std::string text;
};

std::vector<ReportBody> kadenaBodies()
{
    std::vector<ReportBody> bodies;
    std::istringstream lines(sample("instruments/frozen/input/RODN-20260818.txt"));
    for (std::string line; std::getline(lines, line);)
        if (line.size() > 18)
            bodies.push_back({line.rfind("SPECI", 0) == 0, line.substr(18)});
    return bodies;
}

std::string reportLine(const std::string& station, const CivilTime& t, const ReportBody& body)
{
    char head[40];
    std::snprintf(head, sizeof head, "%s %s %02d%02d%02dZ", body.special ? "SPECI" : "METAR", station.c_str(), t.day,
                  t.hour, t.minute);
    return head + body.text;
}

std::string stationCode(int i)
{
    char code[8];
    std::snprintf(code, sizeof code, "K%03d", i);
    return code;
}

// The service's answer for 20 stations at nowUtc: each reports every half
// hour, 50 reports in 25 hours, 1,000 in all.
std::string twentyStations(const CivilTime& nowUtc, const std::vector<ReportBody>& bodies)
{
    std::string history;
    const std::int64_t newest = nowUtc.minutesSinceEpoch() / 30 * 30;
    for (int s = 0; s < 20; ++s)
        for (int k = 0; k < 50; ++k) {
            const std::int64_t minutes = newest - 30L * k;
            history += reportLine(stationCode(s), CivilTime::fromMinutes(minutes),
                                  bodies[static_cast<std::size_t>((minutes / 30) % 77)]) +
                       '\n';
        }
    return history;
}

// An update half an hour after the one before: 20 new reports, 980 repeats.
void BM_ArchiveUpdate20(benchmark::State& state)
{
    const QTemporaryDir folder;
    const StationStore store({}, {}, std::make_shared<Archive>(folder.filePath("archive.sqlite").toStdString()));
    const std::vector<ReportBody> bodies = kadenaBodies();
    CivilTime now{2026, 8, 19, 0, 10, 0};
    store.archiveHistory(twentyStations(now, bodies), now);
    for (auto _ : state) {
        state.PauseTiming();
        now = now.plusMinutes(30);
        const std::string history = twentyStations(now, bodies);
        state.ResumeTiming();
        const Archive::Added added = store.archiveHistory(history, now);
        if (added.stored != 20 || added.repeated != 980)
            state.SkipWithError("not 20 new reports and 980 repeats");
    }
}
BENCHMARK(BM_ArchiveUpdate20)->Unit(benchmark::kMillisecond)->UseRealTime();

// Minutes into the day of each report of the Kadena day.
std::vector<int> kadenaOffsets()
{
    std::vector<int> offsets;
    std::istringstream lines(sample("instruments/frozen/input/RODN-20260818.txt"));
    for (std::string line; std::getline(lines, line);)
        if (line.size() > 18)
            offsets.push_back(std::stoi(line.substr(13, 2)) * 60 + std::stoi(line.substr(15, 2)));
    return offsets;
}

// The days before end of one station, a day a time as updates bring them:
// the report bodies at their minutes of the day.
void fillDays(const StationStore& store, const std::string& station, const CivilTime& end, int days,
              const std::vector<ReportBody>& bodies, const std::vector<int>& offsets)
{
    const std::int64_t firstDay = end.minutesSinceEpoch() / kMinutesPerDay - days;
    for (int d = 0; d < days; ++d) {
        std::string history;
        for (std::size_t k = 0; k < offsets.size(); ++k)
            history += reportLine(station, CivilTime::fromMinutes((firstDay + d) * kMinutesPerDay + offsets[k]),
                                  bodies[k]) +
                       '\n';
        store.archiveHistory(history, CivilTime::fromMinutes((firstDay + d + 1) * kMinutesPerDay - 1));
    }
}

// 30 days of reports every twenty minutes on average read from the archive,
// the five graphs' models made and drawn on 96 dpi images.
void BM_Graphs30Days(benchmark::State& state)
{
    const QTemporaryDir folder;
    const StationStore store({}, {}, std::make_shared<Archive>(folder.filePath("archive.sqlite").toStdString()));
    const CivilTime now{2026, 8, 19, 0, 10, 0};
    fillDays(store, "RODN", now, 31, kadenaBodies(), kadenaOffsets());
    ShownStation shown;
    shown.show(store, "RODN");
    const UnitSettings units;
    const ColorScheme colors;
    const ShadeTable shades = defaultShades();
    std::vector<QImage> images;
    for (int g = 0; g < kGraphCount; ++g)
        images.emplace_back(panel::kWideGraphWidth / 15, panel::kGraphHeight / 15, QImage::Format_RGB32);
    for (auto _ : state) {
        shown.readSpan(store, GraphSpan::Month, now);
        const PanelModel model = shown.model(units, {now, 0, nullptr});
        for (int g = 0; g < kGraphCount; ++g) {
            QImage& image = images[static_cast<std::size_t>(g)];
            QPainter painter(&image);
            QtSurface surface(painter, image, Surface::Kind::Window);
            paintGraph(surface, model.graphs[static_cast<std::size_t>(g)], {colors, shades},
                       {400, 250, surface.widthTwips(), 0});
        }
    }
    state.counters["observations"] = static_cast<double>(shown.spanObservations().size());
}
BENCHMARK(BM_Graphs30Days)->Unit(benchmark::kMillisecond);

// A year of one station in an archive of its own: hourly reports with a
// few specials (27 a day, range 27), or a day of specials every day (77).
void BM_ArchiveStationYear(benchmark::State& state)
{
    std::vector<ReportBody> bodies = kadenaBodies();
    std::vector<int> offsets = kadenaOffsets();
    if (state.range(0) != 77) {
        std::vector<ReportBody> fewer;
        std::vector<int> fewerOffsets;
        for (std::size_t k = 0; k < bodies.size(); ++k)
            if (!bodies[k].special || k % 15 == 0) {
                fewer.push_back(bodies[k]);
                fewerOffsets.push_back(offsets[k]);
            }
        bodies = fewer;
        offsets = fewerOffsets;
    }
    const CivilTime end{2026, 8, 19, 0, 0, 0};
    double bytes = 0;
    double rows = 0;
    for (auto _ : state) {
        const QTemporaryDir folder;
        const std::string file = folder.filePath("archive.sqlite").toStdString();
        {
            const StationStore store({}, {}, std::make_shared<Archive>(file, 400));
            fillDays(store, "RODN", end, 365, bodies, offsets);
            rows = static_cast<double>(store.archivedObservations("RODN", {2020, 1, 1, 0, 0, 0}, end).size());
        }
        bytes = static_cast<double>(std::filesystem::file_size(file));
    }
    state.counters["rows"] = rows;
    state.counters["bytes_per_row"] = bytes / rows;
    state.counters["MB_per_station_year"] = bytes / 1e6;
}
BENCHMARK(BM_ArchiveStationYear)->Arg(27)->Arg(77)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
