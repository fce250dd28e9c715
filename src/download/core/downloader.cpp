#include "download/core/downloader.h"

#include <chrono>

#include "session/display_cycle.h"
#include "download/core/metar_trend.h"
#include "platform/core/number_text.h"
#include "observations/station_data.h"
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

// An error page: HTML, or any answer the server marks as failed.
bool isMissing(const std::string& text, int httpStatus)
{
    return (!text.empty() && text.front() == '<') || httpStatus >= 400;
}

} // namespace

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
    m_state.station.dataValid = true;
    d.readInProgress = true;
    d.pictureAddress = address;
    if (m_testing)
        m_view->setDownloaderText(1, "Testing data for " + stationCodeOfAddress(address));

    const FetchResult result = m_services.transfer.fetch(d.pictureAddress);
    if (!result.connected) {
        // A cancel of the user's has ended the operation already.
        if (!d.cancelRequested)
            fetchFailed();
        return false;
    }
    d.lastText = result.body;
    m_lastStatus = result.httpStatus;
    m_view->setCaption(kCaption);
    return true;
}

void Downloader::fetchFailed()
{
    DownloadState& d = m_state.download;
    d.cancelRequested = true;
    m_connectionFailed = true;
    m_view->setStatus("Error connecting");
    m_services.prompter.inform(kCaption, "Cannot connect, try later");
    d.transferDone = true;
    d.busy = false;
    m_view->setCaption(kCaption);
    unload();
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
        // No body will come: the wait for this transfer is over.
        if (!d.pictureFile.empty() && !d.readInProgress) {
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
    while (transfer.stillExecuting())
        events.waitForEvents();

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

    std::int32_t threshold = kFrameStepBytes;
    bool lastChunkEmpty = false;
    for (;;) {
        letEventsRun();
        const std::string chunk = transfer.getChunk(kChunkBytes);
        letEventsRun();
        if (d.cancelRequested) {
            transfer.cancel();
            d.readInProgress = false;
            return;
        }
        if (chunk.empty()) {
            lastChunkEmpty = true;
            break;
        }
        m_fileBuffer += chunk;
        m_bytesReceived += static_cast<std::int32_t>(chunk.size());
        if (m_bytesReceived > threshold) {
            d.animationFrame = nextFrame(d.animationFrame);
            m_view->showMapFrame(static_cast<int>(d.animationFrame));
            threshold += kFrameStepBytes;
            letEventsRun();
        }
        m_view->setMapBytes(std::to_string(m_bytesReceived));
        letEventsRun();
        if (chunk.size() < kChunkBytes)
            break;
    }
    transfer.cancel();

    // A body too short to be an image says so rather than vanishing unnoticed.
    if (m_bytesReceived < 10 && (lastChunkEmpty || m_fileBuffer.size() <= 6)) {
        m_services.prompter.inform("Error", "Cannot download " + d.pictureFile);
    } else if (m_fileBuffer.size() > 6) {
        if (m_fileBuffer.front() == '<' || d.cancelRequested || m_bytesReceived <= 0)
            addError(d.errorList, "Could not Find ", d.pictureAddress);
        else
            storeMap();
    }
    m_fileBuffer.clear();
    d.transferDone = true;
    d.readInProgress = false;
}

void Downloader::storeMap()
{
    const std::string& folder = m_state.tables.folders.maps;
    const std::string path = joinPath(folder, m_state.download.pictureFile);
    // The old image stays whole unless the new one is written completely.
    if (!createFolder(folder) || !writeFileAtomically(path, m_fileBuffer))
        m_services.prompter.warn("Error", "Could not save the map " + path);
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
    const std::string error = m_services.transfer.start(d.pictureAddress, kTransferTimeoutSeconds);
    if (!error.empty()) {
        m_services.transfer.cancel();
        m_services.prompter.inform(kCaption, error);
        m_view->setCaption(kCaption);
        // Nothing runs that could end the wait or the busy state.
        d.busy = false;
        d.transferDone = true;
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
    DownloadState& d = m_state.download;
    d.errorList.clear();
    m_view->disableMenus();
    m_view->showDownloadPanel(true);
    UpdateAll(true);
    m_view->showDownloadPanel(false);
    if (!d.errorList.empty()) {
        m_services.prompter.inform("Error", d.errorList);
        d.errorList.clear();
    }
}

bool Downloader::fetchTrend(const std::string& code, std::string& address)
{
    const std::string& base = m_state.tables.addresses[AddressTable::kTrend];
    const std::optional<std::string> history = metarHistoryAddress(base, code);
    address = history ? *history : trendAddress(base, code);
    if (!Update(address))
        return false;
    DownloadState& d = m_state.download;
    if (history && !isMissing(d.lastText, m_lastStatus)) {
        d.lastText = trendFromMetars(d.lastText, code, m_services.clock.nowUtc());
    }
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
        m_services.prompter.inform(kCaption, "Please select a station");
        d.busy = false;
        m_view->setCaption(kCaption);
        unload();
        return;
    }
    const int remembered = list.selected;
    WriteLastStation(m_state.settingsFile, remembered);

    d.stationCodes.clear();
    if (m_state.tables.units.updateAll)
        for (const std::string& entry : list.entries)
            d.stationCodes.push_back(firstFourTrimmed(entry));
    else
        d.stationCodes.push_back(firstFourTrimmed(listText));
    const std::string total = std::to_string(2 * d.stationCodes.size());

    float frame = 1;
    m_view->showFrame(1);
    int k = 1;
    m_view->setCount(std::to_string(k) + "/" + total);
    std::string& presentText = m_state.station.presentText;
    for (const std::string& code : d.stationCodes) {
        if (d.cancelRequested)
            break;
        std::string address = presentAddress(m_state.tables.addresses[AddressTable::kPresent], code);
        m_view->setStatus("Seeking present data for " + code);
        // No answer ends the operation; the last text then is no report of this station.
        if (!Update(address))
            break;
        bool found = !isMissing(d.lastText, m_lastStatus);
        if (found) {
            presentText = d.lastText;
            frame = nextFrame(frame);
            m_view->showFrame(static_cast<int>(frame));
            m_view->setCount(std::to_string(k++) + "/" + total);
            if (d.cancelRequested)
                break;
            m_view->setStatus("Seeking trend data for " + code);
            if (!fetchTrend(code, address))
                break;
            found = !isMissing(d.lastText, m_lastStatus);
        }
        if (found) {
            frame = nextFrame(frame);
            m_view->showFrame(static_cast<int>(frame));
            m_view->setCount(std::to_string(k++) + "/" + total);
            m_view->setStatus("Saving data for " + address);
            if (presentText.size() > 10 && d.lastText.size() > 10) {
                const std::string path = stationDataPath(m_state.tables.folders.stationData, code);
                if (!writeStationData(path, d.lastText, presentText)) {
                    unload();
                    m_services.prompter.warn("Download error", "Could not save the data of " + code + " in " + path);
                    m_view->setCaption(kCaption);
                    d.busy = false;
                    ++m_failedStations;
                    return;
                }
            }
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

    list.selected = remembered;
    d.busy = false;
    d.transferDone = true;
    selectStation(m_state);
    loadStation(m_state);
    m_view->showDataStatus(m_state.station.presentText.size() >= 10);
    m_view->redraw();
    m_services.transfer.cancel();
    d.readInProgress = false;
    d.busy = true;

    if (withMaps) {
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
    d.busy = false;
    m_view->setCaption(kCaption);
    unload();
    if (!d.errorList.empty()) {
        m_services.prompter.inform("Error", d.errorList);
        m_reportedErrors = d.errorList;
        d.errorList.clear();
    }
}

} // namespace ventoral
