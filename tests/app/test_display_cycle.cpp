// SPDX-License-Identifier: GPL-3.0-or-later
// The display cycle: what each step leaves behind, and a station switch that shows what a fresh start does.

#include <algorithm>
#include <map>
#include <optional>

#include <gtest/gtest.h>

#include "session/display_cycle.h"
#include "instruments/instruments.h"
#include "observations/recording_surface.h"
#include "observations/station_data.h"
#include "platform/core/file_io.h"
#include "printing/core/printed_panel.h"
#include "test_support.h"

using namespace ventoral;

namespace {

class RecordingTargets : public PanelTargets {
public:
    std::map<PanelPicture, test::RecordingSurface> surfaces;

    Surface& begin(PanelPicture picture) override
    {
        auto [it, fresh] = surfaces.try_emplace(picture, Surface::Kind::Window, 2700.0, 3250.0);
        it->second.reset();
        return it->second;
    }
    void end(PanelPicture) override {}

    bool drew(PanelPicture picture, const std::string& text) const
    {
        return !surfaces.at(picture).textsEqual(text).empty();
    }
};

class DisplayCycle : public ::testing::Test {
protected:
    test::TempDir dir;
    AppState state;
    IsoDateForms forms;
    RecordingTargets targets;
    CivilTime now{2023, 12, 6, 18, 0, 0};

    void SetUp() override
    {
        state.programFolder = dir.path();
        WriteDefaultSettings(dir.file("vntl.ini"), dir.path(), state.tables);
        createFolder(state.tables.folders.stationData);
        createFolder(state.tables.folders.minMax);
    }
    void selectCode(const std::string& entry)
    {
        state.tables.shortList.entries = {entry};
        state.tables.shortList.selected = 0;
        selectStation(state);
        loadStation(state);
    }
};

// Everything the panel shows of one station: the ten pictures, the strip,
// the date label and the printed page.
struct PanelShown {
    std::map<PanelPicture, std::string> pictures;
    std::string label;
    std::vector<std::string> strip;
    std::optional<FlightCategory> category;
    std::optional<double> pressureChangeHpa;
    std::string page;
};

// The main window's steps for the selected station: ReadData, LoadMinMax,
// the status, Redraw; then the print page drawn from what they left.
PanelShown showSelected(AppState& state, const DateForms& forms, const CivilTime& now)
{
    selectStation(state);
    loadStation(state);
    const StationStatus status = stationStatus(state.station);
    RecordingTargets targets;
    const RedrawResult result = Redraw(state, forms, now, targets);
    PanelShown shown;
    for (const auto& [picture, surface] : targets.surfaces)
        shown.pictures[picture] = surface.transcript();
    shown.label = result.present.dateLabel ? result.present.dateLabel->caption : statusText(status);
    for (const StripLine& line : result.present.strip)
        shown.strip.push_back(line.text + " @" + std::to_string(line.y));
    shown.category = result.flightCategory;
    shown.pressureChangeHpa = result.pressureChangeHpa;
    test::RecordingSurface page(Surface::Kind::PrintPage, 12240, 15840);
    drawMachine(state, page, {state.station.currentStation, shown.label, 0, 0}, now);
    shown.page = page.transcript();
    return shown;
}

} // namespace

TEST_F(DisplayCycle, ASwitchShowsTheStationAsAFreshStartOnItDoes)
{
    const std::string folder = state.tables.folders.stationData;
    const std::string trend = test::readData("observations/trend/KSEA.TREND");
    const std::string kbli = test::readData("observations/noaa-decoded/KBLI-1.txt");
    std::string unreadableDate = kbli;
    unreadableDate.replace(unreadableDate.find("2022.02.03"), 10, "2022.xx.03");
    writeStationData(stationDataPath(folder, "KBFI"), trend, test::readData("observations/noaa-decoded/KBFI-2.txt"));
    writeStationData(stationDataPath(folder, "KBLI"), "no trend", kbli);
    writeStationData(stationDataPath(folder, "KBRL"), trend, "KBRL 9ch");
    writeStationData(stationDataPath(folder, "KDAT"), "no trend", "KDAT " + unreadableDate);
    state.tables.shortList.entries = {"KBFI Boeing Field", "KSEA no data file", "KBLI no usable trend",
                                      "KBRL short report", "KDAT unreadable date"};

    // From a station with data to each one without, and back.
    for (const auto& [from, to] :
         std::vector<std::pair<int, int>>{{0, 1}, {0, 2}, {0, 3}, {0, 4}, {1, 0}, {2, 0}, {3, 0}, {1, 4}}) {
        SCOPED_TRACE(state.tables.shortList.entries[from] + " -> " + state.tables.shortList.entries[to]);
        const auto shownAfter = [&](std::vector<int> selections) {
            AppState app;
            app.programFolder = state.programFolder;
            app.tables = state.tables;
            PanelShown shown;
            for (int selected : selections) {
                app.tables.shortList.selected = selected;
                shown = showSelected(app, forms, now);
            }
            return shown;
        };
        const PanelShown afterSwitch = shownAfter({from, to});
        const PanelShown freshStart = shownAfter({to});
        ASSERT_EQ(afterSwitch.pictures.size(), 10u);
        EXPECT_EQ(afterSwitch.pictures, freshStart.pictures);
        EXPECT_EQ(afterSwitch.label, freshStart.label);
        EXPECT_EQ(afterSwitch.strip, freshStart.strip);
        EXPECT_EQ(afterSwitch.category, freshStart.category);
        EXPECT_EQ(afterSwitch.pressureChangeHpa, freshStart.pressureChangeHpa);
        EXPECT_EQ(afterSwitch.page, freshStart.page);
    }
}

// The graphs are drawn before the dials: the humidity graph fills the
// column the min/max record then widens from.
TEST_F(DisplayCycle, TheGraphsFillTheTrendTheDialsWidenTheirExtremesFrom)
{
    writeStationData(stationDataPath(state.tables.folders.stationData, "KBFI"),
                     test::readData("observations/trend/KSEA.TREND"),
                     test::readData("observations/noaa-decoded/KBFI-2.txt"));
    selectCode("KBFI");
    Redraw(state, forms, now, targets);
    EXPECT_TRUE(targets.drew(PanelPicture::Picture6, "Air Pressure 1009 hPa"));
    const MinMaxFileRead file = readMinMaxFile(minMaxPath(state.tables.folders.minMax, "KBFI"));
    ASSERT_TRUE(file.exists);
    EXPECT_LT(file.table[8], 100);
    EXPECT_GT(file.table[9], 0);
}

TEST_F(DisplayCycle, AStationWithoutDataShowsEveryNoDataCaptionAndNoMarks)
{
    selectCode("KSEA");
    EXPECT_EQ(stationStatus(state.station), StationStatus::ClickUpdate);
    const RedrawResult result = Redraw(state, forms, now, targets);
    EXPECT_TRUE(result.present.reportAbsent);
    EXPECT_FALSE(result.flightCategory);
    EXPECT_TRUE(targets.drew(PanelPicture::Picture2, "No Temperature Data"));
    // No data: no markers and no pointers.
    EXPECT_TRUE(targets.surfaces.at(PanelPicture::Picture2).callsOf(test::SurfaceCall::Op::Pie).empty());
    EXPECT_TRUE(targets.surfaces.at(PanelPicture::Picture2).callsOf(test::SurfaceCall::Op::Polygon).empty());
    EXPECT_FALSE(fileExists(minMaxPath(state.tables.folders.minMax, "KSEA")));

    CurrentStationTexts texts;
    texts.presentText = "123456789";
    EXPECT_EQ(stationStatus(texts), StationStatus::NoData);
    EXPECT_EQ(texts.presentText, "");
    texts.presentText = "KBFI 1234567890";
    EXPECT_EQ(stationStatus(texts), StationStatus::Processing);
    selectCode("");
    EXPECT_TRUE(Redraw(state, forms, now, targets).noStation);
}

TEST_F(DisplayCycle, AnAbsentReportDoesNotDragTheTemperatureMinimumDown)
{
    state.station.dataValid = true;
    state.minMax.minTemp = 5;
    state.observation.temperature = kNoPresentReport;
    InstrumentContext context{targets.begin(PanelPicture::Picture2), state.dial, state.tables.colors,
                              state.tables.shades, state.tables.units, state.observation, state.minMax, state.trend,
                              "", 2700, 3250};
    instrumentTemp(context);
    EXPECT_FLOAT_EQ(state.minMax.minTemp, 5);
}

// The tendency from the report's line or from the trend table, on the
// pressure dial and on the printed page alike.
TEST_F(DisplayCycle, TheTendencyIsShownOnThePressureDialAndThePrintedPage)
{
    const struct {
        const char* report;
        std::string trend;
        std::optional<double> changeHpa;
        std::string value;
    } cases[] = {
        {"KBFI-2.txt", test::readData("observations/trend/KSEA.TREND"), -1.0, "-1.0 hPa/3 h"},
        {"KBLI-1.txt", "no trend", std::nullopt, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        const std::string code = std::string(c.report).substr(0, 4);
        writeStationData(stationDataPath(state.tables.folders.stationData, code), c.trend,
                         test::readData(std::string("observations/noaa-decoded/") + c.report));
        selectCode(code);
        const RedrawResult result = Redraw(state, forms, now, targets);
        ASSERT_EQ(result.pressureChangeHpa.has_value(), c.changeHpa.has_value());
        if (c.changeHpa) {
            EXPECT_NEAR(*result.pressureChangeHpa, *c.changeHpa, 0.01);
        }
        EXPECT_EQ(result.flightCategory, FlightCategory::Ifr);

        test::RecordingSurface page(Surface::Kind::PrintPage, 12240, 15840);
        drawMachine(state, page, {code, "", 0, 0}, now);
        for (const test::RecordingSurface* surface : {&targets.surfaces.at(PanelPicture::Picture6), &page}) {
            const auto texts = surface->textStrings();
            const auto tendency = std::find_if(texts.begin(), texts.end(), [](const std::string& text) {
                return text.find("/3 h") != std::string::npos;
            });
            EXPECT_EQ(tendency == texts.end() ? "" : *tendency, c.value);
        }
    }
}
