// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The station the main window shows: one whole snapshot and the extremes
// kept for it. Only the user's pick of a station, and a finished update
// that stored a new report of this very station, replace it; every redraw,
// printout and editor reads it as it is.

#include <memory>
#include <optional>
#include <string>

#include "instruments/panel_model.h"
#include "observations/station_store.h"
#include "settings/settings.h"

namespace ventoral {

class ShownStation {
public:
    ShownStation();

    // Reads the station's snapshot and extremes from the store.
    void show(const StationStore& store, std::string code);
    // After an update stored a new report of the shown station.
    void replace(StationSnapshot snapshot, std::optional<MinMaxFileTable> extremes);
    // The extremes again, after the min/max editor saved them.
    void rereadExtremes(const StationStore& store);

    const std::string& code() const { return m_snapshot->code; }
    const StationSnapshot& snapshot() const { return *m_snapshot; }
    // The same snapshot for a view that may outlive this one (a print job).
    std::shared_ptr<const StationSnapshot> shared() const { return m_snapshot; }
    const std::optional<MinMaxFileTable>& extremes() const { return m_extremes; }

    PanelModel model(const UnitSettings& units, const PanelMoment& moment) const;

private:
    std::shared_ptr<const StationSnapshot> m_snapshot;
    std::optional<MinMaxFileTable> m_extremes;
};

// The store over the folders of the tables as they are now.
StationStore storeOf(const AppTables& tables);

// The date label's text while it shows no report time.
const char* statusText(StationDataStatus status);

} // namespace ventoral
