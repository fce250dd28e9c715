// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_wall.h"

#include <algorithm>
#include <cmath>
#include <ostream>
#include <variant>

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPainter>

#include "cli/command_start.h"
#include "cli/report_json.h"
#include "instruments/wall_painter.h"
#include "observations/present_parser.h"
#include "platform/qt_services.h"
#include "platform/qt_surface.h"
#include "session/shown_station.h"
#include "session/station_wall.h"

namespace ventoral {

namespace {

constexpr int kUsageError = 2;
// The picture's columns: a wall about as wide as it is high.
constexpr int kMostPictureColumns = 5;

struct WallOptions {
    bool json = false;
    std::string picture;
    std::vector<std::pair<std::string, std::string>> units;   // option, value
};

// The options, or a message for standard error.
std::variant<WallOptions, std::string> parseWallOptions(const std::vector<std::string>& args)
{
    WallOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--json") {
            options.json = true;
        } else if (arg == "--speed" || arg == "--temp" || arg == "--pressure") {
            if (i + 1 >= args.size())
                return "option " + arg + " needs a value";
            if (!unitOption(arg, args[i + 1]))
                return "bad value " + args[i + 1] + " for " + arg;
            options.units.emplace_back(arg, args[i + 1]);
            ++i;
        } else if (arg.rfind("--", 0) == 0) {
            return "unknown option " + arg;
        } else if (options.picture.empty()) {
            options.picture = arg;
        } else {
            return "unexpected argument " + arg;
        }
    }
    if (options.json == !options.picture.empty())
        return std::string("wall needs either --json or an output file");
    return options;
}

QJsonObject stationJson(const WallTile& tile, const StationSnapshot& snapshot, const UnitSettings& units)
{
    QJsonObject object{{"code", QString::fromStdString(tile.code)}, {"name", QString::fromStdString(tile.name)}};
    if (!tile.hasReport)
        return object;
    const DisplayUnits display = DisplayUnits::fromTexts(units.speedUnit, units.temperatureUnit, units.pressureUnit);
    addPresentValues(object, observationOf(snapshot.present, display));
    object.insert("flightCategory", flightCategoryJson(tile.flightCategory));
    object.insert("pressureTendency", tendencyJson(tile.pressureChangeHpa, display.hpa));
    object.insert("ageMinutes", ageMinutesJson(tile.age));
    object.insert("freshness", tile.age ? jsonText(freshnessText(*tile.age)) : QString());
    object.insert("source", QString::fromStdString(tile.source));
    return object;
}

bool savePicture(const std::vector<WallTile>& tiles, const ColorScheme& colors, const std::string& path)
{
    const int count = static_cast<int>(tiles.size());
    const int columns =
        std::clamp(static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count)))), 1, kMostPictureColumns);
    const double widthTwips = kTileGapTwips + columns * (kTileWidthTwips + kTileGapTwips);
    const WallLayout layout = wallLayout(count, widthTwips, 1e9);
    QImage image(static_cast<int>(std::lround(layout.widthTwips() / 15)),
                 static_cast<int>(std::lround(layout.heightTwips() / 15)), QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);   // 96 dpi: 15 twips a pixel
    image.setDotsPerMeterY(3780);
    {
        QPainter painter(&image);
        QtSurface surface(painter, image, Surface::Kind::Image);
        paintWall(surface, tiles, {colors}, layout);
    }
    return image.save(QString::fromStdString(path), "PNG");
}

} // namespace

int runWallCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    const auto parsed = parseWallOptions(args);
    if (const auto* message = std::get_if<std::string>(&parsed)) {
        err << "ventoral-cli: " << *message << " (see ventoral-cli --help)\n";
        return kUsageError;
    }
    const WallOptions& options = std::get<WallOptions>(parsed);

    AppState state;
    const SystemClock clock;
    if (!startCommand(state, clock, err))
        return kUsageError;
    const LocaleDateForms forms;
    UnitSettings& units = state.tables.units;
    for (const auto& [option, value] : options.units) {
        const std::string unit = *unitOption(option, value);
        (option == "--speed" ? units.speedUnit : option == "--temp" ? units.temperatureUnit : units.pressureUnit) = unit;
    }

    StationWall wall;
    wall.follow(storeOf(state.tables), state.tables.shortList.entries);
    const std::vector<WallTile> tiles = wall.tiles(units, {clock.nowUtc(), &clock.zone(), &forms});
    if (!options.json) {
        if (!savePicture(tiles, state.tables.colors, options.picture)) {
            err << "ventoral-cli: cannot write " << options.picture << "\n";
            return kUsageError;
        }
        return 0;
    }
    QJsonArray stations;
    for (int i = 0; i < wall.size(); ++i)
        stations.append(stationJson(tiles[static_cast<std::size_t>(i)], wall.snapshot(i), units));
    out << QJsonDocument(stations).toJson(QJsonDocument::Indented).toStdString();
    return 0;
}

} // namespace ventoral
