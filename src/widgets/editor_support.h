// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every settings editor shares: the services it is given, its saved
// flag, and the one way out of it. Closing an editor that holds unsaved
// changes asks "Wish to save your changes?" and saves on Yes; the window's
// close box leaves the same way as its exit button.
//
// An editor derives from SettingsEditor, calls markChanged() on every edit
// and markSaved() after writing, implements save(), and may override
// checkForChanges() (compare the controls with the tables just before
// leaving), discard() (undo on No) and left() (after the window closed).
// Its exit button calls leave(); a button that saves and closes calls
// save() and then finish().

#include <functional>
#include <string>

#include <QWidget>

class QAbstractButton;

#include "session/app_state.h"
#include "platform/file_dialogs.h"
#include "platform/prompter.h"

namespace ventoral {

inline constexpr const char* kSaveQuestion = "Wish to save your changes?";
inline constexpr const char* kEditorMessageTitle = "Ventoral";

struct EditorServices {
    AppState& state;
    Prompter& prompter;
    FileDialogs& dialogs;
    // Shows changed tables in the main window: colours, dials and graphs.
    std::function<void()> redraw;
    // Pixels per device-independent pixel of the screen, for rendering faces.
    double devicePixelRatio = 1.0;
    // The shown station's panel as the main window draws it now.
    std::function<PanelModel()> shownModel;
};

// The settings editors' saved flag: set when an editor opens and after it
// saved, cleared by any change. Each open editor keeps its own, so one
// editor opening does not hide another's unsaved changes.
class SavedFlag {
public:
    bool isSaved() const { return m_saved; }
    void set() { m_saved = true; }
    void clear() { m_saved = false; }

private:
    bool m_saved = true;
};

// Asks the save question when flag is clear; true for Yes. detail, when
// given, follows the question on a new line.
bool askToSave(Prompter& prompter, const SavedFlag& flag, const std::string& detail = {});

class SettingsEditor : public QWidget {
    Q_OBJECT
public:
    // A window of its own above parent, deleted when it closes.
    SettingsEditor(EditorServices services, const char* objectName, const QString& title, QWidget* parent);

    bool isSaved() const { return m_flag.isSaved(); }
    // Refreshes the flag, asks when unsaved, saves on Yes or discards on No, then finishes.
    void leave();

protected:
    void markChanged() { m_flag.clear(); }
    void markSaved() { m_flag.set(); }

    virtual void save() = 0;
    virtual void checkForChanges() {}
    virtual void discard() {}
    virtual void left() {}
    virtual std::string saveDetail() const { return {}; }

    // Closes the window without asking, then runs left().
    void finish();
    // Marks the editor saved when written is true; otherwise says the
    // settings file could not be written and leaves it unsaved.
    bool confirmWritten(bool written);

    void closeEvent(QCloseEvent* event) override;

    EditorServices m_services;
    AppState& m_state;

private:
    void decide();

    SavedFlag m_flag;
    bool m_finishing = false;
};

// Runs action whenever button becomes checked: by a click, by the keyboard,
// or by a screen reader's Toggle, which clicks nothing.
void whenChecked(QAbstractButton& button, std::function<void()> action);

// A colour as style sheet text, "rgb(r,g,b)", and as a background.
QString cssColor(ColorRef color);
QString backgroundCss(ColorRef color);

} // namespace ventoral
