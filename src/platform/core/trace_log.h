// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The procedure trace: when the build switches it on, every procedure
// appends its window-or-module name and procedure name, in double quotes,
// to TraceLog.txt in the program folder ("frmMain,ReadData").

#include <fstream>
#include <string>

namespace ventoral {

class TraceLog {
public:
    // Built in with -DVENTORAL_TRACE=ON; off otherwise.
    static constexpr bool kBuiltIn = VENTORAL_TRACE;

    bool enabled() const { return m_enabled; }
    void setEnabled(bool on) { m_enabled = on; }

    // Replaces an existing log. Does nothing while the switch is off.
    void open(const std::string& path);
    void close();
    void record(const char* procedure);

private:
    bool m_enabled = false;
    std::ofstream m_file;
};

} // namespace ventoral
