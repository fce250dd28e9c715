// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/folders_form.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/named_button.h"
#include "platform/core/file_io.h"
#include "platform/qt_services.h"

namespace ventoral {

namespace {

constexpr int kFirstField = 3;   // the fields are numbered 3-6
constexpr const char* kLabels[] = {"Station Data", "Min / Max", "Maps", "Program Files"};

std::array<std::string*, 4> entriesOf(FolderTable& f)
{
    return {&f.stationData, &f.minMax, &f.maps, &f.program};
}

} // namespace

FoldersForm::FoldersForm(EditorServices services, QWidget* parent)
    : SettingsEditor(std::move(services), "frmDirectories", "Folders", parent)
{
    auto* frame = new QGroupBox("Directories", this);
    auto* grid = new QGridLayout(frame);
    FolderTable folders = m_state.tables.folders;
    const auto entries = entriesOf(folders);
    for (int i = 0; i < 4; ++i) {
        const int index = kFirstField + i;
        grid->addWidget(new QLabel(kLabels[i], frame), i, 0);
        auto* field = new QLineEdit(toQString(*entries[static_cast<std::size_t>(i)]), frame);
        field->setObjectName(QString("Text1_%1").arg(index));
        field->setMinimumWidth(420);
        m_fields[static_cast<std::size_t>(i)] = field;
        auto* browse =
            namedButton(QString("Command1_%1").arg(index), "&Browse...", "Browse your folders and Files", frame);
        grid->addWidget(field, i, 1);
        grid->addWidget(browse, i, 2);
        connect(browse, &QPushButton::clicked, this, [this, index] { Command1_Click(index); });
    }

    auto* note = new QLabel("These are the folders where Ventoral saves data. To change any of these you must write "
                            "in the full path. Save the modifications you make.",
                            this);
    note->setObjectName("Label1");
    note->setWordWrap(true);
    auto* save = namedButton("btnSave", "&Save", "Save the selected directories", this);
    auto* ok = namedButton("btnOk", "OK", "Exit the directories settings", this);
    connect(save, &QPushButton::clicked, this, &FoldersForm::btnSave_Click);
    connect(ok, &QPushButton::clicked, this, &FoldersForm::btnOk_Click);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(note);
    layout->addLayout(buttons);
}

FolderTable FoldersForm::fields() const
{
    FolderTable folders;
    const auto entries = entriesOf(folders);
    for (std::size_t i = 0; i < entries.size(); ++i)
        *entries[i] = fromQString(m_fields[i]->text());
    return folders;
}

void FoldersForm::Command1_Click(int index)
{
    QLineEdit* field = m_fields.at(static_cast<std::size_t>(index - kFirstField));
    if (const auto folder = m_services.dialogs.chooseFolder("Path", fromQString(field->text())))
        field->setText(toQString(*folder));
}

void FoldersForm::save()
{
    m_state.tables.folders = fields();
    // The shown station's files are read from the new folders.
    m_state.shown.show(storeOf(m_state.tables), m_state.shown.code());
    m_services.redraw();
    if (!confirmWritten(WriteFolderSettings(m_state.settingsFile, m_state.tables.folders)))
        return;
    // A folder typed in that does not exist yet is made, so the files written
    // there are not lost.
    std::string missing;
    for (const std::string* folder : entriesOf(m_state.tables.folders))
        if (!folder->empty() && !createFolder(*folder))
            missing += "\n" + *folder;
    if (!missing.empty())
        m_services.prompter.warn(kEditorMessageTitle, "These folders could not be created:" + missing);
}

void FoldersForm::checkForChanges()
{
    const FolderTable now = fields();
    const FolderTable& saved = m_state.tables.folders;
    if (now.stationData != saved.stationData || now.minMax != saved.minMax || now.maps != saved.maps ||
        now.program != saved.program)
        markChanged();
}

} // namespace ventoral
