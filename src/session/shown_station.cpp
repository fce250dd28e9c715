// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/shown_station.h"


#include "instruments/span_graphs.h"

namespace ventoral {

namespace {

constexpr int kMinutesPerDay = 24 * 60;

} // namespace

ShownStation::ShownStation()
    : m_snapshot(std::make_shared<const StationSnapshot>()),
      m_spanObservations(std::make_shared<const std::vector<ArchivedObservation>>())
{
}

void ShownStation::show(const StationStore& store, std::string code)
{
    // The code is taken by value: callers may pass the shown snapshot's own code, which the
    // first assignment below frees.
    // Another station's observations never stay: its graphs wait for readSpan.
    if (code != this->code())
        m_spanObservations = std::make_shared<const std::vector<ArchivedObservation>>();
    m_snapshot = std::make_shared<const StationSnapshot>(store.read(code));
    m_extremes = store.readMinMax(code);
}

void ShownStation::replace(StationSnapshot snapshot, std::optional<MinMaxFileTable> extremes)
{
    replace(std::make_shared<const StationSnapshot>(std::move(snapshot)), std::move(extremes));
}

void ShownStation::replace(std::shared_ptr<const StationSnapshot> snapshot, std::optional<MinMaxFileTable> extremes)
{
    m_snapshot = std::move(snapshot);
    m_extremes = std::move(extremes);
}

void ShownStation::rereadExtremes(const StationStore& store)
{
    m_extremes = store.readMinMax(code());
}

void ShownStation::readSpan(const StationStore& store, GraphSpan span, const CivilTime& nowUtc)
{
    m_span = span;
    std::vector<ArchivedObservation> observations;
    // A day more at each end: the graph's edges move with the clock until the next read.
    if (span != GraphSpan::Day && !code().empty())
        observations = store.archivedObservations(code(), nowUtc.plusMinutes(-(spanDays(span) + 1) * kMinutesPerDay),
                                                  nowUtc.plusMinutes(kMinutesPerDay), Archive::Columns::Values);
    m_spanObservations = std::make_shared<const std::vector<ArchivedObservation>>(std::move(observations));
}

PanelModel ShownStation::model(const UnitSettings& units, const PanelMoment& moment) const
{
    PanelModel model = buildPanelModel(*m_snapshot, m_extremes, units, moment);
    if (m_span != GraphSpan::Day && !model.noStation) {
        static const FixedTimeZone kUtc;
        model.graphs = spanGraphModelsOf(*m_spanObservations, m_span, units, moment.nowUtc,
                                         moment.zone ? *moment.zone : kUtc);
    }
    return model;
}

StationStore storeOf(const AppTables& tables)
{
    const ArchiveSettings& archive = tables.archive;
    return StationStore(tables.folders.stationData, tables.folders.minMax,
                        archive.file.empty() ? nullptr : sharedArchive(archive.file, archive.keepDays));
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
