// SPDX-License-Identifier: GPL-3.0-or-later
#include <memory>

#include <QApplication>
#include <QMessageBox>
#include <QScreen>

#include "stations/core/station_catalogue.h"
#include "session/alarm_watch.h"
#include "session/app_state.h"
#include "session/startup.h"
#include "app/main_window.h"
#include "app/startup_ui.h"
#include "app/window_alarms.h"
#include "widgets/qt_face_renderer.h"
#include "widgets/tray_icon.h"
#include "platform/core/file_io.h"
#include "platform/dbus_notifier.h"
#include "platform/qt_file_dialogs.h"
#include "platform/qt_printer.h"
#include "platform/qt_services.h"
#include "platform/qt_transfer.h"
#include "platform/web_page_views.h"

namespace {

QString problemText(ventoral::StartupProblem problem)
{
    switch (problem) {
    case ventoral::StartupProblem::FolderNotCreated:
        return QObject::tr("The folder %1 could not be created.");
    case ventoral::StartupProblem::SettingsNotWritten:
        return QObject::tr("The settings file %1 could not be written.");
    case ventoral::StartupProblem::SettingsUnreadable:
        return QObject::tr("The settings file %1 cannot be read. Ventoral starts with its default settings "
                           "and leaves the file as it is: nothing is saved in it until Ventoral starts again "
                           "and can read it.");
    case ventoral::StartupProblem::FacesNotRendered:
        return QObject::tr("The instrument faces could not be saved in %1.");
    }
    return {};
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Ventoral");
    QApplication::setOrganizationName("Ventoral");

    ventoral::AppState state;
    const ventoral::FixedLocations locations = ventoral::systemLocations();
    const ventoral::SystemClock clock;
    const ventoral::LocaleDateForms forms;
    ventoral::QtUserStore store;
    ventoral::QtStartupUi ui;
    ventoral::QtFaceRenderer faces(app.devicePixelRatio());
    ventoral::QtPrompter prompter;
    ventoral::QtBrowser browser;
    ventoral::QtTransfer transfer;
    ventoral::QtEventPump events;
    ventoral::Downloader downloader(state, {transfer, events, prompter, clock});
    ventoral::QtFileDialogs dialogs;
    ventoral::QtPrinter printer(dialogs.printer());
    // Every update the menu or the timer starts ends with the alarms.
    ventoral::DBusNotifier desktop;
    std::unique_ptr<ventoral::WindowAlarms> alarms;
    ventoral::UpdateThen updater(downloader, [&alarms] {
        if (alarms)
            alarms->afterUpdate();
    });
    ventoral::MainWindow window(state, {clock, forms, store, prompter, browser, updater, dialogs, &printer,
                                                   ventoral::webPageViews()});
    alarms = std::make_unique<ventoral::WindowAlarms>(
        state, window, desktop, ventoral::joinPath(ventoral::userDataFolder(), ventoral::kAlarmStateFileName));
    prompter.setParent(&window);
    dialogs.setParent(&window);
    downloader.setView(&window.downloadView());
    downloader.setStationLookup(ventoral::catalogueLookup(state.deliveredDataFolder));
    window.setDownloader(&downloader);
    ui.setWizard([&window] { window.openSetupWizard(); });

    const ventoral::StartupReport report =
        ventoral::Main(state, {locations, clock, ui, faces, window});
    if (!report.problems.empty()) {
        QStringList lines;
        for (const auto& [problem, path] : report.problems)
            lines << problemText(problem).arg(QString::fromStdString(path));
        QMessageBox::warning(&window, "Ventoral", lines.join('\n'));
    }
    return app.exec();
}
