// SPDX-License-Identifier: GPL-3.0-or-later
#include "observations/station_store.h"

#include <algorithm>
#include <limits>

#include "observations/flight_category.h"
#include "observations/present_parser.h"
#include "observations/shown_readings.h"
#include "platform/core/file_io.h"

namespace ventoral {

StationStore::StationStore(std::string stationDataFolder, std::string minMaxFolder, std::shared_ptr<Archive> archive)
    : m_stationDataFolder(std::move(stationDataFolder)), m_minMaxFolder(std::move(minMaxFolder)),
      m_archive(std::move(archive))
{
}

StationSnapshot StationStore::read(const std::string& code) const
{
    return snapshotOf(code, ReadData(stationDataPath(m_stationDataFolder, code), code));
}

std::optional<MinMaxFileTable> StationStore::readMinMax(const std::string& code) const
{
    const MinMaxFileRead file = readMinMaxFile(minMaxPath(m_minMaxFolder, code));
    return file.exists ? std::optional<MinMaxFileTable>(file.table) : std::nullopt;
}

StationStore::Stored StationStore::storeReport(const std::string& code, std::string_view trendText,
                                               std::string_view presentText, const DisplayUnits& units) const
{
    Stored stored;
    const std::string content = stationDataContent(trendText, presentText);
    const std::string path = stationDataPath(m_stationDataFolder, code);
    // A file that already holds these very reports is left as it is: the
    // reports change hourly, updates come more often, and every replace
    // waits for the disk twice.
    if (readWholeFile(path) != content && (!createFolder(m_stationDataFolder) || !writeFileAtomically(path, content)))
        return stored;
    // The snapshot of what was written, without reading it back.
    stored.snapshot = sharedSnapshotOf(code, stationTextsOf(content, code));
    stored.result = StoreResult::Stored;
    archiveReportMetar(*stored.snapshot);
    stored.extremes = readMinMax(code);
    if (!stored.snapshot->valid() || code.size() < 4)
        return stored;
    // Read from the MPH table: the km/h one is made only when a view draws it.
    const MinMaxRecord record =
        widenedRecord(stored.extremes, stored.snapshot->trendMph, shownReadingsOf(stored.snapshot->present, units),
                      units, TrendSpeeds::Mph);
    const MinMaxFileTable table = storedTableOf(record, stored.extremes, units);
    // A report that widens nothing leaves the file as it is.
    if (stored.extremes && *stored.extremes == table)
        return stored;
    // Handed on as the file gives them back, as the next store and a restart read them.
    if (createFolder(m_minMaxFolder) && writeMinMaxFile(minMaxPath(m_minMaxFolder, code), table))
        stored.extremes = readMinMax(code).value_or(table);
    else
        stored.result = StoreResult::MinMaxNotWritten;
    return stored;
}

ExportResult StationStore::exportCopy(const StationSnapshot& snapshot) const
{
    return exportStationData(m_stationDataFolder, snapshot.code, snapshot.trendText, snapshot.presentText);
}

bool StationStore::saveMinMax(const std::string& code, const MinMaxRecord& record, const DisplayUnits& units) const
{
    // A code under four characters is no station of the short list.
    if (code.size() < 4)
        return true;
    return createFolder(m_minMaxFolder) &&
           writeMinMaxFile(minMaxPath(m_minMaxFolder, code), storedTableOf(record, readMinMax(code), units));
}

void StationStore::archiveReportMetar(const StationSnapshot& snapshot) const
{
    if (!m_archive || !snapshot.valid() || !snapshot.present || !snapshot.present->observedUtc)
        return;
    const std::string_view metar = metarOfReport(snapshot.presentText);
    const std::optional<ArchivedObservation> observation =
        archivedObservationOf(metar, *snapshot.present->observedUtc);
    if (observation && observation->station == snapshot.code)
        m_archive->add({*observation});
}

Archive::Added StationStore::archiveHistory(std::string_view history, const CivilTime& nowUtc,
                                            const std::string& station) const
{
    if (!m_archive)
        return {};
    std::vector<ArchivedObservation> observations = archivedObservationsOf(history, nowUtc);
    if (!station.empty())
        observations.erase(std::remove_if(observations.begin(), observations.end(),
                                          [&](const ArchivedObservation& o) { return o.station != station; }),
                           observations.end());
    // An answer without a report makes no archive.
    if (observations.empty())
        return {};
    const Archive::Added added = m_archive->add(observations);
    m_archive->pruneInBackground(nowUtc.minutesSinceEpoch());
    return added;
}

bool StationStore::archiveKnows(const std::string& code) const
{
    return m_archive && m_archive->knows(code);
}

std::string StationStore::archivedHistory(const std::string& code, const CivilTime& nowUtc, int hours) const
{
    std::string history;
    // As the service counts them: after the moment the hours reach back to.
    for (const ArchivedObservation& o : archivedObservations(code, nowUtc.plusMinutes(-60L * hours + 1), nowUtc))
        history += o.raw + '\n';
    return history;
}

std::vector<ArchivedObservation> StationStore::archivedObservations(const std::string& code, const CivilTime& fromUtc,
                                                                    const CivilTime& toUtc,
                                                                    Archive::Columns columns) const
{
    if (!m_archive)
        return {};
    return m_archive->observations(code, fromUtc.minutesSinceEpoch(), toUtc.minutesSinceEpoch(), columns);
}

StationRecords StationStore::archiveRecords(const std::string& code, const CivilTime& nowUtc) const
{
    if (!m_archive)
        return {};
    return recordsOf(m_archive->observations(code, 0, std::numeric_limits<std::int64_t>::max(), Archive::Columns::Values),
                     nowUtc);
}

std::vector<ArchiveNotice> StationStore::takeArchiveNotices() const
{
    return m_archive ? m_archive->takeNotices() : std::vector<ArchiveNotice>{};
}

} // namespace ventoral
