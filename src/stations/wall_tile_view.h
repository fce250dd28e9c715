// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One tile of the station wall on screen: it paints its tile model at the
// wall's zoom, takes the keyboard focus (Tab, and the arrow keys through
// the wall), and a click, Enter or Space, or a screen reader's Press,
// chooses its station. Its accessible name and description are the
// tile's words.

#include <QWidget>

#include "instruments/wall_tile.h"
#include "settings/settings.h"

namespace ventoral {

class WallTileView : public QWidget {
    Q_OBJECT
public:
    WallTileView(int index, QWidget* parent);

    int index() const { return m_index; }
    const WallTile& tile() const { return m_tile; }
    void setTile(WallTile tile, const ColorScheme& colors);
    // Tile size times zoom (at least 1).
    void setZoom(double zoom);

    // The station is chosen, as by a click.
    void choose();

signals:
    void chosen(int index);
    // An arrow key: one step across (dx) or down (dy).
    void stepRequested(int index, int dx, int dy);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int m_index;
    WallTile m_tile;
    ColorScheme m_colors;
    double m_zoom = 1;
};

} // namespace ventoral
