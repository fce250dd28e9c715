// SPDX-License-Identifier: GPL-3.0-or-later
// Composing the printed panel for the preview: drawMachine onto the true-size
// 96 dpi page picture. Target on a 2-core machine: under 50 ms.

#include <memory>

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include "session/app_state.h"
#include "bench_support.h"
#include "platform/qt_surface.h"
#include "printing/print_job.h"

using namespace ventoral;

namespace {

void BM_drawMachine(benchmark::State& state)
{
    AppState app;
    app.tables.shades = defaultShades();
    StationTexts texts;
    texts.presentText = bench::sample("observations/noaa-decoded/KBFI-2.txt");
    texts.lastText = bench::sample("observations/trend/KSEA.TREND");
    texts.dataValid = true;
    app.shown.replace(snapshotOf("KBFI", texts), std::nullopt);
    const IsoDateForms forms;
    const PanelModel model = app.shown.model(app.tables.units, {CivilTime{2023, 12, 6, 18, 0, 0}, nullptr, &forms});
    const PrintJob job =
        panelJob(model, app.tables, PanelPage{"KBFI Boeing Field", "Wednesday, December 6, 2023"}, app.trace);
    for (auto _ : state)
        benchmark::DoNotOptimize(printView(job));
}
BENCHMARK(BM_drawMachine)->Unit(benchmark::kMillisecond);

} // namespace
