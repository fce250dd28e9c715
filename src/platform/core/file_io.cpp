// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/file_io.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>
#include <tuple>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace ventoral {

std::optional<std::string> readWholeFile(const std::string& path)
{
    std::error_code ec;
    if (fs::is_directory(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes;
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (in.bad())
        return std::nullopt;
    return bytes;
}

namespace {

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Where a replace of path lands: path itself, or the end of the chain of
// symbolic links starting there, so the links stay links. A chain that
// ends in nothing gives the path it names; one that loops gives nullopt.
std::optional<std::string> replacedFile(const std::string& path)
{
    constexpr int kMostLinks = 40;   // as the kernel follows
    fs::path current(path);
    for (int i = 0; i <= kMostLinks; ++i) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(current, ec)))
            return current.string();
        const fs::path next = fs::read_symlink(current, ec);
        if (ec)
            return std::nullopt;
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    return std::nullopt;
}

// The new file takes the old one's mode bits, and its owner and group where
// this process may give them; a new file keeps the creation mode.
bool takeOverOwnerAndMode(int fd, const std::string& oldFile)
{
    struct stat old {};
    if (::stat(oldFile.c_str(), &old) != 0)
        return errno == ENOENT;
    // Ownership first: changing it clears the set-ID bits a mode holds. One
    // who may not give the file away keeps it, with the old group if allowed.
    if (::fchown(fd, old.st_uid, old.st_gid) != 0)
        std::ignore = ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    return ::fchmod(fd, old.st_mode & 07777) == 0;
}

} // namespace

bool writeFileAtomically(const std::string& path, std::string_view bytes)
{
    const std::optional<std::string> resolved = replacedFile(path);
    if (!resolved)
        return false;
    const fs::path target(*resolved);
    std::random_device random;
    const std::string tempPath =
        (target.parent_path() / ("." + target.filename().string() + ".tmp" + std::to_string(random()))).string();

    const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool written = takeOverOwnerAndMode(fd, *resolved) && writeAll(fd, bytes) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || std::rename(tempPath.c_str(), resolved->c_str()) != 0) {
        std::remove(tempPath.c_str());
        return false;
    }
    // Make the rename itself durable.
    const std::string folder = target.has_parent_path() ? target.parent_path().string() : ".";
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

bool nothingAt(const std::string& path)
{
    struct stat status {};
    return ::stat(path.c_str(), &status) != 0 && errno == ENOENT;
}

std::int64_t FileSizeOf(const std::string& path)
{
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return 0;
    const auto size = fs::file_size(path, ec);
    return ec ? 0 : static_cast<std::int64_t>(size);
}

bool fileExists(const std::string& path)
{
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool createFolder(const std::string& path)
{
    std::error_code ec;
    fs::create_directories(path, ec);
    return fs::is_directory(path, ec);
}

std::string joinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    if (folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

} // namespace ventoral
