// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The station data file: the trend report and the present report of one
// station, each in double quotes followed by CR LF.

#include <optional>
#include <string>
#include <string_view>

namespace ventoral {

struct StationTexts {
    std::string lastText;    // trend report
    std::string presentText; // present report
    bool dataValid = false;
};

// "ABCD" -> "ABCDData.txt" inside folder.
std::string stationDataPath(const std::string& folder, const std::string& station);

// Loads the file. A file that cannot be read gives the placeholder in both
// texts; a report that is not of currentStation, or says "Station name not
// available" without an ob line of currentStation, gives two empty texts.
// Either way dataValid is false.
StationTexts ReadData(const std::string& path, const std::string& currentStation);
// The same from the file's bytes; nullopt stands for a file that cannot be read.
StationTexts stationTextsOf(std::optional<std::string_view> bytes, const std::string& currentStation);
// The two quoted records as they stand, without the station check;
// nullopt when the bytes do not hold two.
std::optional<StationTexts> quotedRecordsOf(std::string_view bytes);

// The bytes of a station data file holding the two texts. A double quote
// cannot be stored, so each one becomes an apostrophe.
std::string stationDataContent(std::string_view lastText, std::string_view presentText);

// Rewrites the file atomically. A double quote cannot be stored, so each one
// becomes an apostrophe. Returns false when the file could not be written;
// the old file then stays as it was.
bool writeStationData(const std::string& path, std::string_view lastText, std::string_view presentText);

} // namespace ventoral
