// SPDX-License-Identifier: GPL-3.0-or-later
#include "observations/station_export.h"

#include <algorithm>

#include "observations/observation.h"
#include "platform/core/file_io.h"
#include "platform/core/text_encoding.h"

namespace ventoral {

namespace {

// The longest file name the usual file systems hold, in bytes.
constexpr std::size_t kLongestName = 255;
constexpr std::size_t kCodeLength = 4;

bool isControl(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F;
}

bool isReserved(char c)
{
#ifdef _WIN32
    return std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos;
#else
    return c == '/';
#endif
}

} // namespace

std::string exportFileName(const std::string& station, std::string_view dateLine)
{
    // The report's bytes are Windows-1252; the name is kept as UTF-8.
    std::string name = station + " " + decodeLegacyText(dateLine) + ".txt";
    std::replace_if(name.begin(), name.end(), [](char c) { return c == '/' || c == '-' || c == ':'; }, ' ');
    return name;
}

bool isUsableFileName(std::string_view name)
{
    if (name.empty() || name.size() > kLongestName || name == "." || name == "..")
        return false;
    return std::none_of(name.begin(), name.end(), [](char c) { return isControl(c) || isReserved(c); });
}

std::string reportDateLine(std::string_view presentText)
{
    const std::size_t firstBreak = presentText.find('\n', 1);
    if (firstBreak == std::string_view::npos)
        return {};
    std::string_view line = presentText.substr(firstBreak + 1);
    line = line.substr(0, line.find('\n'));
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return std::string(line);
}

ExportResult exportStationData(const std::string& folder, const std::string& station, std::string_view lastText,
                               std::string_view presentText)
{
    ExportResult result;
    if (station.empty() || isAbsentReport(presentText)) {
        result.problem = ExportProblem::NoData;
        return result;
    }
    const std::string name = exportFileName(station, reportDateLine(presentText));
    result.path = joinPath(folder, name);
    if (!isUsableFileName(name) || result.path == stationDataPath(folder, station)) {
        result.problem = ExportProblem::UnusableName;
        return result;
    }
    if (!writeStationData(result.path, lastText, presentText))
        result.problem = ExportProblem::NotWritten;
    return result;
}

bool importMatchesStation(std::string_view fileName, std::string_view selectorText)
{
    return fileName.substr(0, kCodeLength) == selectorText.substr(0, kCodeLength);
}

std::optional<StationTexts> importedTexts(std::string_view bytes, const std::string& currentStation)
{
    auto texts = quotedRecordsOf(bytes);
    if (texts)
        texts->dataValid = stationTextsOf(bytes, currentStation).dataValid;
    return texts;
}

} // namespace ventoral
