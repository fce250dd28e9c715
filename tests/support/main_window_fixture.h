// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window over a temporary program folder holding the default
// settings and one station with data, KBFI, first on the short list.

#include <memory>

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>

#include <gtest/gtest.h>

#include "settings/settings.h"
#include "session/update_runner.h"
#include "gui_application.h"
#include "app/main_window.h"
#include "observations/station_data.h"
#include "platform/core/file_io.h"
#include "test_support.h"
#include "counting_update_runner.h"
#include "fixed_clock.h"
#include "memory_user_store.h"
#include "recording_browser.h"
#include "scripted_file_dialogs.h"
#include "scripted_prompter.h"

namespace ventoral::test {

class MainWindowFixture : public ::testing::Test, protected WithGuiApplication {
protected:
    TempDir dir;
    AppState state;
    FixedClock clock{CivilTime{2023, 12, 6, 18, 0, 0}};
    IsoDateForms forms;
    MemoryUserStore store;
    ScriptedPrompter prompter;
    RecordingBrowser browser;
    CountingUpdateRunner updater;
    ScriptedFileDialogs dialogs;
    std::unique_ptr<MainWindow> window;

    void SetUp() override
    {
        state.settingsFile = dir.file("vntl.ini");
        state.programFolder = dir.path();
        state.deliveredDataFolder = dir.file("data");
        WriteDefaultSettings(state.settingsFile, dir.path(), state.tables);
        createFolder(state.tables.folders.stationData);
        createFolder(state.tables.folders.minMax);
        writeStationData(stationDataPath(state.tables.folders.stationData, "KBFI"),
                         readData("observations/trend/KSEA.TREND"), readData("observations/noaa-decoded/KBFI-2.txt"));
        state.tables.shortList.entries = {"KBFI Boeing Field"};
        state.tables.shortList.selected = 0;
        state.startupComplete = true;
    }

    void TearDown() override
    {
        window.reset();
        flush();
    }

    MainWindowServices services(Printer* printer = nullptr, PageViewFactory pageViews = {})
    {
        return {clock, forms, store, prompter, browser, updater, dialogs, printer, std::move(pageViews)};
    }
    void start() { window = std::make_unique<MainWindow>(state, services()); }
    // The station at index of the short list, chosen in the selector.
    void choose(int index)
    {
        auto* selector = window->findChild<QComboBox*>("Combo1");
        selector->setCurrentIndex(index);
        emit selector->activated(index);
    }

    // Runs the deferred deletes of closed windows.
    static void flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

} // namespace ventoral::test
