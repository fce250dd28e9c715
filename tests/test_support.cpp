// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_support.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace ventoral::test {

TempDir::TempDir()
{
    std::string pattern = (fs::temp_directory_path() / "ventoral-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    m_path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

std::string dataPath(const std::string& relative)
{
    return std::string(VENTORAL_TEST_DATA) + "/" + relative;
}

std::string readData(const std::string& relative)
{
    const std::string path = dataPath(relative);
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << "missing sample " << path;
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string reference(const std::string& relative, const std::string& actual)
{
    const char* refresh = std::getenv("VENTORAL_REFRESH_REFERENCE");
    if (refresh && std::string(refresh) == "1")
        writeFile(dataPath(relative), actual);
    return readData(relative);
}

std::vector<std::string> dataFiles(const std::string& relativeFolder, const std::string& suffix)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dataPath(relativeFolder))) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && name.size() >= suffix.size()
            && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

} // namespace ventoral::test
