// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include "about/about_box.h"
#include "about/info_window.h"
#include "widgets/color_code_bar.h"
#include "instruments/panel_layout.h"
#include "instruments/condition_strip.h"
#include "widgets/download_panel.h"
#include "editors/alarms_form.h"
#include "editors/color_options.h"
#include "editors/color_shades.h"
#include "editors/folders_form.h"
#include "editors/minmax_editor.h"
#include "editors/units_form.h"
#include "widgets/picture_panel.h"
#include "widgets/qt_face_renderer.h"
#include "widgets/tray_icon.h"
#include "download/core/progress_frames.h"
#include "maps/map_viewer.h"
#include "observations/report_source.h"
#include "maps/pic_sites.h"
#include "maps/site_viewer.h"
#include "observations/pressure_tendency.h"
#include "platform/core/number_text.h"
#include "platform/core/file_io.h"
#include "platform/core/text_encoding.h"
#include "platform/qt_services.h"
#include "session/panel_geometry.h"
#include "stations/station_windows.h"

namespace ventoral {

namespace {

constexpr int kTimerStartMs = 5000;
constexpr int kTimerIdleMs = 65535;
constexpr int kDateAgeRefreshMs = 60 * 1000;
// Faces and the panel are drawn again once the size has been still this long.
constexpr int kResizeSettleMs = 250;
constexpr const char* kHelpFile = "VNTL Help.html";

QString colorCss(ColorRef ref)
{
    return QString("rgb(%1,%2,%3)").arg(redOf(ref)).arg(greenOf(ref)).arg(blueOf(ref));
}

struct PictureSpec {
    PanelPicture which;
    const char* name;
    int widthTwips;
    int heightTwips;
};

// Dials in the order of the print page, then the graphs.
constexpr PictureSpec kPictures[] = {
    {PanelPicture::Picture6, "Picture6", panel::kDialWidth, panel::kDialHeight},
    {PanelPicture::Picture2, "Picture2", panel::kDialWidth, panel::kDialHeight},
    {PanelPicture::Picture4, "Picture4", panel::kDialWidth, panel::kDialHeight},
    {PanelPicture::Picture8, "Picture8", panel::kDialWidth, panel::kDialHeight},
    {PanelPicture::Picture10, "Picture10", panel::kDialWidth, panel::kDialHeight},
    {PanelPicture::PresGraph, "PresGraph", panel::kWideGraphWidth, panel::kGraphHeight},
    {PanelPicture::TempGraph, "TempGraph", panel::kWideGraphWidth, panel::kGraphHeight},
    {PanelPicture::HumidGraph, "HumidGraph", panel::kNarrowGraphWidth, panel::kGraphHeight},
    {PanelPicture::WindSGraph, "WindSGraph", panel::kNarrowGraphWidth, panel::kGraphHeight},
    {PanelPicture::WindDGraph, "WindDGraph", panel::kNarrowGraphWidth, panel::kGraphHeight},
};

} // namespace

MainWindow::MainWindow(AppState& state, MainWindowServices services, QWidget* parent)
    : QMainWindow(parent), m_state(state), m_services(services)
{
    setObjectName("frmMain");
    setWindowTitle("Ventoral");
    auto* central = new QWidget(this);
    central->setObjectName("panel");
    setCentralWidget(central);

    m_stations = new QComboBox(central);
    m_stations->setObjectName("Combo1");
    m_stations->setToolTip("Select a station");
    m_dateLabel = new QLabel(central);
    m_dateLabel->setObjectName("Label78");
    m_dateLabel->setToolTip("Date and time of data");
    m_dateLabel->setAlignment(Qt::AlignCenter);
    m_dateLabel->setAutoFillBackground(true);
    m_strip = new PicturePanel("Picture11", kStripWidthTwips, kStripHeightTwips, central);
    m_sourceLabel = new QLabel(central);
    m_sourceLabel->setObjectName("lblSource");
    m_sourceLabel->setToolTip("Where the present report shown came from");
    m_sourceLabel->setWordWrap(true);
    m_sourceLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_sourceLabel->setStyleSheet("color: black;");
    for (const PictureSpec& picture : kPictures)
        m_pictures[picture.which] = new PicturePanel(picture.name, picture.widthTwips, picture.heightTwips, central);

    // The download panel stands over the condition strip while an update runs.
    m_downloadPanel = new DownloadPanel("downloadPanel", {}, central);
    m_downloadPanel->statusLabel()->setToolTip("What is being downloaded");
    m_downloadPanel->countLabel()->setToolTip("Reports received of all reports to fetch");
    connect(m_downloadPanel->cancelButton(), &QPushButton::clicked, this, &MainWindow::Command1_Click);
    m_downloadPanel->hide();

    m_controlFont = m_stations->font();
    m_resizeSettled = new QTimer(this);
    m_resizeSettled->setSingleShot(true);
    m_resizeSettled->setInterval(kResizeSettleMs);
    connect(m_resizeSettled, &QTimer::timeout, this, &MainWindow::settleResize);

    m_timer = new QTimer(this);
    m_timer->setObjectName("Timer1");
    connect(m_timer, &QTimer::timeout, this, &MainWindow::Timer1_Timer);
    // The shown report grows older between redraws.
    auto* ageTimer = new QTimer(this);
    ageTimer->setObjectName("dateAgeTimer");
    connect(ageTimer, &QTimer::timeout, this, &MainWindow::refreshDateAge);
    ageTimer->start(kDateAgeRefreshMs);
    connect(m_stations, qOverload<int>(&QComboBox::activated), this, &MainWindow::Combo1_Click);

    m_stationWindows = std::make_unique<StationWindows>(m_state, m_services.prompter, *this, m_services.clock, this);
    m_stationWindows->setUnitsForm([this] { Units_Click(); });
    buildMenus();
    layoutPanel();
    m_tray = new TrayIcon(m_state, m_services.clock, *this,
                          {[this] { mnuUpdate_Click(); }, [this] { mnuFileExit_Click(); },
                           [this] { return m_menus["mnuUpdate"]->isEnabled(); },
                           [this] { return m_menus["mnuFile"]->isEnabled(); }});

    // The load handler: the work area stands in for the screen.
    if (const QScreen* screen = QApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        m_state.screenWidthTwips = area.width() * 1440.0 / logicalDpiX();
        m_state.screenHeightTwips = area.height() * 1440.0 / logicalDpiY();
    }
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
    m_menus["mnuMaps"]->setProperty("ready", viewers);
    m_menus["mnuMaps"]->setEnabled(viewers);
    m_menus["mnuSites"]->setProperty("ready", bool(m_services.pageViews));
    m_menus["mnuSites"]->setEnabled(bool(m_services.pageViews) && !m_autoUpdateActive);
}

void MainWindow::SitesUrls_Click()
{
    m_state.trace.record("frmMain,SitesUrls_Click");
    openEditor<PicSites>("frmPicSites");
}

void MainWindow::mnuMaps_Click()
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

void MainWindow::mnuSites_Click()
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

void MainWindow::stationList_Click()
{
    m_stationWindows->showStationOptions();
}

void MainWindow::mnuWizard_Click()
{
    m_stationWindows->showSetupWizard();
}

void MainWindow::mnuHelpAbout_Click()
{
    AboutBox about(m_services.prompter, installedSystemInformation, this);
    about.exec();
}

void MainWindow::buildMenus()
{
    struct Entry {
        const char* caption;   // nullptr: separator
        const char* name;
        void (MainWindow::*slot)();
    };
    const auto addMenu = [this](const char* caption, const char* name, std::initializer_list<Entry> entries) {
        QMenu* menu = menuBar()->addMenu(caption);
        menu->setObjectName(name);
        menu->setProperty("ready", true);
        m_menus[name] = menu;
        for (const Entry& e : entries) {
            if (!e.caption) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(e.caption);
            action->setObjectName(e.name);
            if (e.slot)
                connect(action, &QAction::triggered, this, e.slot);
            else
                action->setEnabled(false);
        }
        return menu;
    };
    addMenu("&File", "mnuFile",
            {{"&Export", "mnuFileSave", &MainWindow::mnuFileSave_Click},
             {"&Import", "Import", &MainWindow::Import_Click},
             {nullptr, nullptr, nullptr},
             {"Printer Set&up", "mnuFilePageSetup", &MainWindow::mnuFilePageSetup_Click},
             {"&Print", "mnuFilePrint", &MainWindow::mnuFilePrint_Click},
             {nullptr, nullptr, nullptr},
             {"E&xit", "mnuFileExit", &MainWindow::mnuFileExit_Click}});
    addMenu("&View", "mnuView",
            {{"&Color Code Bar", "ColorCodeBar", &MainWindow::ColorCodeBar_Click},
             {nullptr, nullptr, nullptr},
             {"&Present Data", "PresentDataView", &MainWindow::PresentDataView_Click},
             {"&Trend Data", "TrendDataView", &MainWindow::TrendDataView_Click}});
    addMenu("&Setup", "mnuSetup",
            {{"Color &Options", "colorOptions", &MainWindow::colorOptions_Click},
             {"Tr&end Colors", "HistoryColors", &MainWindow::HistoryColors_Click},
             {"&Stations", "stationList", &MainWindow::stationList_Click},
             {"UR&Ls", "SitesUrls", &MainWindow::SitesUrls_Click},
             {"&Units", "Units", &MainWindow::Units_Click},
             {"&File folders", "Directory", &MainWindow::Directory_Click},
             {"M&in/Max", "MinMaxSet", &MainWindow::MinMaxSet_Click},
             {"&Alarms", "Alarms", &MainWindow::Alarms_Click}});

    // Menus without entries act when their title is chosen.
    const auto addCommand = [this](const char* caption, const char* name, void (MainWindow::*slot)()) {
        QMenu* menu = menuBar()->addMenu(caption);
        menu->setObjectName(name);
        menu->setProperty("ready", slot != nullptr);
        m_menus[name] = menu;
        if (slot)
            connect(menu, &QMenu::aboutToShow, this, [this, menu, slot] {
                // The command runs once the menu has closed: an update lets
                // events run for as long as it takes.
                QTimer::singleShot(0, menu, &QMenu::close);
                QTimer::singleShot(0, this, [this, slot] { (this->*slot)(); });
            });
        else
            menu->setEnabled(false);
    };
    addCommand("&Update", "mnuUpdate", &MainWindow::mnuUpdate_Click);
    addCommand("&Maps", "mnuMaps", &MainWindow::mnuMaps_Click);
    addCommand("Si&tes", "mnuSites", &MainWindow::mnuSites_Click);
    // Both viewers wait for a downloader and page views (setDownloader).
    for (const char* name : {"mnuMaps", "mnuSites"}) {
        m_menus[name]->setProperty("ready", false);
        m_menus[name]->setEnabled(false);
    }

    addMenu("&Help", "mnuHelp",
            {{"&Contents", "mnuHelpContents", &MainWindow::mnuHelpContents_Click},
             {nullptr, nullptr, nullptr},
             {"Setup &Wizard", "mnuWizard", &MainWindow::mnuWizard_Click},
             {nullptr, nullptr, nullptr},
             {"&About VNTL", "mnuHelpAbout", &MainWindow::mnuHelpAbout_Click},
             {nullptr, nullptr, nullptr},
             {"Ventoral on the &Web", "site", nullptr}});
    QAction* site = m_menus["mnuHelp"]->findChild<QAction*>("site");
    site->setEnabled(true);
    connect(site, &QAction::triggered, this, [this] { m_services.browser.open(kProductSite); });
}

void MainWindow::layoutPanel()
{
    QWidget& c = *centralWidget();
    const double twipsPerPixel = 1440.0 / logicalDpiX();
    const auto px = [this](double twips) { return twipsToPixels(*this, twips); };
    const PanelGeometry smallest = panelGeometry(1);
    c.setMinimumSize(static_cast<int>(std::ceil(smallest.widthTwips / twipsPerPixel)),
                     static_cast<int>(std::ceil(smallest.heightTwips / twipsPerPixel)));

    m_zoom = panelZoomFor(c.width() * twipsPerPixel, c.height() * twipsPerPixel);
    const PanelGeometry g = panelGeometry(m_zoom);
    // Room the panel does not fill is shared left and right.
    const double left = std::max(0.0, (c.width() * twipsPerPixel - g.widthTwips) / 2);
    const auto place = [&](QWidget& widget, const RectTwips& r) {
        widget.setGeometry(px(left + r.left), px(r.top), px(r.width), px(r.height));
    };
    const auto placePicture = [&](PicturePanel& picture, const RectTwips& r) {
        picture.setZoom(m_zoom);
        picture.move(px(left + r.left), px(r.top));
    };
    place(*m_stations, g.stations);
    place(*m_dateLabel, g.dateLabel);
    placePicture(*m_strip, g.strip);
    place(*m_sourceLabel, g.source);
    place(*m_downloadPanel, g.downloadPanel);
    for (const auto& [which, rect] : g.pictures)
        placePicture(*m_pictures.at(which), rect);

    QFont font = m_controlFont;
    if (font.pointSizeF() > 0)
        font.setPointSizeF(m_controlFont.pointSizeF() * m_zoom);
    else
        font.setPixelSize(static_cast<int>(std::lround(m_controlFont.pixelSize() * m_zoom)));
    for (QWidget* control : {static_cast<QWidget*>(m_stations), static_cast<QWidget*>(m_dateLabel),
                             static_cast<QWidget*>(m_downloadPanel)})
        control->setFont(font);
    QFont small = m_sourceLabel->font();
    small.setPointSizeF(7 * m_zoom);
    m_sourceLabel->setFont(small);
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    layoutPanel();
    m_resizeSettled->start();
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // On a screen of another pixel ratio the faces and the panel are drawn again.
    if (QWindow* window = windowHandle())
        connect(window, &QWindow::screenChanged, m_resizeSettled, qOverload<>(&QTimer::start), Qt::UniqueConnection);
}

void MainWindow::settleResize()
{
    m_resizeSettled->stop();
    if (m_drawnScale == 0 || m_drawnScale == m_zoom * devicePixelRatioF())
        return;
    // An update lends the current texts to every station it fetches; its
    // own redraw at the end shows the panel at the new size.
    if (m_services.updater.busy()) {
        m_resizeSettled->start();
        return;
    }
    Redraw();
}

void MainWindow::fitFaces()
{
    const double ratio = devicePixelRatioF() * m_zoom * logicalDpiX() / 96.0;
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
    const auto it = m_pictures.find(which);
    return it == m_pictures.end() ? nullptr : it->second;
}

Surface& MainWindow::begin(PanelPicture which)
{
    return m_pictures.at(which)->begin();
}

void MainWindow::end(PanelPicture which)
{
    m_pictures.at(which)->end();
}

void MainWindow::stationsLoaded()
{
    const ShortList& list = m_state.tables.shortList;
    m_stations->clear();
    for (const std::string& entry : list.entries)
        m_stations->addItem(toQString(entry));
    m_stations->setCurrentIndex(list.selected);
    // A new list that no longer holds the station shown, or the first list
    // of a first run, shows its selected station, so the panel never shows
    // a station other than the one selected. An update keeps its station.
    if (m_state.startupComplete && !m_state.download.busy && list.currentStation() != m_state.station.currentStation)
        Combo1_Click(list.selected);
}

void MainWindow::setLabelColours(ColorRef text, ColorRef background)
{
    m_dateLabel->setStyleSheet(QString("color: %1; background: %2;").arg(colorCss(text), colorCss(background)));
}

void MainWindow::showStatus(StationStatus status, bool recolour)
{
    if (status == StationStatus::Processing) {
        m_dateLabel->setText(statusText(status));
        if (recolour)
            setLabelColours(m_state.tables.colors.textColor, m_state.tables.colors.faceColor);
        return;
    }
    m_dateLabel->setText(statusText(status));
    setLabelColours(kRed, kWhite);
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
        m_menus["mnuUpdate"]->setEnabled(false);
        m_menus["mnuSites"]->setEnabled(false);
        m_autoUpdateActive = true;
    }

    const ColorScheme& colors = m_state.tables.colors;
    setLabelColours(colors.textColor, colors.faceColor);
    m_dateLabel->setText("Reading Data");
    applyBackground();

    selectStation(m_state);
    m_state.trace.record("frmMain,ReadData");
    loadStation(m_state);
    showStatus(stationStatus(m_state.station), true);
    Redraw();
}

void MainWindow::Combo1_Click(int index)
{
    m_state.trace.record("frmMain,Combo1_Click");
    if (!m_state.startupComplete || index < 0)
        return;
    m_state.tables.shortList.selected = index;
    WriteLastStation(m_state.settingsFile, index);
    selectStation(m_state);
    loadStation(m_state);
    // The label takes its colours afresh, as on a fresh start on this station.
    showStatus(stationStatus(m_state.station), true);
    Redraw();
}

void MainWindow::drawStrip(const std::vector<StripLine>& lines, std::optional<FlightCategory> category)
{
    drawConditionStrip(m_strip->begin(), m_state.tables.colors.backgroundColor, lines, category);
    m_strip->end();
}

void MainWindow::showPressureTendency(std::optional<double> changeHpa)
{
    QString tip;
    if (changeHpa)
        tip = QString("Pressure %1, %2")
                  .arg(toQString(std::string(pressureTrendWords(pressureTrendOf(*changeHpa)))),
                       toQString(pressureTendencyText(*changeHpa, m_state.displayUnits().hpa)));
    m_pictures.at(PanelPicture::Picture6)->setToolTip(tip);
}

void MainWindow::Redraw()
{
    fitFaces();
    m_drawnScale = m_zoom * devicePixelRatioF();
    const RedrawResult result = ventoral::Redraw(m_state, m_services.forms, m_services.clock.nowLocal(), *this);
    if (result.present.dateLabel) {
        m_shownDate = *result.present.dateLabel;
        showDateLabel();
    }
    drawStrip(result.present.strip, result.flightCategory);
    showPressureTendency(result.pressureChangeHpa);
    const std::string source = presentSource(m_state.station.lastText, m_state.station.presentText);
    m_sourceLabel->setText(source.empty() ? QString() : toQString("Source: " + source));
    if (result.noStation) {
        m_dateLabel->setText("No Station selected");
        setLabelColours(kRed, m_state.tables.colors.faceColor);
    }
    m_tray->refresh();
}

void MainWindow::showDateLabel()
{
    m_dateLabel->setText(toQString(decodeLegacyText(m_shownDate->text())));
    if (m_shownDate->stale)
        setLabelColours(kRed, kWhite);
    else
        setLabelColours(m_state.tables.colors.textColor, m_state.tables.colors.faceColor);
}

bool MainWindow::showsReportTime() const
{
    return m_shownDate && m_dateLabel->text() == toQString(decodeLegacyText(m_shownDate->text()));
}

void MainWindow::refreshDateAge()
{
    // Only while the label still shows the report's time, not a status.
    if (!showsReportTime())
        return;
    setLabelAge(*m_shownDate, m_state.observation.dateLine, m_services.clock.nowLocal(), m_state.utcOffsetHours);
    showDateLabel();
}

void MainWindow::Timer1_Timer()
{
    if (!m_autoUpdateActive)
        return;
    const CivilTime now = m_services.clock.nowLocal();
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

void MainWindow::mnuFilePageSetup_Click()
{
    // A cancel leaves the printer as it was; nothing else to do.
    m_services.dialogs.printerSetup("Page Setup");
}

void MainWindow::mnuUpdate_Click()
{
    m_services.updater.runUpdate();
}

void MainWindow::mnuHelpContents_Click()
{
    const std::string help = joinPath(m_state.deliveredDataFolder, kHelpFile);
    if (fileExists(help) && m_services.browser.open(help))
        return;
    m_services.prompter.inform(QApplication::applicationName().toStdString(),
                               "Unable to display Help Contents. There is no Help associated with this project.");
}

void MainWindow::ColorCodeBar_Click()
{
    m_state.trace.record("frmMain,ColorCodeBar_Click");
    if (!m_colorCodeBar)
        m_colorCodeBar = new ColorCodeBar(this);
    static_cast<ColorCodeBar*>(m_colorCodeBar)->draw(m_state.tables.shades);
    m_colorCodeBar->show();
}

void MainWindow::Command1_Click()
{
    m_services.updater.cancel();
}

void MainWindow::applyBackground()
{
    const QString css = colorCss(m_state.tables.colors.backgroundColor);
    centralWidget()->setStyleSheet(QString("#panel { background: %1; }").arg(css));
}

void MainWindow::settingsChanged()
{
    applyBackground();
    Redraw();
}

template <class Editor>
void MainWindow::openEditor(const char* name)
{
    QPointer<QWidget>& editor = m_editors[name];
    if (!editor || !editor->isVisible()) {
        EditorServices services{m_state, m_services.prompter, m_services.dialogs, [this] { settingsChanged(); },
                                devicePixelRatioF()};
        editor = new Editor(std::move(services), this);
    }
    editor->show();
    editor->raise();
    editor->activateWindow();
}

void MainWindow::colorOptions_Click()
{
    m_state.trace.record("colorOptions_Click");
    openEditor<ColorOptions>("frmColorOptions");
}

void MainWindow::HistoryColors_Click()
{
    m_state.trace.record("frmMain,HistoryColors_Click");
    openEditor<ColorShades>("frmColorShades");
}

void MainWindow::Units_Click()
{
    m_state.trace.record("frmMain,Units_Click");
    openEditor<UnitsForm>("frmUnits");
}

void MainWindow::Directory_Click()
{
    m_state.trace.record("frmMain,Directory_Click");
    openEditor<FoldersForm>("frmDirectories");
}

void MainWindow::MinMaxSet_Click()
{
    m_state.trace.record("frmMain,MinMaxSet_Click");
    openEditor<MinMaxEditor>("frmMinMax");
}

void MainWindow::Alarms_Click()
{
    openEditor<AlarmsForm>("frmAlarms");
}

InfoWindow* MainWindow::infoWindow()
{
    if (!m_info) {
        m_info = new InfoWindow(this);
        m_info->setTransferDoneHandler([this] { m_state.download.transferDone = true; });
    }
    return m_info;
}

void MainWindow::setMenusEnabled(bool enabled)
{
    // A menu whose window does not exist yet stays off.
    for (const auto& [name, menu] : m_menus)
        menu->setEnabled(enabled && menu->property("ready").toBool());
}

void MainWindow::downloaderLoaded()
{
    setUpdateMenusEnabled(false);
}

void MainWindow::downloaderUnloaded()
{
    setMenusEnabled(true);
    setEnabled(true);
    setWindowTitle("Ventoral");
}

void MainWindow::disableMenus()
{
    setMenusEnabled(false);
}

void MainWindow::setUpdateMenusEnabled(bool enabled)
{
    m_menus["mnuUpdate"]->setEnabled(enabled);
    m_menus["mnuSites"]->setEnabled(enabled && m_menus["mnuSites"]->property("ready").toBool());
}

void MainWindow::setCaption(const std::string& caption)
{
    setWindowTitle(toQString(caption));
}

void MainWindow::showDownloadPanel(bool visible)
{
    if (visible) {
        Surface& strip = m_strip->begin();
        strip.clear(kWhite);
        m_strip->end();
        m_downloadPanel->clearTexts();
        m_downloadPanel->raise();
    }
    m_downloadPanel->setVisible(visible);
}

void MainWindow::setStatus(const std::string& text)
{
    m_downloadPanel->setStatus(text);
}

void MainWindow::setCount(const std::string& text)
{
    m_downloadPanel->setCount(text);
    m_downloadPanel->repaint();
}

void MainWindow::showFrame(int frame)
{
    m_downloadPanel->showFrame(frame);
}

void MainWindow::noStationSelected()
{
    m_dateLabel->setText("No station selected");
    setLabelColours(kWhite, kRed);
}

void MainWindow::showDataStatus(bool hasData)
{
    showStatus(hasData ? StationStatus::Processing : StationStatus::NoData, true);
}

void MainWindow::redraw()
{
    // The list shows the station that was reselected after the update.
    const QSignalBlocker blocker(m_stations);
    m_stations->setCurrentIndex(m_state.tables.shortList.selected);
    showStatus(stationStatus(m_state.station), false);
    Redraw();
}

void MainWindow::showBusyNotice()
{
    infoWindow()->downloadingMessage();
}

void MainWindow::setMapStatus(const std::string& text)
{
    if (m_mapViewer)
        m_mapViewer->setStatus(text);
}

void MainWindow::setMapBytes(const std::string& text)
{
    if (m_mapViewer)
        m_mapViewer->setBytes(text);
}

void MainWindow::showMapFrame(int frame)
{
    if (m_mapViewer)
        m_mapViewer->showFrame(frame);
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

    // Never smaller than the panel's smallest size, nor larger than the work area allows.
    const QSize area(px(m_state.screenWidthTwips), px(m_state.screenHeightTwips));
    QSize wanted = smallest;
    if (width && height && *width > 0 && *height > 0)
        wanted = QSize(px(*width), px(*height)).boundedTo(area).expandedTo(smallest);
    resize(wanted);
    // The panel takes the new size at once, not only when the window shows.
    if (layout())
        layout()->setGeometry(rect());
    layoutPanel();

    const QRect storedRect = left && top ? QRect(px(*left), px(*top), wanted.width(), wanted.height()) : QRect();
    if (storedRect.isValid() && QGuiApplication::screenAt(storedRect.center())) {
        setGeometry(storedRect);
        return;
    }
    const QSize frame = frameGeometry().size();
    const double widthTwips = frame.width() * 1440.0 / logicalDpiX();
    const double heightTwips = frame.height() * 1440.0 / logicalDpiY();
    move(px((m_state.screenWidthTwips - widthTwips) / 2), px((m_state.screenHeightTwips - heightTwips) / 2));
}

void MainWindow::mnuFileExit_Click()
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
