// SPDX-License-Identifier: GPL-3.0-or-later
#include "observations/station_data.h"

#include <algorithm>

#include "observations/observation.h"
#include "observations/present_parser.h"
#include "platform/core/file_io.h"

namespace ventoral {

namespace {

constexpr std::string_view kUnknownStation = "Station name not available";

// The next text between two double quotes at or after from; false when
// there is no complete pair.
bool nextQuotedField(std::string_view bytes, std::size_t& from, std::string& field)
{
    const auto open = bytes.find('"', from);
    if (open == std::string_view::npos)
        return false;
    const auto close = bytes.find('"', open + 1);
    if (close == std::string_view::npos)
        return false;
    field = std::string(bytes.substr(open + 1, close - open - 1));
    from = close + 1;
    return true;
}

// A report without a station name is still the station's own when its ob
// line, the METAR it was decoded from, begins with the station's code: NOAA
// writes such reports for stations missing from its table, and so does the
// report built from a METAR of a station missing from the directory.
bool observedStationIs(std::string_view presentText, const std::string& station)
{
    const std::optional<std::string_view> ob = labelValue(presentText, "ob:");
    if (!ob || station.empty())
        return false;
    const auto first = ob->find_first_not_of(' ');
    return first != std::string_view::npos && ob->substr(first, station.size()) == station &&
           (ob->size() == first + station.size() || (*ob)[first + station.size()] == ' ');
}

std::string withoutQuotes(std::string_view text)
{
    std::string out(text);
    std::replace(out.begin(), out.end(), '"', '\'');
    return out;
}

} // namespace

std::string stationDataPath(const std::string& folder, const std::string& station)
{
    return joinPath(folder, station + "Data.txt");
}

StationTexts ReadData(const std::string& path, const std::string& currentStation)
{
    const auto bytes = readWholeFile(path);
    return stationTextsOf(bytes ? std::optional<std::string_view>(*bytes) : std::nullopt, currentStation);
}

StationTexts stationTextsOf(std::optional<std::string_view> bytes, const std::string& currentStation)
{
    StationTexts texts;
    std::size_t at = 0;
    if (!bytes || !nextQuotedField(*bytes, at, texts.lastText) || !nextQuotedField(*bytes, at, texts.presentText)) {
        texts.lastText = texts.presentText = std::string(kNoDataText);
        texts.dataValid = false;
        return texts;
    }
    texts.dataValid = texts.presentText.find(currentStation) != std::string::npos &&
                      (texts.presentText.find(kUnknownStation) == std::string::npos ||
                       observedStationIs(texts.presentText, currentStation));
    if (!texts.dataValid) {
        texts.lastText.clear();
        texts.presentText.clear();
    }
    return texts;
}

std::optional<StationTexts> quotedRecordsOf(std::string_view bytes)
{
    StationTexts texts;
    std::size_t at = 0;
    if (!nextQuotedField(bytes, at, texts.lastText) || !nextQuotedField(bytes, at, texts.presentText))
        return std::nullopt;
    return texts;
}

std::string stationDataContent(std::string_view lastText, std::string_view presentText)
{
    return "\"" + withoutQuotes(lastText) + "\"\r\n\"" + withoutQuotes(presentText) + "\"\r\n";
}

bool writeStationData(const std::string& path, std::string_view lastText, std::string_view presentText)
{
    return writeFileAtomically(path, stationDataContent(lastText, presentText));
}

} // namespace ventoral
