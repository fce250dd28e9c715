// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The map downloads: one map, every map, or the maps marked Auto after an
// update. Each map is fetched through the transfers and replaces its file
// in the maps folder only when a whole PNG, GIF, JPEG or BMP image came.

#include <cstdint>

#include "download/core/download_context.h"
#include "download/core/transfers.h"
#include "settings/settings.h"

namespace ventoral {

class MapDownloads {
public:
    // The map addresses, files and Auto marks are read from tables when a
    // download starts, so an editor's save counts from the next map on.
    MapDownloads(DownloadContext& context, Transfers& transfers, const AppTables& tables);

    // Map slot index (0-7). True when a fetch was started (and has ended).
    bool downloadMap(int index);
    // One map, unless a download runs.
    void downloadOneMap(int index);
    // The eight maps, one after another; a busy notice while a download runs.
    void downloadAllMaps();
    // The maps marked Auto, as an update's last part.
    void downloadAutoMaps();

    // Since the last resetCount: maps that did not come.
    int failedMaps() const { return m_failedMaps; }
    void resetCount() { m_failedMaps = 0; }

private:
    // Stores a map whose transfer ended; anything that is no image is listed.
    void judgeMap(const FetchedMap& fetched);
    void storeMap(const std::string& body);

    DownloadContext& m_context;
    Transfers& m_transfers;
    const AppTables& m_tables;
    int m_failedMaps = 0;
};

} // namespace ventoral
