// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The station the main window shows: one whole snapshot, the extremes kept
// for it and, for graphs over days, its archived observations. Only the
// user's pick of a station, and a finished update that stored a new report
// of this very station, replace it; every redraw, printout and editor reads
// it as it is.

#include <memory>
#include <optional>
#include <string>
#include <vector>

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
    void replace(std::shared_ptr<const StationSnapshot> snapshot, std::optional<MinMaxFileTable> extremes);
    // The extremes again, after the min/max editor saved them.
    void rereadExtremes(const StationStore& store);

    const std::string& code() const { return m_snapshot->code; }
    const StationSnapshot& snapshot() const { return *m_snapshot; }
    // The same snapshot for a view that may outlive this one (a print job).
    std::shared_ptr<const StationSnapshot> shared() const { return m_snapshot; }
    const std::optional<MinMaxFileTable>& extremes() const { return m_extremes; }

    // The span of the graphs; for 7 or 30 days the station's archived
    // observations of the span days up to nowUtc are read afresh (and again
    // by each later call, for one after show or replace).
    void readSpan(const StationStore& store, GraphSpan span, const CivilTime& nowUtc);
    GraphSpan span() const { return m_span; }
    const std::vector<ArchivedObservation>& spanObservations() const { return *m_spanObservations; }

    // With a span of days the graphs are drawn from the archive up to the
    // moment; the dials keep their 24 hours.
    PanelModel model(const UnitSettings& units, const PanelMoment& moment) const;

private:
    std::shared_ptr<const StationSnapshot> m_snapshot;
    std::optional<MinMaxFileTable> m_extremes;
    GraphSpan m_span = GraphSpan::Day;
    std::shared_ptr<const std::vector<ArchivedObservation>> m_spanObservations;
};

// The store over the folders of the tables as they are now.
StationStore storeOf(const AppTables& tables);

// The date label's text while it shows no report time.
const char* statusText(StationDataStatus status);

} // namespace ventoral
