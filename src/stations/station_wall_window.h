// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The station wall: a window with a tile per short-list station, in the
// short list's order. Its columns follow the window's width and the tiles
// zoom as the panel does; a tile chosen shows its station in the main
// window. The stations are read once when the wall opens, then taken from
// what updates store; the ages move on every minute.

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QWidget>

#include "instruments/panel_model.h"
#include "session/app_state.h"
#include "session/station_wall.h"

class QScrollArea;
class QTimer;

namespace ventoral {

class WallTileView;

struct StationWallParts {
    AppState& state;
    std::function<PanelMoment()> moment;
    // The main window's pick of the short list's entry index.
    std::function<void(int)> chooseStation;
};

class StationWallWindow : public QWidget {
    Q_OBJECT
public:
    StationWallWindow(StationWallParts parts, QWidget* parent);
    ~StationWallWindow() override;

    // A station's newer data, as an update stored it or the main window shows it.
    void take(std::shared_ptr<const StationSnapshot> snapshot, const std::optional<MinMaxFileTable>& extremes);
    // The tiles made again: the short list, the units, the colours and the ages as they are now.
    void refresh();

    int tileCount() const { return static_cast<int>(m_views.size()); }
    WallTileView* tile(int index) const;
    const WallLayout& layout() const { return m_layout; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeTiles();
    void step(int index, int dx, int dy);

    StationWallParts m_parts;
    StationWall m_wall;
    QScrollArea* m_scroll;
    QWidget* m_tiles;
    std::vector<WallTileView*> m_views;
    WallLayout m_layout;
    QTimer* m_ageTimer;
};

} // namespace ventoral
