// SPDX-License-Identifier: GPL-3.0-or-later
#include "download/core/downloader.h"

#include <chrono>

#include "download/core/metar_trend.h"
#include "platform/core/number_text.h"
#include "observations/present_builder.h"
#include "observations/present_parser.h"
#include "observations/report_source.h"
#include "observations/station_data.h"
#include "observations/trend_parser.h"
#include "platform/core/file_io.h"

namespace ventoral {

namespace {

constexpr const char* kCaption = "Ventoral";
constexpr std::size_t kChunkBytes = 256;
constexpr std::int32_t kFrameStepBytes = 8192;
constexpr int kEventIntervalMs = 10;

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

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// "text/html", "Text/HTML; charset=utf-8".
bool isHtmlType(std::string_view contentType)
{
    constexpr std::string_view kHtml = "text/html";
    const auto first = contentType.find_first_not_of(" \t");
    if (first == std::string_view::npos || contentType.size() - first < kHtml.size())
        return false;
    for (std::size_t i = 0; i < kHtml.size(); ++i)
        if (lowerAscii(contentType[first + i]) != kHtml[i])
            return false;
    const std::string_view rest = contentType.substr(first + kHtml.size());
    return rest.empty() || rest.front() == ';' || rest.front() == ' ';
}

} // namespace

bool isErrorAnswer(int httpStatus, std::string_view contentType, std::string_view body)
{
    if (httpStatus < 200 || httpStatus > 299 || isHtmlType(contentType))
        return true;
    const auto first = body.find_first_not_of(" \t\r\n\f\v");
    return first != std::string_view::npos && body[first] == '<';
}

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

Downloader::Downloader(AppState& state, DownloaderServices services) : m_state(state), m_services(services)
{
    m_services.transfer.setStateHandler([this](int transferState) { Inet1_StateChanged(transferState); });
}

void Downloader::load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    m_view->downloaderLoaded();
}

void Downloader::unload()
{
    if (!m_loaded)
        return;
    m_loaded = false;
    m_fileBuffer.clear();
    m_fileBuffer.shrink_to_fit();
    m_view->downloaderUnloaded();
    m_services.events.letEventsRun();
}

std::int32_t Downloader::SafeUBoundFile() const
{
    trace("frmMessage,SafeUBoundFile");
    return static_cast<std::int32_t>(m_fileBuffer.size()) - 1;
}

bool Downloader::Update(const std::string& address)
{
    trace("frmMessage,Update");
    DownloadState& d = m_state.download;
    if (d.cancelRequested)
        return false;
    load();
    d.readInProgress = true;
    d.pictureAddress = address;
    if (m_testing)
        m_view->setDownloaderText(1, "Testing data for " + stationCodeOfAddress(address));

    FetchResult result = m_services.transfer.fetch(d.pictureAddress, m_deadlines.text);
    // A cancel of the user's has ended the operation already.
    if (d.cancelRequested)
        return false;
    if (!result.answered && result.unreachable) {
        fetchFailed();
        return false;
    }
    // The server was reached: whatever it did wrong fails this address only.
    m_lastAnswerBad = !result.answered || isErrorAnswer(result.httpStatus, result.contentType, result.body);
    d.lastText = std::move(result.body);
    m_view->setCaption(kCaption);
    return true;
}

void Downloader::fetchFailed()
{
    DownloadState& d = m_state.download;
    d.cancelRequested = true;
    m_connectionFailed = true;
    m_view->setStatus("Error connecting");
    d.transferDone = true;
    d.busy = false;
    m_view->setCaption(kCaption);
    unload();
    showMessage(kCaption, "Cannot connect, try later");
}

void Downloader::showMessage(const std::string& title, const std::string& text)
{
    DownloadState& d = m_state.download;
    const bool wasBusy = d.busy;
    d.busy = true;
    m_services.prompter.inform(title, text);
    d.busy = wasBusy;
}

void Downloader::showErrors()
{
    DownloadState& d = m_state.download;
    if (d.errorList.empty())
        return;
    showMessage("Error", d.errorList);
    d.errorList.clear();
}

void Downloader::Cancel()
{
    trace("frmMessage,Cancel");
    stopTransfer();
    m_view->setUpdateMenusEnabled(false);
    unload();
}

void Downloader::btnCancel_Click()
{
    trace("frmMessage,btnCancel_Click");
    stopTransfer();
    unload();
}

void Downloader::stopTransfer()
{
    DownloadState& d = m_state.download;
    m_services.transfer.cancel();
    d.cancelRequested = true;
    d.transferDone = true;
    d.busy = false;
}

void Downloader::Inet1_StateChanged(int transferState)
{
    const std::string name = "frmMessage,INet1_StateChanged " + std::to_string(transferState);
    trace(name.c_str());
    DownloadState& d = m_state.download;
    if (d.cancelRequested) {
        m_services.transfer.cancel();
        return;
    }
    const std::string text = stateText(transferState, m_services.transfer.address());
    if (!text.empty())
        m_view->setMapStatus(text);
    if (transferState == kStateError) {
        addError(d.errorList, "Error communicating with ", m_services.transfer.address());
        if (d.pictureFile.empty())
            return;
        mapFailed();
        m_transferFailed = true;
        // No body will come: the wait for this transfer is over. A read
        // that runs ends by itself and stores nothing.
        if (!d.readInProgress) {
            m_fileBuffer.clear();
            d.transferDone = true;
        }
        return;
    }
    if (d.pictureFile.empty() || d.readInProgress)
        return;
    d.readInProgress = true;
    if (transferState != kStateResponseReceived) {
        d.readInProgress = false;
        return;
    }
    readBody();
}

void Downloader::readBody()
{
    DownloadState& d = m_state.download;
    EventPump& events = m_services.events;
    Transfer& transfer = m_services.transfer;

    // Events run between chunks, but not more often than every few
    // milliseconds: a large map is thousands of chunks, and letting every
    // pending event run after each of them made the download itself slow.
    auto lastRun = std::chrono::steady_clock::now();
    const auto letEventsRun = [&events, &lastRun] {
        const auto now = std::chrono::steady_clock::now();
        if (now - lastRun < std::chrono::milliseconds(kEventIntervalMs))
            return;
        events.letEventsRun();
        lastRun = std::chrono::steady_clock::now();
    };

    // The body is read as it arrives: the count and the frames move with it.
    std::int32_t threshold = kFrameStepBytes;
    for (;;) {
        letEventsRun();
        if (d.cancelRequested) {
            transfer.cancel();
            d.readInProgress = false;
            return;
        }
        const std::string chunk = transfer.getChunk(kChunkBytes);
        if (chunk.empty()) {
            if (!transfer.stillExecuting())
                break;
            events.waitForEvents();
            continue;
        }
        m_fileBuffer += chunk;
        m_bytesReceived += static_cast<std::int32_t>(chunk.size());
        if (m_bytesReceived > threshold) {
            d.animationFrame = nextFrame(d.animationFrame);
            m_view->showMapFrame(static_cast<int>(d.animationFrame));
            threshold += kFrameStepBytes;
        }
        m_view->setMapBytes(std::to_string(m_bytesReceived));
    }
    transfer.cancel();
    judgeMap();
    m_fileBuffer.clear();
    d.transferDone = true;
    d.readInProgress = false;
}

void Downloader::judgeMap()
{
    DownloadState& d = m_state.download;
    // The error state has listed the address: a reset, or past the deadline.
    if (m_transferFailed)
        return;
    if (isErrorAnswer(m_services.transfer.httpStatus(), m_services.transfer.contentType(), m_fileBuffer)) {
        mapFailed();
        addError(d.errorList, "Could not Find ", d.pictureAddress);
    } else if (m_bytesReceived < 10) {
        // A body too short to be an image says so rather than vanishing unnoticed.
        mapFailed();
        showMessage("Error", "Cannot download " + d.pictureFile);
    } else {
        storeMap();
    }
}

void Downloader::storeMap()
{
    const std::string& folder = m_state.tables.folders.maps;
    const std::string path = joinPath(folder, m_state.download.pictureFile);
    // The old image stays whole unless the new one is written completely.
    if (!createFolder(folder) || !writeFileAtomically(path, m_fileBuffer)) {
        mapFailed();
        showMessage("Error", "Could not save the map " + path);
    }
}

bool Downloader::dowloadPicture(int index)
{
    trace("frmMessage.dowloadPicture");
    DownloadState& d = m_state.download;
    load();
    m_fileBuffer.clear();
    d.cancelRequested = false;
    m_view->showMapFrame(static_cast<int>(d.animationFrame));
    m_bytesReceived = 0;
    m_view->setMapBytes("0");
    if (index < 0 || index >= AddressTable::kMapCount)
        return false;

    d.pictureAddress = m_state.tables.addresses[index];
    d.pictureFile = m_state.tables.files[static_cast<std::size_t>(index)];
    d.pictureIndex = static_cast<std::int16_t>(index);
    if (d.pictureFile.size() < 6 || d.pictureAddress.size() <= 10 || !isSafeFileName(d.pictureFile)) {
        m_view->setCaption(kCaption);
        return false;
    }

    d.busy = true;
    d.transferDone = false;
    // No whole fetch owns the transfer now; a flag left set would keep the
    // read from starting and the wait from ending.
    d.readInProgress = false;
    m_transferFailed = false;
    const std::string error = m_services.transfer.start(d.pictureAddress, m_deadlines.map);
    if (!error.empty()) {
        m_services.transfer.cancel();
        mapFailed();
        m_view->setCaption(kCaption);
        // Nothing runs that could end the wait or the busy state.
        d.busy = false;
        d.transferDone = true;
        showMessage(kCaption, error);
        return false;
    }
    while (!d.transferDone)
        m_services.events.waitForEvents();
    d.busy = false;
    m_view->setCaption(kCaption);
    return true;
}

void Downloader::downLoadOnePic(int index)
{
    if (!m_state.download.busy)
        dowloadPicture(index);
}

void Downloader::dwnLoadAllPics()
{
    trace("frmMessage,dwnLoadAllPics");
    DownloadState& d = m_state.download;
    if (d.busy) {
        m_view->showBusyNotice();
        return;
    }
    load();
    d.busy = true;
    d.cancelRequested = false;
    for (int slot = 0; slot < AddressTable::kMapCount; ++slot) {
        if (d.cancelRequested)
            continue;
        m_view->setMapStatus("Downloading File: " + std::to_string(slot + 1));
        d.pictureAddress = m_state.tables.addresses[slot];
        if (d.pictureAddress.size() > 10) {
            d.transferDone = false;
            d.pictureFile = m_state.tables.files[static_cast<std::size_t>(slot)];
            d.pictureIndex = static_cast<std::int16_t>(slot);
            // A slot dowloadPicture skips has nothing to wait for.
            if (dowloadPicture(slot))
                while (!d.transferDone)
                    m_services.events.waitForEvents();
        } else {
            d.transferDone = true;
        }
    }
    m_services.transfer.cancel();
    if (d.transferDone) {
        d.pictureFile = m_state.tables.files[0];
        d.pictureIndex = 0;
        d.pictureAddress = m_state.tables.addresses[0];
    }
    m_view->setUpdateMenusEnabled(true);
    m_services.transfer.cancel();
    d.busy = false;
    d.cancelRequested = false;
    m_view->setCaption(kCaption);
    unload();
}

void Downloader::mnuUpdate_Click()
{
    trace("frmMain.mnuUpdate_Click");
    m_state.download.errorList.clear();
    m_view->disableMenus();
    m_view->showDownloadPanel(true);
    UpdateAll(true);
    m_view->showDownloadPanel(false);
    showErrors();
}

Downloader::Fetched Downloader::fetchReport(const std::string& address)
{
    if (!Update(address))
        return Fetched::Stopped;
    if (m_lastAnswerBad || m_state.download.lastText.size() <= 10)
        return Fetched::Missing;
    return Fetched::Report;
}

std::optional<Downloader::Present> Downloader::choosePresent(const std::string& code,
                                                             const std::optional<std::string>& decoded,
                                                             std::string_view history, const CivilTime& nowUtc)
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

bool Downloader::fetchHistories(const Run& run, std::map<std::string, std::string>& histories)
{
    DownloadState& d = m_state.download;
    std::string codes;
    for (const std::string& code : run.codes)
        codes += (codes.empty() ? "" : ",") + code;
    const std::size_t count = run.codes.size();
    m_view->setStatus("Seeking METAR history for " + std::to_string(count) + (count == 1 ? " station" : " stations"));
    const Fetched fetched = fetchReport(*metarHistoryAddress(run.addresses[AddressTable::kTrend], codes));
    if (fetched == Fetched::Stopped)
        return false;
    if (fetched == Fetched::Report)
        histories = metarsByStation(d.lastText);
    return true;
}

void Downloader::UpdateAll(bool withMaps)
{
    trace("frmMessage,UpdateAll");
    DownloadState& d = m_state.download;
    if (d.busy)
        return;
    m_connectionFailed = false;
    m_failedStations = 0;
    m_failedMaps = 0;
    m_reportedErrors.clear();
    load();
    m_view->setCaption("Downloading");
    d.busy = true;
    d.cancelRequested = false;
    d.pictureFile.clear();

    ShortList& list = m_state.tables.shortList;
    const bool selectionValid = list.selected >= 0 && list.selected < static_cast<int>(list.entries.size());
    const std::string listText = selectionValid ? list.entries[static_cast<std::size_t>(list.selected)] : "";
    if (listText.empty()) {
        m_view->noStationSelected();
        d.busy = false;
        m_view->setCaption(kCaption);
        unload();
        showMessage(kCaption, "Please select a station");
        return;
    }
    WriteLastStation(m_state.settingsFile, list.selected);

    Run run{{}, m_state.tables.addresses, storeOf(m_state.tables), m_state.displayUnits(), {}};
    if (m_state.tables.units.updateAll)
        for (const std::string& entry : list.entries)
            run.codes.push_back(firstFourTrimmed(entry));
    else
        run.codes.push_back(firstFourTrimmed(listText));
    d.stationCodes = run.codes;
    if (!updateStations(run)) {
        m_view->updateFinished(run.stored);
        return;
    }

    d.busy = false;
    d.transferDone = true;
    m_view->updateFinished(run.stored);
    m_services.transfer.cancel();
    d.readInProgress = false;
    d.busy = true;

    if (withMaps)
        downloadAutoMaps();
    d.busy = false;
    m_view->setCaption(kCaption);
    unload();
    m_reportedErrors = d.errorList;
    showErrors();
}

bool Downloader::updateStations(Run& run)
{
    DownloadState& d = m_state.download;
    const std::string& trendBase = run.addresses[AddressTable::kTrend];
    // The METAR data service gives the histories of the whole list in one
    // answer: one fetch for all, then one present report per station.
    const bool oneHistory = metarHistoryAddress(trendBase, "").has_value();
    const std::size_t fetches = oneHistory ? run.codes.size() + 1 : 2 * run.codes.size();
    const std::string total = std::to_string(fetches);
    float frame = 1;
    m_view->showFrame(1);
    int k = 1;
    m_view->setCount(std::to_string(k) + "/" + total);
    const auto step = [&] {
        frame = nextFrame(frame);
        m_view->showFrame(static_cast<int>(frame));
        m_view->setCount(std::to_string(k++) + "/" + total);
    };
    std::map<std::string, std::string> histories;
    if (oneHistory && !run.codes.empty()) {
        if (!fetchHistories(run, histories))
            return true;
        step();
    }
    const CivilTime nowUtc = m_services.clock.nowUtc();
    for (const std::string& code : run.codes) {
        if (d.cancelRequested)
            break;
        std::string presentText;
        std::string address = presentAddress(run.addresses[AddressTable::kPresent], code);
        m_view->setStatus("Seeking present data for " + code);
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
                fetched == Fetched::Report ? std::optional<std::string>(d.lastText) : std::nullopt;
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
            presentText = d.lastText;
            step();
            if (d.cancelRequested)
                break;
            m_view->setStatus("Seeking trend data for " + code);
            address = trendAddress(trendBase, code);
            fetched = fetchReport(address);
            if (fetched == Fetched::Stopped)
                break;
            trend = d.lastText;
            if (fetched == Fetched::Report)
                step();
        }
        if (fetched == Fetched::Report) {
            m_view->setStatus("Saving data for " + address);
            if (builtFrom)
                trend = withBuiltPresentNote(trend, *builtFrom);
            StationStore::Stored stored = run.store.storeReport(code, trend, presentText, run.units);
            if (!stored.snapshot) {
                unload();
                m_view->setCaption(kCaption);
                d.busy = false;
                ++m_failedStations;
                const std::string path = stationDataPath(run.store.stationDataFolder(), code);
                showMessage("Download error", "Could not save the data of " + code + " in " + path);
                return false;
            }
            if (stored.result == StationStore::StoreResult::MinMaxNotWritten)
                addError(d.errorList, "Could not save ", minMaxPath(run.store.minMaxFolder(), code));
            m_view->presentSaved(code, presentSource(trend, presentText));
            run.stored.push_back({std::move(*stored.snapshot), std::move(stored.extremes)});
        } else {
            addError(d.errorList, "Could not find ", address);
            ++m_failedStations;
        }
        if (d.cancelRequested) {
            m_services.transfer.cancel();
            break;
        }
        if (presentText.size() < 10) {
            m_services.transfer.cancel();
            d.readInProgress = false;
        }
    }
    return true;
}

void Downloader::downloadAutoMaps()
{
    DownloadState& d = m_state.download;
    for (int m = 0; m < AddressTable::kMapCount; ++m) {
        // A cancel stops the maps that follow, as it stops the reports.
        if (d.cancelRequested)
            break;
        if (readNumber(m_state.tables.autos[static_cast<std::size_t>(m)]) != 1)
            continue;
        d.transferDone = false;
        m_view->setDownloaderText(2, "Downloading File: " + std::to_string(m + 1));
        d.pictureAddress = m_state.tables.addresses[m];
        d.pictureFile = m_state.tables.files[static_cast<std::size_t>(m)];
        if (d.pictureFile.size() < 5 || d.pictureAddress.size() < 9)
            continue;
        if (dowloadPicture(m))
            while (!d.transferDone)
                m_services.events.waitForEvents();
    }
}

} // namespace ventoral
