// Settings files: any bytes parse, a value set reads back, and the written
// form parses to the same values.
#include <cstdint>
#include <string_view>

#include "settings/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ventoral::IniDocument doc = ventoral::IniDocument::fromBytes(bytes);
    const std::string before = doc.value("Stations", "Number", "?");
    doc.setValue("Units", "U010", "1");
    if (doc.value("Units", "U010", "") != "1")
        __builtin_trap();
    const ventoral::IniDocument again = ventoral::IniDocument::fromBytes(doc.toBytes());
    if (again.value("Units", "U010", "") != "1")
        __builtin_trap();
    (void)before;
    return 0;
}
