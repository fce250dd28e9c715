// SPDX-License-Identifier: GPL-3.0-or-later
// The station wall's tiles: where they stand at a window's size, which tile
// an arrow key reaches, what a tile draws (recorded, not painted) and that
// it says what the panel says of the same station.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "instruments/condition_strip.h"
#include "instruments/wall_painter.h"
#include "recording_surface.h"
#include "settings/units.h"
#include "test_support.h"

using namespace ventoral;
using test::RecordingSurface;
using test::SurfaceCall;

namespace {

constexpr double kTwipsPerPixel = 15;   // 96 dpi

PanelModel modelOf(const std::string& code, const std::string& reportFile, const UnitSettings& units,
                   const CivilTime& now = {2023, 12, 6, 18, 30, 0})
{
    static const IsoDateForms forms;
    StationTexts texts;
    texts.presentText = test::readData("observations/noaa-decoded/" + reportFile);
    texts.lastText = test::readData("observations/trend/KSEA.TREND");
    texts.dataValid = true;
    return buildPanelModel(snapshotOf(code, texts), std::nullopt, units, {now, nullptr, &forms});
}

bool drew(const RecordingSurface& surface, const std::string& text)
{
    return !surface.textsEqual(text).empty();
}

} // namespace

TEST(WallLayout, ColumnsFromTheWidthZoomAsFarAsBothFit)
{
    const struct {
        const char* name;
        int tiles;
        int widthPx;
        int heightPx;
        int columns;
        int rows;
        double zoom;
    } cases[] = {
        {"twenty on a large screen", 20, 1280, 1024, 5, 4, 19200.0 / 17040},
        {"twenty in a small window scroll", 20, 700, 500, 3, 7, 1},
        {"three in a wide window", 3, 1920, 1080, 3, 1, 28800.0 / 10260},
        {"three in a short wide window", 3, 1920, 300, 3, 1, 4500.0 / 2580},
        {"narrower than a tile", 20, 100, 800, 1, 20, 1},
        {"just five wide", 20, 1136, 2000, 5, 4, 1},
        {"a pixel short of five", 20, 1135, 2000, 4, 5, 17025.0 / 13650},
        {"no station", 0, 800, 600, 1, 0, 12000.0 / 3480},
    };
    for (const auto& c : cases) {
        const WallLayout layout = wallLayout(c.tiles, c.widthPx * kTwipsPerPixel, c.heightPx * kTwipsPerPixel);
        EXPECT_EQ(layout.columns, c.columns) << c.name;
        EXPECT_EQ(layout.rows, c.rows) << c.name;
        EXPECT_NEAR(layout.zoom, c.zoom, 1e-3) << c.name;
        EXPECT_LE(layout.widthTwips() * layout.zoom, std::max(c.widthPx * kTwipsPerPixel, layout.widthTwips()) + 1e-6)
            << c.name;
    }
}

TEST(WallLayout, ArrowKeysStepWithinTheWall)
{
    const WallLayout five = wallLayout(7, 17040, 1e9);   // 5 columns: 0-4, then 5 and 6
    ASSERT_EQ(five.columns, 5);
    const struct {
        int from;
        int dx;
        int dy;
        int to;
    } cases[] = {
        {0, 1, 0, 1}, {0, -1, 0, 0}, {0, 0, -1, 0}, {0, 0, 1, 5}, {4, 1, 0, 4}, {4, 0, 1, 4},
        {1, 0, 1, 6}, {6, 1, 0, 6}, {6, -1, 0, 5}, {6, 0, -1, 1}, {5, 0, 1, 5},
    };
    for (const auto& c : cases)
        EXPECT_EQ(neighbourTile(five, 7, c.from, c.dx, c.dy), c.to) << c.from << " " << c.dx << "," << c.dy;
}

TEST(WallTile, SaysWhatThePanelSaysOfTheSameStation)
{
    for (const UnitSettings& units : {UnitSettings{}, [] {
             UnitSettings u;
             u.speedUnit = kSpeedMph, u.temperatureUnit = kTempFahrenheit, u.pressureUnit = kPressureInches;
             return u;
         }()}) {
        const PanelModel model = modelOf("KBFI", "KBFI-2.txt", units);
        const WallTile tile = wallTileOf("KBFI Seattle Boeing Field", model);
        EXPECT_EQ(tile.code, "KBFI");
        EXPECT_EQ(tile.name, "Seattle Boeing Field");
        EXPECT_TRUE(tile.hasReport);
        EXPECT_EQ(model.dial(DialKind::Temperature).caption, "Temperature " + tile.readings.temperature + units.temperatureUnit);
        EXPECT_EQ(model.dial(DialKind::Pressure).caption, "Air Pressure " + tile.readings.pressure + " " + tile.pressureUnit);
        EXPECT_EQ(model.dial(DialKind::Pressure).secondCaption, tile.tendencyText);
        EXPECT_EQ(tile.flightCategory, model.flightCategory);
        EXPECT_EQ(tile.source, "decoded report");
        ASSERT_TRUE(tile.age);
        EXPECT_EQ(tile.ageText, "37 min old");
        EXPECT_FALSE(tile.stale);
        EXPECT_EQ(tile.temperatureLine.points[5].offset, model.graph(GraphKind::Temperature).points[5].offset);
    }
}

TEST(WallPainter, DrawsEveryFigureTheTagAndTheLines)
{
    const WallTile tile = wallTileOf("KBFI Seattle Boeing Field", modelOf("KBFI", "KBFI-2.txt", {}));
    const ColorScheme colors;
    RecordingSurface surface(Surface::Kind::Window, kTileWidthTwips, kTileHeightTwips);
    paintTile(surface, tile, {colors});
    for (const char* text : {"KBFI", "Seattle Boeing Field", "10 \xC2\xB0" "C", "dew point 8.9 \xC2\xB0" "C",
                             "Wind calm", "1009 hPa", "-1.0 hPa/3 h", "Humidity 92%", "mist", "37 min old",
                             "Source: decoded report", "IFR"})
        EXPECT_TRUE(drew(surface, text)) << text;
    const auto tag = surface.callsOf(SurfaceCall::Op::FilledBox);
    ASSERT_FALSE(tag.empty());
    EXPECT_EQ(tag.front().fore, flightCategoryColor(FlightCategory::Ifr));
    EXPECT_EQ(surface.textsEqual("IFR").front().fore, kWhite);
    // The tendency arrow, and two lines of 23 segments each.
    EXPECT_EQ(surface.callsOf(SurfaceCall::Op::Polygon).size(), 1u);
    EXPECT_EQ(surface.callsOf(SurfaceCall::Op::Line).size(), 46u);
    EXPECT_EQ(surface.textsEqual("37 min old").front().fore, colors.textColor);
}

TEST(WallPainter, AStaleReportsAgeIsRedOnWhite)
{
    const WallTile tile =
        wallTileOf("KBFI", modelOf("KBFI", "KBFI-2.txt", {}, CivilTime{2023, 12, 6, 21, 0, 0}));
    ASSERT_TRUE(tile.stale);
    RecordingSurface surface(Surface::Kind::Window, kTileWidthTwips, kTileHeightTwips);
    paintTile(surface, tile, {ColorScheme{}});
    const auto age = surface.textsEqual("3 h 7 min old");
    ASSERT_EQ(age.size(), 1u);
    EXPECT_EQ(age.front().fore, kRed);
    const auto boxes = surface.callsOf(SurfaceCall::Op::FilledBox);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().fore, kWhite);
}

TEST(WallPainter, AStationWithoutDataShowsItsStatusAlone)
{
    StationSnapshot none;
    none.code = "KXYZ";
    WallTile tile = wallTileOf("KXYZ Nowhere", buildPanelModel(none, std::nullopt, {}, {}));
    tile.statusLine = "Click Update to download data for this station";
    RecordingSurface surface(Surface::Kind::Window, kTileWidthTwips, kTileHeightTwips);
    paintTile(surface, tile, {ColorScheme{}});
    std::vector<std::string> texts = surface.textStrings();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0], "KXYZ");
    EXPECT_EQ(texts[1], "Nowhere");
    EXPECT_EQ(surface.callsOf(SurfaceCall::Op::Line).size(), 0u);
    EXPECT_EQ(surface.callsOf(SurfaceCall::Op::Text).back().fore, kRed);
}

TEST(WallPainter, TheWallPlacesEachTileAndZoomsIt)
{
    std::vector<WallTile> tiles;
    for (const char* file : {"KBFI-2.txt", "KSEA-1.txt", "EGLC-1.txt"})
        tiles.push_back(wallTileOf(std::string(file, 4), modelOf(std::string(file, 4), file, {})));
    const WallLayout layout = wallLayout(3, 2 * 3390 + 90, 1e9);
    ASSERT_EQ(layout.columns, 2);
    RecordingSurface surface(Surface::Kind::Image, 20000, 20000);
    paintWall(surface, tiles, {ColorScheme{}}, layout);
    ASSERT_EQ(surface.callsOf(SurfaceCall::Op::Clear).size(), 1u);
    for (int i = 0; i < 3; ++i) {
        const auto code = surface.textsEqual(tiles[static_cast<std::size_t>(i)].code);
        ASSERT_EQ(code.size(), 1u);
        EXPECT_NEAR(code.front().args[0], (layout.tileLeft(i) + 90) * layout.zoom, 1e-6);
        EXPECT_NEAR(code.front().args[1], (layout.tileTop(i) + 50) * layout.zoom, 1e-6);
    }
}

// What the tiles of six real stations draw, in both unit systems (refresh
// with VENTORAL_REFRESH_REFERENCE=1).
TEST(WallPainter, RealStationsMatchTheFrozenDrawing)
{
    std::string out;
    for (const char* file : {"KBFI-2.txt", "KSEA-3.txt", "EGLC-2.txt", "LIMC-1.txt", "NZSP-1.txt", "KSFO-4.txt"})
        for (const bool metric : {true, false}) {
            UnitSettings units;
            if (!metric)
                units.speedUnit = kSpeedMph, units.temperatureUnit = kTempFahrenheit, units.pressureUnit = kPressureInches;
            const std::string code(file, 4);
            RecordingSurface surface(Surface::Kind::Window, kTileWidthTwips, kTileHeightTwips);
            paintTile(surface, wallTileOf(code + " Station", modelOf(code, file, units)), {ColorScheme{}}, !metric);
            out += "== " + std::string(file) + (metric ? " metric" : " imperial, focused") + "\n" + surface.transcript();
        }
    EXPECT_EQ(out, test::reference("instruments/wall-tiles.expected", out));
}
