// SPDX-License-Identifier: GPL-3.0-or-later
#include "download/core/map_downloads.h"

#include "download/core/map_image.h"
#include "platform/core/file_io.h"
#include "platform/core/number_text.h"

namespace ventoral {

namespace {

constexpr std::int32_t kFrameStepBytes = 8192;

// The map viewer's panel while a map arrives: the state texts, the byte
// count, and the next animation frame every 8 KB.
class MapPanelProgress : public MapTransferProgress {
public:
    MapPanelProgress(DownloadView& view, float& animationFrame) : m_view(view), m_frame(animationFrame) {}

    void stateText(const std::string& text) override { m_view.setMapStatus(text); }
    void bytesReceived(std::int32_t bytes) override
    {
        if (bytes > m_threshold) {
            m_frame = nextFrame(m_frame);
            m_view.showMapFrame(static_cast<int>(m_frame));
            m_threshold += kFrameStepBytes;
        }
        m_view.setMapBytes(std::to_string(bytes));
    }

private:
    DownloadView& m_view;
    float& m_frame;
    std::int32_t m_threshold = kFrameStepBytes;
};

} // namespace

MapDownloads::MapDownloads(DownloadContext& context, Transfers& transfers, const AppTables& tables)
    : m_context(context), m_transfers(transfers), m_tables(tables)
{
}

bool MapDownloads::downloadMap(int index)
{
    m_context.trace("frmMessage.dowloadPicture");
    DownloadState& d = m_context.record();
    DownloadView& view = m_context.view();
    m_context.load();
    d.cancelRequested = false;
    view.showMapFrame(static_cast<int>(d.animationFrame));
    view.setMapBytes("0");
    if (index < 0 || index >= AddressTable::kMapCount)
        return false;

    d.pictureAddress = m_tables.addresses[index];
    d.pictureFile = m_tables.files[static_cast<std::size_t>(index)];
    d.pictureIndex = static_cast<std::int16_t>(index);
    if (d.pictureFile.size() < 6 || d.pictureAddress.size() <= 10 || !isSafeFileName(d.pictureFile)) {
        view.setCaption(kProgramCaption);
        return false;
    }

    d.busy = true;
    MapPanelProgress progress(view, d.animationFrame);
    const FetchedMap fetched = m_transfers.fetchMap(d.pictureAddress, progress);
    if (!fetched.started) {
        ++m_failedMaps;
        view.setCaption(kProgramCaption);
        // Nothing runs that could end the wait or the busy state.
        d.busy = false;
        m_context.showMessage(kProgramCaption, fetched.reason);
        return false;
    }
    judgeMap(fetched);
    d.busy = false;
    view.setCaption(kProgramCaption);
    return true;
}

void MapDownloads::judgeMap(const FetchedMap& fetched)
{
    DownloadState& d = m_context.record();
    if (fetched.cancelled)
        return;
    if (fetched.failed) {
        // A reset, or past the deadline.
        ++m_failedMaps;
        addError(d.errorList, "Error communicating with ", d.pictureAddress);
    } else if (isErrorAnswer(fetched.httpStatus, fetched.contentType, fetched.body)) {
        ++m_failedMaps;
        addError(d.errorList, "Could not Find ", d.pictureAddress);
    } else if (fetched.body.size() < 10) {
        // A body too short to be an image says so rather than vanishing unnoticed.
        ++m_failedMaps;
        m_context.showMessage("Error", "Cannot download " + d.pictureFile);
    } else if (!isWholeImage(fetched.body)) {
        // A text or JSON answer, or an image cut short.
        ++m_failedMaps;
        addError(d.errorList, "Could not Find ", d.pictureAddress);
    } else {
        storeMap(fetched.body);
    }
}

void MapDownloads::storeMap(const std::string& body)
{
    const std::string& folder = m_tables.folders.maps;
    const std::string path = joinPath(folder, m_context.record().pictureFile);
    // The old image stays whole unless the new one is written completely.
    if (!createFolder(folder) || !writeFileAtomically(path, body)) {
        ++m_failedMaps;
        m_context.showMessage("Error", "Could not save the map " + path);
    }
}

void MapDownloads::downloadOneMap(int index)
{
    if (!m_context.record().busy)
        downloadMap(index);
}

void MapDownloads::downloadAllMaps()
{
    m_context.trace("frmMessage,dwnLoadAllPics");
    DownloadState& d = m_context.record();
    DownloadView& view = m_context.view();
    if (d.busy) {
        view.showBusyNotice();
        return;
    }
    m_context.load();
    d.busy = true;
    d.cancelRequested = false;
    for (int slot = 0; slot < AddressTable::kMapCount; ++slot) {
        if (d.cancelRequested)
            continue;
        view.setMapStatus("Downloading File: " + std::to_string(slot + 1));
        if (m_tables.addresses[slot].size() > 10)
            downloadMap(slot);
    }
    m_transfers.endTransfer();
    d.pictureFile = m_tables.files[0];
    d.pictureIndex = 0;
    d.pictureAddress = m_tables.addresses[0];
    view.setUpdateMenusEnabled(true);
    d.busy = false;
    d.cancelRequested = false;
    view.setCaption(kProgramCaption);
    m_context.unload();
}

void MapDownloads::downloadAutoMaps()
{
    DownloadState& d = m_context.record();
    for (int m = 0; m < AddressTable::kMapCount; ++m) {
        // A cancel stops the maps that follow, as it stops the reports.
        if (d.cancelRequested)
            break;
        if (readNumber(m_tables.autos[static_cast<std::size_t>(m)]) != 1)
            continue;
        m_context.view().setDownloaderText(2, "Downloading File: " + std::to_string(m + 1));
        if (m_tables.files[static_cast<std::size_t>(m)].size() < 5 || m_tables.addresses[m].size() < 9)
            continue;
        downloadMap(m);
    }
}

} // namespace ventoral
