// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_support.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

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

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string jsonString(const std::string& line, const std::string& key)
{
    const std::string opening = "\"" + key + "\": \"";
    const std::size_t at = line.find(opening);
    if (at == std::string::npos)
        return {};
    const std::size_t start = at + opening.size();
    return line.substr(start, line.find('"', start) - start);
}

std::string lineAfter(const std::string& report, const std::string& label)
{
    const auto at = report.find("\n" + label);
    if (at == std::string::npos)
        return {};
    const auto start = at + 1 + label.size();
    return report.substr(start, report.find('\n', start) - start);
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
    const std::string path = dataPath(relative);
    const char* refresh = std::getenv("VENTORAL_REFRESH_REFERENCE");
    if (refresh && std::string(refresh) == "1") {
        std::error_code ec;
        fs::create_directories(fs::path(path).parent_path(), ec);
        writeFile(path, actual);
    }
    // A missing reference fails the test: it is never written unasked.
    if (!fs::is_regular_file(path)) {
        ADD_FAILURE() << "missing reference " << path
                      << "; write it with VENTORAL_REFRESH_REFERENCE=1 and check it by hand";
        return {};
    }
    return readFile(path);
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

namespace {

bool capabilities(__user_cap_data_struct (&data)[2], bool set)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return ::syscall(set ? SYS_capset : SYS_capget, &header, data) == 0;
}

constexpr unsigned kPastPermissionBits = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);

} // namespace

PermissionBitsBind::PermissionBitsBind()
{
    __user_cap_data_struct data[2]{};
    if (!capabilities(data, false) || (data[0].effective & kPastPermissionBits) == 0)
        return;
    m_effective = data[0].effective;
    data[0].effective &= ~kPastPermissionBits;
    m_lowered = capabilities(data, true);
    EXPECT_TRUE(m_lowered) << "cannot lower the capabilities that pass permission bits";
}

PermissionBitsBind::~PermissionBitsBind()
{
    __user_cap_data_struct data[2]{};
    if (!m_lowered || !capabilities(data, false))
        return;
    data[0].effective = m_effective;
    capabilities(data, true);
}

ScopedTimeZone::ScopedTimeZone(const char* zone)
{
    if (const char* saved = std::getenv("TZ"))
        m_saved = saved;
    ::setenv("TZ", zone, 1);
    ::tzset();
}

ScopedTimeZone::~ScopedTimeZone()
{
    if (m_saved)
        ::setenv("TZ", m_saved->c_str(), 1);
    else
        ::unsetenv("TZ");
    ::tzset();
}

} // namespace ventoral::test
