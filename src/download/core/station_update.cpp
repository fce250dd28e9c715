// SPDX-License-Identifier: GPL-3.0-or-later
#include "download/core/station_update.h"

#include "download/core/metar_trend.h"
#include "observations/present_parser.h"
#include "observations/report_source.h"
#include "observations/station_data.h"
#include "observations/trend_parser.h"

namespace ventoral {

namespace {

std::string firstFourTrimmed(const std::string& entry)
{
    std::string code = entry.substr(0, 4);
    const auto first = code.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return code.substr(first, code.find_last_not_of(' ') - first + 1);
}

// The date line of a report: the text after its first line feed up to the next.
std::string_view secondLine(std::string_view report)
{
    const auto first = report.find('\n');
    if (first == std::string_view::npos)
        return {};
    const auto second = report.find('\n', first + 1);
    return report.substr(first + 1, second == std::string_view::npos ? std::string_view::npos : second - first - 1);
}

} // namespace

bool trendHasRecords(std::string_view trendText)
{
    TrendSeries trend;
    trendData(trendText, false, trend);
    for (const auto& row : trend.cells)
        for (const std::string& cell : row)
            if (!cell.empty())
                return true;
    return false;
}

StationUpdate::StationUpdate(AppState& state, DownloadContext& context, Transfers& transfers, MapDownloads& maps,
                             const Clock& clock)
    : m_state(state), m_context(context), m_transfers(transfers), m_maps(maps), m_clock(clock)
{
}

void StationUpdate::runUpdate()
{
    m_context.trace("frmMain.mnuUpdate_Click");
    m_context.record().errorList.clear();
    m_context.view().disableMenus();
    m_context.view().showDownloadPanel(true);
    updateStations(true);
    m_context.view().showDownloadPanel(false);
    m_context.showErrors();
}

StationUpdate::Fetched StationUpdate::fetchReport(const std::string& address)
{
    FetchedText fetched = m_transfers.fetchText(address);
    if (fetched.outcome == FetchedText::Outcome::Cancelled)
        return Fetched::Stopped;
    if (fetched.outcome == FetchedText::Outcome::Unreachable) {
        m_connectionFailed = true;
        m_context.cannotConnect();
        return Fetched::Stopped;
    }
    // The server was reached: whatever it did wrong fails this address only.
    m_fetched = std::move(fetched.body);
    m_context.view().setCaption(kProgramCaption);
    if (!fetched.isText() || m_fetched.size() <= 10)
        return Fetched::Missing;
    return Fetched::Report;
}

std::optional<StationUpdate::Present> StationUpdate::choosePresent(const std::string& code,
                                                                   const std::optional<std::string>& decoded,
                                                                   std::string_view history,
                                                                   const CivilTime& nowUtc) const
{
    const std::optional<NewestMetar> newest = newestMetar(history, code, nowUtc);
    // A decoded report whose time cannot be read gives way to the METAR.
    const auto decodedIsOlder = [&] {
        const std::optional<CivilTime> observed = readObservationTime(secondLine(*decoded));
        return !observed || observed->minutesSinceEpoch() < newest->observedUtc.minutesSinceEpoch();
    };
    if (newest && (!decoded || decodedIsOlder()))
        if (std::optional<std::string> built =
                buildPresentReport(newest->line, m_stationLookup ? m_stationLookup(code) : StationInfo{}, nowUtc))
            return Present{std::move(*built), newest->observedUtc};
    if (decoded)
        return Present{*decoded, std::nullopt};
    return std::nullopt;
}

bool StationUpdate::fetchHistories(const Run& run, std::map<std::string, std::string>& histories)
{
    std::string codes;
    for (const std::string& code : run.codes)
        codes += (codes.empty() ? "" : ",") + code;
    const std::size_t count = run.codes.size();
    m_context.view().setStatus("Seeking METAR history for " + std::to_string(count) +
                               (count == 1 ? " station" : " stations"));
    const Fetched fetched = fetchReport(*metarHistoryAddress(run.addresses[AddressTable::kTrend], codes));
    if (fetched == Fetched::Stopped)
        return false;
    if (fetched == Fetched::Report)
        histories = metarsByStation(m_fetched);
    return true;
}

void StationUpdate::updateStations(bool withMaps)
{
    m_context.trace("frmMessage,UpdateAll");
    DownloadState& d = m_context.record();
    DownloadView& view = m_context.view();
    if (d.busy)
        return;
    m_connectionFailed = false;
    m_failedStations = 0;
    m_maps.resetCount();
    m_reportedErrors.clear();
    m_context.load();
    view.setCaption("Downloading");
    d.busy = true;
    d.cancelRequested = false;
    d.pictureFile.clear();

    const ShortList& list = m_state.tables.shortList;
    const bool selectionValid = list.selected >= 0 && list.selected < static_cast<int>(list.entries.size());
    const std::string listText = selectionValid ? list.entries[static_cast<std::size_t>(list.selected)] : "";
    if (listText.empty()) {
        view.noStationSelected();
        d.busy = false;
        view.setCaption(kProgramCaption);
        m_context.unload();
        m_context.showMessage(kProgramCaption, "Please select a station");
        return;
    }
    WriteLastStation(m_state.settingsFile, list.selected);

    Run run{{}, m_state.tables.addresses, storeOf(m_state.tables), m_state.displayUnits(), {}};
    if (m_state.tables.units.updateAll)
        for (const std::string& entry : list.entries)
            run.codes.push_back(firstFourTrimmed(entry));
    else
        run.codes.push_back(firstFourTrimmed(listText));
    const bool whole = updateEach(run);
    m_fetched.clear();
    m_fetched.shrink_to_fit();
    if (!whole) {
        view.updateFinished(run.stored);
        return;
    }

    d.busy = false;
    d.transferDone = true;
    view.updateFinished(run.stored);
    m_transfers.endTransfer();
    d.readInProgress = false;
    d.busy = true;

    if (withMaps)
        m_maps.downloadAutoMaps();
    d.busy = false;
    view.setCaption(kProgramCaption);
    m_context.unload();
    m_reportedErrors = d.errorList;
    m_context.showErrors();
}

bool StationUpdate::updateEach(Run& run)
{
    DownloadState& d = m_context.record();
    DownloadView& view = m_context.view();
    const std::string& trendBase = run.addresses[AddressTable::kTrend];
    // The METAR data service gives the histories of the whole list in one
    // answer: one fetch for all, then one present report per station.
    const bool oneHistory = metarHistoryAddress(trendBase, "").has_value();
    const std::size_t fetches = oneHistory ? run.codes.size() + 1 : 2 * run.codes.size();
    const std::string total = std::to_string(fetches);
    float frame = 1;
    view.showFrame(1);
    int k = 1;
    view.setCount(std::to_string(k) + "/" + total);
    const auto step = [&] {
        frame = nextFrame(frame);
        view.showFrame(static_cast<int>(frame));
        view.setCount(std::to_string(k++) + "/" + total);
    };
    std::map<std::string, std::string> histories;
    if (oneHistory && !run.codes.empty()) {
        if (!fetchHistories(run, histories))
            return true;
        step();
    }
    const CivilTime nowUtc = m_clock.nowUtc();
    for (const std::string& code : run.codes) {
        if (d.cancelRequested)
            break;
        std::string presentText;
        std::string address = presentAddress(run.addresses[AddressTable::kPresent], code);
        view.setStatus("Seeking present data for " + code);
        Fetched fetched = fetchReport(address);
        // No connection ends the operation; the last text then is no report of this station.
        if (fetched == Fetched::Stopped)
            break;
        std::string trend;
        std::optional<CivilTime> builtFrom;
        if (oneHistory) {
            step();
            const std::string& history = histories[code];
            const std::optional<std::string> decoded =
                fetched == Fetched::Report ? std::optional<std::string>(m_fetched) : std::nullopt;
            const std::optional<Present> present = choosePresent(code, decoded, history, nowUtc);
            fetched = present ? Fetched::Report : Fetched::Missing;
            if (present) {
                presentText = present->text;
                builtFrom = present->builtFrom;
                address = *metarHistoryAddress(trendBase, code);
                trend = trendFromMetars(history, code, nowUtc);
                // No report of the station in the answer is no trend: the old one stays.
                if (!trendHasRecords(trend))
                    fetched = Fetched::Missing;
            }
        } else if (fetched == Fetched::Report) {
            presentText = m_fetched;
            step();
            if (d.cancelRequested)
                break;
            view.setStatus("Seeking trend data for " + code);
            address = trendAddress(trendBase, code);
            fetched = fetchReport(address);
            if (fetched == Fetched::Stopped)
                break;
            trend = m_fetched;
            if (fetched == Fetched::Report)
                step();
        }
        if (fetched == Fetched::Report) {
            view.setStatus("Saving data for " + address);
            if (builtFrom)
                trend = withBuiltPresentNote(trend, *builtFrom);
            StationStore::Stored stored = run.store.storeReport(code, trend, presentText, run.units);
            if (!stored.snapshot) {
                m_context.unload();
                view.setCaption(kProgramCaption);
                d.busy = false;
                ++m_failedStations;
                const std::string path = stationDataPath(run.store.stationDataFolder(), code);
                m_context.showMessage("Download error", "Could not save the data of " + code + " in " + path);
                return false;
            }
            if (stored.result == StationStore::StoreResult::MinMaxNotWritten)
                addError(d.errorList, "Could not save ", minMaxPath(run.store.minMaxFolder(), code));
            view.presentSaved(code, presentSource(trend, presentText));
            run.stored.push_back({std::move(*stored.snapshot), std::move(stored.extremes)});
        } else {
            addError(d.errorList, "Could not find ", address);
            ++m_failedStations;
        }
        if (d.cancelRequested) {
            m_transfers.endTransfer();
            break;
        }
    }
    return true;
}

} // namespace ventoral
