// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The type-in window: looks a station up in the directory by its ICAO
// code, or takes one typed by hand, and adds it to the short list being
// edited. The directory is only read.

#include <string>

#include <QDialog>

#include "platform/prompter.h"
#include "stations/core/short_list_editor.h"
#include "stations/core/station_catalogue.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace ventoral {

// The answer to a station whose code the short list holds already.
std::string alreadyListedMessage(const std::string& code);

class TypeInStation : public QDialog {
    Q_OBJECT
public:
    TypeInStation(const StationCatalogue& catalogue, ShortListEditor& shortList, Prompter& prompter,
                  QWidget* parent = nullptr);

    void btnSearch_Click();
    void btnShortList_Click();
    void btnExit_Click();

private:
    StationRecord recordFromBoxes() const;

    const StationCatalogue& m_catalogue;
    ShortListEditor& m_shortList;
    Prompter& m_prompter;

    QLabel* m_status;
    QLabel* m_inventory;
    QLineEdit* m_code;
    QLineEdit* m_description;
    QLineEdit* m_state;
    QComboBox* m_country;
    QLineEdit* m_lat;
    QLineEdit* m_lon;
    QLineEdit* m_height;
};

} // namespace ventoral
