// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/command_start.h"

#include <optional>
#include <ostream>

#include "platform/qt_services.h"
#include "session/startup.h"

namespace ventoral {

namespace {

// The faces belong to the window; its next start repairs them.
class NoFaces : public FaceRenderer {
public:
    bool makeFaces(const AppState&, const std::string&) override { return false; }
};

class NoWindow : public MainWindowHost {
public:
    void stationsLoaded() override {}
    void startProg() override {}
    void showWindow() override {}
};

} // namespace

bool startCommand(AppState& state, const Clock& clock, std::ostream& err)
{
    // A first run would write the defaults, and they hold no station; nor do
    // the defaults a file that cannot be read leaves this run with.
    const FixedLocations locations = systemLocations();
    const std::optional<IniDocument> settings = IniDocument::loadForUpdate(locations.settingsFile());
    if (!settings) {
        err << "ventoral-cli: the settings file " << locations.settingsFile() << " cannot be read; it is left as it is\n";
        return false;
    }
    if (isFirstRun(locations.settingsFile(), *settings)) {
        err << "ventoral-cli: no stations set up in " << locations.settingsFile() << "; start ventoral once first\n";
        return false;
    }
    QuietStartupUi ui;
    NoFaces faces;
    NoWindow window;
    Main(state, {locations, clock, ui, faces, window});
    return true;
}

} // namespace ventoral
