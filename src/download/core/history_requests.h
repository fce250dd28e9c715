// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the METAR histories are asked for within the METAR service's limits.
// The service caps every answer (400 reports by default) and orders the
// reports newest first, so an answer that reached the cap lost the oldest
// reports of its stations. The requests group the stations so that few
// requests serve the list, and an answer that looks cut is asked again in
// smaller groups, each request at most once.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/civil_time.h"

namespace ventoral {

// What one station counts for a request: its reports of 25 hours, SPECIs
// included, reckoned high (a station reporting half-hourly gives 50).
inline constexpr int kReportsPerStation = 60;
// The hours each request asks for; the trend needs 24 of them.
inline constexpr int kHistoryHours = 25;
// A station whose oldest report of an answer is this much newer than the
// start of the hours asked may have lost older reports to a cut: more than
// a station reporting hourly leaves between its reports.
inline constexpr int kCutSlackMinutes = 90;

// The codes of the first requests, in list order: as few requests as hold
// kReportsPerStation for each station within answerCap on average, the
// stations spread evenly over them (20 stations and a cap of 400: 7, 7, 6).
std::vector<std::vector<std::string>> historyGroups(const std::vector<std::string>& codes, int answerCap);

// The codes in groups of at most size stations, in order.
std::vector<std::vector<std::string>> groupsOf(const std::vector<std::string>& codes, std::size_t size);

// An answer of the METAR service read by station.
struct HistoryAnswer {
    std::map<std::string, std::string> reportsByStation;   // each station's lines
    int reports = 0;                                       // every line that is a report, NIL ones too
};
HistoryAnswer readHistoryAnswer(std::string_view body);

// The UTC time of a station's oldest report in lines, nullopt without one.
std::optional<CivilTime> oldestReport(std::string_view lines, const CivilTime& nowUtc);

// The stations of group whose histories the answer may have cut: all of
// them when it holds answerCap reports or more, else those whose oldest
// report is more than kCutSlackMinutes newer than the hours asked.
std::vector<std::string> cutStations(const std::vector<std::string>& group, const HistoryAnswer& answer,
                                     int answerCap, const CivilTime& nowUtc);

} // namespace ventoral
