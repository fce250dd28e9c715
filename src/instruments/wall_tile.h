// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One station of the short list as the station wall shows it, made from the
// station's panel model so the wall and the panel agree: code and name,
// the present figures with their units, the pressure tendency, the flight
// category, the weather words, the report's age and source, and 24-hour
// lines of temperature and pressure. Also where the tiles stand.

#include <optional>
#include <string>
#include <vector>

#include "instruments/panel_model.h"

namespace ventoral {

// A tile at zoom 1, twips, and the gap around tiles.
inline constexpr double kTileWidthTwips = 3300;
inline constexpr double kTileHeightTwips = 2400;
inline constexpr double kTileGapTwips = 90;

struct WallTile {
    std::string code;
    std::string name;       // the short-list entry after its code
    bool hasReport = false; // false: the tile shows its status line alone
    std::string statusLine; // "Click Update to download data for this station"; set by the wall
    PanelReadings readings;
    // The dials' unit texts: "kph", "°C", "hPa" and so on.
    std::string speedUnit;
    std::string temperatureUnit;
    std::string pressureUnit;
    std::optional<double> pressureChangeHpa;
    std::string tendencyText;   // "+1.4 hPa/3 h"; empty without a change
    std::optional<FlightCategory> flightCategory;
    std::optional<ReportAge> age;
    std::string ageText;        // "41 min old"; empty without an age
    bool stale = false;         // the date label's red
    std::string source;         // "decoded report", "built from the METAR of 20:53 UTC"
    GraphModel temperatureLine;
    GraphModel pressureLine;
};

// entry: the short-list entry, "KSEA Seattle-Tacoma"; its first four
// characters are the code.
WallTile wallTileOf(const std::string& entry, const PanelModel& model);

// "KSEA" and "Seattle-Tacoma" of a short-list entry, blanks trimmed.
std::string entryCode(const std::string& entry);
std::string entryName(const std::string& entry);

// How the tiles stand in a window: as many columns as whole tiles fit
// across its width (at least one, at most one per tile), and zoomed, never
// below 1, as far as the rows still fit its height and the columns its width.
struct WallLayout {
    int columns = 1;
    int rows = 0;
    double zoom = 1;

    // The top-left corner of tile index at zoom 1, twips.
    double tileLeft(int index) const;
    double tileTop(int index) const;
    // The whole wall at zoom 1, twips.
    double widthTwips() const;
    double heightTwips() const;
};

WallLayout wallLayout(int tileCount, double widthTwips, double heightTwips);

// The tile one step from index in the direction (dx, dy) of the arrow keys;
// index itself at the edges of the wall.
int neighbourTile(const WallLayout& layout, int tileCount, int index, int dx, int dy);

} // namespace ventoral
