// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The units window: display units, thermometer range, update switches and
// the two second pointers, and whether closing leaves the program in the
// tray. Choices apply at once; Save stores "Units".

#include <array>

#include "widgets/editor_support.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace ventoral {

class UnitsForm : public SettingsEditor {
    Q_OBJECT
public:
    UnitsForm(EditorServices services, QWidget* parent = nullptr);

    void btnSave_Click();
    void btnOk_Click() { leave(); }

protected:
    void save() override;
    void checkForChanges() override;
    void left() override;

private:
    void load();
    void writeRowLabels(bool fahrenheit);
    void chooseSpeed(const char* unit);
    void chooseTemperature(const char* unit);
    void choosePressure(const char* unit);
    void chooseRow(int row);
    void intervalEdited(const QString& text);
    void switchesClicked();
    // Shows the changed units in the main window, the min/max record reloaded.
    void applyUnits();

    QRadioButton* m_kph;
    QRadioButton* m_mph;
    QRadioButton* m_fahrenheit;
    QRadioButton* m_celsius;
    QRadioButton* m_inches;
    QRadioButton* m_hpa;
    std::array<QRadioButton*, 6> m_rows{};
    std::array<QLabel*, 6> m_rowLabels{};
    QCheckBox* m_autoUpdate;
    QCheckBox* m_updateAll;
    QCheckBox* m_gust;
    QCheckBox* m_dewPoint;
    QCheckBox* m_keepInTray;
    QLineEdit* m_interval;
    bool m_loading = false;   // the controls are being filled from the settings
};

} // namespace ventoral
