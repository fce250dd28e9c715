// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The folders window: where station data, min/max files and maps are kept,
// and the program folder, stored in "Files". Changing a folder moves no
// files; new files go to, and are looked for in, the new folder.

#include <array>

#include "widgets/editor_support.h"

class QLineEdit;

namespace ventoral {

class FoldersForm : public SettingsEditor {
    Q_OBJECT
public:
    FoldersForm(EditorServices services, QWidget* parent = nullptr);

    void btnSave_Click() { save(); }
    void btnOk_Click() { leave(); }
    // Browse for field i (3-6); the chosen folder fills the field.
    void Command1_Click(int index);

protected:
    void save() override;
    void checkForChanges() override;

private:
    FolderTable fields() const;

    std::array<QLineEdit*, 4> m_fields{};   // Text1 3-6
};

} // namespace ventoral
