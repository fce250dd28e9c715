// SPDX-License-Identifier: GPL-3.0-or-later
// Station directory files as they may be found beside the program: whole
// records only, every position finite and on the globe, every field text
// valid for a window, and a record written back reads the same.
#include <cmath>
#include <cstdint>
#include <string_view>

#include "stations/core/station_directory.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using ventoral::StationRecord;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ventoral::StationDirectory directory = ventoral::StationDirectory::fromBytes(bytes);
    if (directory.size() != size / StationRecord::kBytes)
        __builtin_trap();
    for (std::size_t i = 0; i < directory.size(); ++i) {
        const StationRecord& record = directory.records()[i];
        if (record.toBytes() != bytes.substr(i * StationRecord::kBytes, StationRecord::kBytes))
            __builtin_trap();
        const double latitude = directory.latitudeOf(i);
        const double longitude = directory.longitudeOf(i);
        if (!std::isfinite(latitude) || !std::isfinite(longitude))
            __builtin_trap();
        (void)ventoral::fieldText(record.description);
    }
    for (const std::string& line : ventoral::splitTextLines(bytes))
        (void)ventoral::stateCodeOfLine(line);
    return 0;
}
