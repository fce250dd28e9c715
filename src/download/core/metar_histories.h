// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The METAR histories of an update's stations, asked of the METAR service
// in the groups history_requests.h plans. A failed request fails its own
// stations only; no connection, or an answer 429 (too many requests),
// ends the asking for the rest of the run, and a Retry-After also for the
// runs that start before its time.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "download/core/history_requests.h"
#include "download/core/station_outcome.h"
#include "download/core/transfers.h"
#include "platform/core/civil_time.h"

namespace ventoral {

struct StationHistory {
    std::string reports;   // the station's lines; those of a cut answer too
    SourceResult result;
};

// What the update shows while the histories come: one step for each
// request planned, whether it is made or left out (after a 429, or while
// a Retry-After holds).
struct HistoryProgress {
    std::function<void(std::size_t requests)> planned;   // requests added to the first ones: answers asked again
    std::function<void(std::size_t stations)> asking;
    std::function<void()> requestDone;
};

class MetarHistories {
public:
    // base is the METAR service's address; nowUtc the real UTC clock.
    MetarHistories(Transfers& transfers, std::string base, int answerCap, const CivilTime& nowUtc);

    // Asks for the histories of codes. resumeAt is when the service lets
    // itself be asked again after a Retry-After: nothing is asked before
    // it, and a new Retry-After moves it. False when the user cancelled.
    bool fetch(const std::vector<std::string>& codes, const HistoryProgress& progress,
               std::optional<CivilTime>& resumeAt);

    // The history of a code fetch asked for.
    const StationHistory& of(const std::string& code) const;
    // The reports of one station's last hours, asked alone, for a station
    // the archive has never seen; nothing when the service failed or is
    // asked nothing more this run. An answer the cap cut keeps its newest
    // reports. False when the user cancelled.
    bool fetchDays(const std::string& code, int hours, const HistoryProgress& progress, std::string& reports,
                   std::optional<CivilTime>& resumeAt);
    // No connection could be made to the service.
    bool unreachable() const { return m_unreachable; }
    int requests() const { return m_requests; }

private:
    struct Asked {
        FetchedText fetched;
        HistoryAnswer answer;
    };
    // One request for the codes; false when cancelled.
    bool ask(const std::vector<std::string>& codes, const HistoryProgress& progress, Asked& asked,
             std::optional<CivilTime>& resumeAt, int hours = kHistoryHours);
    // Asks again for the stations of a group of groupSize that the answer
    // may have cut; wholeCut when it held the cap. False when cancelled.
    bool askAgain(const std::vector<std::string>& cut, std::size_t groupSize, bool wholeCut, int firstCount,
                  const HistoryProgress& progress, std::optional<CivilTime>& resumeAt);
    void failAll(const std::vector<std::string>& codes, SourceResult::State state, const std::string& reason);
    std::string addressOf(const std::string& code) const;

    Transfers& m_transfers;
    std::string m_base;
    int m_answerCap;
    CivilTime m_nowUtc;
    std::map<std::string, StationHistory> m_histories;
    bool m_unreachable = false;
    std::string m_stopReason;   // why the service is asked nothing more this run; empty while it is
    int m_requests = 0;
};

} // namespace ventoral
