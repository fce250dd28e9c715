// SPDX-License-Identifier: GPL-3.0-or-later
#include "stations/core/station_catalogue.h"

#include "platform/core/number_text.h"
#include "platform/core/file_io.h"

namespace ventoral {

namespace {

std::vector<std::string> nonEmptyTrimmed(const std::vector<std::string>& lines)
{
    std::vector<std::string> out;
    for (const std::string& line : lines) {
        const std::string_view t = trimBlanks(line);
        if (!t.empty())
            out.emplace_back(t);
    }
    return out;
}

} // namespace

std::vector<std::string> StationCatalogue::countryChoices() const
{
    return nonEmptyTrimmed(countries);
}

std::vector<std::string> StationCatalogue::stateChoices() const
{
    return nonEmptyTrimmed(states);
}

StationInfo stationInfoOf(const StationCatalogue& catalogue, std::string_view code)
{
    for (const StationRecord& record : catalogue.directory.records()) {
        if (trimBlanks(record.code) != code)
            continue;
        StationInfo info;
        info.name = fieldText(record.description);
        const std::string state = fieldText(record.state);
        if (!state.empty())
            info.name += ", " + state;
        const std::optional<std::int16_t> country = integerOf(record.country);
        if (country && *country >= 1 && static_cast<std::size_t>(*country) <= catalogue.countries.size())
            info.name += ", " + std::string(trimBlanks(catalogue.countries[static_cast<std::size_t>(*country - 1)]));
        info.latitude = fieldText(record.latitude);
        info.longitude = fieldText(record.longitude);
        const std::string height = fieldText(record.height);
        if (!height.empty() && height != "0")
            info.elevationMetres = height;
        return info;
    }
    return {};
}

CatalogueResult loadStationCatalogue(const std::string& folder)
{
    CatalogueResult result;
    const std::string directoryPath = joinPath(folder, kDirectoryFile);
    std::optional<StationDirectory> directory = StationDirectory::load(directoryPath);
    if (!directory) {
        result.missingFile = directoryPath;
        return result;
    }
    const std::string countriesPath = joinPath(folder, kCountriesFile);
    std::optional<std::vector<std::string>> countries = loadTextLines(countriesPath);
    if (!countries) {
        result.missingFile = countriesPath;
        return result;
    }
    StationCatalogue catalogue;
    catalogue.directory = std::move(*directory);
    catalogue.countries = std::move(*countries);
    catalogue.states = loadTextLines(joinPath(folder, kStatesFile)).value_or(std::vector<std::string>{});
    catalogue.setup = loadTextLines(joinPath(folder, kSetupFile)).value_or(std::vector<std::string>{});
    for (const std::string& line : loadTextLines(joinPath(folder, kTestedFile)).value_or(std::vector<std::string>{}))
        if (!trimBlanks(line).empty())
            catalogue.tested.emplace(trimBlanks(line));
    result.catalogue = std::move(catalogue);
    return result;
}

std::function<StationInfo(const std::string&)> catalogueLookup(const std::string& folder)
{
    struct Cache {
        bool read = false;
        std::optional<StationCatalogue> catalogue;
    };
    auto cache = std::make_shared<Cache>();
    return [cache, &folder](const std::string& code) {
        if (!cache->read) {
            cache->read = true;
            cache->catalogue = loadStationCatalogue(folder).catalogue;
        }
        return cache->catalogue ? stationInfoOf(*cache->catalogue, code) : StationInfo{};
    };
}

} // namespace ventoral
