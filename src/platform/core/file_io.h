// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whole-file reads and crash-safe whole-file replacement.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ventoral {

// The file's bytes, or nullopt when it cannot be opened or read.
std::optional<std::string> readWholeFile(const std::string& path);

// Writes bytes to a temporary file beside path, flushes it to disk and
// renames it over path, so a crash or a full disk leaves either the old file
// or the new one, never half of one. Returns false on any failure.
bool writeFileAtomically(const std::string& path, std::string_view bytes);

// Size in bytes of the file at path, or 0 when there is none.
std::int64_t FileSizeOf(const std::string& path);

bool fileExists(const std::string& path);

// Creates the folder and any missing parents; true when it exists afterwards.
bool createFolder(const std::string& path);

// Joins a folder and a name with the platform separator.
std::string joinPath(const std::string& folder, const std::string& name);

} // namespace ventoral
