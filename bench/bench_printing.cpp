// SPDX-License-Identifier: GPL-3.0-or-later
// Composing the printed panel for the preview: drawMachine onto the true-size
// 96 dpi page picture. Target on a 2-core machine: under 50 ms.

#include <memory>

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include "session/display_cycle.h"
#include "bench_support.h"
#include "platform/qt_surface.h"
#include "printing/print_job.h"

using namespace ventoral;

namespace {

// Redraw fills the observation and the trend table; its pictures are thrown away.
class ScratchTargets : public PanelTargets {
public:
    Surface& begin(PanelPicture) override
    {
        m_painter = std::make_unique<QPainter>(&m_image);
        m_surface = std::make_unique<QtSurface>(*m_painter, m_image, Surface::Kind::Window);
        return *m_surface;
    }
    void end(PanelPicture) override
    {
        m_surface.reset();
        m_painter.reset();
    }

private:
    QImage m_image{1, 1, QImage::Format_RGB32};
    std::unique_ptr<QPainter> m_painter;
    std::unique_ptr<QtSurface> m_surface;
};

void BM_drawMachine(benchmark::State& state)
{
    bench::ensureApplication();
    AppState app;
    app.tables.shades = defaultShades();
    app.tables.shortList.entries = {"KBFI Boeing Field"};
    app.tables.shortList.selected = 0;
    app.station.currentStation = "KBF";   // under four characters: nothing is written
    app.station.presentText = bench::sample("observations/noaa-decoded/KBFI-2.txt");
    app.station.lastText = bench::sample("observations/trend/KSEA.TREND");
    app.station.dataValid = true;
    const IsoDateForms forms;
    const CivilTime now{2023, 12, 6, 18, 0, 0};
    ScratchTargets targets;
    Redraw(app, forms, now, targets);
    const PrintJob job = panelJob(app, PanelPage{"KBFI Boeing Field", "Wednesday, December 6, 2023"}, now);
    for (auto _ : state)
        benchmark::DoNotOptimize(printView(job));
}
BENCHMARK(BM_drawMachine)->Unit(benchmark::kMillisecond);

} // namespace
