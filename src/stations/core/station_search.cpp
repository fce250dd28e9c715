// SPDX-License-Identifier: GPL-3.0-or-later
#include "stations/core/station_search.h"

#include <cmath>
#include <cstdio>

#include "platform/core/number_text.h"

namespace ventoral {

namespace {

// The positions of the records whose field, trimmed, is value.
std::vector<std::size_t> recordsWhere(const StationDirectory& directory, std::string StationRecord::*field,
                                      std::string_view value)
{
    std::vector<std::size_t> found;
    const std::vector<StationRecord>& records = directory.records();
    for (std::size_t i = 0; i < records.size(); ++i)
        if (trimBlanks(records[i].*field) == value)
            found.push_back(i);
    return found;
}

} // namespace

std::vector<std::size_t> searchByState(const StationDirectory& directory, std::string_view code)
{
    return recordsWhere(directory, &StationRecord::state, code);
}

std::vector<std::size_t> searchByCountry(const StationDirectory& directory, std::string_view number)
{
    return recordsWhere(directory, &StationRecord::country, number);
}

std::string countryNumberOf(const std::vector<std::string>& countries, std::string_view name)
{
    const std::string_view wanted = trimBlanks(name);
    std::size_t number = 0;
    for (std::size_t i = 0; i < countries.size(); ++i)
        if (trimBlanks(countries[i]) == wanted)
            number = i + 1;
    return std::to_string(number);
}

SearchBox boxAround(double latitude, double longitude, float latRange, float lonRange)
{
    SearchBox box;
    const auto lat = static_cast<float>(latitude);
    const auto lon = static_cast<float>(longitude);
    box.latMax = std::min(lat + latRange, 90.0f);
    box.latMin = std::max(lat - latRange, -90.0f);
    box.lonMax = lon + lonRange;
    if (box.lonMax > 180) {
        box.lonMax -= 360;
        box.eastWrap = true;
    }
    box.lonMin = lon - lonRange;
    if (box.lonMin < -180) {
        box.lonMin += 360;
        box.westWrap = true;
    }
    return box;
}

std::vector<std::size_t> searchBox(const StationDirectory& directory, const SearchBox& box)
{
    std::vector<std::size_t> found;
    const std::size_t n = directory.size();
    for (std::size_t i = 0; i < n; ++i) {
        const double lat = directory.latitudeOf(i);
        if (lat < box.latMin || lat > box.latMax)
            continue;
        const double lon = directory.longitudeOf(i);
        if (!box.eastWrap && !box.westWrap) {
            if (lon >= box.lonMin && lon <= box.lonMax)
                found.push_back(i);
            continue;
        }
        const bool inWrappedBox = lon < box.lonMax || lon > box.lonMin;
        if (box.eastWrap && inWrappedBox)
            found.push_back(i);
        if (box.westWrap && inWrappedBox)
            found.push_back(i);
    }
    return found;
}

std::string limitText(float degrees, bool longitude)
{
    char text[32];
    std::snprintf(text, sizeof text, longitude ? "%07.3f" : "%06.3f", static_cast<double>(std::fabs(degrees)));
    const bool negative = degrees < 0 && std::string(text).find_first_not_of("0.") != std::string::npos;
    return (negative ? "-" : "") + std::string(text);
}

std::string FoundLineFormatter::line(const StationRecord& record)
{
    const double number = readNumber(record.country);
    if (number >= 1 && number <= static_cast<double>(m_countries.size()) && number == std::floor(number))
        m_countryName = m_countries[static_cast<std::size_t>(number) - 1];
    std::string text = fieldText(record.code) + "  " + fieldText(record.description) + ", " +
                       std::string(trimBlanks(m_countryName)) + ", ";
    const std::string state = fieldText(record.state);
    if (!state.empty())
        text += state + ", ";
    return text + fieldText(record.latitude) + ", " + fieldText(record.longitude);
}

std::string codeOfEntry(std::string_view entry)
{
    return std::string(trimBlanks(entry.substr(0, 4)));
}

} // namespace ventoral
