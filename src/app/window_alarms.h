// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The alarms after each update the window runs: each one through the
// desktop's notification service, else the tray icon's message, else a line
// in the window's status bar. A state file that cannot be kept is said once
// in a message box beside the window.

#include <string>

#include <QStringList>

#include "platform/notifier.h"
#include "session/alarm_watch.h"

namespace ventoral {

class MainWindow;

class WindowAlarms {
public:
    WindowAlarms(const AppState& state, MainWindow& window, Notifier& desktop, const std::string& stateFile);

    void afterUpdate();

private:
    void showStateProblem(AlarmStateProblem problem, const std::string& stateFile);

    const AppState& m_state;
    MainWindow& m_window;
    NotificationRoute m_route;
    QStringList m_windowLines;   // the alarms of the last update, where only the window can show them
    AlarmWatch m_watch;
};

} // namespace ventoral
