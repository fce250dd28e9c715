// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/core/report_text.h"

#include <algorithm>

#include "platform/core/text_encoding.h"

namespace ventoral {

namespace {

std::string lineOf(std::string_view bytes)
{
    if (!bytes.empty() && bytes.back() == '\r')
        bytes.remove_suffix(1);
    return decodeLegacyText(bytes);
}

void appendSplit(std::vector<std::string>& lines, std::string_view text, char separator)
{
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        lines.push_back(lineOf(text.substr(start, end == std::string_view::npos ? end : end - start)));
        if (end == std::string_view::npos)
            return;
        start = end + 1;
    }
}

} // namespace

std::vector<std::string> presentReportLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t lf = text.find('\n', start);
        if (lf == std::string_view::npos) {
            lines.push_back(lineOf(text.substr(start)));
            break;
        }
        lines.push_back(lineOf(text.substr(start, lf - start)));
        if (lf + 2 >= text.size())
            break;
        start = lf + 1;
    }
    return lines;
}

std::vector<std::string> trendReportLines(std::string_view text)
{
    if (!text.empty() && text.back() == '\n')
        text.remove_suffix(1);
    std::vector<std::string> lines;
    const std::size_t lastBreak = text.rfind('\n');
    std::string_view recordLine = text;
    if (lastBreak != std::string_view::npos) {
        appendSplit(lines, text.substr(0, lastBreak), '\n');
        recordLine = text.substr(lastBreak + 1);
    }
    appendSplit(lines, recordLine, '#');
    return lines;
}

std::string viewLabelText(const std::vector<std::string>& lines)
{
    std::string label = " ";
    for (const std::string& line : lines)
        label += line + "\n  ";
    return label;
}

void printReportLines(Surface& target, const std::vector<std::string>& lines, double left, double top)
{
    target.setForeColor(kBlack);
    target.setFontSize(kReportFontPt);
    double y = top;
    for (const std::string& line : lines) {
        target.text(left, y, line);
        y += target.textHeight(line);
    }
}

JobSize reportJobSize(Surface& measure, const std::vector<std::string>& lines)
{
    measure.setFontSize(kReportFontPt);
    JobSize size;
    for (const std::string& line : lines) {
        size.width = std::max(size.width, measure.textWidth(line));
        size.height += measure.textHeight(line);
    }
    return size;
}

} // namespace ventoral
