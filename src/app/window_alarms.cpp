// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/window_alarms.h"

#include <QMessageBox>
#include <QStatusBar>

#include "app/main_window.h"
#include "platform/qt_services.h"
#include "widgets/tray_icon.h"

namespace ventoral {

WindowAlarms::WindowAlarms(const AppState& state, MainWindow& window, Notifier& desktop, const std::string& stateFile)
    : m_state(state),
      m_window(window),
      m_watch(m_route, stateFile,
              [this](AlarmStateProblem problem, const std::string& file) { showStateProblem(problem, file); })
{
    m_route.setDesktop(&desktop);
    m_route.setTray([this](const std::string& title, const std::string& body) {
        return m_window.tray().showMessage(toQString(title), toQString(body));
    });
    m_route.setWindowLine([this](const std::string& title, const std::string& body) {
        m_windowLines << toQString(body);
        m_window.statusBar()->showMessage(toQString(title) + ": " + m_windowLines.join("; "));
        m_window.statusBar()->setToolTip(m_windowLines.join('\n'));
        return true;
    });
}

void WindowAlarms::afterUpdate()
{
    m_windowLines.clear();
    m_watch.afterUpdate(m_state);
}

void WindowAlarms::showStateProblem(AlarmStateProblem problem, const std::string& stateFile)
{
    const QString text =
        problem == AlarmStateProblem::NotRead
            ? QObject::tr("The alarm state file %1 cannot be read: alarms already raised may ring again.")
            : QObject::tr("The alarm state file %1 cannot be written: each update rings its alarms again.");
    // Not modal: an update from the timer must not wait for an answer.
    auto* box = new QMessageBox(QMessageBox::Warning, kAlarmTitle, text.arg(toQString(stateFile)), QMessageBox::Ok,
                                &m_window);
    box->setObjectName("alarmStateMessage");
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

} // namespace ventoral
