// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The trend shade editor: one swatch per hour of age and one for hours
// without data, set with red, green and blue sliders, cleared and blended
// by Fill, exchanged through "Shades*.txt" files; Save stores "Shades".

#include <array>

#include "widgets/editor_support.h"
#include "instruments/shade_swatches.h"

class QButtonGroup;
class QLabel;
class QRadioButton;
class QScrollBar;

namespace ventoral {

class ColorShades : public SettingsEditor {
    Q_OBJECT
public:
    ColorShades(EditorServices services, QWidget* parent = nullptr);

    void Option1_Click(int index);
    void HScroll1_Change();
    void btnClear_Click();
    void btnFill_Click();
    void Export_Click();
    void Import_Click();
    void btnSave_Click() { save(); }
    void btnExit_Click() { leave(); }

    const ShadeSwatches& swatches() const { return m_swatches; }

protected:
    void save() override;
    void checkForChanges() override;
    void left() override;
    std::string saveDetail() const override;

private:
    void showSwatches();
    void releaseSelection();
    // The swatches become the program's shade table, saved or not.
    void copyToTable();

    ShadeSwatches m_swatches;
    int m_selected = -1;
    std::array<QLabel*, 25> m_labels{};
    std::array<QRadioButton*, 25> m_options{};
    std::array<QScrollBar*, 3> m_channels{};   // red, green, blue
    QButtonGroup* m_group;
};

} // namespace ventoral
