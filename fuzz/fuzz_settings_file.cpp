// SPDX-License-Identifier: GPL-3.0-or-later
// Settings files: any bytes parse, a value set reads back after the file is
// written and read again, the other values stay as they were, and the
// written form is written again unchanged.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/text_encoding.h"
#include "settings/ini_file.h"

namespace {

// A value taken from the input's first bytes: any text without line breaks.
std::string valueFrom(std::string_view bytes)
{
    std::string value = ventoral::decodeLegacyText(bytes.substr(0, 40));
    for (char& c : value)
        if (c == '\r' || c == '\n')
            c = ' ';
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ventoral::IniDocument doc = ventoral::IniDocument::fromBytes(bytes);
    const std::string before = doc.value("Stations", "Number", "?");
    for (const std::string& value : {std::string("1"), valueFrom(bytes)}) {
        doc.setValue("Units", "U010", value);
        if (doc.value("Units", "U010", "") != value)
            __builtin_trap();
        const std::string written = doc.toBytes();
        const ventoral::IniDocument again = ventoral::IniDocument::fromBytes(written);
        if (again.value("Units", "U010", "") != value || again.value("Stations", "Number", "?") != before)
            __builtin_trap();
        if (again.toBytes() != written)
            __builtin_trap();
    }
    return 0;
}
