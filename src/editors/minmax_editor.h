// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The min/max editor: the current station's eight extremes in text boxes,
// each with an up/down scroll bar; Save stores them (widened again by the
// trend), Reset starts them over from the current trend day.

#include <array>

#include "widgets/editor_support.h"

class QLineEdit;
class QScrollBar;

namespace ventoral {

// Scroll bar positions: 2000 minus the value, so "up" raises it; pressure
// in inches of mercury uses 4000 minus 100 x the value.
int minMaxScrollPosition(double value, bool inches);
double minMaxScrollValue(int position, bool inches);

class MinMaxEditor : public SettingsEditor {
    Q_OBJECT
public:
    // Boxes and bars in this order; names Text1_i and VScroll1_i.
    enum Field { MaxWind, MaxGust, MinTemp, MaxTemp, MinHum, MaxHum, MinPres, MaxPres, kFieldCount };

    MinMaxEditor(EditorServices services, QWidget* parent = nullptr);

    void btnSave_Click();
    void Command1_Click();
    void btnOK_Click() { leave(); }

protected:
    void save() override;
    void checkForChanges() override;
    void left() override;

private:
    void showRecord();
    void scrolled(int field, int position);
    bool inchesField(int field) const;
    double fieldValue(int field) const;
    void storeAndWrite();

    std::array<QLineEdit*, kFieldCount> m_boxes{};
    std::array<QScrollBar*, kFieldCount> m_bars{};
};

} // namespace ventoral
