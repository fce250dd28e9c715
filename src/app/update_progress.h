// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the main window shows of a download: the menus off while it runs,
// the download panel over the strip with its status, count and turning
// picture, the window's caption, and the map viewer's own progress. When
// an update ends it hands the stored stations on.

#include <functional>
#include <string>
#include <vector>

#include "download/core/downloader.h"

class QWidget;

namespace ventoral {

class MainMenus;
class MapViewer;
class PanelView;

struct UpdateProgressParts {
    QWidget& window;
    PanelView& panel;
    MainMenus& menus;
    std::function<MapViewer*()> mapViewer;   // null while none is open
    std::function<void()> busyNotice;        // "a download runs" for a second one asked for
    std::function<void(const std::vector<StoredStation>&)> updateFinished;
};

class UpdateProgress : public DownloadView {
public:
    explicit UpdateProgress(UpdateProgressParts parts) : m_parts(std::move(parts)) {}

    void downloaderLoaded() override;
    void downloaderUnloaded() override;
    void disableMenus() override;
    void setUpdateMenusEnabled(bool enabled) override;
    void setCaption(const std::string& caption) override;
    void showDownloadPanel(bool visible) override;
    void setStatus(const std::string& text) override;
    void setCount(const std::string& text) override;
    void showFrame(int frame) override;
    void noStationSelected() override;
    void updateFinished(const std::vector<StoredStation>& stored) override;
    void showBusyNotice() override;
    void setMapStatus(const std::string& text) override;
    void setMapBytes(const std::string& text) override;
    void showMapFrame(int frame) override;

private:
    UpdateProgressParts m_parts;
};

} // namespace ventoral
