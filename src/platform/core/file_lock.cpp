// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/file_lock.h"

#include <cerrno>
#include <thread>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace ventoral {

namespace {

constexpr std::chrono::milliseconds kRetryEvery{5};

} // namespace

std::optional<FileLock> FileLock::take(const std::string& lockFile, std::chrono::milliseconds wait)
{
    const int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return std::nullopt;
    FileLock lock(fd);
    // flock, not fcntl: its lock belongs to this open file, so two checks in
    // one process exclude each other too, and no other close lets it go.
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= deadline)
            return std::nullopt;
        std::this_thread::sleep_for(kRetryEvery);
    }
    return lock;
}

FileLock::FileLock(FileLock&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

FileLock::~FileLock()
{
    // Closing the only descriptor of the open file releases its lock.
    if (m_fd >= 0)
        ::close(m_fd);
}

std::string lockFileOf(const std::string& path)
{
    return path + ".lock";
}

} // namespace ventoral
