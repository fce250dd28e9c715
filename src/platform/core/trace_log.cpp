// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/trace_log.h"

namespace ventoral {

void TraceLog::open(const std::string& path)
{
    if (!m_enabled)
        return;
    m_file.open(path, std::ios::binary | std::ios::trunc);
}

void TraceLog::close()
{
    if (m_file.is_open())
        m_file.close();
}

void TraceLog::record(const char* procedure)
{
    if (!m_enabled || !m_file.is_open())
        return;
    m_file << '"' << procedure << "\"\r\n";
    m_file.flush();
}

} // namespace ventoral
