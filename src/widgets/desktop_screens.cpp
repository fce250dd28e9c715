// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/desktop_screens.h"

#include <algorithm>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace ventoral {

PixelRect pixelRect(const QRect& rect)
{
    return {rect.left(), rect.top(), rect.width(), rect.height()};
}

std::vector<ScreenArea> desktopScreens()
{
    std::vector<ScreenArea> screens;
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary)
        screens.push_back({pixelRect(primary->geometry()), pixelRect(primary->availableGeometry())});
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen != primary)
            screens.push_back({pixelRect(screen->geometry()), pixelRect(screen->availableGeometry())});
    return screens;
}

FrameMargins frameMarginsOf(const QWidget& window)
{
    const QRect frame = window.frameGeometry();
    const QRect inside = window.geometry();
    return {inside.left() - frame.left(), inside.top() - frame.top(), frame.right() - inside.right(),
            frame.bottom() - inside.bottom()};
}

void placeBesideParent(QWidget& window, const std::vector<ScreenArea>& screens, QSize size)
{
    std::optional<PixelRect> owner;
    if (const QWidget* parent = window.parentWidget())
        owner = pixelRect(parent->geometry());
    const QSize smallest = window.minimumSizeHint().boundedTo(size);
    const PixelRect placed = placeBeside(screens, owner, {size.width(), size.height()},
                                         {std::max(0, smallest.width()), std::max(0, smallest.height())},
                                         frameMarginsOf(window));
    window.setGeometry(placed.left, placed.top, placed.width, placed.height);
}

void fillWorkArea(QWidget& window, const std::vector<ScreenArea>& screens)
{
    const PixelRect filled = filledWorkArea(screens, pixelRect(window.geometry()), frameMarginsOf(window));
    window.setGeometry(filled.left, filled.top, filled.width, filled.height);
}

} // namespace ventoral
