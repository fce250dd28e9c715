// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared helpers of the benchmarks: the one application object of the
// program and the sample files below tests/data.

#include <fstream>
#include <sstream>
#include <string>

#include <QApplication>

#include "platform/web/qt_page_view.h"

namespace ventoral::bench {

// A QApplication on the offscreen platform, made on first use, ready for
// the web engine. Every
// benchmark that needs Qt asks here, so the program never makes two. Being
// constructed in place, it is destroyed at exit before the Qt globals its
// constructor made; a static pointer set later outlived them and crashed.
inline void ensureApplication()
{
    static int argc = 1;
    static char name[] = "ventoral-bench";
    static char* argv[] = {name, nullptr};
    static const bool offscreen = qputenv("QT_QPA_PLATFORM", "offscreen");
    static const bool engine = (prepareWebEngine(), true);
    static QApplication app(argc, argv);
    (void)offscreen;
    (void)engine;
}

// Bytes of a file below tests/data; empty when it is missing.
inline std::string sample(const std::string& relative)
{
    std::ifstream in(std::string(VENTORAL_TEST_DATA) + "/" + relative, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

} // namespace ventoral::bench
