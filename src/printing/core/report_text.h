// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two reports as lines of text, for the text view and for their
// printouts: the present report line by line, the trend report with one
// record per line.

#include <string>
#include <string_view>
#include <vector>

#include "platform/surface.h"
#include "printing/core/print_layout.h"

namespace ventoral {

// Lines are UTF-8 (the reports' Windows-1252 bytes decoded), without the CR of a CR LF.

// Every line up to its LF; the view stops after the line whose LF stands at
// the last or last-but-one position. A last line without LF is kept.
std::vector<std::string> presentReportLines(std::string_view text);

// The header lines, then the record line (the last line) cut at every "#",
// one record per line.
std::vector<std::string> trendReportLines(std::string_view text);

// The view's label: one space, then each line followed by a line break and two spaces.
std::string viewLabelText(const std::vector<std::string>& lines);

inline constexpr double kReportFontPt = 10;

// The printouts of the reports: the lines at 10 point, each starting at
// left, the first with its top at top.
void printReportLines(Surface& target, const std::vector<std::string>& lines, double left, double top);

// The size the lines take when printed.
JobSize reportJobSize(Surface& measure, const std::vector<std::string>& lines);

} // namespace ventoral
