// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The start-up procedure: folders, first-run defaults, face check, settings
// load, UTC offset; then the main window takes over.

#include <array>
#include <string>
#include <vector>

#include "session/app_state.h"
#include "settings/ini_file.h"
#include "platform/clock.h"
#include "platform/locations.h"

namespace ventoral {

// The eight instrument face bitmaps, inside the program folder's "Faces".
inline constexpr std::array<const char*, 8> kFaceFiles = {
    "ScaleHumidity.bmp",     "ScalePressureH.bmp",      "ScalePressureI.bmp", "ScaleTemperatureC.bmp",
    "ScaleTemperatureF.bmp", "ScaleWindDirection.bmp",  "ScaleWindSpeedK.bmp", "ScaleWindSpeedM.bmp",
};
// A face file smaller than this is taken as damaged.
inline constexpr long kMinimumFaceBytes = 1000;

// Folders created below the program folder, parents first.
inline constexpr std::array<const char*, 5> kProgramFolders = {
    "Faces", "Data", "Data/Maps", "Data/MinMax", "Data/Station Data",
};

std::string facesFolder(const std::string& programFolder);
// True when a face is missing or, all being there, one is under 1000 bytes.
bool facesNeedRendering(const std::string& programFolder);

// What start-up needs of the windows; each is a window of its own later.
class StartupUi {
public:
    virtual ~StartupUi() = default;
    // "Wait while Ventoral completes the setup.", shown without waiting.
    virtual void showSetupNotice(const std::string& text) = 0;
    virtual void hideSetupNotice() = 0;
    // A first run's wizard, beside the main window; returns at once.
    virtual void showSetupWizard() = 0;
};

// Start-up without windows, for the command line: no notice and no wizard.
class QuietStartupUi : public StartupUi {
public:
    void showSetupNotice(const std::string&) override {}
    void hideSetupNotice() override {}
    void showSetupWizard() override {}
};

class FaceRenderer {
public:
    virtual ~FaceRenderer() = default;
    // Renders all eight faces into facesFolder; false when one could not be saved.
    virtual bool makeFaces(const AppState& state, const std::string& facesFolder) = 0;
};

class MainWindowHost {
public:
    virtual ~MainWindowHost() = default;
    // The station selector is filled; the start-up complete flag is still off.
    virtual void stationsLoaded() = 0;
    virtual void startProg() = 0;
    virtual void showWindow() = 0;
};

struct StartupServices {
    const Locations& locations;
    const Clock& clock;
    StartupUi& ui;
    FaceRenderer& faces;
    MainWindowHost& mainWindow;
};

enum class StartupProblem {
    FolderNotCreated,
    SettingsNotWritten,
    // The file stands there but cannot be read; the run leaves it untouched.
    SettingsUnreadable,
    FacesNotRendered,
};

struct StartupReport {
    bool firstRun = false;
    bool facesRendered = false;
    std::vector<std::pair<StartupProblem, std::string>> problems; // with the path concerned
};

// True when the settings file is missing (or a symbolic link to nothing)
// or names no station data folder; start-up then writes every default.
// For a file that could be read or is missing: one that stands there
// unread is no first run (IniDocument::loadForUpdate tells them apart).
bool isFirstRun(const std::string& settingsFile, const IniDocument& ini);

inline constexpr const char* kSetupNotice = "Wait while Ventoral completes the setup.";

StartupReport Main(AppState& state, const StartupServices& services);

} // namespace ventoral
