// SPDX-License-Identifier: GPL-3.0-or-later
#include "observations/station_snapshot.h"

#include "observations/report_source.h"
#include "observations/trend_graphs.h"
#include "observations/trend_parser.h"

namespace ventoral {

StationSnapshot snapshotOf(const std::string& code, const StationTexts& texts)
{
    StationSnapshot snapshot;
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
    // Read once: the km/h table differs only in its speeds.
    trendData(snapshot.trendText, false, snapshot.trendMph);
    fillHumidity(snapshot.trendMph);
    snapshot.trendKph = snapshot.trendMph;
    speedsToKph(snapshot.trendKph);
    return snapshot;
}

} // namespace ventoral
