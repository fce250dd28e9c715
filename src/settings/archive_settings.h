// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The archive's settings, kept in the settings file's "Archive" section
// (which older versions never read):
//
//   [Archive]
//   KeepDays=400      observations older than this many days are removed
//   GraphSpan=7       days the trend graphs span: 1 (24 hours), 7 or 30

#include <optional>
#include <string>
#include <string_view>

#include "settings/ini_file.h"

namespace ventoral {

inline constexpr const char* kArchiveSection = "Archive";

// What the five trend graphs span. The dials' bands always span 24 hours.
enum class GraphSpan { Day = 1, Week = 7, Month = 30 };

inline int spanDays(GraphSpan span) { return static_cast<int>(span); }
// 1, 7 or 30; nothing for any other number of days.
std::optional<GraphSpan> graphSpanOf(std::string_view days);

// The shortest and longest number of days the archive may keep.
inline constexpr int kFewestKeepDays = 30;
inline constexpr int kMostKeepDays = 36500;

struct ArchiveSettings {
    // The database, archive.sqlite in the per-user data folder; start-up sets
    // it, the settings file does not hold it. Empty: no archive.
    std::string file;
    int keepDays = 400;
    GraphSpan graphSpan = GraphSpan::Day;
};

// A KeepDays outside 30 to 36500 days, or a GraphSpan other than 1, 7 or
// 30, reads as the default. The file name is left empty.
ArchiveSettings ReadArchiveSettings(const IniDocument& ini);
// "GraphSpan" alone; false when the file could not be written.
bool WriteGraphSpan(const std::string& file, GraphSpan span);

} // namespace ventoral
