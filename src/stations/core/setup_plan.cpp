// SPDX-License-Identifier: GPL-3.0-or-later
#include "stations/core/setup_plan.h"

#include <charconv>
#include <cmath>

#include "platform/core/number_text.h"
#include "stations/core/station_search.h"

namespace ventoral {

namespace {

constexpr std::size_t kWanted = 4;
constexpr std::size_t kTooMany = 11;
constexpr std::size_t kKept = 9;

// Four decimals (about 11 m) hold the minute steps of the directory texts.
std::string fixedDegrees(double degrees)
{
    // Rounded first, so a value that rounds to zero is written "0.0000", not "-0.0000".
    double rounded = std::round(degrees * 1e4) / 1e4;
    if (rounded == 0)
        rounded = 0;
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::fixed, 4);
    return std::string(buffer, written.ptr);
}

} // namespace

WizardSearch wizardStationSearch(const StationCatalogue& catalogue, double latitude, double longitude)
{
    WizardSearch result;
    std::vector<std::size_t> found;
    bool latitudeTurn = true;
    while (found.size() < kWanted) {
        if (latitudeTurn)
            result.ranges.latitude += kWizardStep;
        else
            result.ranges.longitude += kWizardStep;
        latitudeTurn = !latitudeTurn;
        const SearchBox box = boxAround(latitude, longitude, result.ranges.latitude, result.ranges.longitude);
        found = searchBox(catalogue.directory, box);
        for (std::size_t i = found.size(); i-- > 0;)
            if (catalogue.tested.count(codeOfEntry(catalogue.directory.records()[found[i]].code)) == 0)
                found.erase(found.begin() + static_cast<std::ptrdiff_t>(i));
        if (result.ranges.latitude > kWizardMaxRange && result.ranges.longitude > kWizardMaxRange)
            break;
    }
    if (found.size() >= kTooMany)
        found.resize(kKept);
    FoundLineFormatter formatter(catalogue.countries);
    for (std::size_t i : found)
        result.lines.push_back(formatter.line(catalogue.directory.records()[i]));
    return result;
}

SetupRegions setupRegionsOf(const StationCatalogue& catalogue, const std::string& country)
{
    const std::string_view wanted = trimBlanks(country);
    for (std::size_t i = 0; i < catalogue.countries.size(); ++i) {
        if (trimBlanks(catalogue.countries[i]) != wanted)
            continue;
        if (i >= catalogue.setup.size())
            return {};
        const std::string& line = catalogue.setup[i];
        const std::size_t semicolon = line.find(';');
        if (semicolon == std::string::npos)
            return {std::string(trimBlanks(line)), {}};
        return {std::string(trimBlanks(std::string_view(line).substr(0, semicolon))),
                std::string(trimBlanks(std::string_view(line).substr(semicolon + 1)))};
    }
    return {};
}

std::string forecastAddressFor(const std::string& source, double latitude, double longitude)
{
    if (source == kNwsForecastSource)
        return std::string(kNwsForecastBase) + "?lat=" + fixedDegrees(latitude) + "&lon=" + fixedDegrees(longitude);
    const std::string north = fixedDegrees(latitude);
    const std::string east = fixedDegrees(longitude);
    const bool south = north.front() == '-';
    const bool west = east.front() == '-';
    return kWorldForecastBase + north.substr(south ? 1 : 0) + (south ? "S" : "N") + east.substr(west ? 1 : 0) +
           (west ? "W" : "E");
}

MapPlan mapPlanFor(const SetupRegions& regions, double latitude, double longitude)
{
    MapPlan plan;
    if (!regions.map.empty()) {
        const std::string base =
            regions.map == kMonsoonRegion ? std::string(kMonsoonMapBase) : kMapServerBase + regions.map;
        for (std::size_t i = 0; i < plan.mapAddresses.size(); ++i)
            plan.mapAddresses[i] = base + std::to_string(i + 1) + ".24hr.png";
    }
    if (!regions.forecast.empty()) {
        plan.forecastAddress = forecastAddressFor(regions.forecast, latitude, longitude);
        plan.forecastName = regions.forecast == kNwsForecastSource ? kNwsForecastName : kWorldForecastName;
    }
    return plan;
}

PlacedAddresses placeWizardAddresses(const MapPlan& plan, AddressTable& addresses, NameTable& names)
{
    for (int i = 0; i <= AddressTable::kSite2; ++i) {
        addresses[i].clear();
        names[static_cast<std::size_t>(i)].clear();
    }
    PlacedAddresses placed;
    for (std::size_t i = 0; i < plan.mapAddresses.size(); ++i) {
        if (plan.mapAddresses[i].empty())
            continue;
        addresses[placed.maps] = plan.mapAddresses[i];
        names[static_cast<std::size_t>(placed.maps)] = kWizardMapNames[i];
        ++placed.maps;
    }
    if (!plan.forecastAddress.empty()) {
        addresses[AddressTable::kSite1] = plan.forecastAddress;
        names[AddressTable::kSite1] = plan.forecastName;
        ++placed.sites;
    }
    const int keySlot = placed.sites == 0 ? AddressTable::kSite1 : AddressTable::kSite2;
    addresses[keySlot] = plan.keyAddress;
    names[static_cast<std::size_t>(keySlot)] = kMapKeyName;
    ++placed.sites;
    return placed;
}

} // namespace ventoral
