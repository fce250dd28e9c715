// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The update of the short list: the present report and the trend of the
// displayed station, or of every station, then the maps marked Auto. It
// works on a Run taken when it starts and on buffers of its own; it never
// touches the station the window shows. The stations it stored are handed
// to the view at the end.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "download/core/download_context.h"
#include "download/core/map_downloads.h"
#include "download/core/transfers.h"
#include "observations/present_builder.h"
#include "observations/station_store.h"
#include "platform/clock.h"
#include "session/app_state.h"

namespace ventoral {

// True when a trend report holds the record of at least one hour.
bool trendHasRecords(std::string_view trendText);

class StationUpdate {
public:
    StationUpdate(AppState& state, DownloadContext& context, Transfers& transfers, MapDownloads& maps,
                  const Clock& clock);

    // The station line's parts of a code, for present reports built from a
    // METAR; without one every such report says "Station name not available".
    void setStationLookup(std::function<StationInfo(const std::string&)> lookup) { m_stationLookup = std::move(lookup); }

    // The main window's update: menus off, panel shown, the stations and
    // the maps marked Auto, then the errors in one box.
    void runUpdate();
    // The displayed station, or with the list preference every station;
    // then, withMaps, the maps marked Auto.
    void updateStations(bool withMaps);

    // Of the last updateStations: stations whose reports did not come, maps
    // that failed, whether a fetch got no answer at all, and the error list
    // it showed.
    int failedStations() const { return m_failedStations; }
    int failedMaps() const { return m_maps.failedMaps(); }
    bool connectionFailed() const { return m_connectionFailed; }
    const std::string& reportedErrors() const { return m_reportedErrors; }

private:
    // What one update works with, taken when it starts: a settings editor
    // saving meanwhile changes the next update, never the running one.
    struct Run {
        std::vector<std::string> codes;
        AddressTable addresses;
        StationStore store;
        DisplayUnits units;
        std::vector<StoredStation> stored;
    };
    enum class Fetched { Report, Missing, Stopped };
    // A report into the fetch buffer: Missing for an error answer, no whole
    // answer or a text of 10 characters or fewer; Stopped when the run is
    // to end (cancelled, or no connection: "Cannot connect, try later").
    Fetched fetchReport(const std::string& address);
    // The present report of a station: its decoded report, or the report
    // built from its newest METAR when the decoded one is missing or older.
    // Nullopt when neither is there.
    struct Present {
        std::string text;
        std::optional<CivilTime> builtFrom;   // UTC time of the METAR
    };
    std::optional<Present> choosePresent(const std::string& code, const std::optional<std::string>& decoded,
                                         std::string_view history, const CivilTime& nowUtc) const;
    // The METAR history of every code of the run in one request, by station;
    // false when the run is to end.
    bool fetchHistories(const Run& run, std::map<std::string, std::string>& histories);
    // The reports of every code of the run; false when a station's data
    // could not be saved, which ends the update.
    bool updateEach(Run& run);

    AppState& m_state;
    DownloadContext& m_context;
    Transfers& m_transfers;
    MapDownloads& m_maps;
    const Clock& m_clock;
    std::function<StationInfo(const std::string&)> m_stationLookup;

    std::string m_fetched;   // the body of the last whole fetch
    int m_failedStations = 0;
    bool m_connectionFailed = false;
    std::string m_reportedErrors;
};

} // namespace ventoral
