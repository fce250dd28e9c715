// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Windows-1252 <-> UTF-8, for files that must match those written on Windows.

#include <optional>
#include <string>
#include <string_view>

namespace ventoral {

bool isValidUtf8(std::string_view bytes);

// UTF-8 text when the bytes are valid UTF-8, else the bytes read as Windows-1252.
std::string decodeLegacyText(std::string_view bytes);

std::string windows1252ToUtf8(std::string_view bytes);

// The UTF-8 text in Windows-1252, or nullopt when a character has no byte there.
std::optional<std::string> utf8ToWindows1252(std::string_view utf8);

} // namespace ventoral
