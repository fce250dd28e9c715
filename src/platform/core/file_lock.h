// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An exclusive lock that programs share through a lock file: the window and
// a run from cron take it around a read-change-write of the same file, so
// neither works from what the other is about to replace.

#include <chrono>
#include <optional>
#include <string>

namespace ventoral {

class FileLock {
public:
    // Takes the lock of lockFile (created where missing, never removed),
    // waiting at most wait for a holder to let go; nothing when the file
    // cannot be made or the wait ran out. Released when the object dies,
    // or when the process ends in any way.
    static std::optional<FileLock> take(const std::string& lockFile, std::chrono::milliseconds wait);

    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

private:
    explicit FileLock(int fd) : m_fd(fd) {}
    int m_fd = -1;
};

// The lock file that guards path: the same name with ".lock", beside it.
std::string lockFileOf(const std::string& path);

} // namespace ventoral
