// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/desktop_screens.h"

#include <QGuiApplication>
#include <QScreen>

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

} // namespace ventoral
