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
// A symbolic link at path stays one: the file at the end of its chain is
// replaced (created, for a link to nothing), in that file's own folder.
// The new file keeps the old one's mode bits, and its owner and group as
// far as this process may set them.
bool writeFileAtomically(const std::string& path, std::string_view bytes);

// True when nothing at all is at path, or only a symbolic link to nothing:
// a file could be created there. False for anything that stands there,
// readable or not (a file, a folder, a link that loops).
bool nothingAt(const std::string& path);

// Size in bytes of the file at path, or 0 when there is none.
std::int64_t FileSizeOf(const std::string& path);

bool fileExists(const std::string& path);

// Creates the folder and any missing parents; true when it exists afterwards.
bool createFolder(const std::string& path);

// Joins a folder and a name with the platform separator.
std::string joinPath(const std::string& folder, const std::string& name);

} // namespace ventoral
