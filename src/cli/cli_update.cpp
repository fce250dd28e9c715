// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_update.h"

#include <optional>
#include <ostream>
#include <sstream>

#include "cli/command_start.h"
#include "session/alarm_watch.h"
#include "session/startup.h"
#include "download/core/downloader.h"
#include "platform/core/file_io.h"
#include "platform/dbus_notifier.h"
#include "platform/qt_services.h"
#include "platform/qt_transfer.h"
#include "stations/core/station_catalogue.h"

namespace ventoral {

namespace {

constexpr int kUpdateFailed = 1;
constexpr int kUsageError = 2;
// The title of the downloader's message when a station's data cannot be saved.
constexpr const char* kDownloadErrorTitle = "Download error";

std::string alarmStateProblemText(AlarmStateProblem problem, const std::string& file)
{
    switch (problem) {
    case AlarmStateProblem::NotRead:
        return "the alarm state file " + file + " cannot be read: alarms already raised may ring again";
    case AlarmStateProblem::NotWritten:
        return "the alarm state file " + file + " cannot be written: each update rings its alarms again";
    }
    return {};
}

// One line per line of text (CR LF or LF separated), each after prefix.
void printLines(std::ostream& err, const std::string& prefix, const std::string& text)
{
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        err << prefix << line << '\n';
    }
}

// The download panel as lines: each status after the count shown beside it.
class ConsoleDownloadView : public DownloadView {
public:
    explicit ConsoleDownloadView(std::ostream& err) : m_err(err) {}

    bool noStation = false;

    void setCount(const std::string& count) override { m_count = count; }
    void setStatus(const std::string& status) override
    {
        m_err << (m_count.empty() ? status : m_count + " " + status) << '\n';
    }
    // The map downloads' "Downloading File: N".
    void setDownloaderText(int, const std::string& text) override { m_err << text << '\n'; }
    void noStationSelected() override { noStation = true; }
    void presentSaved(const std::string& code, const std::string& source) override
    {
        m_err << "Present report of " << code << ": " << source << '\n';
    }

private:
    std::ostream& m_err;
    std::string m_count;
};

// Message boxes as lines; a question gets the safe answer, No.
class ConsolePrompter : public Prompter {
public:
    explicit ConsolePrompter(std::ostream& err) : m_err(err) {}

    bool downloadErrorShown = false;

    void inform(const std::string& title, const std::string& text) override { show(title, text); }
    void warn(const std::string& title, const std::string& text) override { show(title, text); }
    bool askYesNo(const std::string& title, const std::string& text) override
    {
        show(title, text + " (answered No)");
        return false;
    }

private:
    void show(const std::string& title, const std::string& text)
    {
        downloadErrorShown = downloadErrorShown || title == kDownloadErrorTitle;
        printLines(m_err, title + ": ", text);
    }

    std::ostream& m_err;
};

} // namespace

int runUpdateCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    bool all = false;
    for (const std::string& arg : args) {
        if (arg == "--all") {
            all = true;
        } else {
            err << "ventoral-cli: " << (arg.rfind("--", 0) == 0 ? "unknown option " : "unexpected argument ") << arg
                << " (see ventoral-cli --help)\n";
            return kUsageError;
        }
    }
    AppState state;
    const SystemClock clock;
    if (!startCommand(state, clock, err))
        return kUsageError;
    // For this run only: the settings keep the user's choice.
    state.tables.units.updateAll = all;

    QtTransfer transfer;
    QtEventPump events;
    ConsolePrompter prompter(err);
    ConsoleDownloadView view(err);
    Downloader downloader(state, {transfer, events, prompter, clock});
    downloader.setView(&view);
    downloader.setStationLookup(catalogueLookup(state.deliveredDataFolder));
    // The error list the update collects ends its messages, one address a
    // line, so it is not printed a second time here.
    downloader.runUpdate();

    // Alarms go to the desktop where a session has a notification service,
    // and to standard output always, one line each.
    DBusNotifier desktop;
    NotificationRoute route;
    route.setDesktop(&desktop);
    AlarmWatch alarms(route, joinPath(userDataFolder(), kAlarmStateFileName),
                      [&err](AlarmStateProblem problem, const std::string& file) {
                          err << "ventoral-cli: " << alarmStateProblemText(problem, file) << '\n';
                      });
    for (const RaisedAlarm& alarm : alarms.afterUpdate(state))
        out << "Alarm " << alarmMessage(alarm) << '\n';

    const bool failed = downloader.failedStations() > 0 || downloader.failedMaps() > 0 ||
                        downloader.connectionFailed() || prompter.downloadErrorShown || view.noStation;
    return failed ? kUpdateFailed : 0;
}

} // namespace ventoral
