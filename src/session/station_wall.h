// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The stations of the short list side by side: one snapshot and the kept
// extremes per entry, read from the store once and afterwards replaced
// only by what an update stored (or the shown station's own), so no file
// is read twice. Tiles are made from them for the units and moment asked.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "instruments/wall_tile.h"
#include "observations/station_store.h"
#include "settings/settings.h"

namespace ventoral {

class StationWall {
public:
    // The stations of entries, in order. A station held already, from the
    // same folders, is kept as it is; every other one is read.
    void follow(const StationStore& store, const std::vector<std::string>& entries);
    // A station's newer snapshot and extremes; nothing happens for a
    // station not on the wall. False then.
    bool replace(std::shared_ptr<const StationSnapshot> snapshot, const std::optional<MinMaxFileTable>& extremes);

    int size() const { return static_cast<int>(m_stations.size()); }
    const std::string& entry(int index) const { return m_stations.at(static_cast<std::size_t>(index)).entry; }
    const StationSnapshot& snapshot(int index) const { return *m_stations.at(static_cast<std::size_t>(index)).snapshot; }

    std::vector<WallTile> tiles(const UnitSettings& units, const PanelMoment& moment) const;

private:
    struct Station {
        std::string entry;
        std::shared_ptr<const StationSnapshot> snapshot;
        std::optional<MinMaxFileTable> extremes;
    };
    std::vector<Station> m_stations;
    std::string m_stationDataFolder;
    std::string m_minMaxFolder;
};

} // namespace ventoral
