// SPDX-License-Identifier: GPL-3.0-or-later
// The shown station: read whole from the store, drawn from its model, and
// never mixed with what was shown before.

#include <algorithm>
#include <map>
#include <optional>

#include <gtest/gtest.h>

#include "instruments/panel_painter.h"
#include "observations/station_data.h"
#include "platform/core/file_io.h"
#include "printing/core/printed_panel.h"
#include "session/shown_station.h"
#include "settings/settings.h"
#include "recording_surface.h"
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

class ShownStationTest : public ::testing::Test {
protected:
    test::TempDir dir;
    AppTables tables;
    IsoDateForms forms;
    RecordingTargets targets;
    CivilTime now{2023, 12, 6, 18, 0, 0};

    void SetUp() override
    {
        WriteDefaultSettings(dir.file("vntl.ini"), dir.path(), tables);
        createFolder(tables.folders.stationData);
        createFolder(tables.folders.minMax);
    }
    void write(const std::string& code, const std::string& trend, const std::string& present)
    {
        writeStationData(stationDataPath(tables.folders.stationData, code), trend, present);
    }
    PanelModel show(ShownStation& shown, const std::string& code)
    {
        shown.show(storeOf(tables), code);
        const PanelModel model = shown.model(tables.units, {now, nullptr, &forms});
        paintPanel(targets, model, {tables.colors, tables.shades, ""});
        return model;
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

PanelShown shownOf(const PanelModel& model, const AppTables& tables)
{
    RecordingTargets targets;
    paintPanel(targets, model, {tables.colors, tables.shades, ""});
    PanelShown shown;
    for (const auto& [picture, surface] : targets.surfaces)
        shown.pictures[picture] = surface.transcript();
    shown.label = model.dateLabel ? model.dateLabel->caption : statusText(model.status);
    for (const StripLine& line : model.strip)
        shown.strip.push_back(line.text + " @" + std::to_string(line.y));
    shown.category = model.flightCategory;
    shown.pressureChangeHpa = model.pressureChangeHpa;
    test::RecordingSurface page(Surface::Kind::PrintPage, 12240, 15840);
    drawMachine(model, tables.colors, tables.shades, page, {model.code, shown.label, 0, 0});
    shown.page = page.transcript();
    return shown;
}

} // namespace

TEST_F(ShownStationTest, ASwitchShowsTheStationAsAFreshStartOnItDoes)
{
    const std::string trend = test::readData("observations/trend/KSEA.TREND");
    const std::string kbli = test::readData("observations/noaa-decoded/KBLI-1.txt");
    std::string unreadableDate = kbli;
    unreadableDate.replace(unreadableDate.find("2022.02.03"), 10, "2022.xx.03");
    write("KBFI", trend, test::readData("observations/noaa-decoded/KBFI-2.txt"));
    write("KBLI", "no trend", kbli);
    write("KBRL", trend, "KBRL 9ch");
    write("KDAT", "no trend", "KDAT " + unreadableDate);
    const std::vector<std::string> codes = {"KBFI", "KSEA", "KBLI", "KBRL", "KDAT"};

    // From a station with data to each one without, and back.
    for (const auto& [from, to] :
         std::vector<std::pair<int, int>>{{0, 1}, {0, 2}, {0, 3}, {0, 4}, {1, 0}, {2, 0}, {3, 0}, {1, 4}}) {
        SCOPED_TRACE(codes[from] + " -> " + codes[to]);
        const auto shownAfter = [&](std::vector<int> selections) {
            ShownStation shown;
            PanelModel model;
            for (int selected : selections)
                model = show(shown, codes[selected]);
            return shownOf(model, tables);
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

// Drawing never writes: the extremes are widened and kept once, when a new
// report of the station is stored, from its own trend (humidity included).
TEST_F(ShownStationTest, OnlyAStoredReportWidensAndKeepsTheExtremes)
{
    const std::string trend = test::readData("observations/trend/KSEA.TREND");
    const std::string report = test::readData("observations/noaa-decoded/KBFI-2.txt");
    write("KBFI", trend, report);
    ShownStation shown;
    const PanelModel model = show(shown, "KBFI");
    EXPECT_TRUE(targets.drew(PanelPicture::Picture6, "Air Pressure 1009 hPa"));
    ASSERT_TRUE(model.extremes);
    EXPECT_LT(model.extremes->minHum, 100);
    EXPECT_FALSE(fileExists(minMaxPath(tables.folders.minMax, "KBFI")));

    const StationStore store = storeOf(tables);
    const StationStore::Stored stored = store.storeReport("KBFI", trend, report, DisplayUnits{});
    EXPECT_EQ(stored.result, StationStore::StoreResult::Stored);
    const MinMaxFileRead file = readMinMaxFile(minMaxPath(tables.folders.minMax, "KBFI"));
    ASSERT_TRUE(file.exists);
    EXPECT_EQ(stored.extremes, file.table);
    EXPECT_EQ(file.table[8], model.extremes->minHum);
    EXPECT_EQ(file.table[9], model.extremes->maxHum);
}

TEST_F(ShownStationTest, AStationWithoutDataShowsEveryNoDataCaptionAndNoMarks)
{
    ShownStation shown;
    const PanelModel model = show(shown, "KSEA");
    EXPECT_EQ(model.status, StationDataStatus::NoFile);
    EXPECT_STREQ(statusText(model.status), "Click Update to download data for this station");
    EXPECT_FALSE(model.flightCategory);
    EXPECT_TRUE(targets.drew(PanelPicture::Picture2, "No Temperature Data"));
    // No data: no markers and no pointers.
    EXPECT_TRUE(targets.surfaces.at(PanelPicture::Picture2).callsOf(test::SurfaceCall::Op::Pie).empty());
    EXPECT_TRUE(targets.surfaces.at(PanelPicture::Picture2).callsOf(test::SurfaceCall::Op::Polygon).empty());
    EXPECT_FALSE(fileExists(minMaxPath(tables.folders.minMax, "KSEA")));

    // A report under ten characters is no data either, whoever it names.
    write("KBRL", "trend", "KBRL 9ch");
    EXPECT_EQ(show(shown, "KBRL").status, StationDataStatus::NotUsable);
    EXPECT_FALSE(show(shown, "KBRL").extremes);
    EXPECT_STREQ(statusText(StationDataStatus::NotUsable), "No data available for this station");
    EXPECT_TRUE(show(shown, "").noStation);
}

// The tendency from the report's line or from the trend table, on the
// pressure dial and on the printed page alike.
TEST_F(ShownStationTest, TheTendencyIsShownOnThePressureDialAndThePrintedPage)
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
        write(code, c.trend, test::readData(std::string("observations/noaa-decoded/") + c.report));
        ShownStation shown;
        const PanelModel model = show(shown, code);
        ASSERT_EQ(model.pressureChangeHpa.has_value(), c.changeHpa.has_value());
        if (c.changeHpa) {
            EXPECT_NEAR(*model.pressureChangeHpa, *c.changeHpa, 0.01);
        }
        EXPECT_EQ(model.flightCategory, FlightCategory::Ifr);

        test::RecordingSurface page(Surface::Kind::PrintPage, 12240, 15840);
        drawMachine(model, tables.colors, tables.shades, page, {code, "", 0, 0});
        for (const test::RecordingSurface* surface : {&targets.surfaces.at(PanelPicture::Picture6), &page}) {
            const auto texts = surface->textStrings();
            const auto tendency = std::find_if(texts.begin(), texts.end(), [](const std::string& text) {
                return text.find("/3 h") != std::string::npos;
            });
            EXPECT_EQ(tendency == texts.end() ? "" : *tendency, c.value);
        }
    }
}
