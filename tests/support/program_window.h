// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program as a user meets it: a temporary home holding the settings
// file, station data files and min/max files; the real start-up; the main
// window shown off-screen; updates and station tests against a loopback
// server; and a printer that records the page. Tests act through menus by
// their text, the station selector, buttons by their text and files on
// disk. Whatever a test must reach inside the program is kept in this one
// file, so a change of the program's insides is mended here.

#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTimer>

#include <gtest/gtest.h>

#include "gui_application.h"
#include "app/main_window.h"
#include "download/core/downloader.h"
#include "http_test_server.h"
#include "instruments/panel_layout.h"
#include "recording_surface.h"
#include "platform/core/file_io.h"
#include "platform/locations.h"
#include "platform/qt_transfer.h"
#include "instruments/panel_painter.h"
#include "session/shown_station.h"
#include "session/startup.h"
#include "settings/ini_file.h"
#include "settings/settings.h"
#include "recording_printer.h"
#include "test_support.h"
#include "fixed_clock.h"
#include "memory_user_store.h"
#include "recording_browser.h"
#include "scripted_file_dialogs.h"
#include "scripted_prompter.h"

namespace ventoral::test {

// Real NOAA reports the program tests store and serve: a day of KSEA's
// trend; Seattle's, Boeing Field's (calm, IFR) and Bellingham's (freezing,
// with gusts) present reports.
inline const std::string kTrend = readData("observations/trend/KSEA.TREND");
inline const std::string kSeattle = readData("observations/noaa-decoded/KSEA-1.txt");
inline const std::string kBoeingField = readData("observations/noaa-decoded/KBFI-2.txt");
inline const std::string kBellingham = readData("observations/noaa-decoded/KBLI-7.txt");

// Where the update asks for the trend: a folder of NOAA ".TREND" files
// (two fetches per station) or the METAR data service (one fetch of all
// histories, then one present report per station).
enum class TrendSource { Folder, MetarHistory };

// The five dials, in the order of the printed page.
enum class Dial { Pressure, Temperature, Humidity, WindSpeed, WindDirection };
inline constexpr Dial kDials[] = {Dial::Pressure, Dial::Temperature, Dial::Humidity, Dial::WindSpeed,
                                  Dial::WindDirection};

// The windows the tests use besides the main window.
enum class Window { Units, MinMax, Addresses, Stations, TestResults, PrintPreview };

class ProgramTest : public ::testing::Test, protected WithGuiApplication {
protected:
    ProgramTest()
    {
        createFolder(home.file("config/ventoral"));
        AppTables defaults;
        WriteDefaultSettings(settingsFile(), programFolder(), defaults);
        AutoTable noAutoMaps;
        noAutoMaps.fill("0");
        WriteImageAuto(settingsFile(), noAutoMaps);
        createFolder(joinPath(programFolder(), "Data/Station Data"));
        createFolder(joinPath(programFolder(), "Data/MinMax"));
        // A test that fails leaves no transfer waiting for long.
        downloader.setDeadlines({std::chrono::seconds(10), std::chrono::seconds(10)});
    }

    ~ProgramTest() override
    {
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // --- Before start(): the home as the user left it.

    // The station selector's entries ("KSEA Seattle"), the one shown selected.
    void setShortList(const std::vector<std::string>& entries, int selected)
    {
        const std::string file = settingsFile();
        for (std::size_t i = 0; i < entries.size(); ++i)
            WriteIniValue("Stations", "Station" + std::to_string(i), entries[i], file);
        WriteIniValue("Stations", "Number", std::to_string(entries.size()), file);
        WriteIniValue("Stations", "Last", std::to_string(selected), file);
    }
    // A station data file as the update writes it: the trend report, then the present report.
    void putStationData(const std::string& code, const std::string& trend, const std::string& present)
    {
        writeFile(stationDataFile(code), "\"" + trend + "\"\r\n\"" + present + "\"\r\n");
    }
    void putMinMaxFile(const std::string& code, const std::string& bytes) { writeFile(minMaxFile(code), bytes); }
    // Setup > URLs' two data sites, on the loopback server.
    void fetchFromServer(TrendSource trend)
    {
        AddressTable addresses;
        addresses[AddressTable::kPresent] = server.base() + "/decoded";
        addresses[AddressTable::kTrend] = trend == TrendSource::Folder ? folderTrendBase() : metarHistoryBase();
        WriteDataAddresses(settingsFile(), addresses);
    }
    std::string folderTrendBase() const { return server.base() + "/trend"; }
    std::string metarHistoryBase() const { return server.base() + "/api/data/metar"; }
    // Server paths of a station's reports.
    static std::string presentPath(const std::string& code) { return "/decoded/" + code + ".TXT"; }
    static std::string trendPath(const std::string& code) { return "/trend/" + code + ".TREND"; }
    static std::string historyPath(const std::string& codes)
    {
        return "/api/data/metar?ids=" + codes + "&format=raw&hours=25";
    }
    // A station's present and trend reports on the server, from a trend folder.
    void serveReports(const std::string& code, const std::string& present, const std::string& trend)
    {
        server.route(presentPath(code), HttpResponse(200, present));
        server.route(trendPath(code), HttpResponse(200, trend));
    }

    // The program starts as it does for the user, and its window shows.
    void start()
    {
        window = std::make_unique<MainWindow>(
            state, MainWindowServices{clock, forms, store, prompter, browser, downloader, dialogs, &printer});
        downloader.setView(&window->downloadView());
        window->setDownloader(&downloader);
        Main(state, {locations, clock, startupUi, faces, *window});
        QApplication::processEvents();
    }

    // --- What the user does.

    // A menu bar menu's entry, both by their text ("&Setup", "&Units").
    QAction* menuEntry(const QString& menu, const QString& entry) const
    {
        for (QAction* title : window->menuBar()->actions())
            if (title->text() == menu && title->menu())
                for (QAction* action : title->menu()->actions())
                    if (action->text() == entry)
                        return action;
        ADD_FAILURE() << "no menu entry " << menu.toStdString() << " > " << entry.toStdString();
        return nullptr;
    }
    void choose(const QString& menu, const QString& entry)
    {
        if (QAction* action = menuEntry(menu, entry))
            action->trigger();
    }
    // The window if it is shown, else nullptr.
    static QWidget* shownWindow(Window window)
    {
        static const char* const kNames[] = {"frmUnits",   "frmMinMax", "frmPicSites",
                                             "frmOptions", "frmInfo",   "frmPrintPreview"};
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == kNames[static_cast<int>(window)] && w->isVisible())
                return w;
        return nullptr;
    }
    // Clicks the button of window whose text, without its "&", is text.
    static bool click(QWidget* window, const QString& text)
    {
        if (!window) {
            ADD_FAILURE() << "no window to click " << text.toStdString() << " in";
            return false;
        }
        for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
            if (QString(button->text()).remove('&') == text && button->isVisible()) {
                button->click();
                return true;
            }
        ADD_FAILURE() << "no button " << text.toStdString() << " in " << window->objectName().toStdString();
        return false;
    }
    // Picks the station with this code in the main window's selector.
    void pickStation(const std::string& code)
    {
        QComboBox* selector = stationSelector();
        const int index = selector->findText(QString::fromStdString(code), Qt::MatchStartsWith);
        ASSERT_GE(index, 0) << code;
        selector->setCurrentIndex(index);
        emit selector->activated(index);
    }
    // Clicks "&Update" on the menu bar and returns once the update is over.
    void runUpdate()
    {
        QAction* update = menuBarEntry("&Update");
        ASSERT_TRUE(update && update->isEnabled());
        QEventLoop loop;
        bool began = false;
        bool timedOut = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            began = began || !update->isEnabled();
            if (began && update->isEnabled())
                loop.quit();
        });
        poll.start(5);
        QTimer::singleShot(30000, &loop, [&] {
            timedOut = true;
            loop.quit();
        });
        clickMenuBar(update);
        loop.exec();
        ASSERT_FALSE(timedOut) << "the update did not end";
    }
    // File > Print, then Print in the preview: the page the printer got.
    RecordingSurface printPage()
    {
        const std::size_t before = printer.pages().size();
        choose("&File", "&Print");
        click(shownWindow(Window::PrintPreview), "Print");
        if (printer.pages().size() != before + 1) {
            ADD_FAILURE() << "nothing printed";
            return RecordingSurface();
        }
        return printer.pages().back();
    }

    // --- What the main window shows.

    QComboBox* stationSelector() const { return window->findChild<QComboBox*>("Combo1"); }
    std::string shownStationEntry() const { return stationSelector()->currentText().toStdString(); }
    std::string shownStationCode() const { return state.shown.code(); }
    // The wind speed unit the run holds now ("Kph", "Mph").
    std::string speedUnit() const { return state.tables.units.speedUnit; }
    std::string dateLabel() const { return window->findChild<QLabel*>("Label78")->text().toStdString(); }
    QImage dialImage(Dial dial) const
    {
        static const char* const kNames[] = {"Picture6", "Picture2", "Picture4", "Picture8", "Picture10"};
        return window->findChild<QWidget*>(kNames[static_cast<int>(dial)])->grab().toImage();
    }
    // The calls the screen's panel makes when it draws the shown station,
    // one surface per dial, in the order of the printed page.
    std::vector<RecordingSurface> screenDialCalls()
    {
        struct Targets : PanelTargets {
            std::map<PanelPicture, RecordingSurface> surfaces;
            Surface& begin(PanelPicture picture) override
            {
                surfaces[picture] = RecordingSurface(Surface::Kind::Window, panel::kDialWidth, panel::kDialHeight);
                return surfaces[picture];
            }
            void end(PanelPicture) override {}
        } targets;
        const PanelModel model =
            state.shown.model(state.tables.units, {clock.nowUtc(), &clock.zone(), &forms});
        paintPanel(targets, model, {state.tables.colors, state.tables.shades, facesFolder(state.programFolder)});
        std::vector<RecordingSurface> dials;
        for (PanelPicture picture : {PanelPicture::Picture6, PanelPicture::Picture2, PanelPicture::Picture4,
                                     PanelPicture::Picture8, PanelPicture::Picture10})
            dials.push_back(targets.surfaces[picture]);
        return dials;
    }
    // The texts of the message boxes shown so far.
    std::vector<std::string> messages() const
    {
        std::vector<std::string> texts;
        for (const auto& m : prompter.messages())
            texts.push_back(m.text);
        return texts;
    }

    // --- Files.

    std::string settingsFile() const { return home.file("config/ventoral/vntl.ini"); }
    std::string programFolder() const { return home.file("data/ventoral"); }
    std::string stationDataFile(const std::string& code) const
    {
        return joinPath(programFolder(), "Data/Station Data/" + code + "Data.txt");
    }
    std::string minMaxFile(const std::string& code) const
    {
        return joinPath(programFolder(), "Data/MinMax/" + code + ".txt");
    }
    std::string iniValue(const std::string& section, const std::string& key) const
    {
        return ReadIniValue(section, key, "<none>", settingsFile());
    }
    // A file's bytes; nothing when there is no file.
    static std::optional<std::string> fileBytes(const std::string& path) { return readWholeFile(path); }
    // The present report kept in a station data file, or in an exported copy.
    static std::string presentReportIn(const std::string& path)
    {
        const std::string bytes = fileBytes(path).value_or("");
        const auto second = bytes.find("\"\r\n\"");
        if (second == std::string::npos)
            return {};
        const std::string rest = bytes.substr(second + 4);
        return rest.substr(0, rest.rfind('"'));
    }

    TempDir home;
    HttpTestServer server;
    FixedClock clock{CivilTime{2023, 12, 7, 2, 0, 0}};
    ScriptedPrompter prompter;
    ScriptedFileDialogs dialogs;
    RecordingPrinter printer;
    std::unique_ptr<MainWindow> window;

private:
    struct NoFaces : FaceRenderer {
        bool makeFaces(const AppState&, const std::string&) override { return true; }
    };

    QAction* menuBarEntry(const QString& text) const
    {
        for (QAction* title : window->menuBar()->actions())
            if (title->text() == text)
                return title;
        ADD_FAILURE() << "no menu " << text.toStdString();
        return nullptr;
    }
    // A press and release on the menu bar title, as the mouse gives them.
    void clickMenuBar(QAction* title) const
    {
        QMenuBar* bar = window->menuBar();
        const QPointF at = bar->actionGeometry(title).center();
        QMouseEvent press(QEvent::MouseButtonPress, at, bar->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(bar, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, bar->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(bar, &release);
    }

    FixedLocations locations{settingsFile(), programFolder(), VENTORAL_TEST_DATA "/../../data"};
    IsoDateForms forms;
    MemoryUserStore store;
    RecordingBrowser browser;
    QuietStartupUi startupUi;
    NoFaces faces;
    QtTransfer transfer;
    QtEventPump events;
    AppState state;
    Downloader downloader{state, {transfer, events, prompter, clock}};
};

} // namespace ventoral::test
