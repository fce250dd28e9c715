// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/startup.h"

#include <optional>

#include "settings/ini_file.h"
#include "platform/core/file_io.h"

namespace ventoral {

std::string facesFolder(const std::string& programFolder)
{
    return joinPath(programFolder, "Faces");
}

bool facesNeedRendering(const std::string& programFolder)
{
    const std::string folder = facesFolder(programFolder);
    for (const char* name : kFaceFiles)
        if (!fileExists(joinPath(folder, name)))
            return true;
    for (const char* name : kFaceFiles)
        if (FileSizeOf(joinPath(folder, name)) < kMinimumFaceBytes)
            return true;
    return false;
}

bool isFirstRun(const std::string& settingsFile, const IniDocument& ini)
{
    return nothingAt(settingsFile) || ini.value("Files", "Stations", "").empty();
}

namespace {

void renderFaces(AppState& state, const StartupServices& services, StartupReport& report)
{
    const std::string folder = facesFolder(state.programFolder);
    if (services.faces.makeFaces(state, folder))
        report.facesRendered = true;
    else
        report.problems.emplace_back(StartupProblem::FacesNotRendered, folder);
}

} // namespace

StartupReport Main(AppState& state, const StartupServices& services)
{
    StartupReport report;
    state.programFolder = services.locations.programFolder();
    state.deliveredDataFolder = services.locations.deliveredDataFolder();

    state.trace.setEnabled(TraceLog::kBuiltIn);
    state.trace.open(joinPath(state.programFolder, "TraceLog.txt"));
    state.trace.record("Module1,Main");

    state.startDate = services.clock.nowLocal();
    state.settingsFile = services.locations.settingsFile();

    const std::string settingsFolder = state.settingsFile.substr(0, state.settingsFile.find_last_of('/'));
    if (!settingsFolder.empty() && settingsFolder != state.settingsFile && !createFolder(settingsFolder))
        report.problems.emplace_back(StartupProblem::FolderNotCreated, settingsFolder);
    for (const char* folder : kProgramFolders) {
        const std::string path = joinPath(state.programFolder, folder);
        if (!createFolder(path))
            report.problems.emplace_back(StartupProblem::FolderNotCreated, path);
    }

    std::optional<IniDocument> loaded = IniDocument::loadForUpdate(state.settingsFile);
    IniDocument ini = loaded ? std::move(*loaded) : IniDocument{};
    if (!loaded) {
        // The file holds the user's settings all the same: this run works on
        // the defaults and never writes them there.
        report.problems.emplace_back(StartupProblem::SettingsUnreadable, state.settingsFile);
        IniDocument::leaveUntouched(state.settingsFile);
        putDefaultSettings(ini, state.programFolder, state.tables);
    }
    report.firstRun = loaded && isFirstRun(state.settingsFile, ini);
    if (report.firstRun) {
        services.ui.showSetupNotice(kSetupNotice);
        // Where they cannot be written, the defaults still serve this run.
        putDefaultSettings(ini, state.programFolder, state.tables);
        if (!ini.save(state.settingsFile))
            report.problems.emplace_back(StartupProblem::SettingsNotWritten, state.settingsFile);
        renderFaces(state, services, report);
        services.ui.hideSetupNotice();
    }

    // The screen size is the main window's to record: it knows the work area.
    state.startupComplete = false;

    loadAllSettings(ini, state.tables);
    services.mainWindow.stationsLoaded();

    // The schedule runs on the UTC clock: a change of daylight saving
    // neither skips nor repeats an update.
    state.nextUpdateTime = state.lastTickTime = services.clock.nowUtc();
    state.startupComplete = true;

    // Repairs missing or damaged faces without rewriting the settings.
    if (facesNeedRendering(state.programFolder)) {
        services.ui.showSetupNotice(kSetupNotice);
        renderFaces(state, services, report);
        services.ui.hideSetupNotice();
    }

    services.mainWindow.startProg();
    services.mainWindow.showWindow();
    // Opened last, so it stands in front of the main window; it does not
    // wait, and whatever it saves reaches the main window as it is applied.
    if (report.firstRun)
        services.ui.showSetupWizard();
    return report;
}

} // namespace ventoral
