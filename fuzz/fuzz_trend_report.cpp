// SPDX-License-Identifier: GPL-3.0-or-later
// Trend reports, read for both speed units.
#include <cstdint>
#include <string_view>

#include "observations/trend_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const bool kph : {false, true}) {
        ventoral::TrendSeries trend;
        ventoral::trendData(text, kph, trend);
    }
    return 0;
}
