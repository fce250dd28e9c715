// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window, for the settings editors it opens from its Setup menu.

#include <memory>

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <gtest/gtest.h>

#include "session/startup.h"
#include "main_window_fixture.h"

namespace ventoral::test {

class EditorTest : public MainWindowFixture {
protected:
    // Chooses a Setup menu entry and returns the editor it shows; starts the
    // main window first when no test has, and deletes the editors closed before.
    QWidget* open(const char* action, const char* editor)
    {
        flush();
        if (!window)
            start();
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
    std::vector<std::string> messageTexts() const
    {
        std::vector<std::string> texts;
        for (const auto& m : prompter.messages())
            texts.push_back(m.text);
        return texts;
    }
    std::string ini(const char* section, const char* key) const
    {
        return ReadIniValue(section, key, "<none>", state.settingsFile);
    }
    std::string face(const char* name) const { return joinPath(facesFolder(state.programFolder), name); }
};

} // namespace ventoral::test
