// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: it composes the panel view, the progress of updates and
// the menus that open every other window, keeps the station the user picked
// (and only the user) and the auto-update timer.

#include <map>
#include <memory>
#include <optional>

#include <QMainWindow>
#include <QPointer>

#include "app/main_menus.h"
#include "app/update_progress.h"
#include "download/core/downloader.h"
#include "instruments/panel_painter.h"
#include "platform/browser.h"
#include "platform/clock.h"
#include "platform/file_dialogs.h"
#include "platform/page_view.h"
#include "platform/printer.h"
#include "platform/prompter.h"
#include "platform/user_store.h"
#include "session/app_state.h"
#include "session/startup.h"
#include "session/update_runner.h"

class QTimer;

namespace ventoral {

class InfoWindow;
class MapViewer;
class PanelView;
class PicturePanel;
class SiteViewer;
class StationWallWindow;
class StationWindows;
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

class MainWindow : public QMainWindow, public MainWindowHost {
    Q_OBJECT
public:
    MainWindow(AppState& state, MainWindowServices services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // MainWindowHost
    void stationsLoaded() override;
    void startProg() override;
    void showWindow() override;

    // Draws the shown station's panel afresh.
    void redraw();
    // The user picked entry index of the station selector.
    void onStationChosen(int index);
    void onTimerTick();
    void startUpdate();
    void cancelUpdate();
    void showPageSetup();
    void showHelpContents();
    void exitProgram();
    void showColorCodeBar();
    void printPanel();
    void exportShownStation();
    void importStationData();
    void showPresentReport();
    void showTrendReport();
    void openColorOptions();
    void openTrendColours();
    void openUnits();
    void openFolders();
    void openMinMaxEditor();
    void openAlarms();
    void openStationList();
    void openSetupWizard();
    void showAbout();
    void openAddresses();
    void openMapViewer();
    void openSiteViewer();
    // View > Station Wall and the tray menu: the wall comes to the front.
    void openStationWall();

    // The short-list tool and the setup wizard, also for start-up.
    StationWindows& stationWindows() { return *m_stationWindows; }
    // The short-list tool's station test and the map viewer's downloads
    // run over this downloader.
    void setDownloader(Downloader* downloader);

    // What the downloader shows on this window.
    DownloadView& downloadView() { return *m_progress; }
    InfoWindow* infoWindow();
    MapViewer* mapViewer() const;
    SiteViewer* siteViewer() const;
    // Null while the wall is closed.
    StationWallWindow* stationWall() const;
    PanelView& panelView() const { return *m_panel; }

    // The picture of a panel part, for tests and the snapshot.
    PicturePanel* picture(PanelPicture which) const;
    QTimer* timer() const { return m_timer; }
    // How many times its smallest size the panel is shown; at least 1.
    double panelZoom() const;
    // Runs at once what waits for a resize to settle.
    void settleResize();
    TrayIcon& tray() const { return *m_tray; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildMenus();
    // The stored size and position, or the smallest size centred on the work area.
    void placeWindow();
    // Renders the face files again where they do not match the dials pixel for pixel.
    void fitFaces();
    // Reads the station selected in the short list and shows it.
    void showSelectedStation();
    // The stations an update stored: the shown one's new report, and the wall's.
    void takeStoredStations(const std::vector<StoredStation>& stored);
    void refreshDateAge();
    void storeWindowPosition();
    // Shows the job in the print preview; auto-update waits until the preview closes.
    void openPrintPreview(PrintJob job);
    // A settings editor, one at a time each; an open one comes to the front.
    template <class Editor>
    void openEditor(const char* name);
    // After a settings editor changed the tables: colours, then the whole panel.
    void settingsChanged();
    PanelMoment moment() const;

    AppState& m_state;
    MainWindowServices m_services;
    bool m_autoUpdateActive = false;

    PanelView* m_panel;
    std::unique_ptr<MainMenus> m_menus;
    std::unique_ptr<UpdateProgress> m_progress;
    QTimer* m_timer;
    QTimer* m_resizeSettled;
    double m_drawnScale = 0;       // zoom x pixel ratio of the last redraw; 0 before the first
    double m_failedFaceRatio = 0;  // faces could not be saved at this ratio
    QWidget* m_colorCodeBar = nullptr;
    InfoWindow* m_info = nullptr;
    Downloader* m_downloader = nullptr;
    QPointer<MapViewer> m_mapViewer;
    QPointer<SiteViewer> m_siteViewer;
    QPointer<StationWallWindow> m_wall;
    std::unique_ptr<StationWindows> m_stationWindows;
    std::map<std::string, QPointer<QWidget>> m_editors;
    TrayIcon* m_tray;
    bool m_exiting = false;   // Exit ends the program, also when closing would go to the tray
};

} // namespace ventoral
