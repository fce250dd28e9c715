// SPDX-License-Identifier: GPL-3.0-or-later
#include "observations/station_store.h"

#include "observations/shown_readings.h"
#include "platform/core/file_io.h"

namespace ventoral {

StationStore::StationStore(std::string stationDataFolder, std::string minMaxFolder)
    : m_stationDataFolder(std::move(stationDataFolder)), m_minMaxFolder(std::move(minMaxFolder))
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
    if (!createFolder(m_stationDataFolder) ||
        !writeFileAtomically(stationDataPath(m_stationDataFolder, code), content))
        return stored;
    // The snapshot of what was written, without reading it back.
    stored.snapshot = snapshotOf(code, stationTextsOf(content, code));
    stored.result = StoreResult::Stored;
    stored.extremes = readMinMax(code);
    if (!stored.snapshot->valid() || code.size() < 4)
        return stored;
    const MinMaxRecord record = widenedRecord(stored.extremes, stored.snapshot->trend(units.kph),
                                              shownReadingsOf(stored.snapshot->present, units), units);
    const MinMaxFileTable table = storedTableOf(record, stored.extremes, units);
    if (createFolder(m_minMaxFolder) && writeMinMaxFile(minMaxPath(m_minMaxFolder, code), table))
        stored.extremes = table;
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

} // namespace ventoral
