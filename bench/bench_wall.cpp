// SPDX-License-Identifier: GPL-3.0-or-later
// The station wall of 20 stations. Targets on a 2-core machine: the 20
// tiles' models from the stored files (each station's data file and min/max
// file read, its snapshot and panel model made) under 2 ms (BM_WallModel20);
// the wall of 20 drawn at 1x, one frame, under 16 ms (BM_WallDraw20). Run
// beside BM_Redraw: ventoral-bench --benchmark_filter='Wall|BM_Redraw$'.

#include <cmath>
#include <string>
#include <vector>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "instruments/wall_painter.h"
#include "platform/qt_surface.h"
#include "session/station_wall.h"

using namespace ventoral;

namespace {

using bench::sample;

const char* const kReports[] = {
    "KSEA-3.txt", "KBFI-2.txt", "KPAE-1.txt", "KBLI-7.txt", "KSFO-4.txt", "KNYC-1.txt", "KARB-1.txt",
    "KBRL-1.txt", "KFNT-1.txt", "KIIY-1.txt", "KLAN-1.txt", "KNMM-1.txt", "KOKH-1.txt", "KSIY-1.txt",
    "KYIP-1.txt", "EGLC-2.txt", "EGGD-1.txt", "EHRD-1.txt", "EDDB-1.txt", "ENQA-1.txt"};

// Twenty stations stored as an update stores them: the data file and the min/max file.
struct TwentyStations {
    QTemporaryDir folder;
    StationStore store{folder.filePath("stations").toStdString(), folder.filePath("minmax").toStdString()};
    std::vector<std::string> entries;
    IsoDateForms forms;
    PanelMoment moment{CivilTime{2023, 12, 6, 18, 30, 0}, nullptr, &forms};

    TwentyStations()
    {
        QDir(folder.path()).mkpath("stations");
        QDir(folder.path()).mkpath("minmax");
        const std::string trend = sample("observations/trend/KSEA.TREND");
        for (const char* file : kReports) {
            const std::string code(file, 4);
            entries.push_back(code + " Station " + code);
            store.storeReport(code, trend, sample("observations/noaa-decoded/" + std::string(file)), DisplayUnits{});
        }
    }
};

void BM_WallModel20(benchmark::State& state)
{
    const TwentyStations stations;
    const UnitSettings units;
    for (auto _ : state) {
        StationWall wall;
        wall.follow(stations.store, stations.entries);
        benchmark::DoNotOptimize(wall.tiles(units, stations.moment));
    }
}
BENCHMARK(BM_WallModel20)->Unit(benchmark::kMillisecond);

// Its two halves: the files read into snapshots, and the tiles made from them.
void BM_WallRead20(benchmark::State& state)
{
    const TwentyStations stations;
    for (auto _ : state) {
        StationWall wall;
        wall.follow(stations.store, stations.entries);
        benchmark::DoNotOptimize(wall);
    }
}
BENCHMARK(BM_WallRead20)->Unit(benchmark::kMillisecond);

void BM_WallTiles20(benchmark::State& state)
{
    const TwentyStations stations;
    StationWall wall;
    wall.follow(stations.store, stations.entries);
    const UnitSettings units;
    for (auto _ : state)
        benchmark::DoNotOptimize(wall.tiles(units, stations.moment));
}
BENCHMARK(BM_WallTiles20)->Unit(benchmark::kMillisecond);

void BM_WallDraw20(benchmark::State& state)
{
    const TwentyStations stations;
    StationWall wall;
    wall.follow(stations.store, stations.entries);
    const std::vector<WallTile> tiles = wall.tiles(UnitSettings{}, stations.moment);
    const ColorScheme colors;
    // Five columns of four rows at 96 dpi, as the wall opens.
    const WallLayout layout = wallLayout(20, kTileGapTwips + 5 * (kTileWidthTwips + kTileGapTwips), 1e9);
    QImage image(static_cast<int>(std::lround(layout.widthTwips() / 15)),
                 static_cast<int>(std::lround(layout.heightTwips() / 15)), QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    for (auto _ : state) {
        QPainter painter(&image);
        QtSurface surface(painter, image, Surface::Kind::Window);
        paintWall(surface, tiles, {colors}, layout);
    }
}
BENCHMARK(BM_WallDraw20)->Unit(benchmark::kMillisecond);

} // namespace
