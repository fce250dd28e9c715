// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Exported copies of a station's two reports: the station data file's
// layout under a dated name in the station data folder, and the checks of
// an import. The station data file itself is never written here.

#include <optional>
#include <string>
#include <string_view>

#include "observations/station_data.h"

namespace ventoral {

// "ABCD" + " " + the date line + ".txt", with every "/", "-" and ":" a space.
std::string exportFileName(const std::string& station, std::string_view dateLine);

// False when a file name on this system cannot hold name: empty, too long,
// a control character, a path separator (and on Windows < > : " | ? *).
bool isUsableFileName(std::string_view name);

enum class ExportProblem { None, NoData, UnusableName, NotWritten };

struct ExportResult {
    ExportProblem problem = ExportProblem::None;
    std::string path;   // the copy's full path, also when it could not be made
};

// The second line of a present report, without its line end: the line the
// report parser shows as the report's date.
std::string reportDateLine(std::string_view presentText);

// Writes the trend text, then the present text, as two quoted records,
// under the name the station and its present report's own date line give.
// NoData, and nothing written, without a station or a present report.
ExportResult exportStationData(const std::string& folder, const std::string& station, std::string_view lastText,
                               std::string_view presentText);

// A copy belongs to the station shown when the first four characters of
// its file name (without folder) are those of the station list's text.
bool importMatchesStation(std::string_view fileName, std::string_view selectorText);

// The two reports of an exported copy, read as the station data file is
// read, with dataValid telling whether the present report is currentStation's.
// nullopt when the bytes hold no two quoted records.
std::optional<StationTexts> importedTexts(std::string_view bytes, const std::string& currentStation);

} // namespace ventoral
