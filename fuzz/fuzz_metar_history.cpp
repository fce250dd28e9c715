// SPDX-License-Identifier: GPL-3.0-or-later
// Raw METAR history answers turned into trend reports; the result must read
// back as a trend report.
#include <cstdint>
#include <string_view>

#include "download/core/metar_trend.h"
#include "observations/trend_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view history(reinterpret_cast<const char*>(data), size);
    const std::string text = ventoral::trendFromMetars(history, "EGLC", {2023, 12, 7, 2, 0, 0});
    if (text.size() <= 10)
        __builtin_trap();  // the header lines are always there
    ventoral::TrendSeries trend;
    ventoral::trendData(text, true, trend);
    return 0;
}
