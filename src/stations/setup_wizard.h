// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The setup wizard: seven steps from the user's country and position to a
// short list of nearby stations that deliver reports, six regional weather
// maps, the forecast and map-key sites, and finally the units form.

#include <functional>

#include <QDialog>
#include <QPointer>

#include "session/app_state.h"
#include "session/startup.h"
#include "platform/prompter.h"
#include "stations/core/setup_plan.h"
#include "stations/core/station_catalogue.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace ventoral {

class StationOptions;

struct SetupWizardServices {
    Prompter& prompter;
    MainWindowHost& mainWindow;
    const StationCatalogue& catalogue;
    // Opens the units form; nothing happens without it.
    std::function<void()> showUnits;
};

class SetupWizard : public QDialog {
    Q_OBJECT
public:
    SetupWizard(AppState& state, SetupWizardServices services, QWidget* parent = nullptr);
    ~SetupWizard() override;

    int step() const { return m_step; }
    const WizardSearch& search() const { return m_search; }
    const MapPlan& plan() const { return m_plan; }

    void btnNext_Click();
    void btnPrevious_Click();
    void btnCancel_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showStep(int step);
    void searchStations();
    void apply();

    AppState& m_state;
    SetupWizardServices m_services;
    int m_step = 1;
    std::string m_country;
    std::string m_latText;
    std::string m_lonText;
    SetupRegions m_regions;
    WizardSearch m_search;
    MapPlan m_plan;
    QPointer<StationOptions> m_options;

    QLabel* m_text;
    QListWidget* m_countries;
    QLabel* m_latLabel;
    QLabel* m_lonLabel;
    QLineEdit* m_lat;
    QLineEdit* m_lon;
    QPushButton* m_previous;
    QPushButton* m_next;
    QPushButton* m_cancel;
};

} // namespace ventoral
