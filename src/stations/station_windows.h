// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Opens the station windows of the main window's menus and of start-up:
// the short-list tool, the setup wizard. The delivered station files are
// read on first use and kept for the whole run.

#include <functional>
#include <optional>

#include <QPointer>

#include "session/app_state.h"
#include "session/startup.h"
#include "download/core/downloader.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "stations/core/station_catalogue.h"

class QWidget;

namespace ventoral {

class SetupWizard;
class StationOptions;

class StationWindows {
public:
    StationWindows(AppState& state, Prompter& prompter, MainWindowHost& mainWindow, const Clock& clock,
                   QWidget* parent);
    ~StationWindows();

    // The station test runs over this downloader; mainView is its usual view.
    void setStationTest(Downloader* downloader, DownloadView* mainView);
    void setUnitsForm(std::function<void()> showUnits) { m_showUnits = std::move(showUnits); }

    // "&Stations": the short-list tool, one at a time.
    void showStationOptions();
    // "Setup &Wizard" and a first run: one wizard at a time, beside the
    // main window, which stays usable; returns at once.
    void showSetupWizard();

    // The files of the delivered data folder; nullptr (after a message) when
    // the directory or the country file cannot be read.
    const StationCatalogue* catalogue();

    StationOptions* stationOptions() const;
    SetupWizard* setupWizard() const;

private:
    AppState& m_state;
    Prompter& m_prompter;
    MainWindowHost& m_mainWindow;
    const Clock& m_clock;
    QWidget* m_parent;
    Downloader* m_downloader = nullptr;
    DownloadView* m_mainView = nullptr;
    std::function<void()> m_showUnits;
    std::optional<StationCatalogue> m_catalogue;
    QPointer<StationOptions> m_options;
    QPointer<SetupWizard> m_wizard;
};

} // namespace ventoral
