// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one QApplication of a test process, on the offscreen platform.

#include <QApplication>

#include <gtest/gtest.h>

namespace ventoral::test {

// Deletes the application once every test has run, while Qt's own statics
// are still alive: the application's destructor is what frees the font
// caches, so a static application destroyed at exit leaves them to
// LeakSanitizer.
class GuiApplicationEnvironment : public ::testing::Environment {
public:
    explicit GuiApplicationEnvironment(QApplication** app) : m_app(app) {}
    void TearDown() override
    {
        delete *m_app;
        *m_app = nullptr;
    }

private:
    QApplication** m_app;
};

inline QApplication& guiApplication()
{
    static QApplication* app = nullptr;
    if (!app) {
        // Runs without a display, also when started by hand.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "ventoral_test";
        static char* argv[] = {name, nullptr};
        app = new QApplication(argc, argv);
        ::testing::AddGlobalTestEnvironment(new GuiApplicationEnvironment(&app));
    }
    return *app;
}

// The first base of a fixture whose members need the application.
struct WithGuiApplication {
    WithGuiApplication() { guiApplication(); }
};

} // namespace ventoral::test
