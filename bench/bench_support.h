// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared helpers of the benchmarks: the sample files below tests/data. The
// program's one application is made in bench_main.cpp, before any benchmark.

#include <fstream>
#include <sstream>
#include <string>

namespace ventoral::bench {

// Bytes of a file below tests/data; empty when it is missing.
inline std::string sample(const std::string& relative)
{
    std::ifstream in(std::string(VENTORAL_TEST_DATA) + "/" + relative, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

} // namespace ventoral::bench
