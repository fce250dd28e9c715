// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QImageReader>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include "about/info_window.h"
#include "platform/core/file_io.h"
#include "platform/core/number_text.h"
#include "platform/qt_services.h"
#include "stations/station_wall_window.h"
#include "stations/station_windows.h"
#include "widgets/desktop_screens.h"
#include "widgets/download_panel.h"
#include "widgets/panel_view.h"
#include "widgets/picture_panel.h"
#include "widgets/qt_face_renderer.h"
#include "widgets/tray_icon.h"

namespace ventoral {

namespace {

constexpr int kTimerStartMs = 5000;
constexpr int kTimerIdleMs = 65535;
constexpr int kDateAgeRefreshMs = 60 * 1000;
// Faces and the panel are drawn again once the size has been still this long.
constexpr int kResizeSettleMs = 250;

} // namespace

MainWindow::MainWindow(AppState& state, MainWindowServices services, QWidget* parent)
    : QMainWindow(parent), m_state(state), m_services(services)
{
    setObjectName("frmMain");
    setWindowTitle("Ventoral");
    m_panel = new PanelView(this);
    setCentralWidget(m_panel);
    connect(m_panel, &PanelView::stationChosen, this, &MainWindow::onStationChosen);
    connect(m_panel->downloadPanel()->cancelButton(), &QPushButton::clicked, this, &MainWindow::cancelUpdate);

    m_resizeSettled = new QTimer(this);
    m_resizeSettled->setSingleShot(true);
    m_resizeSettled->setInterval(kResizeSettleMs);
    connect(m_resizeSettled, &QTimer::timeout, this, &MainWindow::settleResize);

    m_timer = new QTimer(this);
    m_timer->setObjectName("Timer1");
    connect(m_timer, &QTimer::timeout, this, &MainWindow::onTimerTick);
    // The shown report grows older between redraws.
    auto* ageTimer = new QTimer(this);
    ageTimer->setObjectName("dateAgeTimer");
    connect(ageTimer, &QTimer::timeout, this, &MainWindow::refreshDateAge);
    ageTimer->start(kDateAgeRefreshMs);

    m_stationWindows = std::make_unique<StationWindows>(m_state, m_services.prompter, *this, m_services.clock, this);
    m_stationWindows->setUnitsForm([this] { openUnits(); });
    m_menus = std::make_unique<MainMenus>(*menuBar());
    buildMenus();
    m_progress = std::make_unique<UpdateProgress>(UpdateProgressParts{
        *this, *m_panel, *m_menus, [this] { return mapViewer(); }, [this] { infoWindow()->downloadingMessage(); },
        [this](const std::vector<StoredStation>& stored) { takeStoredStations(stored); }});
    m_tray = new TrayIcon(m_state, m_services.clock, *this,
                          {[this] { startUpdate(); }, [this] { exitProgram(); },
                           [this] { return m_menus->menu("mnuUpdate")->isEnabled(); },
                           [this] { return m_menus->menu("mnuFile")->isEnabled(); }, [this] { openStationWall(); }});

    m_state.screens = desktopScreens();
    if (m_state.startupComplete)
        startProg();
}

MainWindow::~MainWindow()
{
    // Child windows outlive this part of the window; what they report on
    // closing must not reach it any more.
    for (QObject* child : children())
        child->disconnect(this);
}

void MainWindow::setDownloader(Downloader* downloader)
{
    m_downloader = downloader;
    m_stationWindows->setStationTest(downloader, &downloadView());
    const bool viewers = downloader && m_services.pageViews;
    m_menus->setReady("mnuMaps", viewers);
    m_menus->menu("mnuMaps")->setEnabled(viewers);
    m_menus->setReady("mnuSites", bool(m_services.pageViews));
    m_menus->menu("mnuSites")->setEnabled(bool(m_services.pageViews) && !m_autoUpdateActive);
}

void MainWindow::buildMenus()
{
    const auto to = [this](void (MainWindow::*slot)()) { return [this, slot] { (this->*slot)(); }; };
    MainMenus& m = *m_menus;
    m.addMenu("&File", "mnuFile",
              {{"&Export", "mnuFileSave", to(&MainWindow::exportShownStation)},
               {"&Import", "Import", to(&MainWindow::importStationData)},
               {"Export &History", "mnuFileExportHistory", to(&MainWindow::exportHistory)},
               {},
               {"Printer Set&up", "mnuFilePageSetup", to(&MainWindow::showPageSetup)},
               {"&Print", "mnuFilePrint", to(&MainWindow::printPanel)},
               {},
               {"E&xit", "mnuFileExit", to(&MainWindow::exitProgram)}});
    m.addMenu("&View", "mnuView",
              {{"&Color Code Bar", "ColorCodeBar", to(&MainWindow::showColorCodeBar)},
               {},
               {"Station &Wall", "StationWall", to(&MainWindow::openStationWall)},
               {},
               {"&Present Data", "PresentDataView", to(&MainWindow::showPresentReport)},
               {"&Trend Data", "TrendDataView", to(&MainWindow::showTrendReport)},
               {},
               {"Graphs over &24 Hours", "graphSpan1", [this] { setGraphSpan(GraphSpan::Day); }},
               {"Graphs over &7 Days", "graphSpan7", [this] { setGraphSpan(GraphSpan::Week); }},
               {"Graphs over &30 Days", "graphSpan30", [this] { setGraphSpan(GraphSpan::Month); }}});
    m.makeChoice("mnuView", {"graphSpan1", "graphSpan7", "graphSpan30"});
    m.addMenu("&Setup", "mnuSetup",
              {{"Color &Options", "colorOptions", to(&MainWindow::openColorOptions)},
               {"Tr&end Colors", "HistoryColors", to(&MainWindow::openTrendColours)},
               {"&Stations", "stationList", to(&MainWindow::openStationList)},
               {"UR&Ls", "SitesUrls", to(&MainWindow::openAddresses)},
               {"&Units", "Units", to(&MainWindow::openUnits)},
               {"&File folders", "Directory", to(&MainWindow::openFolders)},
               {"M&in/Max", "MinMaxSet", to(&MainWindow::openMinMaxEditor)},
               {"&Records", "RecordsView", to(&MainWindow::openRecords)},
               {"&Alarms", "Alarms", to(&MainWindow::openAlarms)}});
    m.addCommand("&Update", "mnuUpdate", to(&MainWindow::startUpdate), *this);
    m.addCommand("&Maps", "mnuMaps", to(&MainWindow::openMapViewer), *this);
    m.addCommand("Si&tes", "mnuSites", to(&MainWindow::openSiteViewer), *this);
    // Both viewers wait for a downloader and page views (setDownloader).
    for (const char* name : {"mnuMaps", "mnuSites"}) {
        m.setReady(name, false);
        m.menu(name)->setEnabled(false);
    }
    m.addMenu("&Help", "mnuHelp",
              {{"&Contents", "mnuHelpContents", to(&MainWindow::showHelpContents)},
               {},
               {"Setup &Wizard", "mnuWizard", to(&MainWindow::openSetupWizard)},
               {},
               {"&About VNTL", "mnuHelpAbout", to(&MainWindow::showAbout)},
               {},
               {"Ventoral on the &Web", "site", [this] { m_services.browser.open(kProductSite); }}});
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    m_resizeSettled->start();
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // On a screen of another pixel ratio the faces and the panel are drawn again.
    if (QWindow* window = windowHandle())
        connect(window, &QWindow::screenChanged, m_resizeSettled, qOverload<>(&QTimer::start), Qt::UniqueConnection);
}

double MainWindow::panelZoom() const
{
    return m_panel->zoom();
}

void MainWindow::settleResize()
{
    m_resizeSettled->stop();
    if (m_drawnScale == 0 || m_drawnScale == panelZoom() * devicePixelRatioF())
        return;
    redraw();
}

void MainWindow::fitFaces()
{
    const double ratio = devicePixelRatioF() * panelZoom() * logicalDpiX() / 96.0;
    if (ratio == m_failedFaceRatio)
        return;
    QtFaceRenderer renderer(ratio);
    const QSize wanted(renderer.faceSide(), renderer.faceSide());
    const std::string folder = facesFolder(m_state.programFolder);
    // Missing faces are for start-up to render; only faces of another size are replaced.
    bool fit = true;
    for (const char* name : kFaceFiles) {
        const QSize size = QImageReader(toQString(joinPath(folder, name))).size();
        fit = fit && (!size.isValid() || size == wanted);
    }
    if (fit)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (!renderer.makeFaces(m_state, folder))
        m_failedFaceRatio = ratio;
    QApplication::restoreOverrideCursor();
}

PicturePanel* MainWindow::picture(PanelPicture which) const
{
    return m_panel->picture(which);
}

void MainWindow::stationsLoaded()
{
    const ShortList& list = m_state.tables.shortList;
    QComboBox& stations = *m_panel->stations();
    stations.clear();
    for (const std::string& entry : list.entries)
        stations.addItem(toQString(entry));
    stations.setCurrentIndex(list.selected);
    // A new list that no longer holds the station shown, or the first list
    // of a first run, shows its selected station, so the panel never shows
    // a station other than the one selected.
    if (m_state.startupComplete && list.currentStation() != m_state.shown.code())
        onStationChosen(list.selected);
}

void MainWindow::startProg()
{
    m_state.trace.record("frmMain,startProg");
    placeWindow();

    if (!m_state.tables.units.autoUpdate) {
        m_timer->stop();
        m_autoUpdateActive = false;
    } else {
        m_timer->start(kTimerStartMs);
        m_menus->menu("mnuUpdate")->setEnabled(false);
        m_menus->menu("mnuSites")->setEnabled(false);
        m_autoUpdateActive = true;
    }

    m_archive = storeOf(m_state.tables).archive();
    m_menus->check("mnuView", "graphSpan" + std::to_string(spanDays(m_state.tables.archive.graphSpan)));
    const ColorScheme& colors = m_state.tables.colors;
    m_panel->showLabel("Reading Data", colors.textColor, colors.faceColor);
    m_panel->setBackground(colors.backgroundColor);
    showSelectedStation();
}

void MainWindow::showSelectedStation()
{
    m_state.trace.record("frmMain,ReadData");
    m_state.trace.record("frmMain,LoadMinMax");
    m_state.shown.show(storeOf(m_state.tables), m_state.tables.shortList.currentStation());
    readShownSpan();
    // The label takes its colours afresh, as on a fresh start on this station.
    m_panel->showStatus(m_state.shown.snapshot().status, m_state.tables.colors, true);
    redraw();
}

void MainWindow::onStationChosen(int index)
{
    m_state.trace.record("frmMain,Combo1_Click");
    if (!m_state.startupComplete || index < 0)
        return;
    m_state.tables.shortList.selected = index;
    WriteLastStation(m_state.settingsFile, index);
    showSelectedStation();
}

void MainWindow::takeStoredStations(const std::vector<StoredStation>& stored)
{
    bool shownStored = false;
    for (const StoredStation& station : stored) {
        if (station.snapshot->code == m_state.shown.code()) {
            m_state.shown.replace(station.snapshot, station.extremes);
            readShownSpan();
            m_panel->showStatus(station.snapshot->status, m_state.tables.colors, false);
            shownStored = true;
        } else if (m_wall) {
            m_wall->take(station.snapshot, station.extremes);
        }
    }
    // The redraw hands the shown station to the wall too.
    if (shownStored)
        redraw();
    else if (m_wall)
        m_wall->refresh();
    showArchiveNotices();
}

PanelMoment MainWindow::moment() const
{
    return {m_services.clock.nowUtc(), &m_services.clock.zone(), &m_services.forms};
}

void MainWindow::redraw()
{
    fitFaces();
    m_drawnScale = panelZoom() * devicePixelRatioF();
    m_state.trace.record("frmMain,Redraw");
    const PanelModel model = m_state.shown.model(m_state.tables.units, moment());
    m_panel->draw(model, {m_state.tables.colors, m_state.tables.shades, facesFolder(m_state.programFolder)});
    m_tray->refresh();
    if (m_wall) {
        m_wall->take(m_state.shown.shared(), m_state.shown.extremes());
        m_wall->refresh();
    }
}

void MainWindow::refreshDateAge()
{
    m_panel->refreshAge(m_services.clock.nowUtc(), m_state.tables.colors);
}

void MainWindow::onTimerTick()
{
    if (!m_autoUpdateActive)
        return;
    const CivilTime now = m_services.clock.nowUtc();
    if (now == m_state.lastTickTime)
        return;
    m_state.lastTickTime = now;
    bool due = false;
    if (now.secondsSinceEpoch() - m_state.nextUpdateTime.secondsSinceEpoch() > 0) {
        const auto minutes = static_cast<std::int64_t>(readNumber(m_state.tables.units.interval));
        m_state.nextUpdateTime = m_state.nextUpdateTime.plusMinutes(std::max<std::int64_t>(minutes, 1));
        due = true;
    }
    if (due) {
        if (!m_services.updater.busy())
            m_services.updater.runUpdate();
        m_timer->setInterval(kTimerIdleMs);
    }
}

void MainWindow::startUpdate()
{
    m_services.updater.runUpdate();
}

void MainWindow::cancelUpdate()
{
    m_services.updater.cancel();
}

void MainWindow::settingsChanged()
{
    m_panel->setBackground(m_state.tables.colors.backgroundColor);
    redraw();
}

void MainWindow::storeWindowPosition()
{
    if (isMinimized())
        return;
    const auto twips = [this](int pixels) { return std::to_string(std::lround(pixels * 1440.0 / logicalDpiX())); };
    const QRect g = geometry();
    m_services.store.setValue("Settings", "MainLeft", twips(g.left()));
    m_services.store.setValue("Settings", "MainTop", twips(g.top()));
    m_services.store.setValue("Settings", "MainWidth", twips(g.width()));
    m_services.store.setValue("Settings", "MainHeight", twips(g.height()));
}

void MainWindow::placeWindow()
{
    adjustSize();
    const QSize smallest = size();
    const auto px = [this](double twips) { return twipsToPixels(*this, twips); };
    // Anything stored is read as a number of twips within any screen's reach.
    const auto stored = [this](const char* key) {
        constexpr double kFarthestTwips = 1e7;
        const std::string text = m_services.store.value("Settings", key, "");
        if (text.empty())
            return std::optional<double>();
        return std::optional<double>(std::clamp(readNumber(text), -kFarthestTwips, kFarthestTwips));
    };
    const std::optional<double> left = stored("MainLeft");
    const std::optional<double> top = stored("MainTop");
    const std::optional<double> width = stored("MainWidth");
    const std::optional<double> height = stored("MainHeight");

    StoredPlace place;
    if (width && height)
        place.size = PixelSize{px(*width), px(*height)};
    if (left && top) {
        place.left = px(*left);
        place.top = px(*top);
    }
    const PixelRect placed =
        restoredWindowPlace(m_state.screens, place, {smallest.width(), smallest.height()}, frameMarginsOf(*this));
    setGeometry(placed.left, placed.top, placed.width, placed.height);
    // The panel takes the new size at once, not only when the window shows.
    if (layout())
        layout()->setGeometry(rect());
    m_panel->layoutPanel();
}

void MainWindow::exitProgram()
{
    m_exiting = true;
    close();
    m_exiting = false;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!m_exiting && m_tray->closeToTray()) {
        event->ignore();
        return;
    }
    m_state.trace.record("frmMain,Form_Unload");
    storeWindowPosition();
    m_timer->stop();
    // Every other window goes, the last opened first.
    const auto windows = QApplication::topLevelWidgets();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        if (*it != this && (*it)->isVisible())
            (*it)->close();
    m_state.trace.close();
    m_tray->windowClosed();
    event->accept();
}

void MainWindow::showWindow()
{
    show();
}

} // namespace ventoral
