// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/snapshot.h"

#include <optional>
#include <ostream>

#include <QApplication>
#include <QPixmap>
#include <QTimer>

#include "session/startup.h"
#include "app/main_window.h"
#include "widgets/qt_face_renderer.h"
#include "platform/core/file_io.h"
#include "platform/qt_services.h"

namespace ventoral {

namespace {

// The snapshot runs without a person: nothing is asked, opened, chosen or
// fetched, every message goes nowhere and every question is answered No.
// The window keeps the default place and leaves the user's saved one alone.
class NoPrompts : public Prompter {
public:
    void inform(const std::string&, const std::string&) override {}
    void warn(const std::string&, const std::string&) override {}
    bool askYesNo(const std::string&, const std::string&) override { return false; }
};

class NoBrowser : public Browser {
public:
    bool open(const std::string&) override { return false; }
};

class NoFileDialogs : public FileDialogs {
public:
    std::optional<FileChoice> openFile(const std::string&, const std::string&, const std::string&) override
    {
        return std::nullopt;
    }
    std::optional<FileChoice> saveFile(const std::string&, const std::string&, const std::string&) override
    {
        return std::nullopt;
    }
    bool printerSetup(const std::string&) override { return false; }
    std::optional<std::string> chooseFolder(const std::string&, const std::string&) override { return std::nullopt; }
};

class NoUserStore : public UserStore {
public:
    std::string value(const std::string&, const std::string&, const std::string& fallback) const override
    {
        return fallback;
    }
    void setValue(const std::string&, const std::string&, const std::string&) override {}
};

class NoUpdates : public UpdateRunner {
public:
    bool busy() const override { return false; }
    void runUpdate() override {}
};

// Forwards start-up to the window, selecting the asked-for station first.
class SnapshotHost : public MainWindowHost {
public:
    SnapshotHost(MainWindow& window, AppState& state, std::string station)
        : m_window(window), m_state(state), m_station(std::move(station))
    {
    }
    bool stationFound = true;

    void stationsLoaded() override
    {
        if (!m_station.empty()) {
            stationFound = false;
            const auto& entries = m_state.tables.shortList.entries;
            for (std::size_t i = 0; i < entries.size(); ++i) {
                ShortList probe;
                probe.entries = {entries[i]};
                probe.selected = 0;
                if (QString::fromStdString(probe.currentStation()).compare(QString::fromStdString(m_station),
                                                                         Qt::CaseInsensitive)
                    == 0) {
                    m_state.tables.shortList.selected = static_cast<int>(i);
                    stationFound = true;
                    break;
                }
            }
        }
        m_window.stationsLoaded();
    }
    void startProg() override
    {
        if (stationFound)
            m_window.startProg();
    }
    void showWindow() override {}

private:
    MainWindow& m_window;
    AppState& m_state;
    std::string m_station;
};

} // namespace

int runSnapshot(const std::vector<std::string>& args, std::ostream& err)
{
    std::string out;
    std::string station;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--station" && i + 1 < args.size()) {
            station = args[++i];
        } else if (args[i].rfind("--", 0) == 0 || !out.empty()) {
            err << "ventoral-cli: unexpected argument " << args[i] << " (see ventoral-cli --help)\n";
            return 2;
        } else {
            out = args[i];
        }
    }
    if (out.empty()) {
        err << "ventoral-cli: snapshot needs an output file (see ventoral-cli --help)\n";
        return 2;
    }
    const FixedLocations locations = systemLocations();
    if (!IniDocument::loadForUpdate(locations.settingsFile())) {
        err << "ventoral-cli: the settings file " << locations.settingsFile() << " cannot be read; it is left as it is\n";
        return 2;
    }
    if (!fileExists(locations.settingsFile())) {
        err << "ventoral-cli: no settings file at " << locations.settingsFile() << "; start ventoral once first\n";
        return 2;
    }

    AppState state;
    const SystemClock clock;
    const LocaleDateForms forms;
    NoUserStore store;
    NoPrompts prompter;
    NoBrowser browser;
    NoUpdates updater;
    NoFileDialogs dialogs;
    QuietStartupUi ui;
    QtFaceRenderer faces(1.0);
    MainWindow window(state, {clock, forms, store, prompter, browser, updater, dialogs});
    SnapshotHost host(window, state, station);
    Main(state, {locations, clock, ui, faces, host});
    if (!host.stationFound) {
        err << "ventoral-cli: station " << station << " is not in the short list\n";
        return 2;
    }
    // No auto update while the picture is taken.
    window.timer()->stop();
    window.show();
    QApplication::processEvents();
    if (!window.grab().save(QString::fromStdString(out), "PNG")) {
        err << "ventoral-cli: cannot write " << out << "\n";
        return 2;
    }
    return 0;
}

} // namespace ventoral
