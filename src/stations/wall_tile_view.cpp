// SPDX-License-Identifier: GPL-3.0-or-later
#include "stations/wall_tile_view.h"

#include <algorithm>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QPainter>

#include "instruments/accessible_text.h"
#include "instruments/wall_painter.h"
#include "platform/qt_services.h"
#include "platform/qt_surface.h"
#include "widgets/picture_panel.h"

namespace ventoral {

namespace {

// A tile is a button to a screen reader: Press shows its station.
class TileAccessible : public QAccessibleWidget {
public:
    explicit TileAccessible(WallTileView* tile) : QAccessibleWidget(tile, QAccessible::Button) {}

    QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }
    void doAction(const QString& action) override
    {
        if (action == pressAction())
            static_cast<WallTileView*>(widget())->choose();
        else
            QAccessibleWidget::doAction(action);
    }
    QStringList keyBindingsForAction(const QString& action) const override
    {
        return action == pressAction() ? QStringList{QStringLiteral("Return")} : QStringList();
    }
};

QAccessibleInterface* tileAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("ventoral::WallTileView") && object && object->isWidgetType())
        return new TileAccessible(static_cast<WallTileView*>(object));
    return nullptr;
}

} // namespace

WallTileView::WallTileView(int index, QWidget* parent) : QWidget(parent), m_index(index)
{
    static const bool factory = (QAccessible::installFactory(tileAccessible), true);
    (void)factory;
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setZoom(1);
}

void WallTileView::setTile(WallTile tile, const ColorScheme& colors)
{
    m_tile = std::move(tile);
    m_colors = colors;
    setObjectName(toQString("wallTile" + m_tile.code));
    const QString name = toQString(tileName(m_tile));
    const QString description = toQString(tileDescription(m_tile));
    if (accessibleName() != name)
        setAccessibleName(name);
    if (accessibleDescription() != description)
        setAccessibleDescription(description);
    setToolTip(name);
    update();
}

void WallTileView::setZoom(double zoom)
{
    m_zoom = std::max(zoom, 1.0);
    setFixedSize(twipsToPixels(*this, kTileWidthTwips * m_zoom), twipsToPixels(*this, kTileHeightTwips * m_zoom));
    update();
}

void WallTileView::choose()
{
    emit chosen(m_index);
}

void WallTileView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QtSurface surface(painter, *this, Surface::Kind::Window);
    surface.clear(m_colors.backgroundColor);
    surface.scale(m_zoom);
    paintTile(surface, m_tile, {m_colors}, hasFocus());
}

void WallTileView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        emit stepRequested(m_index, -1, 0);
        break;
    case Qt::Key_Right:
        emit stepRequested(m_index, 1, 0);
        break;
    case Qt::Key_Up:
        emit stepRequested(m_index, 0, -1);
        break;
    case Qt::Key_Down:
        emit stepRequested(m_index, 0, 1);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        choose();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void WallTileView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        choose();
}

void WallTileView::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void WallTileView::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

} // namespace ventoral
