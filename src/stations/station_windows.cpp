// SPDX-License-Identifier: GPL-3.0-or-later
#include "stations/station_windows.h"

#include <QWidget>

#include "stations/setup_wizard.h"
#include "stations/station_options.h"
#include "stations/station_test_runner.h"

namespace ventoral {

StationWindows::StationWindows(AppState& state, Prompter& prompter, MainWindowHost& mainWindow, const Clock& clock,
                               QWidget* parent)
    : m_state(state), m_prompter(prompter), m_mainWindow(mainWindow), m_clock(clock), m_parent(parent)
{
}

StationWindows::~StationWindows()
{
    delete m_options;
    delete m_wizard;
}

StationOptions* StationWindows::stationOptions() const
{
    return m_options;
}

SetupWizard* StationWindows::setupWizard() const
{
    return m_wizard;
}

void StationWindows::setStationTest(Downloader* downloader, DownloadView* mainView)
{
    m_downloader = downloader;
    m_mainView = mainView;
}

const StationCatalogue* StationWindows::catalogue()
{
    if (!m_catalogue) {
        CatalogueResult loaded = loadStationCatalogue(m_state.deliveredDataFolder);
        if (!loaded.catalogue) {
            m_prompter.warn("Ventoral", "The station directory file " + loaded.missingFile + " could not be read.");
            return nullptr;
        }
        m_catalogue = std::move(loaded.catalogue);
    }
    return &*m_catalogue;
}

void StationWindows::showStationOptions()
{
    if (m_options) {
        m_options->raise();
        m_options->activateWindow();
        return;
    }
    const StationCatalogue* stations = catalogue();
    if (!stations)
        return;
    std::function<void(ShortListEditor&, QWidget&)> test;
    if (m_downloader && m_mainView)
        test = [this](ShortListEditor& list, QWidget& window) {
            StationTestRunner runner(m_state, *m_downloader, *m_mainView, m_prompter, m_clock);
            runner.run(list, window);
        };
    m_options = new StationOptions(m_state, {m_prompter, m_mainWindow, *stations, std::move(test)}, m_parent);
    m_options->setAttribute(Qt::WA_DeleteOnClose);
    m_options->setWindowModality(Qt::ApplicationModal);
    m_options->show();
}

void StationWindows::showSetupWizard()
{
    if (!m_wizard) {
        const StationCatalogue* stations = catalogue();
        if (!stations)
            return;
        m_wizard = new SetupWizard(m_state, {m_prompter, m_mainWindow, *stations, m_showUnits}, m_parent);
        m_wizard->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_wizard->show();
    m_wizard->raise();
    m_wizard->activateWindow();
}

} // namespace ventoral
