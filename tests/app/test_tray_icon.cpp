// SPDX-License-Identifier: GPL-3.0-or-later
// The tray icon of the main window on the offscreen platform, with a tray
// stood in: its texts, the click, the menu, and closing into the tray.

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>

#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "platform/notifier.h"
#include "widgets/tray_icon.h"

using namespace ventoral;

namespace {

class TrayIconTest : public test::MainWindowFixture {
protected:
    void TearDown() override
    {
        QApplication::setQuitOnLastWindowClosed(true);
        MainWindowFixture::TearDown();
    }

    TrayIcon& startWithTray(bool trayAvailable = true)
    {
        start();
        tray().setTrayCheck([trayAvailable] { return trayAvailable; });
        window->redraw();
        window->show();
        return tray();
    }
    TrayIcon& tray() { return window->tray(); }
    QAction* entry(const char* name) { return tray().menu()->findChild<QAction*>(name); }
    // Runs the commands the menu leaves until it has closed.
    static void settle() { QCoreApplication::processEvents(); }
    bool unloaded() const { return !store.value("Settings", "MainWidth", "").empty(); }
};

} // namespace

TEST_F(TrayIconTest, ShowsTheTemperatureAndTheReportOnceATrayExists)
{
    start();
    tray().setTrayCheck([] { return false; });
    window->redraw();
    EXPECT_EQ(tray().icon(), nullptr);

    tray().setTrayCheck([] { return true; });
    window->redraw();
    ASSERT_NE(tray().icon(), nullptr);
    EXPECT_TRUE(tray().icon()->isVisible());
    EXPECT_EQ(tray().iconText(), "10");
    EXPECT_EQ(tray().icon()->toolTip().toStdString(),
              "KBFI  10 \xC2\xBA" "C\nWind calm\nPressure 1009 hPa\n7 min old");

    // The minute timer keeps the age true between redraws.
    clock.set({2023, 12, 6, 19, 0, 0});
    tray().refresh();
    EXPECT_TRUE(tray().icon()->toolTip().endsWith("\n1 h 7 min old"));

    state.tables.units.temperatureUnit = "\xC2\xBA" "F";
    window->redraw();
    EXPECT_EQ(tray().iconText(), "50");
}

TEST_F(TrayIconTest, ClosingHidesIntoTheTrayOnlyWithTheSwitchOnAndATray)
{
    struct Case {
        bool keepInTray;
        bool trayAvailable;
        bool hides;
    };
    for (const Case c : {Case{true, true, true}, Case{false, true, false}, Case{true, false, false}}) {
        SCOPED_TRACE(testing::Message() << "switch " << c.keepInTray << ", tray " << c.trayAvailable);
        state.tables.units.keepInTray = c.keepInTray;
        store = {};
        startWithTray(c.trayAvailable);
        EXPECT_EQ(window->close(), !c.hides);
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(unloaded(), !c.hides);
        EXPECT_EQ(QApplication::quitOnLastWindowClosed(), !c.hides);
        QApplication::setQuitOnLastWindowClosed(true);
        window.reset();
        flush();
    }
}

// The tray host can go (a panel restarted, a session without one) after the
// icon was placed: the icon then shows nowhere, so closing must not hide the
// window, and a window already hidden comes back.
TEST_F(TrayIconTest, AWindowIsHiddenOnlyWhileATrayIsThereAndComesBackWhenItGoes)
{
    state.tables.units.keepInTray = true;
    bool trayThere = true;
    start();
    tray().setTrayCheck([&trayThere] { return trayThere; });
    window->redraw();
    window->show();
    ASSERT_TRUE(tray().icon() && tray().icon()->isVisible());

    trayThere = false;
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(unloaded());
    EXPECT_TRUE(QApplication::quitOnLastWindowClosed());
    QApplication::setQuitOnLastWindowClosed(true);
    window.reset();
    flush();

    store = {};
    trayThere = true;
    start();
    tray().setTrayCheck([&trayThere] { return trayThere; });
    window->redraw();
    window->show();
    EXPECT_FALSE(window->close());
    EXPECT_FALSE(window->isVisible());
    auto* watch = tray().findChild<QTimer*>("trayWatchTimer");
    ASSERT_NE(watch, nullptr);
    EXPECT_TRUE(watch->isActive());
    QMetaObject::invokeMethod(watch, "timeout");   // the tray is still there
    EXPECT_FALSE(window->isVisible());
    trayThere = false;
    QMetaObject::invokeMethod(watch, "timeout");
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(QApplication::quitOnLastWindowClosed());
    EXPECT_FALSE(watch->isActive());
    EXPECT_FALSE(unloaded());
}

TEST_F(TrayIconTest, TheMenuShowsUpdatesAndExitsEvenFromTheTrayButNotDuringAnUpdate)
{
    state.tables.units.keepInTray = true;
    startWithTray();
    QSystemTrayIcon* icon = tray().icon();
    ASSERT_NE(icon, nullptr);
    entry("trayUpdate")->trigger();
    settle();
    EXPECT_EQ(updater.updates, 1);

    emit icon->activated(QSystemTrayIcon::Trigger);
    EXPECT_FALSE(window->isVisible());
    emit tray().menu()->aboutToShow();
    EXPECT_EQ(entry("trayShowHide")->text(), "&Show");
    entry("trayShowHide")->trigger();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(QApplication::quitOnLastWindowClosed());

    window->downloadView().disableMenus();   // as while an update runs
    emit tray().menu()->aboutToShow();
    EXPECT_FALSE(entry("trayUpdate")->isEnabled());
    EXPECT_FALSE(entry("trayExit")->isEnabled());
    window->downloadView().downloaderUnloaded();   // the update has ended
    emit tray().menu()->aboutToShow();

    window->close();
    entry("trayExit")->trigger();
    settle();
    EXPECT_TRUE(unloaded());
    EXPECT_FALSE(tray().findChild<QTimer*>("trayWatchTimer")->isActive());
    EXPECT_FALSE(icon->isVisible());
    EXPECT_TRUE(QApplication::quitOnLastWindowClosed());
}

TEST_F(TrayIconTest, AlarmsGoToTheTrayWhereNoNotificationServiceAnswers)
{
    struct NoService : Notifier {
        bool notify(const std::string&, const std::string&) override { return false; }
    } desktop;
    QStringList windowLines;
    NotificationRoute route;
    route.setDesktop(&desktop);
    route.setTray([this](const std::string& title, const std::string& body) {
        return tray().showMessage(QString::fromStdString(title), QString::fromStdString(body));
    });
    route.setWindowLine([&windowLines](const std::string&, const std::string& body) {
        windowLines << QString::fromStdString(body);
        return true;
    });

    // Alarms of one update share a balloon; the next update's start a new one.
    startWithTray();
    EXPECT_TRUE(route.notify("Ventoral alarm", "KBFI gust 41 kt"));
    EXPECT_TRUE(route.notify("Ventoral alarm", "KBFI temperature -2 C"));
    EXPECT_TRUE(windowLines.isEmpty());
    EXPECT_EQ(tray().lastMessageLines(), (QStringList{"KBFI gust 41 kt", "KBFI temperature -2 C"}));
    settle();
    EXPECT_TRUE(route.notify("Ventoral alarm", "KBFI wind 30 kt"));
    EXPECT_EQ(tray().lastMessageLines(), QStringList{"KBFI wind 30 kt"});
}
