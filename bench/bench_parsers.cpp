// Parse and start-up costs. Targets on a 2-core machine: each parse under
// 20 us, loading every settings section under 5 ms.

#include <cstdlib>
#include <filesystem>

#include <benchmark/benchmark.h>

#include "settings/settings.h"
#include "bench_support.h"
#include "observations/present_parser.h"
#include "observations/trend_parser.h"

using namespace ventoral;

namespace {

using bench::sample;

void BM_presentData(benchmark::State& state)
{
    const std::string report = sample("observations/noaa-decoded/KSEA-1.txt");
    const IsoDateForms forms;
    PresentContext context;
    context.nowLocal = CivilTime{2023, 8, 25, 4, 0, 0};
    context.forms = &forms;
    Observation obs;
    for (auto _ : state) {
        obs.presetForParse();
        benchmark::DoNotOptimize(presentData(report, context, obs));
    }
}
BENCHMARK(BM_presentData);

void BM_trendData(benchmark::State& state)
{
    const std::string report = sample("observations/trend/KSEA.TREND");
    TrendSeries trend;
    for (auto _ : state) {
        trendData(report, true, trend);
        benchmark::DoNotOptimize(trend);
    }
}
BENCHMARK(BM_trendData);

// A complete settings file with a full short list, read from disk each time.
void BM_LoadSettings(benchmark::State& state)
{
    const auto folder = std::filesystem::temp_directory_path() / "ventoral-bench";
    std::filesystem::create_directories(folder);
    const std::string file = (folder / "vntl.ini").string();
    AppTables tables;
    WriteDefaultSettings(file, "/opt/ventoral", tables);
    IniDocument doc = IniDocument::load(file);
    doc.setValue("Stations", "Number", "20");
    for (int i = 0; i < 20; ++i)
        doc.setValue("Stations", "Station" + std::to_string(i), "KSEA Seattle-Tacoma International Airport");
    doc.save(file);

    for (auto _ : state) {
        AppTables loaded;
        loadAllSettings(IniDocument::load(file), loaded);
        benchmark::DoNotOptimize(loaded);
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_LoadSettings)->Unit(benchmark::kMicrosecond);

} // namespace
