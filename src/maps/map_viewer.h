// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The map viewer: one of the eight weather maps kept in the map folder,
// shown in a web page view as a page generated around the local file,
// small and scaled to the window or full screen at its own size. Its
// update commands download the maps; it never reads the network itself.

#include <array>
#include <functional>
#include <memory>

#include <QMainWindow>

#include "session/app_state.h"
#include "download/core/downloader.h"
#include "platform/page_view.h"
#include "platform/prompter.h"

class QAction;
class QMenu;

namespace ventoral {

class DownloadPanel;

struct MapViewerServices {
    Downloader& downloader;
    Prompter& prompter;
    PageViewFactory pageViews;
};

inline constexpr const char* kNoImagePage = "noimage.htm";

class MapViewer : public QMainWindow {
    Q_OBJECT
public:
    MapViewer(AppState& state, MapViewerServices services, QWidget* parent = nullptr);
    ~MapViewer() override;

    // Shows the viewer in small size on the current map.
    void startLoad();
    void ShowMap();
    void mnuMap_Click(int index);
    void mnuUpdate_Click();
    void mnuUpAll_Click();
    void mnuSize_Click();
    void mnuPreview_Click();
    void mnuPrint_Click();
    void mnuClose_Click();
    void Command1_Click();

    // The download panel, as the transfer reports.
    void setStatus(const std::string& text);
    void setBytes(const std::string& text);
    void showFrame(int frame);

    int currentMap() const { return m_currentMap; }
    bool smallSize() const { return m_smallSize; }
    PageView& pageView() { return *m_page; }
    // The page last handed to the view, empty after a navigation.
    const std::string& pageText() const { return m_pageText; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void NoPic();
    void ShowNoImageFile();
    void navigate(const std::string& address);
    void showPage(const std::string& text);
    // Lets events run until the view has loaded its page, or a while has passed.
    void waitUntilLoaded();
    void setMenusEnabled(bool enabled);
    // Unless a transfer runs: menus off and the panel shown while fetch
    // runs, then the current map again. False when it did not run.
    bool download(const std::function<void()>& fetch);
    void setSmallSize(bool small);
    void placeSmall();
    void layoutContents();
    bool isNormalState() const;
    int px(double twips) const;

    AppState& m_state;
    MapViewerServices m_services;
    std::unique_ptr<PageView> m_page;
    std::string m_pageText;
    int m_currentMap = 0;
    bool m_smallSize = true;
    float m_imageWidth = 0;
    float m_imageHeight = 0;

    QMenu* m_mapsMenu;
    std::array<QAction*, 8> m_mapActions{};
    QAction* m_update;
    QAction* m_updateAll;
    QAction* m_preview;
    QAction* m_print;
    QAction* m_size;
    QAction* m_close;
    DownloadPanel* m_downloadPanel;
};

} // namespace ventoral
