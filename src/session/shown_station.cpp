// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/shown_station.h"

namespace ventoral {

ShownStation::ShownStation() : m_snapshot(std::make_shared<const StationSnapshot>()) {}

void ShownStation::show(const StationStore& store, std::string code)
{
    // The code is taken by value: callers may pass the shown snapshot's own code, which the
    // first assignment below frees.
    m_snapshot = std::make_shared<const StationSnapshot>(store.read(code));
    m_extremes = store.readMinMax(code);
}

void ShownStation::replace(StationSnapshot snapshot, std::optional<MinMaxFileTable> extremes)
{
    m_snapshot = std::make_shared<const StationSnapshot>(std::move(snapshot));
    m_extremes = std::move(extremes);
}

void ShownStation::rereadExtremes(const StationStore& store)
{
    m_extremes = store.readMinMax(code());
}

PanelModel ShownStation::model(const UnitSettings& units, const PanelMoment& moment) const
{
    return buildPanelModel(*m_snapshot, m_extremes, units, moment);
}

StationStore storeOf(const AppTables& tables)
{
    return StationStore(tables.folders.stationData, tables.folders.minMax);
}

const char* statusText(StationDataStatus status)
{
    switch (status) {
    case StationDataStatus::NotUsable:
        return "No data available for this station";
    case StationDataStatus::Valid:
        return "Processing Data";
    case StationDataStatus::NoFile:
        break;
    }
    return "Click Update to download data for this station";
}

} // namespace ventoral
