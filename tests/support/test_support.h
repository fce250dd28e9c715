// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared helpers of the test programs: temporary folders and sample files.

#include <optional>
#include <string>
#include <vector>

namespace ventoral::test {

// A fresh folder removed again with everything in it when the object dies.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// Path of a file below tests/data.
std::string dataPath(const std::string& relative);
// Bytes of a file below tests/data; fails the test when it is missing.
std::string readData(const std::string& relative);
// File names (not paths) in a folder below tests/data, sorted.
std::vector<std::string> dataFiles(const std::string& relativeFolder, const std::string& suffix);
// A body the map downloads take for a whole GIF image of bytes bytes: its
// signature, fill, and its trailer byte ";".
inline std::string gifImage(std::size_t bytes, char fill = 'g')
{
    std::string image = "GIF89a";
    image.resize(bytes > 7 ? bytes - 1 : 6, fill);
    return image + ";";
}

// The reference file below tests/data that actual is compared with. With
// VENTORAL_REFRESH_REFERENCE=1 it is first rewritten from actual (its folder
// made where missing): check the new file by hand before committing it.
// Without it, a missing file fails the test.
std::string reference(const std::string& relative, const std::string& actual);

// The text of "key": "..." in one line of JSON, without escapes; empty
// when the line has no such key.
std::string jsonString(const std::string& line, const std::string& key);
// The rest of the report line that starts with label, nothing without one.
std::string lineAfter(const std::string& report, const std::string& label);

// The lines of a text, without their line feeds.
std::vector<std::string> linesOf(const std::string& text);

void writeFile(const std::string& path, const std::string& bytes);
std::string readFile(const std::string& path);

// While it lives, permission bits bind the calling thread as they bind any
// user: a test run as root loses its power to read, write and search past
// them (it stays the owner of what it made), and gets it back afterwards.
// Without root, nothing changes.
class PermissionBitsBind {
public:
    PermissionBitsBind();
    ~PermissionBitsBind();
    PermissionBitsBind(const PermissionBitsBind&) = delete;
    PermissionBitsBind& operator=(const PermissionBitsBind&) = delete;

private:
    bool m_lowered = false;
    unsigned m_effective = 0;
};

// While it lives, TZ names zone (such as "America/St_Johns"), so the C
// library's zone rules, and with them SystemTimeZone, are that zone's; TZ is
// put back as it was afterwards.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone);
    ~ScopedTimeZone();
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    std::optional<std::string> m_saved;
};

} // namespace ventoral::test
