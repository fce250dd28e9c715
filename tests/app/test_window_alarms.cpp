// SPDX-License-Identifier: GPL-3.0-or-later
// The alarms after the window's updates: a line in the status bar where
// nothing else shows them, and a state file that cannot be kept said once.

#include <QMessageBox>
#include <QStatusBar>

#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "app/window_alarms.h"

using namespace ventoral;

namespace {

class NoService : public Notifier {
public:
    bool notify(const std::string&, const std::string&) override { return false; }
};

class WindowAlarmsTest : public test::MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        // KBFI reports 10 ºC.
        WriteIniValue("Alarms", "TempLowC", "12", state.settingsFile);
        start();
    }
    int messageBoxes() const { return static_cast<int>(window->findChildren<QMessageBox*>("alarmStateMessage").size()); }

    NoService desktop;
};

} // namespace

TEST_F(WindowAlarmsTest, AStateFileThatCannotBeWrittenIsSaidOnceAndTheAlarmsStillShow)
{
    const std::string stateFile = dir.file("ventoral/alarms-raised.txt");
    createFolder(stateFile);   // a folder where the file should be
    WindowAlarms alarms(state, *window, desktop, stateFile);
    for (int update = 0; update < 2; ++update) {
        alarms.afterUpdate();
        EXPECT_EQ(window->statusBar()->currentMessage(),
                  "Ventoral alarm: KBFI: temperature 10 \xC2\xB0" "C, at or below the limit of 12 \xC2\xB0" "C");
        ASSERT_EQ(messageBoxes(), 1) << "update " << update;
    }
    QMessageBox* box = window->findChild<QMessageBox*>("alarmStateMessage");
    EXPECT_FALSE(box->isModal());
    EXPECT_EQ(box->text().toStdString(),
              "The alarm state file " + stateFile + " cannot be written: each update rings its alarms again.");
}

TEST_F(WindowAlarmsTest, AStateFileThatCanBeWrittenSaysNothing)
{
    WindowAlarms alarms(state, *window, desktop, dir.file("ventoral/alarms-raised.txt"));
    alarms.afterUpdate();
    EXPECT_EQ(test::readFile(dir.file("ventoral/alarms-raised.txt")), "KBFI TempLow\n");
    EXPECT_EQ(messageBoxes(), 0);
}
