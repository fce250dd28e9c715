// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The station directory delivered beside the program: fixed 86-byte
// records read once into memory, with the country and state lists whose
// line numbers and codes the records refer to.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ventoral {

inline constexpr const char* kDirectoryFile = "ICAO Stations.vnt";
inline constexpr const char* kCountriesFile = "Countries.txt";
inline constexpr const char* kStatesFile = "States.txt";
inline constexpr const char* kSetupFile = "Setup.txt";
inline constexpr const char* kTestedFile = "Tested.txt";

// One record's seven fields, each exactly as wide as in the file
// (Windows-1252 bytes padded with spaces).
struct StationRecord {
    static constexpr std::size_t kBytes = 86;
    static constexpr std::size_t kCodeWidth = 4;
    static constexpr std::size_t kDescriptionWidth = 60;
    static constexpr std::size_t kStateWidth = 2;
    static constexpr std::size_t kCountryWidth = 3;
    static constexpr std::size_t kLatitudeWidth = 6;
    static constexpr std::size_t kLongitudeWidth = 7;
    static constexpr std::size_t kHeightWidth = 4;

    std::string code;
    std::string description;
    std::string state;
    std::string country;     // 1-based line number in the country file, as text
    std::string latitude;    // 40-39N
    std::string longitude;   // 073-47W
    std::string height;

    // Each field cut or padded with spaces to its width.
    static StationRecord fromFields(std::string_view code, std::string_view description, std::string_view state,
                                    std::string_view country, std::string_view latitude,
                                    std::string_view longitude, std::string_view height);
    std::string toBytes() const;
};

class StationDirectory {
public:
    StationDirectory() = default;
    // Whole records only: a damaged tail shorter than a record is left out.
    static StationDirectory fromBytes(std::string_view bytes);
    // nullopt when the file cannot be read.
    static std::optional<StationDirectory> load(const std::string& path);

    const std::vector<StationRecord>& records() const { return m_records; }
    std::size_t size() const { return m_records.size(); }
    // Positions in degrees, negative for S and W, in record order.
    double latitudeOf(std::size_t i) const { return m_latitudes[i]; }
    double longitudeOf(std::size_t i) const { return m_longitudes[i]; }

private:
    std::vector<StationRecord> m_records;
    std::vector<double> m_latitudes;
    std::vector<double> m_longitudes;
};

// The lines of a delivered text file (Windows-1252 or UTF-8, CR LF or LF),
// as UTF-8 and without line ends. A final line break ends the last line
// rather than starting an empty one.
std::vector<std::string> splitTextLines(std::string_view bytes);
// nullopt when the file cannot be read.
std::optional<std::vector<std::string>> loadTextLines(const std::string& path);

// Field text for a window: trimmed and turned from Windows-1252 into UTF-8.
std::string fieldText(std::string_view field);

// The state code of a line of the state file: its last 4 characters, trimmed.
std::string stateCodeOfLine(std::string_view line);

} // namespace ventoral
