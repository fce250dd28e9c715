// SPDX-License-Identifier: GPL-3.0-or-later
// One raw METAR turned into a decoded present report; whatever is built
// must read back through presentData.
#include <cstdint>
#include <string_view>

#include "observations/present_builder.h"
#include "observations/present_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view metar(reinterpret_cast<const char*>(data), size);
    const ventoral::StationInfo station{"Seattle-Tacoma International Airport, WA, United States", "47-27N", "122-19W",
                                        "137"};
    const auto report = ventoral::buildPresentReport(metar, station, {2023, 12, 7, 2, 0, 0});
    if (!report)
        return 0;
    if (report->find("\nob: ") == std::string::npos)
        __builtin_trap();  // a built report always carries its METAR
    const ventoral::IsoDateForms forms;
    ventoral::PresentContext context;
    context.forms = &forms;
    ventoral::Observation obs;
    ventoral::presentData(*report, context, obs);
    return 0;
}
