// SPDX-License-Identifier: GPL-3.0-or-later
// Parse and start-up costs. Targets on a 2-core machine: each parse, and
// building a present report from a METAR, under 20 us; loading every
// settings section under 5 ms.

#include <cstdlib>
#include <filesystem>

#include <benchmark/benchmark.h>

#include "settings/settings.h"
#include "bench_support.h"
#include "observations/present_builder.h"
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
    context.nowUtc = CivilTime{2023, 8, 25, 4, 0, 0};
    context.forms = &forms;
    Observation obs;
    for (auto _ : state) {
        obs.presetForParse();
        benchmark::DoNotOptimize(presentData(report, context, obs));
    }
}
BENCHMARK(BM_presentData);

// A METAR with gust, windchill, weather, several layers and remarks.
void BM_BuildPresentFromMetar(benchmark::State& state)
{
    const std::string metar = "METAR KBLI 181753Z 06012G22KT 3SM -SN BR FEW008 BKN049 OVC075 M01/M09 A3017 "
                              "RMK AO2 PK WND 04030/1707 SLP225 T10111094 11011 21017 53022";
    const StationInfo station{"BELLINGHAM INTERNATIONAL  AIRPORT, WA, United States", "48-48N", "122-32W", "50"};
    const CivilTime now{2024, 1, 18, 18, 0, 0};
    for (auto _ : state)
        benchmark::DoNotOptimize(buildPresentReport(metar, station, now));
}
BENCHMARK(BM_BuildPresentFromMetar);

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
