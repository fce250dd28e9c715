// SPDX-License-Identifier: GPL-3.0-or-later
// The station windows driven through their controls on a main window over
// a temporary program folder and the delivered station files.
#include <algorithm>
#include <functional>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <gtest/gtest.h>

#include "about/about_box.h"
#include "settings/settings.h"
#include "editor_fixture.h"
#include "gui_application.h"
#include "app/main_window.h"
#include "platform/core/file_io.h"
#include "stations/core/short_list_editor.h"
#include "stations/core/station_search.h"
#include "delivered_data.h"
#include "stations/setup_wizard.h"
#include "stations/station_options.h"
#include "stations/station_windows.h"
#include "test_support.h"

namespace ventoral::test {
namespace {

class StationWindowsTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        state.deliveredDataFolder = VENTORAL_SOURCE_DATA;
    }
    // A main window whose saved short list holds these entries; none keeps
    // the list of a first run.
    void start(const std::vector<std::string>& entries)
    {
        if (!entries.empty()) {
            ShortListEditor editor;
            editor.load(IniDocument::load(state.settingsFile));
            editor.removeUnless([](std::size_t) { return false; });
            for (const std::string& entry : entries)
                ASSERT_EQ(editor.add(entry), ShortListAdd::Added);
            ASSERT_TRUE(editor.save(state.settingsFile));
        }
        state.tables.shortList = ReadStationSettings(IniDocument::load(state.settingsFile));
        EditorTest::start();
        window->stationsLoaded();
    }
    StationOptions* openOptions()
    {
        window->findChild<QAction*>("stationList")->trigger();
        StationOptions* options = window->stationWindows().stationOptions();
        EXPECT_TRUE(options && options->isVisible());
        return options;
    }
    static void selectRow(QListWidget* list, const QString& startsWith)
    {
        const auto items = list->findItems(startsWith, Qt::MatchStartsWith);
        ASSERT_FALSE(items.isEmpty()) << startsWith.toStdString();
        list->setCurrentItem(items.front());
    }
    // Searches a country and returns the found lines.
    QStringList searchCountry(StationOptions& options, const QString& country = "Iceland")
    {
        selectRow(control<QListWidget>(&options, "lstCountries"), country);
        click(&options, "cmdSearch");
        return options.foundStations();
    }
    std::vector<std::string> savedEntries() const
    {
        return ReadStationSettings(IniDocument::load(state.settingsFile)).entries;
    }
    // Country and position of Seattle, then Next up to the step that
    // applies; the step reached.
    static int runWizardToItsApplyStep(SetupWizard& wizard)
    {
        click(&wizard, "btnNext");
        selectRow(control<QListWidget>(&wizard, "lstCountries"), "United States");
        click(&wizard, "btnNext");
        control<QLineEdit>(&wizard, "txtLat")->setText("47-27N");
        control<QLineEdit>(&wizard, "txtLon")->setText("122-18W");
        for (int step = 3; step <= 5; ++step)
            click(&wizard, "btnNext");
        return wizard.step();
    }
    static std::vector<std::string> codesOf(const std::vector<std::string>& entries)
    {
        std::vector<std::string> codes;
        for (const std::string& entry : entries)
            codes.push_back(codeOfEntry(entry));
        return codes;
    }
    // Runs body while the type-in window is open over the short-list tool.
    void withTypeIn(StationOptions& options, const std::function<void(QDialog&)>& body)
    {
        QTimer::singleShot(0, [&] {
            auto* typeIn = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(typeIn && typeIn->objectName() == "frmTypeInStation");
            body(*typeIn);
            click(typeIn, "btnExit");
        });
        click(&options, "btnTypeIn");
    }
    QStringList selectorLines() const
    {
        QStringList lines;
        auto* combo = window->findChild<QComboBox*>("Combo1");
        for (int i = 0; combo && i < combo->count(); ++i)
            lines << combo->itemText(i);
        return lines;
    }
};

// A latitude or longitude set without a key, as a screen reader sets it,
// starts a new search as a typed one does: the stations found go.
TEST_F(StationWindowsTest, ACoordinateSetWithoutKeysClearsTheStationsFound)
{
    start({"BIKF  Keflavik"});
    StationOptions* options = openOptions();
    ASSERT_TRUE(options);
    for (const char* box : {"txtLat", "txtLon"}) {
        ASSERT_FALSE(searchCountry(*options).isEmpty());
        control<QLineEdit>(options, box)->setText("64-00N");
        EXPECT_TRUE(options->foundStations().isEmpty()) << box;
    }
    // Emptied, the box takes its start text again.
    control<QLineEdit>(options, "txtLat")->setText("");
    EXPECT_FALSE(control<QLineEdit>(options, "txtLat")->text().isEmpty());
}

// A screen reader selects a list item through its Toggle action: selected,
// not made current. The search takes the country so selected.
TEST_F(StationWindowsTest, ACountrySelectedWithoutBecomingCurrentIsSearched)
{
    start({"BIKF  Keflavik"});
    StationOptions* options = openOptions();
    ASSERT_TRUE(options);
    auto* countries = control<QListWidget>(options, "lstCountries");
    const int iceland = countries->row(countries->findItems("Iceland", Qt::MatchStartsWith).front());
    countries->selectionModel()->select(countries->model()->index(iceland, 0), QItemSelectionModel::ClearAndSelect);
    click(options, "cmdSearch");
    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_EQ(options->foundStations().filter(QRegularExpression("^BIKF")).size(), 1);
}

TEST_F(StationWindowsTest, AListedStationOrATwentyFirstIsRefused)
{
    start({"BIKF  Keflavik"});
    StationOptions* options = openOptions();
    ASSERT_TRUE(options);
    const QStringList found = searchCountry(*options);
    auto* list = control<QListWidget>(options, "lstFound");
    selectRow(list, "BIKF");
    click(options, "cmdAdd");
    EXPECT_EQ(options->foundStations(), found);
    EXPECT_EQ(lastText(), "BIKF is on the Short List already.");

    const int canada = searchCountry(*options, "Canada").size();
    for (int i = 0; i < 20; ++i) {
        list->setCurrentRow(0);
        click(options, "cmdAdd");
    }
    EXPECT_EQ(prompter.messages().size(), 2u);
    EXPECT_EQ(control<QListWidget>(options, "lstShortList")->count(), 20);
    EXPECT_EQ(options->shortList().count(), 20);
    EXPECT_EQ(lastText(), "Cannot have more than 20 stations. Remove a station before adding a further one.");
    EXPECT_EQ(list->count(), canada - 19);
}

TEST_F(StationWindowsTest, LeavingWithAnAddedStationAsksOnOkAndOnlyYesSavesTheListTheSelectorShows)
{
    start({"KBFI  Boeing Field"});
    const std::string before = readWholeFile(state.settingsFile).value_or("");
    for (const auto& [button, yes] : {std::pair{"cmdCancel", false}, {"cmdOK", false}, {"cmdOK", true}}) {
        SCOPED_TRACE(std::string(button) + (yes ? " Yes" : " No"));
        StationOptions* options = openOptions();
        ASSERT_TRUE(options);
        const QPointer<StationOptions> window(options);   // closing deletes it
        const QString added = searchCountry(*options).front();
        control<QListWidget>(options, "lstFound")->setCurrentRow(0);
        click(options, "cmdAdd");
        const std::size_t asked = prompter.messages().size();
        if (yes)
            prompter.answer(true);
        click(options, button);
        flush();
        EXPECT_EQ(prompter.messages().size(), asked + (button == std::string("cmdOK")));
        if (!yes) {
            EXPECT_EQ(readWholeFile(state.settingsFile).value_or(""), before);
            EXPECT_EQ(state.tables.shortList.entries, std::vector<std::string>{"KBFI  Boeing Field"});
            EXPECT_EQ(selectorLines().size(), 1);
            continue;
        }
        EXPECT_EQ(lastText(), "Wish to save your changes?");
        const std::vector<std::string> saved = savedEntries();
        EXPECT_EQ(saved, (std::vector<std::string>{"KBFI  Boeing Field", added.toStdString()}));
        EXPECT_EQ(state.tables.shortList.entries, saved);
        EXPECT_TRUE(selectorLines().contains(added));
        EXPECT_TRUE(!window || !window->isVisible());
    }
}

TEST_F(StationWindowsTest, TypeInRejectsAShortCodeAndAddsFoundOrTypedCodesInUpperCaseEachOnce)
{
    start({"KBFI  Boeing Field"});
    StationOptions* options = openOptions();
    ASSERT_TRUE(options);
    QStringList descriptions;
    withTypeIn(*options, [&](QDialog& typeIn) {
        auto* code = control<QLineEdit>(&typeIn, "txtCode");
        code->setText("ks");
        click(&typeIn, "btnShortList");
        click(&typeIn, "btnSearch");
        code->setText("zzzz");
        click(&typeIn, "btnSearch");
        descriptions << control<QLineEdit>(&typeIn, "txtDescription")->text();
        code->setText("ksea");
        click(&typeIn, "btnSearch");
        descriptions << control<QLineEdit>(&typeIn, "txtDescription")->text();
        click(&typeIn, "btnShortList");
        // Typed by hand, without a search.
        type(&typeIn, "txtCode", "kjfk");
        type(&typeIn, "txtDescription", "Kennedy");
        click(&typeIn, "btnShortList");
        EXPECT_EQ(code->text(), "KJFK");
        for (const char* again : {"kjfk", "KBFI", "kbfi"}) {
            type(&typeIn, "txtCode", again);
            click(&typeIn, "btnShortList");
        }
    });

    ASSERT_EQ(descriptions.size(), 2);
    EXPECT_EQ(descriptions[0], "No Stations Found");
    EXPECT_EQ(codesOf(options->shortList().entries()), (std::vector<std::string>{"KBFI", "KSEA", "KJFK"}));
    EXPECT_TRUE(control<QListWidget>(options, "lstShortList")->item(1)->text().startsWith("KSEA  " + descriptions[1]));
    EXPECT_EQ(messageTexts(), (std::vector<std::string>{"Enter a valid four letter ICAO identifier",
                                                       "Enter a valid four letter ICAO identifier",
                                                       "KJFK is on the Short List already.",
                                                       "KBFI is on the Short List already.",
                                                       "KBFI is on the Short List already."}));
}

TEST_F(StationWindowsTest, HelpSetupWizardOpensBesideAUsableMainWindowAndCancelLeavesNoBlankStation)
{
    start({});   // the defaults of a first run: one blank entry
    window->show();
    window->findChild<QAction*>("mnuWizard")->trigger();   // returns at once
    SetupWizard* wizard = window->stationWindows().setupWizard();
    ASSERT_TRUE(wizard && wizard->isVisible());
    EXPECT_FALSE(wizard->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    window->findChild<QAction*>("mnuWizard")->trigger();   // the same wizard comes to the front
    EXPECT_EQ(window->stationWindows().setupWizard(), wizard);

    // The main window works while the wizard is open.
    window->findChild<QAction*>("stationList")->trigger();
    click(openOptions(), "cmdCancel");

    click(wizard, "btnNext");
    click(wizard, "btnCancel");
    flush();
    EXPECT_FALSE(window->stationWindows().setupWizard());
    EXPECT_TRUE(selectorLines().isEmpty());
    EXPECT_TRUE(state.tables.shortList.entries.empty());
    EXPECT_EQ(window->findChild<QLabel*>("Label78")->text(), "No Station selected");
}

TEST_F(StationWindowsTest, SetupWizardWaitsForADownloadThenPlacesTheSameShortListEachTimeItIsApplied)
{
    start({});
    const StationCatalogue* catalogue = window->stationWindows().catalogue();
    ASSERT_TRUE(catalogue);
    SetupWizard wizard(state, {prompter, *window, *catalogue, {}}, window.get());
    wizard.show();
    state.download.busy = true;
    EXPECT_EQ(runWizardToItsApplyStep(wizard), 5);   // stays on the proposal
    EXPECT_TRUE(savedEntries().empty());
    EXPECT_EQ(lastText(), "Ventoral is downloading. Click Next again when the download has ended.");
    state.download.busy = false;
    click(&wizard, "btnNext");
    ASSERT_EQ(wizard.step(), 6);
    EXPECT_EQ(prompter.messages().size(), 1u) << lastText();

    // A first run ends with a short list of distinct codes and its station shown.
    const std::vector<std::string> saved = savedEntries();
    std::vector<std::string> codes = codesOf(saved);
    EXPECT_GT(saved.size(), 1u);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), ""), 0);
    std::sort(codes.begin(), codes.end());
    EXPECT_EQ(std::unique(codes.begin(), codes.end()), codes.end());
    EXPECT_EQ(state.tables.shortList.entries, saved);
    ASSERT_GE(state.tables.shortList.selected, 0);
    EXPECT_EQ(selectorLines().size(), static_cast<int>(saved.size()));
    EXPECT_EQ(state.shown.code(), codeOfEntry(saved[state.tables.shortList.selected]));
    // "< Previous" back to the proposal, then on to the apply step again,
    // and a second wizard: no station is added twice.
    click(&wizard, "btnPrevious");
    EXPECT_EQ(wizard.step(), 5);
    click(&wizard, "btnNext");
    EXPECT_EQ(wizard.step(), 6);
    EXPECT_EQ(savedEntries(), saved);
    SetupWizard second(state, {prompter, *window, *catalogue, {}}, window.get());
    second.show();
    ASSERT_EQ(runWizardToItsApplyStep(second), 6);
    EXPECT_EQ(savedEntries(), saved);
    EXPECT_EQ(state.tables.shortList.entries, saved);
}

TEST_F(StationWindowsTest, AboutBoxShowsTheSystemInformationOrSaysThereIsNone)
{
    guiApplication();
    AboutBox about(prompter, [] { return std::optional<std::string>("cpu: test"); });
    click(&about, "cmdSysInfo");
    AboutBox bare(prompter, {});
    click(&bare, "cmdSysInfo");
    ASSERT_EQ(prompter.messages().size(), 2u);
    EXPECT_EQ(prompter.messages()[0].text, "cpu: test");
    EXPECT_EQ(prompter.messages()[1].text, kNoSystemInformation);
}

} // namespace
} // namespace ventoral::test
