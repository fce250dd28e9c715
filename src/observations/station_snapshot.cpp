#include "observations/station_snapshot.h"

#include "observations/report_source.h"
#include "observations/trend_graphs.h"
#include "observations/trend_parser.h"

namespace ventoral {

namespace {

TrendSeries trendTable(std::string_view text, bool kph)
{
    TrendSeries trend;
    trendData(text, kph, trend);
    for (int row = 0; row < kGraphColumns; ++row) {
        const auto humidity = humidityOfRow(trend, row);
        trend.at(row, TrendSeries::Humidity) = humidity ? std::to_string(*humidity) : std::string();
    }
    return trend;
}

} // namespace

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
    snapshot.trendMph = trendTable(snapshot.trendText, false);
    snapshot.trendKph = trendTable(snapshot.trendText, true);
    return snapshot;
}

} // namespace ventoral
