// SPDX-License-Identifier: GPL-3.0-or-later
#include "download/core/history_requests.h"

#include <algorithm>
#include <cstdint>

#include "download/core/metar_trend.h"
#include "observations/metar.h"

namespace ventoral {

std::vector<std::vector<std::string>> historyGroups(const std::vector<std::string>& codes, int answerCap)
{
    if (codes.empty())
        return {};
    const std::size_t n = codes.size();
    const std::size_t cap = static_cast<std::size_t>(std::max(answerCap, 1));
    const std::size_t wanted = (n * kReportsPerStation + cap - 1) / cap;
    const std::size_t requests = std::clamp<std::size_t>(wanted, 1, n);
    std::vector<std::vector<std::string>> groups(requests);
    std::size_t at = 0;
    for (std::size_t g = 0; g < requests; ++g) {
        const std::size_t size = n / requests + (g < n % requests ? 1 : 0);
        groups[g].assign(codes.begin() + static_cast<std::ptrdiff_t>(at),
                         codes.begin() + static_cast<std::ptrdiff_t>(at + size));
        at += size;
    }
    return groups;
}

std::vector<std::vector<std::string>> groupsOf(const std::vector<std::string>& codes, std::size_t size)
{
    std::vector<std::vector<std::string>> groups;
    size = std::max<std::size_t>(size, 1);
    for (std::size_t at = 0; at < codes.size(); at += size)
        groups.emplace_back(codes.begin() + static_cast<std::ptrdiff_t>(at),
                            codes.begin() + static_cast<std::ptrdiff_t>(std::min(at + size, codes.size())));
    return groups;
}

HistoryAnswer readHistoryAnswer(std::string_view body)
{
    HistoryAnswer answer;
    answer.reportsByStation = metarsByStation(body);
    for (auto it = answer.reportsByStation.begin(); it != answer.reportsByStation.end();) {
        const std::string& lines = it->second;
        int reports = 0;
        for (std::size_t start = 0; start < lines.size();) {
            const auto end = lines.find('\n', start);
            reports += readMetar(std::string_view(lines).substr(start, end - start)) ? 1 : 0;
            start = end + 1;
        }
        // A line that is no report ("No METAR data found") names no station.
        if (reports == 0) {
            it = answer.reportsByStation.erase(it);
            continue;
        }
        answer.reports += reports;
        ++it;
    }
    return answer;
}

std::optional<CivilTime> oldestReport(std::string_view lines, const CivilTime& nowUtc)
{
    std::optional<std::int64_t> oldest;
    std::size_t start = 0;
    while (start < lines.size()) {
        auto end = lines.find('\n', start);
        if (end == std::string_view::npos)
            end = lines.size();
        if (const std::optional<Metar> metar = readMetar(lines.substr(start, end - start)))
            if (const std::optional<CivilTime> observed = observationTime(*metar, nowUtc))
                oldest = std::min(oldest.value_or(observed->minutesSinceEpoch()), observed->minutesSinceEpoch());
        start = end + 1;
    }
    if (!oldest)
        return std::nullopt;
    return CivilTime::fromMinutes(*oldest);
}

std::vector<std::string> cutStations(const std::vector<std::string>& group, const HistoryAnswer& answer,
                                     int answerCap, const CivilTime& nowUtc)
{
    if (answer.reports >= answerCap)
        return group;
    const std::int64_t latestWhole = nowUtc.minutesSinceEpoch() - kHistoryHours * 60 + kCutSlackMinutes;
    std::vector<std::string> cut;
    for (const std::string& code : group) {
        const auto it = answer.reportsByStation.find(code);
        if (it == answer.reportsByStation.end())
            continue;
        const std::optional<CivilTime> oldest = oldestReport(it->second, nowUtc);
        if (oldest && oldest->minutesSinceEpoch() > latestWhole)
            cut.push_back(code);
    }
    return cut;
}

} // namespace ventoral
