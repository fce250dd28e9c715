// SPDX-License-Identifier: GPL-3.0-or-later
#include "stations/station_wall_window.h"

#include <algorithm>
#include <cmath>

#include <QGuiApplication>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/qt_surface.h"
#include "session/shown_station.h"
#include "stations/wall_tile_view.h"
#include "widgets/picture_panel.h"

namespace ventoral {

namespace {

constexpr int kAgeRefreshMs = 60 * 1000;
// Columns of a new wall: about as wide as it is high.
constexpr int kMostOpeningColumns = 5;

// A window of its own to a screen reader, not a pane of the main window.
QAccessibleInterface* wallAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("ventoral::StationWallWindow") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    return nullptr;
}

QString colorCss(ColorRef ref)
{
    return QString("rgb(%1,%2,%3)").arg(redOf(ref)).arg(greenOf(ref)).arg(blueOf(ref));
}

} // namespace

StationWallWindow::StationWallWindow(StationWallParts parts, QWidget* parent)
    : QWidget(parent, Qt::Window), m_parts(std::move(parts))
{
    static const bool factory = (QAccessible::installFactory(wallAccessible), true);
    (void)factory;
    setObjectName("frmWall");
    setWindowTitle("Station Wall");
    setAccessibleName("Station Wall");
    setAccessibleDescription("A tile for each station of the short list; Enter shows the station in the main window");
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName("wallScroll");
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_tiles = new QWidget;
    m_tiles->setObjectName("wallTiles");
    m_tiles->setAccessibleName("Stations");
    m_scroll->setWidget(m_tiles);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scroll);
    // A scroll bar coming or going changes the room without resizing the window.
    m_scroll->viewport()->installEventFilter(this);

    m_ageTimer = new QTimer(this);
    m_ageTimer->setObjectName("wallAgeTimer");
    connect(m_ageTimer, &QTimer::timeout, this, &StationWallWindow::refresh);
    m_ageTimer->start(kAgeRefreshMs);

    refresh();
    // Opens with the whole wall in view where the screen has room.
    const int count = std::max(tileCount(), 1);
    const int columns =
        std::clamp(static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count)))), 1, kMostOpeningColumns);
    const WallLayout opening = wallLayout(count, kTileGapTwips + columns * (kTileWidthTwips + kTileGapTwips), 1e9);
    QSize size(twipsToPixels(*this, opening.widthTwips()), twipsToPixels(*this, opening.heightTwips()));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize() * 0.9);
    resize(size);
}

StationWallWindow::~StationWallWindow() = default;

WallTileView* StationWallWindow::tile(int index) const
{
    return index >= 0 && index < tileCount() ? m_views[static_cast<std::size_t>(index)] : nullptr;
}

void StationWallWindow::take(std::shared_ptr<const StationSnapshot> snapshot,
                             const std::optional<MinMaxFileTable>& extremes)
{
    m_wall.replace(std::move(snapshot), extremes);
}

void StationWallWindow::refresh()
{
    const AppTables& tables = m_parts.state.tables;
    // Only stations new to the wall, or all of them in new folders, are read.
    m_wall.follow(storeOf(tables), tables.shortList.entries);
    std::vector<WallTile> tiles = m_wall.tiles(tables.units, m_parts.moment());
    const bool reflow = tiles.size() != m_views.size();
    while (m_views.size() > tiles.size()) {
        delete m_views.back();
        m_views.pop_back();
    }
    while (m_views.size() < tiles.size()) {
        auto* view = new WallTileView(static_cast<int>(m_views.size()), m_tiles);
        connect(view, &WallTileView::chosen, this, [this](int index) { m_parts.chooseStation(index); });
        connect(view, &WallTileView::stepRequested, this, &StationWallWindow::step);
        view->show();
        m_views.push_back(view);
    }
    for (std::size_t i = 0; i < tiles.size(); ++i)
        m_views[i]->setTile(std::move(tiles[i]), tables.colors);
    // A style sheet set again restyles every tile: only when the colour changed.
    const QString background = QString("#wallTiles { background: %1; }").arg(colorCss(tables.colors.backgroundColor));
    if (m_tiles->styleSheet() != background)
        m_tiles->setStyleSheet(background);
    if (reflow)
        placeTiles();
}

bool StationWallWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_scroll->viewport() && event->type() == QEvent::Resize)
        placeTiles();
    return QWidget::eventFilter(watched, event);
}

void StationWallWindow::placeTiles()
{
    const double twipsPerPixel = 1440.0 / logicalDpiX();
    const QSize room = m_scroll->viewport()->size();
    m_layout = wallLayout(tileCount(), room.width() * twipsPerPixel, room.height() * twipsPerPixel);
    const double zoom = m_layout.zoom;
    // Room the tiles do not fill is shared left and right.
    const double left = std::max(0.0, (room.width() * twipsPerPixel - m_layout.widthTwips() * zoom) / 2);
    for (WallTileView* view : m_views) {
        view->setZoom(zoom);
        view->move(twipsToPixels(*this, left + m_layout.tileLeft(view->index()) * zoom),
                   twipsToPixels(*this, m_layout.tileTop(view->index()) * zoom));
    }
    m_tiles->resize(std::max(room.width(), twipsToPixels(*this, m_layout.widthTwips() * zoom)),
                    std::max(room.height(), twipsToPixels(*this, m_layout.heightTwips() * zoom)));
}

void StationWallWindow::step(int index, int dx, int dy)
{
    if (WallTileView* next = tile(neighbourTile(m_layout, tileCount(), index, dx, dy))) {
        next->setFocus(Qt::OtherFocusReason);
        m_scroll->ensureWidgetVisible(next);
    }
}

} // namespace ventoral
