// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The station short-list window: directory searches by country, state and
// a latitude/longitude box on one side, the short list being edited on the
// other. The setup wizard drives it through the same public handlers.

#include <functional>

#include <QDialog>

#include "session/app_state.h"
#include "session/startup.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "stations/core/search_ranges.h"
#include "stations/core/short_list_editor.h"
#include "stations/core/station_catalogue.h"
#include "stations/core/station_search.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace ventoral {

struct StationOptionsServices {
    Prompter& prompter;
    // Its station selector follows the list saved here.
    MainWindowHost& mainWindow;
    const StationCatalogue& catalogue;
    // The "Test" button's station test; the button is off without it.
    std::function<void(ShortListEditor&, QWidget& window)> testStations;
};

class StationOptions : public QDialog {
    Q_OBJECT
public:
    StationOptions(AppState& state, StationOptionsServices services, QWidget* parent = nullptr);

    ShortListEditor& shortList() { return m_editor; }
    // The found-stations lines, in list order.
    QStringList foundStations() const;
    void addFoundStation(const std::string& line);
    const SearchRanges& ranges() const { return m_ranges; }
    const SearchBox& box() const { return m_box; }

    void Countries_Click();
    void cmdSearch_Click();
    void btnClearSearch_Click();
    void rangeButton_Click(RangeButton button);
    void cmdAdd_Click();
    void cmdRemove_Click();
    void btnMoveUp_Click();
    void btnMoveDown_Click();
    void cmdSave_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void btnTest_Click();
    void btnTypeIn_Click();

    // The short-list box and caption again from the list being edited.
    void showShortList();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Moves the selected entry one place with move, which gives its new row;
    // without a selection says which way it would have gone.
    void moveSelected(const char* direction, int (ShortListEditor::*move)(int));
    void buildControls();
    void Form_Load();
    void coordinatesEdited(QLineEdit* box, const char* emptyText);
    void searchBoxDriver(RangeButton button);
    // False when a coordinate text was rejected; nothing is searched then.
    void SearchLatLon(const std::string& latText, const std::string& lonText);
    void showFound(const std::vector<std::size_t>& records, bool countOnly);
    void setRangeButtons(const RangeButtons& buttons);
    RangeButtons rangeButtons() const;
    QPushButton* rangeButtonOf(RangeButton button) const;

    AppState& m_state;
    StationOptionsServices m_services;
    ShortListEditor m_editor;
    FoundLineFormatter m_formatter;
    SearchRanges m_ranges;
    SearchBox m_box;
    bool m_statesFilled = false;

    QLabel* m_prompt;
    QLabel* m_hint;
    QListWidget* m_countries;
    QListWidget* m_states;
    QGroupBox* m_countryFrame;
    QGroupBox* m_coordinatesFrame;
    QLineEdit* m_lat;
    QLineEdit* m_lon;
    QLabel* m_latMax;
    QLabel* m_latMin;
    QLabel* m_lonMax;
    QLabel* m_lonMin;
    QPushButton* m_incRange;
    QPushButton* m_decRange;
    QPushButton* m_incLat;
    QPushButton* m_decLat;
    QPushButton* m_incLon;
    QPushButton* m_decLon;
    QGroupBox* m_foundFrame;
    QListWidget* m_found;
    QPushButton* m_add;
    QGroupBox* m_shortListFrame;
    QListWidget* m_shortList;
    QPushButton* m_test;
};

// The message shown when a coordinate text cannot be read.
extern const char* const kCoordinateFormatMessage;

} // namespace ventoral
