// SPDX-License-Identifier: GPL-3.0-or-later
#include "stations/core/station_directory.h"

#include "platform/core/number_text.h"
#include "platform/core/file_io.h"
#include "platform/core/text_encoding.h"
#include "stations/core/coordinates.h"

namespace ventoral {

namespace {

std::string fitted(std::string_view text, std::size_t width)
{
    std::string out(text.substr(0, width));
    out.resize(width, ' ');
    return out;
}

} // namespace

StationRecord StationRecord::fromFields(std::string_view code, std::string_view description, std::string_view state,
                                        std::string_view country, std::string_view latitude,
                                        std::string_view longitude, std::string_view height)
{
    return {fitted(code, kCodeWidth),           fitted(description, kDescriptionWidth),
            fitted(state, kStateWidth),         fitted(country, kCountryWidth),
            fitted(latitude, kLatitudeWidth),   fitted(longitude, kLongitudeWidth),
            fitted(height, kHeightWidth)};
}

std::string StationRecord::toBytes() const
{
    return fitted(code, kCodeWidth) + fitted(description, kDescriptionWidth) + fitted(state, kStateWidth) +
           fitted(country, kCountryWidth) + fitted(latitude, kLatitudeWidth) + fitted(longitude, kLongitudeWidth) +
           fitted(height, kHeightWidth);
}

StationDirectory StationDirectory::fromBytes(std::string_view bytes)
{
    StationDirectory directory;
    const std::size_t count = bytes.size() / StationRecord::kBytes;
    directory.m_records.reserve(count);
    directory.m_latitudes.reserve(count);
    directory.m_longitudes.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        std::string_view r = bytes.substr(i * StationRecord::kBytes, StationRecord::kBytes);
        const auto take = [&r](std::size_t width) {
            std::string field(r.substr(0, width));
            r.remove_prefix(width);
            return field;
        };
        StationRecord record;
        record.code = take(StationRecord::kCodeWidth);
        record.description = take(StationRecord::kDescriptionWidth);
        record.state = take(StationRecord::kStateWidth);
        record.country = take(StationRecord::kCountryWidth);
        record.latitude = take(StationRecord::kLatitudeWidth);
        record.longitude = take(StationRecord::kLongitudeWidth);
        record.height = take(StationRecord::kHeightWidth);
        directory.m_latitudes.push_back(degreesOfDirectoryText(record.latitude));
        directory.m_longitudes.push_back(degreesOfDirectoryText(record.longitude));
        directory.m_records.push_back(std::move(record));
    }
    return directory;
}

std::optional<StationDirectory> StationDirectory::load(const std::string& path)
{
    const std::optional<std::string> bytes = readWholeFile(path);
    if (!bytes)
        return std::nullopt;
    return fromBytes(*bytes);
}

std::vector<std::string> splitTextLines(std::string_view bytes)
{
    const std::string text = decodeLegacyText(bytes);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

std::optional<std::vector<std::string>> loadTextLines(const std::string& path)
{
    const std::optional<std::string> bytes = readWholeFile(path);
    if (!bytes)
        return std::nullopt;
    return splitTextLines(*bytes);
}

std::string fieldText(std::string_view field)
{
    return windows1252ToUtf8(trimBlanks(field));
}

std::string stateCodeOfLine(std::string_view line)
{
    return std::string(trimBlanks(line.size() > 4 ? line.substr(line.size() - 4) : line));
}

} // namespace ventoral
