// SPDX-License-Identifier: GPL-3.0-or-later
// Exported copies: the name comes from the present report's own date line,
// and there is nothing to export without a station or a present report.

#include "observations/station_export.h"

#include <filesystem>
#include <tuple>

#include <gtest/gtest.h>

#include "observations/observation.h"
#include "platform/core/file_io.h"
#include "test_support.h"

namespace ventoral {
namespace {

constexpr const char* kReport = "SEATTLE BOEING FIELD, WA, United States (KBFI) 47-33N 122-19W 4M\r\n"
                                "Dec 06, 2023 - 12:53 PM EST / 2023.12.06 1753 UTC\r\n"
                                "Wind: Calm:0\r\n";

TEST(StationExport, TheDateLineIsTheReportsSecondLine)
{
    const std::pair<const char*, const char*> cases[] = {
        {kReport, "Dec 06, 2023 - 12:53 PM EST / 2023.12.06 1753 UTC"},
        {"station\nthe date\n", "the date"},
        {"station\nthe date", "the date"},
        {"\nstation\nthe date\n", "the date"},   // the search for the first line end starts at the second character
        {"station only", ""},
        {"", ""},
    };
    for (const auto& [text, line] : cases)
        EXPECT_EQ(reportDateLine(text), line) << text;
}

TEST(StationExport, TheNameComesFromTheReportExported)
{
    test::TempDir dir;
    const ExportResult result = exportStationData(dir.path(), "KBFI", "trend", kReport);
    EXPECT_EQ(result.problem, ExportProblem::None);
    EXPECT_EQ(result.path, dir.file("KBFI Dec 06, 2023   12 53 PM EST   2023.12.06 1753 UTC.txt"));
    EXPECT_EQ(test::readFile(result.path), std::string("\"trend\"\r\n\"") + kReport + "\"\r\n");
}

TEST(StationExport, NothingIsWrittenWithoutDataOrWithANameNoFileCanHave)
{
    test::TempDir dir;
    const std::tuple<const char*, std::string, ExportProblem> cases[] = {
        {"KBFI", "", ExportProblem::NoData},
        {"KBFI", std::string(kNoDataText), ExportProblem::NoData},
        {"KBFI", "KBFI 9ch", ExportProblem::NoData},
        {"", kReport, ExportProblem::NoData},
        {"KBFI", "KBFI station\r\n2023\x01" "12\r\nWind: Calm:0\r\n", ExportProblem::UnusableName},
    };
    for (const auto& [station, present, problem] : cases)
        EXPECT_EQ(exportStationData(dir.path(), station, "trend", present).problem, problem) << present;
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

} // namespace
} // namespace ventoral
