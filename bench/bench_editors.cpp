// SPDX-License-Identifier: GPL-3.0-or-later
// Costs the settings editors make a person wait for. Target on a 2-core
// machine: the two thermometer faces re-rendered after a range choice in the
// units window (SaveTemp) under 100 ms, so the choice feels immediate.

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "session/app_state.h"
#include "settings/unit_choices.h"
#include "bench_support.h"
#include "widgets/qt_face_renderer.h"

using namespace ventoral;

namespace {

void BM_SaveTemp(benchmark::State& state)
{
    QTemporaryDir folder;
    AppState app;
    QtFaceRenderer renderer;
    int row = 0;
    for (auto _ : state) {
        chooseScaleRow(app.tables.units, row);
        row = (row + 1) % static_cast<int>(kScaleRanges.size());
        benchmark::DoNotOptimize(renderer.SaveTemp(app, folder.path().toStdString()));
    }
}
BENCHMARK(BM_SaveTemp)->Unit(benchmark::kMillisecond);

} // namespace
