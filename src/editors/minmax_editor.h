// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The min/max editor: the eight extremes of the station shown when it
// opened, in text boxes, each with an up/down scroll bar; Save stores them
// (widened again by the trend) for that station, whatever station the main
// window shows meanwhile; Reset starts them over from its trend day.

#include <array>
#include <memory>
#include <string>

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

    void saveValues();
    void resetValues();
    // The station whose extremes the editor holds.
    const std::string& station() const { return m_snapshot->code; }

protected:
    void save() override;
    void checkForChanges() override;
    void left() override;

private:
    void showRecord();
    void scrolled(int field, int position);
    bool inchesField(int field) const;
    double fieldValue(int field) const;
    // Widens the record by the station's trend, saves it and shows it.
    void storeAndWrite(MinMaxRecord record);

    std::shared_ptr<const StationSnapshot> m_snapshot;
    DisplayUnits m_units;
    MinMaxRecord m_record;   // as the boxes showed it last
    std::array<QLineEdit*, kFieldCount> m_boxes{};
    std::array<QScrollBar*, kFieldCount> m_bars{};
};

} // namespace ventoral
