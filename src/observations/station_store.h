// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The only code that reads and writes the station files: each station's
// data file (its trend and present report) and its min/max file. A view
// asks it for a snapshot; an update hands it a new report, after which the
// station's min/max record is widened by that report and saved, once.

#include <optional>
#include <string>
#include <string_view>

#include "observations/minmax.h"
#include "observations/station_export.h"
#include "observations/station_snapshot.h"
#include "settings/units.h"

namespace ventoral {

class StationStore {
public:
    StationStore(std::string stationDataFolder, std::string minMaxFolder);

    const std::string& stationDataFolder() const { return m_stationDataFolder; }
    const std::string& minMaxFolder() const { return m_minMaxFolder; }

    StationSnapshot read(const std::string& code) const;

    // The extremes kept for a station; nothing without a min/max file.
    std::optional<MinMaxFileTable> readMinMax(const std::string& code) const;

    enum class StoreResult { Stored, DataNotWritten, MinMaxNotWritten };
    struct Stored {
        StoreResult result = StoreResult::DataNotWritten;
        std::optional<StationSnapshot> snapshot;   // of the new report, when its file was written
        std::optional<MinMaxFileTable> extremes;   // as kept now
    };
    // Replaces the station's data file with the two texts (the old file
    // stays whole when it cannot be written), then widens the station's
    // min/max record by the new report, in the given units, and saves it.
    Stored storeReport(const std::string& code, std::string_view trendText, std::string_view presentText,
                       const DisplayUnits& units) const;

    // Saves a record edited in the given units for the station; false when
    // the file could not be written. Entries in the other units that did
    // not change keep their value.
    bool saveMinMax(const std::string& code, const MinMaxRecord& record, const DisplayUnits& units) const;

    // A dated copy of the snapshot's two reports in the station data folder.
    ExportResult exportCopy(const StationSnapshot& snapshot) const;

private:
    std::string m_stationDataFolder;
    std::string m_minMaxFolder;
};

} // namespace ventoral
