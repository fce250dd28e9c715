// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's commands that open other windows: the settings
// editors, the viewers, the station windows, help and the about box.

#include <QApplication>
#include <QComboBox>

#include "about/about_box.h"
#include "about/info_window.h"
#include "app/main_window.h"
#include "editors/alarms_form.h"
#include "editors/color_options.h"
#include "editors/color_shades.h"
#include "editors/folders_form.h"
#include "editors/minmax_editor.h"
#include "editors/units_form.h"
#include "maps/map_viewer.h"
#include "maps/pic_sites.h"
#include "maps/site_viewer.h"
#include "platform/core/file_io.h"
#include "stations/station_wall_window.h"
#include "stations/station_windows.h"
#include "stations/wall_tile_view.h"
#include "widgets/color_code_bar.h"
#include "widgets/panel_view.h"

namespace ventoral {

namespace {

constexpr const char* kHelpFile = "VNTL Help.html";

} // namespace

template <class Editor>
void MainWindow::openEditor(const char* name)
{
    QPointer<QWidget>& editor = m_editors[name];
    if (!editor || !editor->isVisible()) {
        EditorServices services{m_state,
                                m_services.prompter,
                                m_services.dialogs,
                                [this] { settingsChanged(); },
                                devicePixelRatioF(),
                                [this] { return m_state.shown.model(m_state.tables.units, moment()); }};
        editor = new Editor(std::move(services), this);
    }
    editor->show();
    editor->raise();
    editor->activateWindow();
}

void MainWindow::openColorOptions()
{
    m_state.trace.record("colorOptions_Click");
    openEditor<ColorOptions>("frmColorOptions");
}

void MainWindow::openTrendColours()
{
    m_state.trace.record("frmMain,HistoryColors_Click");
    openEditor<ColorShades>("frmColorShades");
}

void MainWindow::openUnits()
{
    m_state.trace.record("frmMain,Units_Click");
    openEditor<UnitsForm>("frmUnits");
}

void MainWindow::openFolders()
{
    m_state.trace.record("frmMain,Directory_Click");
    openEditor<FoldersForm>("frmDirectories");
}

void MainWindow::openMinMaxEditor()
{
    m_state.trace.record("frmMain,MinMaxSet_Click");
    openEditor<MinMaxEditor>("frmMinMax");
}

void MainWindow::openAlarms()
{
    openEditor<AlarmsForm>("frmAlarms");
}

void MainWindow::openAddresses()
{
    m_state.trace.record("frmMain,SitesUrls_Click");
    openEditor<PicSites>("frmPicSites");
}

void MainWindow::openMapViewer()
{
    m_state.trace.record("frmMain,mnuMaps_Click");
    if (!m_downloader || !m_services.pageViews)
        return;
    if (!m_mapViewer)
        m_mapViewer = new MapViewer(m_state, {*m_downloader, m_services.prompter, m_services.pageViews}, this);
    m_mapViewer->startLoad();
}

MapViewer* MainWindow::mapViewer() const
{
    return m_mapViewer;
}

SiteViewer* MainWindow::siteViewer() const
{
    return m_siteViewer;
}

void MainWindow::openSiteViewer()
{
    m_state.trace.record("frmMain,mnuSites_Click");
    if (!m_services.pageViews)
        return;
    if (!m_siteViewer)
        m_siteViewer = new SiteViewer(m_state, m_services.pageViews, this);
    // A closed viewer loads again, with the sites as they are set up now.
    if (!m_siteViewer->isVisible())
        m_siteViewer->load();
    m_siteViewer->show();
    m_siteViewer->raise();
    m_siteViewer->activateWindow();
}

StationWallWindow* MainWindow::stationWall() const
{
    return m_wall;
}

void MainWindow::openStationWall()
{
    if (!m_wall) {
        const auto choose = [this](int index) {
            // The selector shows the pick, as if it had been made there.
            m_panel->stations()->setCurrentIndex(index);
            onStationChosen(index);
            showNormal();
            raise();
            activateWindow();
        };
        m_wall = new StationWallWindow({m_state, [this] { return moment(); }, choose}, this);
        m_wall->setAttribute(Qt::WA_DeleteOnClose);
        m_wall->take(m_state.shown.shared(), m_state.shown.extremes());
        m_wall->refresh();
    }
    m_wall->show();
    m_wall->raise();
    m_wall->activateWindow();
    // The keyboard starts on the shown station's tile.
    if (WallTileView* tile = m_wall->tile(m_state.tables.shortList.selected))
        tile->setFocus(Qt::OtherFocusReason);
}

void MainWindow::openStationList()
{
    m_stationWindows->showStationOptions();
}

void MainWindow::openSetupWizard()
{
    m_stationWindows->showSetupWizard();
}

void MainWindow::showAbout()
{
    AboutBox about(m_services.prompter, installedSystemInformation, this);
    about.exec();
}

void MainWindow::showPageSetup()
{
    // A cancel leaves the printer as it was; nothing else to do.
    m_services.dialogs.printerSetup("Page Setup");
}

void MainWindow::showHelpContents()
{
    const std::string help = joinPath(m_state.deliveredDataFolder, kHelpFile);
    if (fileExists(help) && m_services.browser.open(help))
        return;
    m_services.prompter.inform(QApplication::applicationName().toStdString(),
                               "Unable to display Help Contents. There is no Help associated with this project.");
}

void MainWindow::showColorCodeBar()
{
    m_state.trace.record("frmMain,ColorCodeBar_Click");
    if (!m_colorCodeBar)
        m_colorCodeBar = new ColorCodeBar(this);
    static_cast<ColorCodeBar*>(m_colorCodeBar)->draw(m_state.tables.shades);
    m_colorCodeBar->show();
}

InfoWindow* MainWindow::infoWindow()
{
    if (!m_info) {
        m_info = new InfoWindow(this);
        m_info->setTransferDoneHandler([this] { m_state.download.transferDone = true; });
    }
    return m_info;
}

} // namespace ventoral
