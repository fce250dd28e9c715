#pragma once
// A main window over a temporary program folder with one station of data,
// for the settings editors it opens from its Setup menu.

#include <memory>

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <gtest/gtest.h>

#include "app/gui_application.h"
#include "app/core/settings.h"
#include "app/core/startup.h"
#include "app/main_window.h"
#include "observations/station_data.h"
#include "platform/core/file_io.h"
#include "test_support.h"

namespace ventoral::test {

class EditorTest : public ::testing::Test {
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
        guiApplication();
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

    void start()
    {
        window = std::make_unique<MainWindow>(state,
                                              MainWindowServices{clock, forms, store, prompter, browser, updater, dialogs});
    }

    // Runs the deferred deletes of closed editors.
    static void flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    // Chooses a Setup menu entry and returns the editor it shows.
    QWidget* open(const char* action, const char* editor)
    {
        QAction* entry = window->findChild<QAction*>(action);
        EXPECT_TRUE(entry && entry->isEnabled()) << action;
        if (!entry)
            return nullptr;
        entry->trigger();
        for (QWidget* w : window->findChildren<QWidget*>(editor))
            if (w->isVisible())
                return w;
        ADD_FAILURE() << editor << " not shown";
        return nullptr;
    }

    template <class T>
    static T* control(QWidget* editor, const QString& name)
    {
        T* found = editor->findChild<T*>(name);
        EXPECT_TRUE(found) << name.toStdString();
        return found;
    }
    static void click(QWidget* editor, const QString& name) { control<QAbstractButton>(editor, name)->click(); }
    static void type(QWidget* editor, const QString& name, const QString& text)
    {
        QLineEdit* edit = control<QLineEdit>(editor, name);
        edit->setText(text);
        emit edit->textEdited(text);
    }

    int questions() const
    {
        int n = 0;
        for (const auto& m : prompter.messages())
            n += m.kind == "ask";
        return n;
    }
    std::string lastText() const { return prompter.messages().empty() ? "" : prompter.messages().back().text; }
    std::string ini(const char* section, const char* key) const
    {
        return ReadIniValue(section, key, "<none>", state.settingsFile);
    }
    std::string face(const char* name) const { return joinPath(facesFolder(state.programFolder), name); }
};

} // namespace ventoral::test
