// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The addresses window: the eight map images with their names and Auto
// flags, the two web sites of the site viewer and the two report base
// addresses. Each map's local file name is derived from its address.

#include <array>
#include <string>

#include "widgets/editor_support.h"

class QCheckBox;
class QLineEdit;

namespace ventoral {

class PicSites : public SettingsEditor {
    Q_OBJECT
public:
    PicSites(EditorServices services, QWidget* parent = nullptr);

    void btnSave_Click() { save(); }
    void btnOk_Click() { leave(); }

protected:
    void save() override;
    void checkForChanges() override;

private:
    // What the fields hold, to compare with what they were loaded with.
    struct Fields {
        std::array<std::string, 12> addresses;
        std::array<std::string, 10> names;
        std::array<bool, 8> autos{};
        bool operator==(const Fields& other) const
        {
            return addresses == other.addresses && names == other.names && autos == other.autos;
        }
    };
    Fields fields() const;

    Fields m_loaded;   // as loaded, or as last saved
    std::array<QLineEdit*, 12> m_addresses{};   // Text1 0-11
    std::array<QLineEdit*, 10> m_names{};       // Text3 0-9
    std::array<QCheckBox*, 8> m_autos{};        // Check1 0-7
};

} // namespace ventoral
