// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One station's data as read at one moment, never changed after it is made:
// the two stored report texts, the present report's values, the hourly
// trend table and which source served the present report. Every view of a
// station (the panel, the page, the tray) draws from one, so nothing that
// happens meanwhile can mix another station's data into it.

#include <memory>
#include <mutex>
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

// The trend table with its speeds in km/h, made from the MPH table the
// first time it is asked for (most views never ask). A copy or move makes
// its own from the table it is given.
class KphTrend {
public:
    KphTrend() = default;
    KphTrend(const KphTrend&) {}
    KphTrend& operator=(const KphTrend&);
    const TrendSeries& of(const TrendSeries& trendMph) const;

private:
    mutable std::mutex m_lock;
    mutable std::optional<TrendSeries> m_table;
};

struct StationSnapshot {
    // Made field by field: hundreds of cells, not worth zeroing first.
    StationSnapshot() {}
    std::string code;
    StationDataStatus status = StationDataStatus::NoFile;
    // The stored texts; both empty unless the data are valid.
    std::string presentText;
    std::string trendText;
    std::optional<PresentReport> present;
    // The trend table with its speed column in MPH; the humidity column of
    // the 24 hourly rows is filled from temperature and dew point.
    TrendSeries trendMph;
    KphTrend trendKph;
    // "decoded report" or "built from the METAR of HH:MM UTC"; empty without a report.
    std::string source;

    bool valid() const { return status == StationDataStatus::Valid; }
    const TrendSeries& trend(bool kph) const { return kph ? trendKph.of(trendMph) : trendMph; }
};

// The snapshot of a station from the texts its file gave (or an imported file's).
StationSnapshot snapshotOf(const std::string& code, const StationTexts& texts);
std::shared_ptr<const StationSnapshot> sharedSnapshotOf(const std::string& code, const StationTexts& texts);

} // namespace ventoral
