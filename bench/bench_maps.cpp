// SPDX-License-Identifier: GPL-3.0-or-later
// Opening the map viewer on a stored 1 MB map: the viewer and its web page
// view are made, the page around the image is loaded and the image decoded.
// Target on a 2-core machine: the image is on screen within 500 ms.

#include <cstdlib>
#include <memory>
#include <random>

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "session/app_state.h"
#include "bench_support.h"
#include "download/core/downloader.h"
#include "maps/map_viewer.h"
#include "platform/qt_transfer.h"
#include "platform/web/qt_page_view.h"
#include "fixed_clock.h"
#include "scripted_prompter.h"

using namespace ventoral;

namespace {

// Noise does not compress: about 1 MB of PNG.
void writeNoisyMap(const QString& path)
{
    QImage image(600, 580, QImage::Format_RGB32);
    std::mt19937 random(7);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = 0xff000000u | (random() & 0xffffffu);
    }
    image.save(path, "PNG");
}

void BM_MapViewerOpen(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString map = folder.filePath("radar.png");
    writeNoisyMap(map);

    AppState app;
    app.tables.folders.maps = folder.path().toStdString();
    app.tables.files[0] = "radar.png";
    app.tables.names[0] = "Radar";
    app.screens = {{{0, 0, 1280, 1024}, {0, 0, 1280, 1024}}};
    QtTransfer transfer;
    QtEventPump events;
    ScriptedPrompter prompter;
    const FixedClock clock;
    Downloader downloader(app, {transfer, events, prompter, clock});

    for (auto _ : state) {
        auto viewer = std::make_unique<MapViewer>(app, MapViewerServices{downloader, prompter, qtPageViews()});
        viewer->startLoad();
        benchmark::DoNotOptimize(viewer->pageText().size());
        state.PauseTiming();
        viewer.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["map_bytes"] = static_cast<double>(QFileInfo(map).size());
}
BENCHMARK(BM_MapViewerOpen)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

} // namespace
