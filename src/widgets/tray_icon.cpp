// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/tray_icon.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>

#include "observations/present_parser.h"
#include <QWidget>

#include "observations/tray_text.h"
#include "platform/qt_services.h"
#include "platform/qt_surface.h"

namespace ventoral {

namespace {

constexpr int kAgeRefreshMs = 60 * 1000;
// How soon a window hidden in a tray that went away comes back.
constexpr int kTrayWatchMs = 3 * 1000;
constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64};

} // namespace

TrayIcon::TrayIcon(const AppState& state, const Clock& clock, QWidget& window, TrayActions actions)
    : QObject(&window),
      m_state(state),
      m_clock(clock),
      m_window(window),
      m_actions(std::move(actions)),
      m_trayAvailable(&QSystemTrayIcon::isSystemTrayAvailable)
{
    setObjectName("trayIcon");
    // A popup of the window, so it lives as long as the window and no longer.
    m_menu = new QMenu(&window);
    m_menu->setObjectName("trayMenu");
    m_update = m_menu->addAction("&Update");
    m_update->setObjectName("trayUpdate");
    m_showHide = m_menu->addAction("&Hide");
    m_showHide->setObjectName("trayShowHide");
    m_wall = m_menu->addAction("Station &Wall");
    m_wall->setObjectName("trayWall");
    m_menu->addSeparator();
    m_exit = m_menu->addAction("E&xit");
    m_exit->setObjectName("trayExit");
    connect(m_menu, &QMenu::aboutToShow, this, &TrayIcon::prepareMenu);
    // The window's commands may run a download that lets events run: they
    // start once the menu has closed.
    connect(m_update, &QAction::triggered, this, [this] { QTimer::singleShot(0, this, [this] { m_actions.update(); }); });
    connect(m_exit, &QAction::triggered, this, [this] { QTimer::singleShot(0, this, [this] { m_actions.exit(); }); });
    connect(m_showHide, &QAction::triggered, this, &TrayIcon::toggleWindow);
    connect(m_wall, &QAction::triggered, this, [this] {
        if (m_actions.wall)
            m_actions.wall();
    });

    // Every minute: the report's age moves on, and a tray that started
    // after the program takes the icon.
    m_ageTimer = new QTimer(this);
    m_ageTimer->setObjectName("trayAgeTimer");
    connect(m_ageTimer, &QTimer::timeout, this, &TrayIcon::refresh);
    m_ageTimer->start(kAgeRefreshMs);

    // While the window is hidden: the tray may go, and the icon with it.
    m_trayWatch = new QTimer(this);
    m_trayWatch->setObjectName("trayWatchTimer");
    m_trayWatch->setInterval(kTrayWatchMs);
    connect(m_trayWatch, &QTimer::timeout, this, [this] {
        if (!m_trayAvailable())
            showWindow();
    });
}

TrayIcon::~TrayIcon()
{
    // The icon goes before the menu it shows.
    delete m_icon;
}

void TrayIcon::setTrayCheck(std::function<bool()> available)
{
    m_trayAvailable = std::move(available);
}

void TrayIcon::install()
{
    m_icon = new QSystemTrayIcon(this);
    m_icon->setObjectName("systemTrayIcon");
    m_icon->setContextMenu(m_menu);
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            toggleWindow();
    });
}

void TrayIcon::refresh()
{
    if (!m_icon) {
        if (!m_trayAvailable())
            return;
        install();
    }
    const StationSnapshot& shown = m_state.shown.snapshot();
    const TrayText text = trayText(shown.code, observationOf(shown.present, m_state.displayUnits()),
                                   {m_state.displayUnits(), m_clock.nowUtc()});
    const QString iconText = toQString(text.iconText);
    // The dial's own face and tick colours.
    const QColor foreground = toQColor(m_state.tables.colors.tickColor);
    const QColor background = toQColor(m_state.tables.colors.faceColor);
    if (iconText != m_iconText || foreground != m_foreground || background != m_background || m_icon->icon().isNull()) {
        m_iconText = iconText;
        m_foreground = foreground;
        m_background = background;
        m_icon->setIcon(drawIcon(m_iconText, m_foreground, m_background));
    }
    m_icon->setToolTip(toQString(text.toolTip));
    m_icon->show();
}

bool TrayIcon::closeToTray()
{
    // The icon stays "visible" when the tray that showed it has gone.
    if (!m_state.tables.units.keepInTray || !m_icon || !m_icon->isVisible() || !m_trayAvailable())
        return false;
    hideWindow();
    return true;
}

void TrayIcon::windowClosed()
{
    m_trayWatch->stop();
    if (m_icon)
        m_icon->hide();
    // While the window waited in the tray, closing the last other window
    // was not to end the program; now the program ends.
    if (!QApplication::quitOnLastWindowClosed()) {
        QApplication::setQuitOnLastWindowClosed(true);
        QCoreApplication::quit();
    }
}

void TrayIcon::toggleWindow()
{
    if (m_window.isVisible() && !m_window.isMinimized())
        hideWindow();
    else
        showWindow();
}

bool TrayIcon::showMessage(const QString& title, const QString& body)
{
    if (!m_icon || !m_icon->isVisible() || !QSystemTrayIcon::supportsMessages())
        return false;
    if (!m_messagePending) {
        m_messagePending = true;
        m_messageTitle = title;
        m_messageLines.clear();
        QTimer::singleShot(0, this, &TrayIcon::showPendingMessage);
    }
    m_messageLines << body;
    return true;
}

void TrayIcon::showPendingMessage()
{
    m_messagePending = false;
    if (m_icon)
        m_icon->showMessage(m_messageTitle, m_messageLines.join('\n'), QSystemTrayIcon::Warning);
}

void TrayIcon::hideWindow()
{
    // Closing an editor left open must not end a program that waits in the tray.
    QApplication::setQuitOnLastWindowClosed(false);
    m_window.hide();
    m_trayWatch->start();
}

void TrayIcon::showWindow()
{
    m_trayWatch->stop();
    QApplication::setQuitOnLastWindowClosed(true);
    m_window.showNormal();
    m_window.raise();
    m_window.activateWindow();
}

void TrayIcon::prepareMenu()
{
    m_showHide->setText(m_window.isVisible() && !m_window.isMinimized() ? "&Hide" : "&Show");
    m_update->setEnabled(!m_actions.updateEnabled || m_actions.updateEnabled());
    m_exit->setEnabled(!m_actions.exitEnabled || m_actions.exitEnabled());
}

QIcon TrayIcon::drawIcon(const QString& text, const QColor& foreground, const QColor& background)
{
    QIcon icon;
    for (const int size : kIconSizes) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(background);
        painter.drawRoundedRect(QRectF(0, 0, size, size), size / 6.0, size / 6.0);

        // The largest bold font whose text fits with a pixel to spare each side.
        QFont font = QApplication::font();
        font.setBold(true);
        int pixels = size * 3 / 4;
        for (; pixels > 6; --pixels) {
            font.setPixelSize(pixels);
            if (QFontMetrics(font).horizontalAdvance(text) <= size - 2)
                break;
        }
        font.setPixelSize(pixels);
        painter.setFont(font);
        painter.setPen(foreground);
        painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, text);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace ventoral
