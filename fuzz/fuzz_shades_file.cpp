// SPDX-License-Identifier: GPL-3.0-or-later
// Imported "Shades*.txt" files: all 25 colours or nothing, each a colour,
// and a table written out reads back the same.
#include <cstdint>
#include <string_view>

#include "instruments/shade_swatches.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ventoral::ShadesFileRead read = ventoral::readShadesFile(bytes);
    if (!read.table)
        return 0;
    for (const std::int32_t colour : *read.table)
        if (colour < 0 || colour > 0xFFFFFF)
            __builtin_trap();
    const ventoral::ShadesFileRead again = ventoral::readShadesFile(ventoral::shadesFileText(*read.table));
    if (!again.table || *again.table != *read.table)
        __builtin_trap();
    return 0;
}
