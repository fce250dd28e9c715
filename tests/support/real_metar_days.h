// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A METAR history answered as the aviation weather service answers
// "?ids=...&format=raw&hours=N": the reports of the N hours up to the
// moment asked, newest first, one a line.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "observations/archived_observation.h"

namespace ventoral::test {

// The real histories of the project's test data: Kadena (RODN), a day rich
// in specials with a correction, and Incheon (RKSI), half-hourly across
// midnight.
inline constexpr const char* kRodnDay = "instruments/frozen/input/RODN-20260818.txt";
inline constexpr const char* kRksiDay = "download/metar-history/RKSI-20260618.txt";

// The observations of the report lines, oldest first.
inline std::vector<ArchivedObservation> observationsOf(const std::string& reports, const CivilTime& nowUtc)
{
    std::vector<ArchivedObservation> found = archivedObservationsOf(reports, nowUtc);
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& a, const auto& b) { return a.timeMinutes < b.timeMinutes; });
    return found;
}

inline std::string servedHistory(const std::string& reports, const CivilTime& nowUtc, int hours = 25)
{
    std::vector<ArchivedObservation> served;
    const std::int64_t now = nowUtc.minutesSinceEpoch();
    for (ArchivedObservation& o : archivedObservationsOf(reports, nowUtc))
        if (o.timeMinutes <= now && o.timeMinutes > now - 60L * hours)
            served.push_back(std::move(o));
    std::stable_sort(served.begin(), served.end(),
                     [](const auto& a, const auto& b) { return a.timeMinutes > b.timeMinutes; });
    std::string answer;
    for (const ArchivedObservation& o : served)
        answer += o.raw + '\n';
    return answer;
}

} // namespace ventoral::test
