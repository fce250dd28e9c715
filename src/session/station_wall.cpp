// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/station_wall.h"

#include "session/shown_station.h"

namespace ventoral {

void StationWall::follow(const StationStore& store, const std::vector<std::string>& entries)
{
    const bool sameFolders =
        store.stationDataFolder() == m_stationDataFolder && store.minMaxFolder() == m_minMaxFolder;
    std::vector<Station> stations;
    stations.reserve(entries.size());
    for (const std::string& entry : entries) {
        const std::string code = entryCode(entry);
        Station station{entry, nullptr, std::nullopt};
        for (const Station& held : m_stations)
            if (sameFolders && held.snapshot->code == code) {
                station.snapshot = held.snapshot;
                station.extremes = held.extremes;
                break;
            }
        if (!station.snapshot) {
            station.snapshot = std::make_shared<const StationSnapshot>(store.read(code));
            station.extremes = store.readMinMax(code);
        }
        stations.push_back(std::move(station));
    }
    m_stations = std::move(stations);
    m_stationDataFolder = store.stationDataFolder();
    m_minMaxFolder = store.minMaxFolder();
}

bool StationWall::replace(std::shared_ptr<const StationSnapshot> snapshot,
                          const std::optional<MinMaxFileTable>& extremes)
{
    bool found = false;
    for (Station& station : m_stations)
        if (station.snapshot->code == snapshot->code) {
            station.snapshot = snapshot;
            station.extremes = extremes;
            found = true;
        }
    return found;
}

std::vector<WallTile> StationWall::tiles(const UnitSettings& units, const PanelMoment& moment) const
{
    std::vector<WallTile> tiles;
    tiles.reserve(m_stations.size());
    for (const Station& station : m_stations) {
        WallTile tile = wallTileOf(station.entry, buildPanelModel(*station.snapshot, station.extremes, units, moment));
        if (!tile.hasReport)
            tile.statusLine = statusText(station.snapshot->status);
        tiles.push_back(std::move(tile));
    }
    return tiles;
}

} // namespace ventoral
