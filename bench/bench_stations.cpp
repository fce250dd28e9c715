// SPDX-License-Identifier: GPL-3.0-or-later
// The station searches over the delivered directory: one box search, and
// the setup wizard's whole growing search for a position far from any
// station, which runs about 160 box searches before giving up at 4 degrees.

#include <benchmark/benchmark.h>

#include <cstdlib>

#include "stations/core/setup_plan.h"
#include "stations/core/station_catalogue.h"
#include "stations/core/station_search.h"

using namespace ventoral;

namespace {

const StationCatalogue& delivered()
{
    static const StationCatalogue catalogue = [] {
        CatalogueResult result = loadStationCatalogue(std::string(VENTORAL_TEST_DATA) + "/../../data");
        if (!result.catalogue)
            std::abort();
        return std::move(*result.catalogue);
    }();
    return catalogue;
}

void BM_SearchLatLon(benchmark::State& state)
{
    const StationCatalogue& catalogue = delivered();
    const SearchBox box = boxAround(40.64, -73.78, 5, 5);
    std::size_t found = 0;
    for (auto _ : state) {
        found = searchBox(catalogue.directory, box).size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["records"] = static_cast<double>(catalogue.directory.size());
    state.counters["found"] = static_cast<double>(found);
}
BENCHMARK(BM_SearchLatLon)->Unit(benchmark::kMillisecond);

// The South Pacific far west of Chile: nothing within 4 degrees.
void BM_WizardSearch(benchmark::State& state)
{
    const StationCatalogue& catalogue = delivered();
    WizardSearch search;
    for (auto _ : state) {
        search = wizardStationSearch(catalogue, -45.0, -120.0);
        benchmark::DoNotOptimize(search.lines.data());
    }
    state.counters["found"] = static_cast<double>(search.lines.size());
    state.counters["latRange"] = search.ranges.latitude;
    state.counters["lonRange"] = search.ranges.longitude;
}
BENCHMARK(BM_WizardSearch)->Unit(benchmark::kMillisecond);

} // namespace
