// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the setup wizard proposes for a country and a position: the nearby
// stations known to deliver reports, six maps of the region's map server,
// a forecast page for the position and the map-key site.

#include <array>
#include <string>
#include <vector>

#include "settings/settings.h"
#include "stations/core/station_catalogue.h"
#include "stations/core/search_ranges.h"

namespace ventoral {

// The map server whose /pix/ folder holds six maps per region
// (region + "1.24hr.png" ... "6.24hr.png"), and its key page.
inline constexpr const char* kMapServerBase = "https://wxmaps.org/pix/";
inline constexpr const char* kMapKeyAddress = "https://wxmaps.org/pix/fcstkey.html";
inline constexpr const char* kMonsoonMapBase = "https://www.monsoondata.org/wx/india";
inline constexpr const char* kMonsoonRegion = "India";
// Forecast pages addressed by the position: the National Weather Service's
// point forecast (MapClick.php?lat=..&lon=.., decimal degrees, west and south
// negative) where Setup.txt names the source "nws", and meteoblue's
// worldwide week forecast (degrees with hemisphere letters, "47.4500N122.3167W")
// for any other source.
inline constexpr const char* kNwsForecastSource = "nws";
inline constexpr const char* kNwsForecastBase = "https://forecast.weather.gov/MapClick.php";
inline constexpr const char* kNwsForecastName = "National Weather Service Forecast";
inline constexpr const char* kWorldForecastBase = "https://www.meteoblue.com/en/weather/week/";
inline constexpr const char* kWorldForecastName = "meteoblue Weather Forecast";
inline constexpr const char* kMapKeyName = "Key to IGES Weather Maps";

inline constexpr std::array<const char*, 6> kWizardMapNames = {
    "500mb Geopotential Height & Vorticity",
    "Sea Level Pressure & 1000-500mb Thickness",
    "700mb Vertical Velocity & Precipitation",
    "850mb Temperature, Relative Humidity & Winds",
    "200mb Streamlines & Isotachs",
    "Convective Available Potential Energy & Precipitable Water",
};

// Growth of the search box per pass, alternately latitude and longitude.
inline constexpr float kWizardStep = 0.05f;
// The search gives up once both ranges exceed this many degrees.
inline constexpr float kWizardMaxRange = 4.0f;

struct WizardSearch {
    std::vector<std::string> lines;   // found-list lines of the proposed stations
    SearchRanges ranges;              // where the growth stopped
};

// Grows the box from nothing until at least 4 tested stations are inside
// or both ranges exceed 4 degrees; 11 or more are cut to the first 9.
WizardSearch wizardStationSearch(const StationCatalogue& catalogue, double latitude, double longitude);

struct SetupRegions {
    std::string map;
    std::string forecast;   // the forecast source: "nws", or any other text for the worldwide page
};

// The line of Setup.txt on the country's line number; empty when the country
// or its line is missing.
SetupRegions setupRegionsOf(const StationCatalogue& catalogue, const std::string& country);

struct MapPlan {
    std::array<std::string, 6> mapAddresses;   // empty without a map region
    std::string forecastAddress;               // empty without a forecast source
    std::string forecastName;
    std::string keyAddress = kMapKeyAddress;
};

// The position in decimal degrees, north and east positive.
MapPlan mapPlanFor(const SetupRegions& regions, double latitude, double longitude);

// The forecast page of a source for a position in decimal degrees (north and
// east positive), with four decimals whatever the locale.
std::string forecastAddressFor(const std::string& source, double latitude, double longitude);

struct PlacedAddresses {
    int maps = 0;
    int sites = 0;
};

// Clears address and name slots 0-9 and places the maps from slot 0, the
// forecast site in slot 8 and the map key in slot 9 (in slot 8 when no
// forecast site was placed, so the first site is never left empty).
PlacedAddresses placeWizardAddresses(const MapPlan& plan, AddressTable& addresses, NameTable& names);

} // namespace ventoral
