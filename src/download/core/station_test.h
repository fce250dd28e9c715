// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The station test: the present report of every short-list entry is
// fetched, each result marked " No connection", " No data" or " for " and
// the report date, and the results sorted into fresh, old, no data and no
// connection. Only an answer that the station has no report is no data: a
// service that fails is no evidence, and a station without a decoded report
// whose METARs the METAR service has is live ("METAR only").

#include <optional>
#include <string>
#include <vector>

#include "download/core/download_context.h"
#include "download/core/transfers.h"
#include "platform/core/civil_time.h"
#include "settings/settings.h"

namespace ventoral {

// A report younger than this many whole days is fresh.
inline constexpr int kFreshDays = 6;

// The result text of one station: the code, then the markers its fetched
// text calls for, or " for " and the report date (yyyy.mm.dd).
std::string markTestResult(const std::string& code, const std::string& text);

// A station whose only report is its METAR: " for " and the date of its
// newest METAR, then " (METAR only)".
std::string metarOnlyResult(const std::string& code, const CivilTime& observedUtc);

// What a test asks: the short-list entries, the present reports' base
// address, and the trend address, whose METAR service (when it is one) is
// asked for the stations without a decoded report.
struct StationTestRequest {
    std::vector<std::string> entries;
    std::string presentBase;
    std::string trendBase;
    int answerCap = kDefaultHistoryAnswerCap;
    CivilTime nowUtc;
};

// Fetches every entry's present report through the transfers; the
// downloader window shows and hides through the context's view, and view
// (the same one) gets the progress texts and frames. Returns one result
// text per entry in list order; a station whose decoded report is missing
// is looked for in the METAR service. Nullopt when the test did not run to its
// end: a download was already running, no connection could be made (which
// it has said), or the user cancelled. Stations not fetched then are no
// evidence of missing data.
std::optional<std::vector<std::string>> testStations(DownloadContext& context, Transfers& transfers,
                                                     const StationTestRequest& request, DownloadView& view);

struct StationTestSummary {
    std::string fresh;     // each line: a line break, 20 spaces, the result
    std::string old;
    std::string noData;
    std::string noConnection;   // not reached: neither stale nor fresh
    bool anyOld = false;
    bool anyNoData = false;
    std::vector<bool> stale;   // per result: old or no data, removed on Remove

    bool anyStale() const { return anyOld || anyNoData; }
};

// utcOffsetHours is added to UTC for local time; now is local.
StationTestSummary sortTestResults(const std::vector<std::string>& results, const CivilTime& now,
                                   double utcOffsetHours);

// The last label of the result window; empty when nothing is stale.
std::string removeHint(const StationTestSummary& summary);

} // namespace ventoral
