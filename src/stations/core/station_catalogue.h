// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The delivered station files, read once and shared by the short-list
// window, the type-in window and the setup wizard.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "observations/present_builder.h"
#include "stations/core/station_directory.h"

namespace ventoral {

struct StationCatalogue {
    StationDirectory directory;
    std::vector<std::string> countries;   // line i is country number i + 1
    std::vector<std::string> states;
    std::vector<std::string> setup;       // one line per country: map region ";" site region
    std::unordered_set<std::string> tested;

    // The non-empty lines of the country file, trimmed, as the lists show them.
    std::vector<std::string> countryChoices() const;
    std::vector<std::string> stateChoices() const;
};

struct CatalogueResult {
    std::optional<StationCatalogue> catalogue;
    std::string missingFile;   // the first file that could not be read
};

// The station line's parts for a present report built from a METAR:
// "Seattle-Tacoma International Airport, WA, United States", "47-27N",
// "122-19W". A code the directory lacks gives an empty name, which the
// report writes as "Station name not available". The directory's height
// 0 stands for an unknown elevation.
StationInfo stationInfoOf(const StationCatalogue& catalogue, std::string_view code);

// stationInfoOf over the catalogue of folder, read on the first call (so
// folder may still be filled in after this); a catalogue that cannot be
// read leaves every station unnamed. folder must outlive the function.
std::function<StationInfo(const std::string&)> catalogueLookup(const std::string& folder);

// The directory and the country file are required; the state, setup and
// tested lists read as empty when missing.
CatalogueResult loadStationCatalogue(const std::string& folder);

} // namespace ventoral
