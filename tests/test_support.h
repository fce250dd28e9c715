// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared helpers of the test programs: temporary folders and sample files.

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
// The reference file below tests/data that actual is compared with. With
// VENTORAL_REFRESH_REFERENCE=1 it is first rewritten from actual: check the
// new file by hand before committing it.
std::string reference(const std::string& relative, const std::string& actual);

void writeFile(const std::string& path, const std::string& bytes);
std::string readFile(const std::string& path);

} // namespace ventoral::test
