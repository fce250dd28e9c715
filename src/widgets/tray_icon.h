// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The selected station in the desktop's tray: the rounded temperature drawn
// into the icon, the report in its tooltip, a click to show or hide the main
// window, and a menu with Update, Show/Hide and Exit.

#include <functional>

#include <QColor>
#include <QIcon>
#include <QObject>
#include <QString>
#include <QStringList>

#include "platform/clock.h"
#include "session/app_state.h"

class QAction;
class QMenu;
class QSystemTrayIcon;
class QTimer;
class QWidget;

namespace ventoral {

// What the tray menu does in the main window. Update and Exit follow the
// window's own menus, which an update in progress switches off.
struct TrayActions {
    std::function<void()> update;
    std::function<void()> exit;
    std::function<bool()> updateEnabled;
    std::function<bool()> exitEnabled;
    std::function<void()> wall;   // opens the station wall
};

class TrayIcon : public QObject {
    Q_OBJECT
public:
    TrayIcon(const AppState& state, const Clock& clock, QWidget& window, TrayActions actions);
    ~TrayIcon() override;

    // Redraws the icon and tooltip from the last display cycle; puts the icon
    // in the tray as soon as the desktop offers one. Runs every minute too.
    void refresh();
    // Hides the window into the tray when the user keeps the program running
    // there and a tray shows the icon at this moment; false when closing
    // should go on. Should the tray go while the window is hidden, the
    // window comes back within seconds.
    bool closeToTray();
    // The main window closes for good: the icon goes, and a program that was
    // waiting hidden in the tray ends.
    void windowClosed();
    void toggleWindow();
    // The icon's message balloon; false where no tray shows the icon or the
    // tray shows no messages. Messages given before events run again share
    // one balloon, one line each, so a later one does not hide an earlier one.
    bool showMessage(const QString& title, const QString& body);
    // The title and lines of the last balloon shown.
    QString lastMessageTitle() const { return m_messageTitle; }
    QStringList lastMessageLines() const { return m_messageLines; }

    // Stands in for QSystemTrayIcon::isSystemTrayAvailable, for tests.
    void setTrayCheck(std::function<bool()> available);
    // Null until a tray shows the icon.
    QSystemTrayIcon* icon() const { return m_icon; }
    QMenu* menu() const { return m_menu; }
    QString iconText() const { return m_iconText; }

    // The text centred on a rounded square, at the sizes trays ask for.
    static QIcon drawIcon(const QString& text, const QColor& foreground, const QColor& background);

private:
    void install();
    void hideWindow();
    void showWindow();
    void prepareMenu();
    void showPendingMessage();

    const AppState& m_state;
    const Clock& m_clock;
    QWidget& m_window;
    TrayActions m_actions;
    std::function<bool()> m_trayAvailable;
    QSystemTrayIcon* m_icon = nullptr;
    QMenu* m_menu;
    QAction* m_update;
    QAction* m_showHide;
    QAction* m_wall;
    QAction* m_exit;
    QTimer* m_ageTimer;
    QTimer* m_trayWatch;
    QString m_iconText;
    QColor m_foreground;
    QColor m_background;
    QString m_messageTitle;
    QStringList m_messageLines;
    bool m_messagePending = false;
};

} // namespace ventoral
