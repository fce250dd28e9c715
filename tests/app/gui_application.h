#pragma once
// The one QApplication of a test process, on the offscreen platform.

#include <QApplication>

namespace ventoral::test {

inline QApplication& guiApplication()
{
    // Runs without a display, also when started by hand.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "ventoral_test";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

} // namespace ventoral::test
