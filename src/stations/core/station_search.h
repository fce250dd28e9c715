// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The three directory searches (state, country, latitude/longitude box) and
// the found-list line of a station. Every search goes over all records in
// file order, so results keep that order.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "stations/core/station_directory.h"

namespace ventoral {

// Record numbers (0-based) whose trimmed state equals code.
std::vector<std::size_t> searchByState(const StationDirectory& directory, std::string_view code);
// Record numbers whose trimmed country field equals number exactly ("57", not "057").
std::vector<std::size_t> searchByCountry(const StationDirectory& directory, std::string_view number);
// The 1-based number of the last line of the country file equal to name
// (both trimmed), as decimal text; "0" when no line matches.
std::string countryNumberOf(const std::vector<std::string>& countries, std::string_view name);

// A box in degrees around a centre; a longitude limit beyond ±180 comes
// round to the other side and sets its wrap flag.
struct SearchBox {
    float latMax = 0;
    float latMin = 0;
    float lonMax = 0;
    float lonMin = 0;
    bool eastWrap = false;
    bool westWrap = false;
};

SearchBox boxAround(double latitude, double longitude, float latRange, float lonRange);
// A record can appear twice when both wrap flags are set.
std::vector<std::size_t> searchBox(const StationDirectory& directory, const SearchBox& box);

// A limit for the limit labels: "00.000" for latitudes, "000.000" for
// longitudes, always with a decimal point.
std::string limitText(float degrees, bool longitude);

// The found-list line of a record: code, two spaces, description, ", ",
// country name, ", ", state and ", " when there is one, latitude, ", ",
// longitude. A country number without a line keeps the name of the
// previous record formatted, as the window always has.
class FoundLineFormatter {
public:
    explicit FoundLineFormatter(const std::vector<std::string>& countries) : m_countries(countries) {}
    std::string line(const StationRecord& record);

private:
    const std::vector<std::string>& m_countries;
    std::string m_countryName;
};

// The first four characters of an entry, trimmed: the station's code.
std::string codeOfEntry(std::string_view entry);

} // namespace ventoral
