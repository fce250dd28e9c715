// SPDX-License-Identifier: GPL-3.0-or-later
// Typed latitudes and longitudes: a text either is rejected or becomes the
// directory form, which normalises to itself and reads back within range.
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "stations/core/coordinates.h"

namespace {

void check(const std::string& normal, std::string (*normalise)(std::string_view), double limit)
{
    if (normal.empty())
        return;
    if (normalise(normal) != normal)
        __builtin_trap();
    const double degrees = ventoral::degreesOfDirectoryText(normal);
    if (!std::isfinite(degrees) || std::fabs(degrees) > limit + 1.0)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    check(ventoral::normaliseLatitude(text), ventoral::normaliseLatitude, 90);
    check(ventoral::normaliseLongitude(text), ventoral::normaliseLongitude, 180);
    const double any = ventoral::degreesOfDirectoryText(text);
    (void)any;
    return 0;
}
