// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application object of one platform test; QApplication where a window
// shows, on the offscreen platform also when the test is started by hand.

#include <QByteArray>
#include <QtGlobal>

namespace ventoral::test {

struct OffscreenPlatform {
    OffscreenPlatform()
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }
};

template <class App>
struct TestApplication : private OffscreenPlatform {
    int argc = 1;
    char name[14] = "test_platform";
    char* argv[2] = {name, nullptr};
    App app{argc, argv};
};

} // namespace ventoral::test
