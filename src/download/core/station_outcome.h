// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the update came to for one station: which source served its present
// report and its trend, and which sources served nothing and why.

#include <string>
#include <vector>

namespace ventoral {

// The sources of a station's data.
enum class ReportSource {
    DecodedReport,   // NOAA's decoded present report
    MetarHistory,    // the METAR service's history of the last 25 hours
    TrendReport,     // a NOAA ".TREND" file of a trend folder
};

// "decoded report", "METAR history", "trend report".
std::string sourceName(ReportSource source);

// How one source did for one station.
struct SourceResult {
    enum class State {
        Served,     // it gave the station's report
        NoReport,   // it answered that it has none (404, or an answer without the station)
        Failed,     // the source failed: no connection, an error answer or page, no whole answer, a cut answer
    };
    State state = State::Failed;
    std::string reason;    // why not served: "answered 503", "no connection"
    std::string address;   // the station's own address at the source, listed when it failed

    static SourceResult served(std::string address) { return {State::Served, {}, std::move(address)}; }
};

struct StationOutcome {
    struct Unserved {
        ReportSource source;
        SourceResult result;
    };

    std::string code;
    // "decoded report" or "built from the METAR of HH:MM UTC"; empty when
    // nothing was stored and the old data stay.
    std::string present;
    // "METAR history", "trend report", "the archive" (its trend built from the
    // archive when the METAR service failed) or "old trend kept"; empty when
    // nothing was stored.
    std::string trend;
    std::vector<Unserved> unserved;   // in the order the sources were asked

    bool stored() const { return !present.empty(); }
    // A source failed for the station (a missing report of one source that
    // the other made good is no failure), or its data were not renewed.
    bool failed() const;
};

// "Present report of KSEA: built from the METAR of 01:20 UTC; trend: METAR
// history; decoded report failed (no connection)".
std::string outcomeLine(const StationOutcome& outcome);

} // namespace ventoral
