// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The only code that reads and writes the station files and the archive:
// each station's data file (its trend and present report), its min/max
// file, and the archive of every METAR fetched. A view asks it for a
// snapshot or archived observations; an update hands it a new report, after
// which the station's min/max record is widened by that report and saved,
// once, and the report's METAR is archived; and it hands it every METAR
// history it fetched.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "observations/archive.h"
#include "observations/minmax.h"
#include "observations/station_export.h"
#include "observations/station_records.h"
#include "observations/station_snapshot.h"
#include "settings/units.h"

namespace ventoral {

class StationStore {
public:
    // Without an archive nothing is archived and the archive's queries find nothing.
    StationStore(std::string stationDataFolder, std::string minMaxFolder,
                 std::shared_ptr<Archive> archive = nullptr);

    const std::string& stationDataFolder() const { return m_stationDataFolder; }
    const std::string& minMaxFolder() const { return m_minMaxFolder; }

    StationSnapshot read(const std::string& code) const;

    // The extremes kept for a station; nothing without a min/max file.
    std::optional<MinMaxFileTable> readMinMax(const std::string& code) const;

    enum class StoreResult { Stored, DataNotWritten, MinMaxNotWritten };
    struct Stored {
        StoreResult result = StoreResult::DataNotWritten;
        // Of the new report, when its file holds it.
        std::shared_ptr<const StationSnapshot> snapshot;
        // As kept now.
        std::optional<MinMaxFileTable> extremes;
    };
    // Replaces the station's data file with the two texts (the old file
    // stays whole when it cannot be written; a file holding the very same
    // texts is left alone), then widens the station's
    // min/max record by the new report, in the given units, and saves it,
    // and archives the METAR on the report's "ob:" line (its year and month
    // from the report's date line).
    Stored storeReport(const std::string& code, std::string_view trendText, std::string_view presentText,
                       const DisplayUnits& units) const;

    // Saves a record edited in the given units for the station; false when
    // the file could not be written. Entries in the other units that did
    // not change keep their value.
    bool saveMinMax(const std::string& code, const MinMaxRecord& record, const DisplayUnits& units) const;

    // A dated copy of the snapshot's two reports in the station data folder.
    ExportResult exportCopy(const StationSnapshot& snapshot) const;

    // Archives every report of a METAR history (the service's raw answer,
    // one report a line), or only those of station when it is given. The
    // year and month of each report's day come from nowUtc, the UTC clock
    // when the answer came. Starts the day's pruning of old observations.
    Archive::Added archiveHistory(std::string_view history, const CivilTime& nowUtc,
                                  const std::string& station = {}) const;
    // Whether the archive holds any observation of the station (a station
    // it does not know gets its last 7 days fetched once).
    bool archiveKnows(const std::string& code) const;
    // The station's archived reports of the hours up to nowUtc, oldest
    // first, one a line as the METAR service answers: trendFromMetars builds
    // the trend from it when the service fails.
    std::string archivedHistory(const std::string& code, const CivilTime& nowUtc, int hours = 25) const;
    // The station's observations from fromUtc to toUtc, both included, oldest first.
    std::vector<ArchivedObservation> archivedObservations(const std::string& code, const CivilTime& fromUtc,
                                                          const CivilTime& toUtc,
                                                          Archive::Columns columns = Archive::Columns::All) const;
    // The station's records of today, this month (both UTC) and all the archive holds.
    StationRecords archiveRecords(const std::string& code, const CivilTime& nowUtc) const;
    // What the archive has to tell since it was last asked: a damaged
    // database set aside, or none that can be opened.
    std::vector<ArchiveNotice> takeArchiveNotices() const;
    const std::shared_ptr<Archive>& archive() const { return m_archive; }

private:
    void archiveReportMetar(const StationSnapshot& snapshot) const;

    std::string m_stationDataFolder;
    std::string m_minMaxFolder;
    std::shared_ptr<Archive> m_archive;
};

} // namespace ventoral
