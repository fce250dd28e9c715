// SPDX-License-Identifier: GPL-3.0-or-later
#include "observations/station_snapshot.h"

#include "observations/report_source.h"
#include "observations/trend_graphs.h"
#include "observations/trend_parser.h"

namespace ventoral {

namespace {

void fillSnapshot(StationSnapshot& snapshot, const std::string& code, const StationTexts& texts)
{
    snapshot.code = code;
    if (texts.presentText == kNoDataText) {
        snapshot.status = StationDataStatus::NoFile;
    } else if (!texts.dataValid || texts.presentText.size() < 10) {
        snapshot.status = StationDataStatus::NotUsable;
    } else {
        snapshot.status = StationDataStatus::Valid;
        snapshot.presentText = texts.presentText;
        snapshot.trendText = texts.lastText;
        snapshot.present = readPresentReport(snapshot.presentText);
        snapshot.source = presentSource(snapshot.trendText, snapshot.presentText);
    }
    trendData(snapshot.trendText, false, snapshot.trendMph);
    fillHumidity(snapshot.trendMph);
}

} // namespace

KphTrend& KphTrend::operator=(const KphTrend& other)
{
    if (this != &other) {
        const std::lock_guard<std::mutex> lock(m_lock);
        m_table.reset();
    }
    return *this;
}

const TrendSeries& KphTrend::of(const TrendSeries& trendMph) const
{
    const std::lock_guard<std::mutex> lock(m_lock);
    if (!m_table) {
        // The km/h table differs only in its speeds.
        m_table = trendMph;
        speedsToKph(*m_table);
    }
    return *m_table;
}

StationSnapshot snapshotOf(const std::string& code, const StationTexts& texts)
{
    StationSnapshot snapshot;
    fillSnapshot(snapshot, code, texts);
    return snapshot;
}

std::shared_ptr<const StationSnapshot> sharedSnapshotOf(const std::string& code, const StationTexts& texts)
{
    // Made in place: a snapshot holds hundreds of cells, too many to move.
    auto snapshot = std::make_shared<StationSnapshot>();
    fillSnapshot(*snapshot, code, texts);
    return snapshot;
}

} // namespace ventoral
