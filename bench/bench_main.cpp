// SPDX-License-Identifier: GPL-3.0-or-later
// The benchmarks' main. The program's one application lives in main's scope,
// made before any benchmark and ready for the web engine, which the map
// viewer's benchmark links and starts. It must be gone before main returns:
// its end runs the engine's clean-up, which deletes the engine's OpenGL
// context through Qt GUI's own globals, and exit() destroys those globals
// (a static application was destroyed after them and crashed).

#include <QApplication>

#include <benchmark/benchmark.h>

#include "platform/web/qt_page_view.h"

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ventoral::prepareWebEngine();
    QApplication application(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
