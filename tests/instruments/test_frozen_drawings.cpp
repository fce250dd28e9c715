// SPDX-License-Identifier: GPL-3.0-or-later
// Today's drawings, frozen: every drawing call of the ten panel pictures and
// of the printed page, for real reports in both unit systems, so that a
// rework of how the panel is drawn can show it still draws the same.
//
// One reference file per case and unit system in
// tests/data/instruments/frozen/<case>.<units>.expected. Refresh them with
// VENTORAL_REFRESH_REFERENCE=1 only for a change that is meant to show, and
// say which case changed and why. Where the inputs came from:
// tests/data/instruments/frozen/input/SOURCES.md.

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "instruments/panel_layout.h"
#include "observations/station_data.h"
#include "platform/core/file_io.h"
#include "platform/core/text_encoding.h"
#include "printing/print_job.h"
#include "instruments/panel_painter.h"
#include "session/shown_station.h"
#include "session/startup.h"
#include "settings/units.h"
#include "recording_surface.h"
#include "test_support.h"

using namespace ventoral;
using test::RecordingSurface;

namespace {

// A station as the program finds it on disk, and the computer's clock.
struct StationInput {
    std::string listEntry;               // as the short list holds it: "KBFI Boeing Field"
    std::optional<std::string> present;  // the present report; nothing: no station data file
    std::string trend;                   // the trend report
    CivilTime nowLocal;
};

struct UnitSystem {
    const char* name;
    const char* speed;
    const char* temperature;
    const char* pressure;
};

// What one start of the program draws: the pictures by the names of
// kPictureOrder, and the printed page.
struct StartDrawings {
    std::map<std::string, std::string> pictures;
    std::string printedPage;
};

// Hours added to UTC for the computer's local time, in every case.
constexpr int kUtcOffsetHours = -8;
// The zone the drawings were frozen in: UTC-8 all year.
const FixedTimeZone kFrozenZone(kUtcOffsetHours * 60);
// Letter paper on the printer; the panel's top-left corner is placed at
// (kPageOriginTwips, kPageOriginTwips), so the page's offsets are covered.
constexpr double kPaperWidthTwips = 12240;
constexpr double kPaperHeightTwips = 15840;
constexpr double kPageOriginTwips = 1080;

// ---------------------------------------------------------------------------
// The adapter: the only code of this test that touches the program's
// drawing API (the store, the panel model, the painters, the print job).
// When that API changes, rewrite this function alone; the references must
// stay as they are.
//
// Two starts of the program on the folders below dataHome (XDG_DATA_HOME)
// and configHome, with first-run settings and the given units. Before the
// first start the station data file is written (unless input has no present
// report) and there is no min/max file. Each start reads the station from
// the store, draws the panel once at input.nowLocal, and draws the printed
// page as "&File" / "&Print" would right after that.
std::vector<StartDrawings> drawTwoStarts(const StationInput& input, const UnitSystem& units,
                                         const std::string& dataHome, const std::string& configHome)
{
    // Each picture on a recording surface of the size the main window gives it.
    class Pictures : public PanelTargets {
    public:
        std::map<PanelPicture, RecordingSurface> surfaces;

        Surface& begin(PanelPicture picture) override
        {
            const bool dial = picture > PanelPicture::WindDGraph;   // the graphs come first
            const bool wide = picture == PanelPicture::PresGraph || picture == PanelPicture::TempGraph;
            const double width = dial ? panel::kDialWidth : wide ? panel::kWideGraphWidth : panel::kNarrowGraphWidth;
            const double height = dial ? panel::kDialHeight : panel::kGraphHeight;
            auto [it, fresh] = surfaces.try_emplace(picture, Surface::Kind::Window, width, height);
            it->second.reset();
            return it->second;
        }
        void end(PanelPicture) override {}
    };
    static const std::map<PanelPicture, std::string> kNames = {
        {PanelPicture::PresGraph, "pressure graph"},   {PanelPicture::HumidGraph, "humidity graph"},
        {PanelPicture::TempGraph, "temperature graph"}, {PanelPicture::WindSGraph, "wind speed graph"},
        {PanelPicture::WindDGraph, "wind direction graph"}, {PanelPicture::Picture10, "wind direction dial"},
        {PanelPicture::Picture8, "wind speed dial"},    {PanelPicture::Picture2, "temperature dial"},
        {PanelPicture::Picture4, "humidity dial"},      {PanelPicture::Picture6, "pressure dial"},
    };

    std::vector<StartDrawings> starts;
    for (int start = 0; start < 2; ++start) {
        const std::string programFolder = joinPath(dataHome, "ventoral");
        for (const char* folder : kProgramFolders)
            createFolder(joinPath(programFolder, folder));
        AppTables tables;
        WriteDefaultSettings(joinPath(configHome, "vntl.ini"), programFolder, tables);
        tables.units.speedUnit = units.speed;
        tables.units.temperatureUnit = units.temperature;
        tables.units.pressureUnit = units.pressure;
        tables.shortList.entries = {input.listEntry};
        tables.shortList.selected = 0;
        const std::string code = tables.shortList.currentStation();
        if (start == 0 && input.present)
            writeStationData(stationDataPath(tables.folders.stationData, code), input.trend, *input.present);

        ShownStation shown;
        shown.show(storeOf(tables), code);
        const IsoDateForms forms;
        const PanelModel model = shown.model(tables.units, {kFrozenZone.utcOf(input.nowLocal), &kFrozenZone, &forms});
        Pictures pictures;
        paintPanel(pictures, model, {tables.colors, tables.shades, facesFolder(programFolder)});

        StartDrawings drawn;
        for (const auto& [picture, surface] : pictures.surfaces)
            drawn.pictures[kNames.at(picture)] = surface.transcript();
        PanelPage page;
        page.title = input.listEntry;
        page.dateLabel = model.dateLabel ? decodeLegacyText(model.dateLabel->caption) : statusText(model.status);
        RecordingSurface paper(Surface::Kind::Printer, kPaperWidthTwips, kPaperHeightTwips);
        TraceLog trace;
        panelJob(model, tables, page, trace).draw(paper, kPageOriginTwips, kPageOriginTwips);
        drawn.printedPage = paper.transcript();
        starts.push_back(std::move(drawn));
    }
    return starts;
}
// End of the adapter.
// ---------------------------------------------------------------------------

// The pictures in the order the display cycle draws them today.
const std::vector<std::string> kPictureOrder = {
    "pressure graph",      "humidity graph",  "temperature graph", "wind speed graph", "wind direction graph",
    "wind direction dial", "wind speed dial", "temperature dial",  "humidity dial",    "pressure dial",
};

struct FrozenCase {
    const char* name;       // the reference file's stem
    const char* listEntry;
    const char* present;    // below tests/data; nullptr: the station has no data file
    const char* trend;      // below tests/data; nullptr: an empty trend text
    CivilTime nowLocal;     // kUtcOffsetHours from UTC, shortly after the report
    const char* shows;
};

const FrozenCase kCases[] = {
    {"rodn-full-day", "RODN Kadena Ab", "instruments/frozen/input/RODN-2355.txt",
     "instruments/frozen/input/RODN-2355.trend", {2026, 8, 18, 16, 5, 0},
     "a whole report (tendency line +0.2 hPa) and all 24 hours of trend; report cycle 0 = newest trend cycle 0"},
    {"rodn-gust", "RODN Kadena Ab", "instruments/frozen/input/RODN-2255.txt",
     "instruments/frozen/input/RODN-2255.trend", {2026, 8, 18, 15, 5, 0},
     "a gust (18 gusting 25 MPH), 23 hours of trend (no cycle 0), tendency 0.0 hPa from the trend table; "
     "cycle 23 both"},
    {"kbli-gust-no-trend", "KBLI Bellingham", "observations/noaa-decoded/KBLI-7.txt", nullptr,
     {2024, 1, 18, 10, 10, 0}, "a gust (14 gusting 25 MPH), below freezing, tendency line +2.2 hPa, an empty trend"},
    {"cyus-no-wind-no-humidity", "CYUS Shepherd Bay", "observations/noaa-decoded-more/CYUS-2010-10-31.txt",
     "instruments/frozen/input/RODN-0755.trend", {2010, 10, 31, 0, 20, 0},
     "no wind, dew point or humidity in the report; a morning's trend (cycles 1-8), tendency -0.7 hPa from it; "
     "cycle 8 both"},
    {"ksea-no-data-file", "KSEA Seattle", nullptr, nullptr, {2023, 12, 6, 10, 0, 0},
     "a station without a data file: the placeholder texts, no pointers, no markers"},
    {"kbfi-report-cycle-18-trend-cycle-14", "KBFI Boeing Field", "observations/noaa-decoded/KBFI-2.txt",
     "observations/trend/KSEA.TREND", {2023, 12, 6, 10, 0, 0},
     "calm, tendency line -1.0 hPa; the report's cycle 18 differs from the trend's newest cycle 14, so the "
     "printed bands are turned by 4 hours against the screen's (a known fault)"},
};

void PrintTo(const FrozenCase& c, std::ostream* os)
{
    *os << c.name;
}
void PrintTo(const UnitSystem& units, std::ostream* os)
{
    *os << units.name;
}

const UnitSystem kUnitSystems[] = {
    {"metric", kSpeedKph, kTempCelsius, kPressureHpa},
    {"imperial", kSpeedMph, kTempFahrenheit, kPressureInches},
};

std::string replaceAll(std::string text, const std::string& from, const std::string& to)
{
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

std::string clockText(const CivilTime& t)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour, t.minute);
    return text;
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// Fails with the first line that differs, the picture it belongs to and how
// many lines differ, rather than printing two whole files.
void expectSameLines(const std::string& actual, const std::string& expected, const std::string& file)
{
    if (actual == expected)
        return;
    const std::vector<std::string> a = linesOf(actual);
    const std::vector<std::string> e = linesOf(expected);
    std::size_t first = std::string::npos;
    std::size_t differing = 0;
    for (std::size_t i = 0; i < std::max(a.size(), e.size()); ++i) {
        const bool same = i < a.size() && i < e.size() && a[i] == e[i];
        if (!same && first == std::string::npos)
            first = i;
        differing += same ? 0 : 1;
    }
    std::string picture = "(before the first picture)";
    for (std::size_t i = 0; i < first && i < e.size(); ++i)
        if (e[i].rfind("== ", 0) == 0)
            picture = e[i];
    ADD_FAILURE() << file << ": " << differing << " lines differ (" << a.size() << " drawn, " << e.size()
                  << " in the reference); the first is line " << first + 1 << ", in " << picture
                  << "\n  reference: " << (first < e.size() ? e[first] : "(end of file)")
                  << "\n  drawn:     " << (first < a.size() ? a[first] : "(end of file)")
                  << (first == std::string::npos ? "\n  (the files differ in their last line end)" : "");
}

class FrozenDrawings : public ::testing::TestWithParam<std::tuple<FrozenCase, UnitSystem>> {};

TEST_P(FrozenDrawings, DrawAsTheyDidWhenFrozen)
{
    const auto& [c, units] = GetParam();
    StationInput input;
    input.listEntry = c.listEntry;
    if (c.present)
        input.present = test::readData(c.present);
    if (c.trend)
        input.trend = test::readData(c.trend);
    input.nowLocal = c.nowLocal;

    const test::TempDir dataHome;
    const test::TempDir configHome;
    const std::vector<StartDrawings> starts = drawTwoStarts(input, units, dataHome.path(), configHome.path());
    ASSERT_EQ(starts.size(), 2u);

    std::string actual = std::string("# ") + c.name + ", " + units.name + " (" + units.speed + ", " +
                         units.temperature + ", " + units.pressure + "): " + c.shows + "\n";
    actual += "# Two starts on fresh folders at " + clockText(c.nowLocal) + " local time, UTC " +
              std::to_string(kUtcOffsetHours) +
              " h. One line per drawing call: the operation, its numbers (twips, degrees) to 0.01, fore colour, "
              "fill colour, solid fill, draw width, font size, bold, and the text or picture path.\n";
    // A picture the second start draws exactly as the first is written as such.
    const auto add = [&](std::size_t start, const std::string& picture, const std::string& drawn,
                         const std::string& drawnAtFirstStart) {
        actual += "== start " + std::to_string(start + 1) + ": " + picture;
        actual += start > 0 && drawn == drawnAtFirstStart ? ", as at start 1\n" : "\n" + drawn;
    };
    for (std::size_t start = 0; start < starts.size(); ++start) {
        ASSERT_EQ(starts[start].pictures.size(), kPictureOrder.size());
        for (const std::string& picture : kPictureOrder) {
            const auto it = starts[start].pictures.find(picture);
            ASSERT_NE(it, starts[start].pictures.end()) << picture;
            add(start, picture, it->second, starts[0].pictures.at(picture));
        }
        add(start, "printed page", starts[start].printedPage, starts[0].printedPage);
    }
    // Face bitmaps are read from the per-user data folder, a new one each run.
    actual = replaceAll(actual, dataHome.path(), "$XDG_DATA_HOME");

    const std::string file = std::string("instruments/frozen/") + c.name + "." + units.name + ".expected";
    expectSameLines(actual, test::reference(file, actual), file);
}

std::string caseName(const ::testing::TestParamInfo<std::tuple<FrozenCase, UnitSystem>>& info)
{
    std::string name = std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
    for (char& ch : name)
        if (ch == '-')
            ch = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, FrozenDrawings, ::testing::Combine(::testing::ValuesIn(kCases),
                                                                   ::testing::ValuesIn(kUnitSystems)),
                         caseName);

} // namespace
