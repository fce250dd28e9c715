// SPDX-License-Identifier: GPL-3.0-or-later
#include "observations/report_source.h"

#include <cstdio>

#include "observations/observation.h"

namespace ventoral {

namespace {

constexpr std::string_view kNotePrefix = "Present report: ";
constexpr std::string_view kBuiltPrefix = "built from the METAR of ";

} // namespace

std::string withBuiltPresentNote(std::string_view trendText, const CivilTime& observedUtc)
{
    char time[8];
    std::snprintf(time, sizeof time, "%02d:%02d", observedUtc.hour, observedUtc.minute);
    const std::string note = std::string(kNotePrefix) + std::string(kBuiltPrefix) + time + " UTC\n";
    // The records line is the last line; a final line break does not end another.
    std::string_view body = trendText;
    if (!body.empty() && body.back() == '\n')
        body.remove_suffix(1);
    const auto lastBreak = body.rfind('\n');
    const std::size_t at = lastBreak == std::string_view::npos ? 0 : lastBreak + 1;
    return std::string(trendText.substr(0, at)) + note + std::string(trendText.substr(at));
}

std::string withoutPresentNote(std::string_view trendText)
{
    std::string kept;
    kept.reserve(trendText.size());
    for (std::size_t at = 0; at < trendText.size();) {
        auto end = trendText.find('\n', at);
        end = end == std::string_view::npos ? trendText.size() : end + 1;
        const std::string_view line = trendText.substr(at, end - at);
        if (line.rfind(kNotePrefix, 0) != 0)
            kept += line;
        at = end;
    }
    return kept;
}

std::string presentSource(std::string_view trendText, std::string_view presentText)
{
    if (presentText.size() < 10 || presentText == kNoDataText)
        return {};
    for (std::size_t at = 0; at < trendText.size();) {
        auto end = trendText.find('\n', at);
        if (end == std::string_view::npos)
            end = trendText.size();
        std::string_view line = trendText.substr(at, end - at);
        at = end + 1;
        if (line.rfind(kNotePrefix, 0) != 0)
            continue;
        line.remove_prefix(kNotePrefix.size());
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        return std::string(line);
    }
    return "decoded report";
}

} // namespace ventoral
