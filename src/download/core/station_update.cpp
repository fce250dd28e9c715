// SPDX-License-Identifier: GPL-3.0-or-later
#include "download/core/station_update.h"

#include "download/core/history_requests.h"
#include "download/core/metar_histories.h"
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

StationUpdate::Fetched StationUpdate::fetchReport(const std::string& address, bool otherSourceReachable,
                                                  bool& sourceDown)
{
    Fetched report;
    report.result = {SourceResult::State::Failed, "no connection", address};
    // A source that could not be reached is not asked again in this run.
    if (sourceDown)
        return report;
    FetchedText fetched = m_transfers.fetchText(address);
    switch (fetched.outcome) {
    case FetchedText::Outcome::Cancelled:
        report.stop = true;
        return report;
    case FetchedText::Outcome::Unreachable:
        sourceDown = true;
        if (!otherSourceReachable) {
            m_connectionFailed = true;
            m_context.cannotConnect();
            report.stop = true;
        }
        return report;
    case FetchedText::Outcome::Text:
        if (fetched.body.size() > 10) {
            report.text = std::move(fetched.body);
            report.result = SourceResult::served(address);
        } else {
            report.result.reason = "an answer too short to be a report";
        }
        break;
    case FetchedText::Outcome::NoReport:
        report.result.state = SourceResult::State::NoReport;
        report.result.reason = fetched.reason;
        break;
    case FetchedText::Outcome::Failed:
        report.result.reason = fetched.reason;
        break;
    }
    m_context.view().setCaption(kProgramCaption);
    return report;
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

void StationUpdate::updateStations(bool withMaps)
{
    m_context.trace("frmMessage,UpdateAll");
    DownloadState& d = m_context.record();
    DownloadView& view = m_context.view();
    if (d.busy)
        return;
    m_connectionFailed = false;
    m_failedStations = 0;
    m_failedSources = 0;
    m_historyRequests = 0;
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

    Run run{{}, m_state.tables.addresses, m_state.tables.historyAnswerCap, storeOf(m_state.tables),
            m_state.displayUnits(), {}};
    if (m_state.tables.units.updateAll)
        for (const std::string& entry : list.entries)
            run.codes.push_back(firstFourTrimmed(entry));
    else
        run.codes.push_back(firstFourTrimmed(listText));
    if (!updateEach(run)) {
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

void StationUpdate::step(Count& count)
{
    DownloadView& view = m_context.view();
    count.frame = nextFrame(count.frame);
    view.showFrame(static_cast<int>(count.frame));
    view.setCount(std::to_string(count.done++) + "/" + std::to_string(count.total));
}

bool StationUpdate::updateEach(Run& run)
{
    DownloadState& d = m_context.record();
    DownloadView& view = m_context.view();
    const std::string& presentBase = run.addresses[AddressTable::kPresent];
    const std::string& trendBase = run.addresses[AddressTable::kTrend];
    // The METAR data service gives the histories of many stations in one
    // answer: a few requests for all, then one present report per station.
    const bool metarService = metarHistoryAddress(trendBase, "").has_value();
    const CivilTime nowUtc = m_clock.nowUtc();
    Count count;
    count.total = metarService ? run.codes.size() + historyGroups(run.codes, run.answerCap).size()
                               : 2 * run.codes.size();
    view.showFrame(1);
    view.setCount("1/" + std::to_string(count.total));

    MetarHistories histories(m_transfers, trendBase, run.answerCap, nowUtc);
    if (metarService) {
        HistoryProgress progress;
        progress.planned = [&count](std::size_t more) { count.total += more; };
        progress.asking = [&view](std::size_t stations) {
            view.setStatus("Seeking METAR history for " + std::to_string(stations) +
                           (stations == 1 ? " station" : " stations"));
        };
        progress.requestDone = [this, &view, &count] {
            view.setCaption(kProgramCaption);
            step(count);
        };
        const bool asked = histories.fetch(run.codes, progress, m_historiesResumeAt) &&
                           archiveHistories(run, histories, progress, nowUtc);
        m_historyRequests = histories.requests();
        if (!asked)
            return true;
    }
    bool noaaDown = false;
    bool trendFolderDown = false;
    for (const std::string& code : run.codes) {
        if (d.cancelRequested)
            break;
        StationOutcome outcome;
        outcome.code = code;
        const std::string presentAt = presentAddress(presentBase, code);
        view.setStatus("Seeking present data for " + code);
        // Without a present report a trend folder's station stores nothing:
        // its source alone decides whether the update can go on.
        const Fetched decoded = fetchReport(presentAt, metarService && !histories.unreachable(), noaaDown);
        if (decoded.stop)
            break;
        if (decoded.result.state != SourceResult::State::Served)
            outcome.unserved.push_back({ReportSource::DecodedReport, decoded.result});
        std::optional<Present> present;
        std::string trend;
        std::string trendAt;
        if (metarService) {
            step(count);
            const StationHistory& history = histories.of(code);
            trendAt = history.result.address;
            std::string reports = history.reports;
            std::string trendSource = sourceName(ReportSource::MetarHistory);
            if (history.result.state != SourceResult::State::Served) {
                outcome.unserved.push_back({ReportSource::MetarHistory, history.result});
                // The archive holds what earlier updates fetched.
                if (std::string archived = run.store.archivedHistory(code, nowUtc); !archived.empty()) {
                    reports = std::move(archived);
                    trendSource = kArchiveSource;
                }
            }
            present = choosePresent(code, decoded.text, reports, nowUtc);
            trend = trendFromMetars(reports, code, nowUtc);
            if (!reports.empty() && trendHasRecords(trend))
                outcome.trend = trendSource;
        } else if (decoded.text) {
            present = Present{*decoded.text, std::nullopt};
            step(count);
            if (d.cancelRequested)
                break;
            view.setStatus("Seeking trend data for " + code);
            trendAt = trendAddress(trendBase, code);
            Fetched fetched = fetchReport(trendAt, true, trendFolderDown);
            if (fetched.stop)
                break;
            if (fetched.text) {
                trend = std::move(*fetched.text);
                outcome.trend = sourceName(ReportSource::TrendReport);
                step(count);
            } else {
                outcome.unserved.push_back({ReportSource::TrendReport, fetched.result});
            }
        }
        if (present) {
            if (outcome.trend.empty()) {
                // No new trend: the old one stays with the new present report.
                const StationSnapshot old = run.store.read(code);
                trend = old.valid() ? withoutPresentNote(old.trendText) : std::string();
                outcome.trend = "old trend kept";
            }
            view.setStatus("Saving data for " + trendAt);
            if (!store(run, outcome, trend, *present))
                return false;
        }
        settle(outcome, presentAt, trendAt);
        view.stationUpdated(outcome);
        if (d.cancelRequested) {
            m_transfers.endTransfer();
            break;
        }
    }
    return true;
}

bool StationUpdate::archiveHistories(Run& run, MetarHistories& histories, const HistoryProgress& progress,
                                     const CivilTime& nowUtc)
{
    std::vector<std::string> unseen;
    for (const std::string& code : run.codes)
        if (run.store.archive() && histories.of(code).result.state == SourceResult::State::Served &&
            !run.store.archiveKnows(code))
            unseen.push_back(code);
    if (progress.planned && !unseen.empty())
        progress.planned(unseen.size());
    // A station seen for the first time gets its last days, once: asked
    // alone, as its days may come near the answer's cap.
    for (const std::string& code : unseen) {
        std::string days;
        if (!histories.fetchDays(code, kBackfillDays * 24, progress, days, m_historiesResumeAt))
            return false;
        run.store.archiveHistory(days, nowUtc, code);
    }
    for (const std::string& code : run.codes)
        if (histories.of(code).result.state == SourceResult::State::Served)
            run.store.archiveHistory(histories.of(code).reports, nowUtc, code);
    return true;
}

bool StationUpdate::store(Run& run, StationOutcome& outcome, const std::string& trend, const Present& present)
{
    DownloadState& d = m_context.record();
    const std::string& code = outcome.code;
    const std::string trendText = present.builtFrom ? withBuiltPresentNote(trend, *present.builtFrom) : trend;
    StationStore::Stored stored = run.store.storeReport(code, trendText, present.text, run.units);
    if (!stored.snapshot) {
        m_context.unload();
        m_context.view().setCaption(kProgramCaption);
        d.busy = false;
        ++m_failedStations;
        const std::string path = stationDataPath(run.store.stationDataFolder(), code);
        m_context.showMessage("Download error", "Could not save the data of " + code + " in " + path);
        return false;
    }
    if (stored.result == StationStore::StoreResult::MinMaxNotWritten)
        addError(d.errorList, "Could not save ", minMaxPath(run.store.minMaxFolder(), code));
    outcome.present = presentSource(trendText, present.text);
    run.stored.push_back({std::move(stored.snapshot), std::move(stored.extremes)});
    return true;
}

void StationUpdate::settle(const StationOutcome& outcome, const std::string& presentAddress,
                           const std::string& trendAddress)
{
    std::string& errors = m_context.record().errorList;
    bool decodedFailed = false;
    bool trendFailed = false;
    for (const StationOutcome::Unserved& u : outcome.unserved) {
        if (u.result.state != SourceResult::State::Failed)
            continue;
        if (u.source == ReportSource::DecodedReport)
            decodedFailed = true;
        else
            trendFailed = true;
    }
    const bool trendRenewed = outcome.trend == sourceName(ReportSource::MetarHistory) ||
                              outcome.trend == sourceName(ReportSource::TrendReport);
    if (!outcome.stored() || decodedFailed)
        addError(errors, "Could not find ", presentAddress);
    if (!trendAddress.empty() && (!trendRenewed || trendFailed))
        addError(errors, "Could not find ", trendAddress);
    if (!outcome.stored())
        ++m_failedStations;
    if (outcome.failed())
        ++m_failedSources;
}

} // namespace ventoral
