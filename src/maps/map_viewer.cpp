// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/map_viewer.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>

#include "widgets/desktop_screens.h"
#include "widgets/download_panel.h"
#include "widgets/picture_panel.h"
#include "maps/core/map_page.h"
#include "platform/core/file_io.h"
#include "platform/qt_services.h"

namespace ventoral {

namespace {

constexpr const char* kCaption = "Map Viewer: ";
constexpr int kSmallWidth = 7800;    // twips
constexpr int kSmallHeight = 7000;
constexpr int kViewInsetWidth = 10;
constexpr int kViewInsetHeight = 20;
// A page that never finishes loading must not hold the viewer for ever.
constexpr qint64 kLoadWaitMs = 10000;

} // namespace

MapViewer::MapViewer(AppState& state, MapViewerServices services, QWidget* parent)
    : QMainWindow(parent, Qt::Window), m_state(state), m_services(std::move(services))
{
    setObjectName("frmViewer");
    setWindowTitle("Map Viewer");
    auto* central = new QWidget(this);
    central->setObjectName("viewerArea");
    setCentralWidget(central);
    central->installEventFilter(this);
    m_page = m_services.pageViews(central);

    m_mapsMenu = menuBar()->addMenu("&Maps");
    m_mapsMenu->setObjectName("mnuMaps");
    for (int i = 0; i < 8; ++i) {
        QAction* action = m_mapsMenu->addAction(QString("Map &%1").arg(i + 1));
        action->setObjectName(QString("mnuMap%1").arg(i + 1));
        connect(action, &QAction::triggered, this, [this, i] { mnuMap_Click(i); });
        m_mapActions[static_cast<std::size_t>(i)] = action;
    }
    const auto command = [this](const char* caption, const char* name, void (MapViewer::*slot)()) {
        QAction* action = menuBar()->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    m_update = command("&Update", "mnuUpdate", &MapViewer::mnuUpdate_Click);
    m_updateAll = command("Update &All", "mnuUpAll", &MapViewer::mnuUpAll_Click);
    m_preview = command("Print Pre&View", "mnuPreview", &MapViewer::mnuPreview_Click);
    m_print = command("&Print", "mnuPrint", &MapViewer::mnuPrint_Click);
    m_size = command("&Full Screen", "mnuSize", &MapViewer::mnuSize_Click);
    m_close = command("&Close", "mnuClose", &MapViewer::mnuClose_Click);

    // The download panel stands over the top of the map while a download runs.
    m_downloadPanel = new DownloadPanel("Picture11", {}, central);
    m_downloadPanel->countLabel()->setToolTip("Bytes received");
    connect(m_downloadPanel->cancelButton(), &QPushButton::clicked, this, &MapViewer::Command1_Click);

    // The load handler.
    m_downloadPanel->hide();
}

MapViewer::~MapViewer()
{
    // The view's widget goes with this window; the view itself first.
    m_page.reset();
}

int MapViewer::px(double twips) const
{
    return twipsToPixels(*this, twips);
}

bool MapViewer::isNormalState() const
{
    return !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}

void MapViewer::placeSmall()
{
    placeBesideParent(*this, m_state.screens, QSize(px(kSmallWidth), px(kSmallHeight)));
}

void MapViewer::setSmallSize(bool small)
{
    m_smallSize = small;
    m_size->setText(small ? "&Full Screen" : "&Small Size");
    // The scaled map fills the view exactly; at its own size it may scroll.
    m_page->setScrollBarsShown(!small);
}

void MapViewer::startLoad()
{
    m_state.trace.record("frmViewer,startLoad");
    show();
    raise();
    activateWindow();
    if (isNormalState())
        placeSmall();
    setSmallSize(true);
    for (std::size_t i = 0; i < m_mapActions.size(); ++i) {
        const std::string& name = m_state.tables.names[i];
        m_mapActions[i]->setText(name.empty() ? QString("Map %1").arg(i + 1) : toQString(name));
    }
    ShowMap();
}

void MapViewer::layoutContents()
{
    const QSize inner = centralWidget()->size();
    if (!isMinimized())
        m_page->widget()->setGeometry(0, 0, std::max(0, inner.width() - px(kViewInsetWidth)),
                                      std::max(0, inner.height() - px(kViewInsetHeight)));
    const int panelWidth = std::min(inner.width(), px(6000));
    // Room for the two lines of the status and the byte count.
    const int panelHeight = std::max(px(720), 3 * fontMetrics().lineSpacing() + 24);
    m_downloadPanel->setGeometry((inner.width() - panelWidth) / 2, 0, panelWidth, panelHeight);
}

bool MapViewer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == centralWidget() && event->type() == QEvent::Resize)
        layoutContents();
    return QMainWindow::eventFilter(watched, event);
}

void MapViewer::setMenusEnabled(bool enabled)
{
    m_mapsMenu->menuAction()->setEnabled(enabled);
    for (QAction* action : {m_update, m_updateAll, m_size, m_close})
        action->setEnabled(enabled);
    // Printing belongs to the full screen view only.
    m_preview->setEnabled(enabled && !m_smallSize);
    m_print->setEnabled(enabled && !m_smallSize);
}

void MapViewer::waitUntilLoaded()
{
    QElapsedTimer waited;
    waited.start();
    while (m_page->busy() && waited.elapsed() < kLoadWaitMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
}

void MapViewer::navigate(const std::string& address)
{
    m_pageText.clear();
    m_page->navigate(address);
    waitUntilLoaded();
}

void MapViewer::showPage(const std::string& text)
{
    m_pageText = text;
    m_page->showPage(text);
    waitUntilLoaded();
}

void MapViewer::ShowMap()
{
    m_state.trace.record("frmViewer,ShowMap");
    const auto at = static_cast<std::size_t>(m_currentMap);
    DownloadState& d = m_state.download;
    d.pictureAddress = m_state.tables.addresses[m_currentMap];
    d.pictureFile = m_state.tables.files[at];
    d.pictureIndex = static_cast<std::int16_t>(m_currentMap);
    m_downloadPanel->hide();
    setMenusEnabled(true);
    setWindowTitle(kCaption);

    navigate("about:Blank");
    const std::string& file = m_state.tables.files[at];
    if (!isConfiguredMapFile(file)) {
        ShowNoImageFile();
        return;
    }
    const std::string path = joinPath(m_state.tables.folders.maps, file);
    if (!fileExists(path)) {
        NoPic();
        return;
    }
    const std::string& name = m_state.tables.names[at];
    setWindowTitle(toQString(kCaption + name));
    if (isNormalState())
        layoutContents();
    const QSize view = m_page->widget()->size();
    m_imageHeight = scaledImageSize(view.height());
    m_imageWidth = scaledImageSize(view.width());
    showPage(mapPageText({name, path, m_smallSize, m_imageWidth, m_imageHeight}));
}

void MapViewer::NoPic()
{
    showPage(noPicturePageText());
}

void MapViewer::ShowNoImageFile()
{
    navigate(joinPath(m_state.deliveredDataFolder, kNoImagePage));
}

void MapViewer::mnuMap_Click(int index)
{
    m_currentMap = index;
    ShowMap();
}

void MapViewer::mnuSize_Click()
{
    if (m_smallSize) {
        setSmallSize(false);
        fillWorkArea(*this, m_state.screens);
    } else {
        setSmallSize(true);
        placeSmall();
    }
    ShowMap();
}

bool MapViewer::download(const std::function<void()>& fetch)
{
    if (m_state.download.busy)
        return false;
    setMenusEnabled(false);
    m_downloadPanel->clearTexts();
    m_downloadPanel->show();
    m_downloadPanel->raise();
    fetch();
    m_services.downloader.closeWindow();
    ShowMap();
    return true;
}

void MapViewer::mnuUpdate_Click()
{
    // The errors of one map are not shown, nor kept for the next update all.
    if (download([this] { m_services.downloader.downLoadOnePic(m_currentMap); }))
        m_state.download.errorList.clear();
}

void MapViewer::mnuUpAll_Click()
{
    DownloadState& d = m_state.download;
    const bool ran = download([this, &d] {
        d.errorList.clear();
        m_services.downloader.dwnLoadAllPics();
    });
    // One box, and no update starts under it.
    if (ran)
        m_services.downloader.showErrors();
}

void MapViewer::mnuPreview_Click()
{
    m_page->printPreview();
}

void MapViewer::mnuPrint_Click()
{
    m_page->print();
}

void MapViewer::Command1_Click()
{
    m_services.downloader.Cancel();
}

void MapViewer::mnuClose_Click()
{
    close();
}

void MapViewer::closeEvent(QCloseEvent* event)
{
    m_state.trace.record("frmViewer,mnuClose_Click");
    m_state.download.transferDone = true;
    m_services.downloader.closeWindow();
    m_page->stop();
    m_pageText.clear();
    event->accept();
}

void MapViewer::setStatus(const std::string& text)
{
    m_downloadPanel->setStatus(text);
}

void MapViewer::setBytes(const std::string& text)
{
    // Painted with the events the download lets run between chunks.
    m_downloadPanel->setCount(text);
}

void MapViewer::showFrame(int frame)
{
    m_downloadPanel->showFrame(frame);
}

} // namespace ventoral
