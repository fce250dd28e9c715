// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Records window: a station's highest and lowest temperature, highest
// gust and wind, and lowest and highest pressure, each with its time, for
// today (UTC), this month and all the archive holds, in the display units.

#include <string>

#include <QWidget>

#include "observations/station_records.h"
#include "settings/units.h"

class QTableWidget;

namespace ventoral {

// "31.2 ºC", "18.5 mph", "29.85 inHg": a record's value in the display units.
std::string recordValueText(double value, RecordKind::Quantity quantity, DisplayUnits units);

class RecordsWindow : public QWidget {
    Q_OBJECT
public:
    RecordsWindow(QWidget* parent = nullptr);

    // An empty code: no station is shown.
    void load(const std::string& code, const StationRecords& records, DisplayUnits units);
    QTableWidget* table() const { return m_table; }

private:
    QTableWidget* m_table;
};

} // namespace ventoral
