// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One station's data as read at one moment, never changed after it is made:
// the two stored report texts, the present report's values, the hourly
// trend table and which source served the present report. Every view of a
// station (the panel, the page, the tray) draws from one, so nothing that
// happens meanwhile can mix another station's data into it.

#include <optional>
#include <string>

#include "observations/observation.h"
#include "observations/present_report.h"
#include "observations/station_data.h"

namespace ventoral {

// What a station's data file gave.
enum class StationDataStatus {
    NoFile,      // no file could be read: "Click Update to download data for this station"
    NotUsable,   // a report under 10 characters, or of another station: "No data available for this station"
    Valid,
};

struct StationSnapshot {
    std::string code;
    StationDataStatus status = StationDataStatus::NoFile;
    // The stored texts; both empty unless the data are valid.
    std::string presentText;
    std::string trendText;
    std::optional<PresentReport> present;
    // The trend table with its speed column in MPH and in km/h; the
    // humidity column of the 24 hourly rows is filled from temperature and
    // dew point.
    TrendSeries trendMph;
    TrendSeries trendKph;
    // "decoded report" or "built from the METAR of HH:MM UTC"; empty without a report.
    std::string source;

    bool valid() const { return status == StationDataStatus::Valid; }
    const TrendSeries& trend(bool kph) const { return kph ? trendKph : trendMph; }
};

// The snapshot of a station from the texts its file gave (or an imported file's).
StationSnapshot snapshotOf(const std::string& code, const StationTexts& texts);

} // namespace ventoral
