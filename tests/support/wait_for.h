// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs Qt's events until done() holds or ms have passed; done()'s last answer.

#include <functional>

#include <QCoreApplication>
#include <QElapsedTimer>

namespace ventoral::test {

inline bool waitFor(const std::function<bool()>& done, int ms = 30000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    return done();
}

} // namespace ventoral::test
