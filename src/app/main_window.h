// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: station selector, date label, the five dials, the
// condition strip and the five trend graphs, with the menus that open
// every other window and the auto-update timer.

#include <map>
#include <memory>
#include <optional>

#include <QFont>
#include <QMainWindow>
#include <QPointer>

#include "session/app_state.h"
#include "session/display_cycle.h"
#include "session/startup.h"
#include "session/update_runner.h"
#include "download/core/downloader.h"
#include "platform/browser.h"
#include "platform/clock.h"
#include "platform/file_dialogs.h"
#include "platform/page_view.h"
#include "platform/prompter.h"
#include "platform/printer.h"
#include "platform/user_store.h"

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;

namespace ventoral {

class DownloadPanel;
class PicturePanel;
class TrayIcon;
struct PrintJob;

struct MainWindowServices {
    const Clock& clock;
    const DateForms& forms;
    UserStore& store;
    Prompter& prompter;
    Browser& browser;
    UpdateRunner& updater;
    FileDialogs& dialogs;
    Printer* printer = nullptr;   // printing stays off without one
    // The map and site viewers stay off without page views.
    PageViewFactory pageViews = {};
};

inline constexpr const char* kProductSite = "https://ventoral.org";

class InfoWindow;
class MapViewer;
class SiteViewer;
class StationWindows;

class MainWindow : public QMainWindow, public MainWindowHost, private PanelTargets, private DownloadView {
    Q_OBJECT
public:
    MainWindow(AppState& state, MainWindowServices services, QWidget* parent = nullptr);
    ~MainWindow() override;

    void stationsLoaded() override;
    void startProg() override;
    void showWindow() override;

    void Redraw();
    void Combo1_Click(int index);
    void Timer1_Timer();
    void mnuUpdate_Click();
    void mnuFilePageSetup_Click();
    void mnuHelpContents_Click();
    void mnuFileExit_Click();
    void ColorCodeBar_Click();
    void Command1_Click();
    void mnuFilePrint_Click();
    void mnuFileSave_Click();
    void Import_Click();
    void PresentDataView_Click();
    void TrendDataView_Click();
    void colorOptions_Click();
    void HistoryColors_Click();
    void Units_Click();
    void Directory_Click();
    void MinMaxSet_Click();
    void Alarms_Click();
    void stationList_Click();
    void mnuWizard_Click();
    void mnuHelpAbout_Click();
    void SitesUrls_Click();
    void mnuMaps_Click();
    void mnuSites_Click();
    // The short-list tool and the setup wizard, also for start-up.
    StationWindows& stationWindows() { return *m_stationWindows; }
    // The short-list tool's station test and the map viewer's downloads
    // run over this downloader.
    void setDownloader(Downloader* downloader);

    // What the downloader shows on this window.
    DownloadView& downloadView() { return *this; }
    InfoWindow* infoWindow();
    MapViewer* mapViewer() const;
    SiteViewer* siteViewer() const;

    // The picture of a panel part, for tests and the snapshot.
    PicturePanel* picture(PanelPicture which) const;
    QTimer* timer() const { return m_timer; }
    // How many times its smallest size the panel is shown; at least 1.
    double panelZoom() const { return m_zoom; }
    // Runs at once what waits for a resize to settle.
    void settleResize();
    TrayIcon& tray() const { return *m_tray; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    Surface& begin(PanelPicture picture) override;
    void end(PanelPicture picture) override;

    void buildMenus();
    // Places and zooms every part of the panel to fill the window, keeping its proportions.
    void layoutPanel();
    // The stored size and position, or the smallest size centred on the work area.
    void placeWindow();
    // Renders the face files again where they do not match the dials pixel for pixel.
    void fitFaces();
    void showStatus(StationStatus status, bool recolour);
    void setLabelColours(ColorRef text, ColorRef background);
    void showDateLabel();
    bool showsReportTime() const;
    void refreshDateAge();
    void drawStrip(const std::vector<StripLine>& lines, std::optional<FlightCategory> category);
    void showPressureTendency(std::optional<double> changeHpa);
    void storeWindowPosition();
    void setMenusEnabled(bool enabled);
    // Shows the job in the print preview; auto-update waits until the preview closes.
    void openPrintPreview(PrintJob job);
    // A settings editor, one at a time each; an open one comes to the front.
    template <class Editor>
    void openEditor(const char* name);
    // After a settings editor changed the tables: colours, then the whole panel.
    void settingsChanged();
    void applyBackground();

    // DownloadView
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
    void showDataStatus(bool hasData) override;
    void redraw() override;
    void showBusyNotice() override;
    void setMapStatus(const std::string& text) override;
    void setMapBytes(const std::string& text) override;
    void showMapFrame(int frame) override;

    AppState& m_state;
    MainWindowServices m_services;
    bool m_autoUpdateActive = false;

    QComboBox* m_stations;
    QLabel* m_dateLabel;
    PicturePanel* m_strip;
    QLabel* m_sourceLabel;   // which source gave the shown present report
    std::map<PanelPicture, PicturePanel*> m_pictures;
    DownloadPanel* m_downloadPanel;
    QTimer* m_timer;
    QTimer* m_resizeSettled;
    QFont m_controlFont;           // of the selector and the labels at zoom 1
    double m_zoom = 1;
    double m_drawnScale = 0;       // zoom x pixel ratio of the last Redraw; 0 before the first
    double m_failedFaceRatio = 0;  // faces could not be saved at this ratio
    std::map<std::string, QMenu*> m_menus;
    QWidget* m_colorCodeBar = nullptr;
    InfoWindow* m_info = nullptr;
    Downloader* m_downloader = nullptr;
    QPointer<MapViewer> m_mapViewer;
    QPointer<SiteViewer> m_siteViewer;
    std::unique_ptr<StationWindows> m_stationWindows;
    std::map<std::string, QPointer<QWidget>> m_editors;
    TrayIcon* m_tray;
    std::optional<DateLabel> m_shownDate;   // the report's time as the date label last showed it
    bool m_exiting = false;   // Exit ends the program, also when closing would go to the tray
};

} // namespace ventoral
