// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The alarms window: limits for all stations, or limits of its own for one
// station, kept in the settings file's "Alarms" section. Speeds and
// temperatures show in the display units, and a limit changed is kept in
// them; the pressure fall is in hPa.

#include <array>
#include <optional>
#include <string>

#include "settings/alarm_settings.h"
#include "widgets/editor_support.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;

namespace ventoral {

class AlarmsForm : public SettingsEditor {
    Q_OBJECT
public:
    AlarmsForm(EditorServices services, QWidget* parent = nullptr);

    // The limits of every scope, each in the unit it was set in.
    void load(const AlarmSettings& settings);
    AlarmSettings store() const;

    void btnSave_Click() { save(); }
    // Stays open, saying why, while the limits cannot be kept.
    void btnOk_Click();

protected:
    void save() override;
    void checkForChanges() override;

private:
    struct LimitRow {
        QCheckBox* check;
        QDoubleSpinBox* value;
        std::optional<AlarmLimit> AlarmLimits::*limit;
        AlarmUnit unit;   // shown and set in
    };

    // The station code of a scope; empty for all stations.
    std::string scopeCode(int index) const;
    void showScope(int index);
    // The controls into settings, for the scope shown.
    void keepScope(AlarmSettings& settings) const;
    void ownLimitsToggled(bool own);
    void updateEnabled();

    DisplayUnits m_units;
    AlarmSettings m_working;
    AlarmSettings m_saved;
    int m_shownScope = 0;
    QComboBox* m_scope;
    QCheckBox* m_ownLimits;
    std::array<LimitRow, 5> m_rows{};
};

} // namespace ventoral
