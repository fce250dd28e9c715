// SPDX-License-Identifier: GPL-3.0-or-later
#include "download/core/station_outcome.h"

namespace ventoral {

std::string sourceName(ReportSource source)
{
    switch (source) {
    case ReportSource::DecodedReport:
        return "decoded report";
    case ReportSource::MetarHistory:
        return "METAR history";
    case ReportSource::TrendReport:
        break;
    }
    return "trend report";
}

bool StationOutcome::failed() const
{
    if (!stored() || trend == "old trend kept")
        return true;
    for (const Unserved& u : unserved)
        if (u.result.state == SourceResult::State::Failed)
            return true;
    return false;
}

std::string outcomeLine(const StationOutcome& outcome)
{
    std::string line = "Present report of " + outcome.code + ": " +
                       (outcome.stored() ? outcome.present : "none, the old data stay") +
                       "; trend: " + (outcome.stored() ? outcome.trend : "none");
    for (const StationOutcome::Unserved& u : outcome.unserved) {
        const std::string name = sourceName(u.source);
        if (u.result.state == SourceResult::State::NoReport)
            line += "; no " + name + " (" + u.result.reason + ")";
        else if (u.result.state == SourceResult::State::Failed)
            line += "; " + name + " failed (" + u.result.reason + ")";
    }
    return line;
}

} // namespace ventoral
