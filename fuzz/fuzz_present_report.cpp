// SPDX-License-Identifier: GPL-3.0-or-later
// Decoded present reports, in every unit and on both surfaces.
#include <cstdint>
#include <string_view>

#include "observations/present_parser.h"
#include "platform/core/time_zone.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view report(reinterpret_cast<const char*>(data), size);
    static const ventoral::IsoDateForms forms;
    static const ventoral::FixedTimeZone zones[] = {ventoral::FixedTimeZone(13 * 60), ventoral::FixedTimeZone(-5 * 60)};
    for (int variant = 0; variant < 2; ++variant) {
        ventoral::PresentContext context;
        context.forms = &forms;
        context.nowUtc = {2023, 12, 7, 2, 0, 0};
        context.zone = &zones[variant];
        context.surface = variant ? ventoral::StripSurface::PrintPage : ventoral::StripSurface::Window;
        context.units.kph = variant == 0;
        context.units.celsius = variant == 0;
        context.units.hpa = variant == 0;
        ventoral::Observation obs;
        ventoral::presentData(report, context, obs);
    }
    return 0;
}
