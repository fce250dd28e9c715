// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/editor_support.h"

#include <QAbstractButton>
#include <QCloseEvent>


namespace ventoral {

bool askToSave(Prompter& prompter, const SavedFlag& flag, const std::string& detail)
{
    if (flag.isSaved())
        return false;
    const std::string text = detail.empty() ? std::string(kSaveQuestion) : std::string(kSaveQuestion) + "\n" + detail;
    return prompter.askYesNo(kEditorMessageTitle, text);
}

SettingsEditor::SettingsEditor(EditorServices services, const char* objectName, const QString& title,
                               QWidget* parent)
    : QWidget(parent, Qt::Window), m_services(std::move(services)), m_state(m_services.state)
{
    setObjectName(objectName);
    setWindowTitle(title);
    setAttribute(Qt::WA_DeleteOnClose);
}

void SettingsEditor::leave()
{
    if (m_finishing)
        return;
    decide();
    finish();
}

void SettingsEditor::decide()
{
    checkForChanges();
    if (!m_flag.isSaved()) {
        if (askToSave(m_services.prompter, m_flag, saveDetail()))
            save();
        else
            discard();
    }
    m_flag.set();
}

void SettingsEditor::finish()
{
    if (m_finishing)
        return;
    m_finishing = true;
    close();
    left();
}

void SettingsEditor::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (m_finishing)
        return;
    // The close box leaves as the exit button does.
    m_finishing = true;
    decide();
    left();
}

bool SettingsEditor::confirmWritten(bool written)
{
    if (written) {
        markSaved();
        return true;
    }
    markChanged();
    m_services.prompter.warn(kEditorMessageTitle,
                             "The settings file " + m_state.settingsFile + " could not be written.");
    return false;
}

void whenChecked(QAbstractButton& button, std::function<void()> action)
{
    QObject::connect(&button, &QAbstractButton::toggled, &button, [action = std::move(action)](bool checked) {
        if (checked)
            action();
    });
}

QString cssColor(ColorRef color)
{
    return QString("rgb(%1,%2,%3)").arg(redOf(color)).arg(greenOf(color)).arg(blueOf(color));
}

QString backgroundCss(ColorRef color)
{
    return "background: " + cssColor(color) + ";";
}

} // namespace ventoral
