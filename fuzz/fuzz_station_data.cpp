// SPDX-License-Identifier: GPL-3.0-or-later
// Station data files as they may be found on disk.
#include <cstdint>
#include <string_view>

#include "observations/station_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ventoral::StationTexts texts = ventoral::stationTextsOf(bytes, "KBFI");
    if (texts.dataValid && texts.presentText.find("KBFI") == std::string::npos)
        __builtin_trap();
    return 0;
}
