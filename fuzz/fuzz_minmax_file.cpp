// SPDX-License-Identifier: GPL-3.0-or-later
// Min/max files as they may be found on disk: entries stay finite and in range.
#include <cstdint>
#include <string_view>

#include "observations/minmax.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const float value : ventoral::minMaxTableOf(bytes))
        if (!(value >= -1e7f && value <= 1e7f))
            __builtin_trap();
    return 0;
}
