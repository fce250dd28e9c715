// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstring>
#include <iostream>

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>

#include "app/snapshot.h"
#include "cli/cli.h"
#include "cli/cli_update.h"
#include "cli/cli_wall.h"
#include "platform/qt_services.h"

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "snapshot") == 0) {
        // The window is drawn off-screen; no display is needed.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        QApplication::setApplicationName("Ventoral");
        return ventoral::runSnapshot(std::vector<std::string>(argv + 2, argv + argc), std::cerr);
    }

    if (argc > 1 && std::strcmp(argv[1], "wall") == 0) {
        // The picture is drawn off-screen, with the fonts of the windows.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        QGuiApplication::setApplicationName("Ventoral");
        return ventoral::runWallCommand(std::vector<std::string>(argv + 2, argv + argc), std::cout, std::cerr);
    }

    if (argc > 1 && std::strcmp(argv[1], "update") == 0) {
        // Downloads need an event loop, not a display.
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName("Ventoral");
        return ventoral::runUpdateCommand(std::vector<std::string>(argv + 2, argv + argc), std::cout, std::cerr);
    }

    const ventoral::SystemClock clock;
    const ventoral::LocaleDateForms forms;

    ventoral::CliEnvironment env;
    env.zone = &clock.zone();
    env.nowUtc = clock.nowUtc();
    env.forms = &forms;
    return ventoral::runCli(std::vector<std::string>(argv + 1, argv + argc), env, std::cout, std::cerr);
}
