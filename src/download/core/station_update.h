// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The update of the short list: the present report and the trend of the
// displayed station, or of every station, then the maps marked Auto. It
// works on a Run taken when it starts and on buffers of its own; it never
// touches the station the window shows. The stations it stored are handed
// to the view at the end.
//
// Either source may fail for a station and the update goes on with the
// other: a present report built from the newest METAR stands in for NOAA's
// decoded report, and a station whose trend did not come keeps its old
// trend with its new present report. Only when neither source can be
// reached does it stop with "Cannot connect, try later".

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "download/core/download_context.h"
#include "download/core/map_downloads.h"
#include "download/core/station_outcome.h"
#include "download/core/transfers.h"
#include "observations/present_builder.h"
#include "observations/station_store.h"
#include "platform/clock.h"
#include "session/app_state.h"

namespace ventoral {

class MetarHistories;
struct HistoryProgress;

// The days of reports a station new to the archive is given once.
inline constexpr int kBackfillDays = 7;
// A station's trend built from the archive names it so.
inline constexpr const char* kArchiveSource = "the archive";

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

    // Of the last updateStations: stations that kept their old data,
    // stations for which a source failed or whose trend was not renewed,
    // maps that failed, whether it ended for want of any connection, the
    // error list it showed, and its requests to the METAR service.
    int failedStations() const { return m_failedStations; }
    int failedSources() const { return m_failedSources; }
    int failedMaps() const { return m_maps.failedMaps(); }
    bool connectionFailed() const { return m_connectionFailed; }
    const std::string& reportedErrors() const { return m_reportedErrors; }
    int historyRequests() const { return m_historyRequests; }

private:
    // What one update works with, taken when it starts: a settings editor
    // saving meanwhile changes the next update, never the running one.
    struct Run {
        std::vector<std::string> codes;
        AddressTable addresses;
        int answerCap;
        StationStore store;
        DisplayUnits units;
        std::vector<StoredStation> stored;
    };
    // The progress count, whose total grows when answers are asked again.
    struct Count {
        std::size_t total = 0;
        int done = 1;
        float frame = 1;
    };
    // One report fetched for a station.
    struct Fetched {
        std::optional<std::string> text;   // the report, when the source served one
        SourceResult result;
        bool stop = false;                 // cancelled, or no connection to either source
    };
    Fetched fetchReport(const std::string& address, bool otherSourceReachable, bool& sourceDown);
    // The present report of a station: its decoded report, or the report
    // built from its newest METAR when the decoded one is missing or older.
    // Nullopt when neither is there.
    struct Present {
        std::string text;
        std::optional<CivilTime> builtFrom;   // UTC time of the METAR
    };
    std::optional<Present> choosePresent(const std::string& code, const std::optional<std::string>& decoded,
                                         std::string_view history, const CivilTime& nowUtc) const;
    // The reports of every code of the run; false when a station's data
    // could not be saved, which ends the update.
    bool updateEach(Run& run);
    // Keeps every history served in the archive; a station it has never
    // seen first gets its last kBackfillDays asked alone. False when the
    // user cancelled.
    bool archiveHistories(Run& run, MetarHistories& histories, const HistoryProgress& progress,
                          const CivilTime& nowUtc);
    // Stores one station's new data and tells the view; false when its data
    // file could not be written.
    bool store(Run& run, StationOutcome& outcome, const std::string& trend, const Present& present);
    // Lists what failed for the station and counts it.
    void settle(const StationOutcome& outcome, const std::string& presentAddress, const std::string& trendAddress);
    void step(Count& count);

    AppState& m_state;
    DownloadContext& m_context;
    Transfers& m_transfers;
    MapDownloads& m_maps;
    const Clock& m_clock;
    std::function<StationInfo(const std::string&)> m_stationLookup;

    // When the METAR service asked to be left alone until (Retry-After); it
    // holds for the runs that start before then.
    std::optional<CivilTime> m_historiesResumeAt;
    int m_failedStations = 0;
    int m_failedSources = 0;
    bool m_connectionFailed = false;
    std::string m_reportedErrors;
    int m_historyRequests = 0;
};

} // namespace ventoral
