// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The colour scheme editor: ten colours and the dial number size, each
// colour set with red, green and blue sliders, with a preview dial and
// graph. Saving re-renders the face bitmaps only when a colour drawn into
// them (ticks, face, main pointer) changed.

#include <array>

#include "widgets/editor_support.h"

class QLabel;
class QLineEdit;
class QRadioButton;
class QScrollBar;

namespace ventoral {

class PicturePanel;

class ColorOptions : public SettingsEditor {
    Q_OBJECT
public:
    static constexpr int kEntries = 10;

    ColorOptions(EditorServices services, QWidget* parent = nullptr);

    void Option1_Click(int index);
    void VScroll1_Change();
    void btnViewScale_Click();
    void btnSave_Click();
    void btnExit_Click() { leave(); }

protected:
    void save() override;
    void checkForChanges() override;
    void discard() override;
    void left() override;

private:
    void showSwatch(int index);
    void drawPreview();
    // Takes the size in the box; refuses anything else with a message and
    // puts the size taken before back in the box. False when refused.
    bool takeFontSize();

    ColorScheme m_snapshot;
    ColorScheme m_colors;   // the swatches and the font size last taken from its box
    int m_selected = 0;
    std::array<QRadioButton*, kEntries> m_options{};
    std::array<QLabel*, kEntries> m_swatches{};
    std::array<QScrollBar*, 3> m_channels{};   // red, green, blue
    QLineEdit* m_fontSize;
    QLabel* m_instructions;
    PicturePanel* m_previewDial;
    PicturePanel* m_previewGraph;
};

} // namespace ventoral
