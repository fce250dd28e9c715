// SPDX-License-Identifier: GPL-3.0-or-later
#include "observations/trend_parser.h"

#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "test_support.h"

namespace ventoral {
namespace {

using Column = TrendSeries::Column;

// One record in the service's layout: cycle, field 2, month|key, then the
// temperature, dew point, pressure and wind fields and field 8.
std::string record(const std::string& temperature = "50 (10)", const std::string& dewPoint = "41 (5)",
                   const std::string& pressure = "30.12 (1020)", const std::string& wind = "NNE 12",
                   const std::string& cycle = "14")
{
    return cycle + ":KSEA:12|141453:" + temperature + ":" + dewPoint + ":" + pressure + ":" + wind + ":77";
}

// A header line, then all records on the last line.
std::string report(const std::vector<std::string>& records, const std::string& lineBreak = "\n")
{
    std::string line;
    for (const auto& item : records)
        line += (line.empty() ? "" : "#") + item;
    return "KSEA 24 hour trend" + lineBreak + line + lineBreak;
}

TrendSeries parsed(const std::string& text, bool kph = false)
{
    TrendSeries trend;
    trendData(text, kph, trend);
    return trend;
}

bool rowEmpty(const TrendSeries& trend, int row)
{
    for (const auto& cell : trend.cells[row])
        if (!cell.empty())
            return false;
    return true;
}

// One row per line, the cells joined by "|" (column 3 holds a "|" of its own).
std::string tableText(const TrendSeries& trend)
{
    std::string text;
    for (const auto& row : trend.cells) {
        for (int column = 0; column < TrendSeries::kColumns; ++column)
            text += (column == 0 ? "" : "|") + row[column];
        text += "\n";
    }
    return text;
}

TEST(TrendFields, WindDirectionAndSpeed)
{
    const std::tuple<const char*, bool, const char*, const char*> cases[] = {
        // field, km/h, degrees, speed
        {"NNE 12", false, "22.5", "12"},
        {"NNE 12", true, "22.5", "19.3292788879235"},
        {"NNW 8", false, "337.5", "8"},
        {"nne 12", false, "", "12"},
        {"Variable 4", false, "", "4"},
        {"variable 4", true, "", "6.44309296264118"},
        {"Calm", false, "", "0"},
        {"SW 150", false, "225", ""},
        {"E 100", false, "90", "100"},
        {"E 101", false, "90", ""},
        {"W 100", true, "270", "160"},
        {"W 99", true, "270", "159.466550825369"},
        {"NE", false, "", ""},
        {"", true, "", ""},
    };
    for (const auto& [field, kph, degrees, speed] : cases) {
        const TrendSeries trend = parsed(report({record("50 (10)", "41 (5)", "30.12 (1020)", field)}), kph);
        EXPECT_EQ(trend.at(0, Column::WindDirection), degrees) << field << (kph ? " km/h" : " MPH");
        EXPECT_EQ(trend.at(0, Column::WindSpeed), speed) << field << (kph ? " km/h" : " MPH");
    }
}

// Pressures are corrected where a digit is off and dropped outside 28-31.5 inches.
TEST(TrendFields, PressureCorrectedAndLimited)
{
    const std::tuple<const char*, const char*, const char*> cases[] = {
        // field, inches, hPa
        {"30.10 (1019)", "30.10", "1019"},    {"29.92 (2013)", "29.92", "1013"}, {"61 (1013)", "31", "1013"},
        {"60.12 (2018.4)", "30.12", "1018.4"}, {"27.5 (931)", "", ""},           {"28 (950)", "28", "950"},
        {"31.5 (1060)", "31.5", "1060"},       {"31.51 (1061)", "", ""},         {"59 (1100)", "", ""},
        {"30.12", "", ""},
    };
    for (const auto& [field, inches, hpa] : cases) {
        const TrendSeries trend = parsed(report({record("50 (10)", "41 (5)", field)}));
        EXPECT_EQ(trend.at(0, Column::PressureIn), inches) << field;
        EXPECT_EQ(trend.at(0, Column::PressureHpa), hpa) << field;
    }
}

// The same text goes into both the temperature and the dew point field;
// only the Fahrenheit limits differ between them.
TEST(TrendFields, TemperatureLimits)
{
    const std::tuple<const char*, const char*, const char*, const char*, const char*> cases[] = {
        // field, temperature ºF, ºC, dew point ºF, ºC
        {"50.0 (10.0)", "50.0", "10.0", "50.0", "10.0"},
        {"-45 (-43)", "-45", "-43", "", "-43"},
        {"-40 (-40)", "-40", "-40", "-40", "-40"},
        {"-60 (-50)", "-60", "-50", "", "-50"},
        {"-61 (-51)", "", "", "", ""},
        {"140 (60)", "140", "60", "140", "60"},
        {"141 (61)", "", "", "", ""},
        {"50", "", "", "", ""},
    };
    for (const auto& [field, temperatureF, temperatureC, dewPointF, dewPointC] : cases) {
        const TrendSeries trend = parsed(report({record(field, field)}));
        EXPECT_EQ(trend.at(0, Column::TemperatureF), temperatureF) << field;
        EXPECT_EQ(trend.at(0, Column::TemperatureC), temperatureC) << field;
        EXPECT_EQ(trend.at(0, Column::DewPointF), dewPointF) << field;
        EXPECT_EQ(trend.at(0, Column::DewPointC), dewPointC) << field;
    }
}

// Only the sixteen exact upper-case names count (the wind cases above read them).
TEST(TrendFields, CompassNamesAreExact)
{
    EXPECT_EQ(compassDegrees("WSW"), 247.5);
    for (const char* name : {"nne", "", "N ", "NNNE", "North", "Variable"})
        EXPECT_LT(compassDegrees(name), 0.0) << name;
}

// Starts from a table full of stale cells, as left by an earlier station.
class TrendLayout : public testing::Test {
protected:
    void parse(const std::string& text)
    {
        for (auto& row : m_trend.cells)
            for (auto& cell : row)
                cell = "old";
        trendData(text, false, m_trend);
    }

    TrendSeries m_trend;
};

// Only the last line is read, its records split at "#", one to a row; every
// other row is emptied, and an absent report empties the table.
TEST_F(TrendLayout, RecordsOfTheLastLineOneToARow)
{
    struct Case {
        const char* what;
        std::string text;
        std::vector<std::string> records;
        const char* lastField8 = "";
    };
    const std::string first = record();
    const std::string calm = record("50 (10)", "41 (5)", "30.12 (1020)", "Calm");
    const Case cases[] = {
        {"no report", std::string(kNoDataText), {}},
        {"empty text", "", {}},
        {"too short to be a report", "0:K:12|1\n", {}},
        {"just long enough", "0:K:12|1:\n", {"0:K:12|1:"}},
        {"earlier lines", "0:OLD:1#1:OLD:2\n5:NEW:12|1\n", {"5:NEW:12|1"}},
        {"one record", report({first}), {first}, "77"},
        {"empty last line", "KSEA 24 hour trend\n\n", {}},
        {"CR LF line breaks", report({first, calm}, "\r\n"), {first, calm}, "77"},
        {"no final line feed", "KSEA 24 hour trend\n" + first, {first}, "77"},
    };
    for (const Case& c : cases) {
        parse(c.text);
        for (int row = 0; row < TrendSeries::kRows; ++row) {
            if (row < static_cast<int>(c.records.size())) {
                EXPECT_EQ(m_trend.at(row, Column::Record), c.records[row]) << c.what;
            } else {
                EXPECT_TRUE(rowEmpty(m_trend, row)) << c.what << ", row " << row;
            }
        }
        if (!c.records.empty()) {
            EXPECT_EQ(m_trend.at(static_cast<int>(c.records.size()) - 1, Column::Field8), c.lastField8) << c.what;
        }
    }
}

// Fields split at colons, however many there are; row 24 takes the 25th
// record with its raw fields only (columns 4-8 hold fields 4-8 as read), and
// later ones are ignored.
TEST(TrendTable, HandMadeRecordsMatchReference)
{
    std::vector<std::string> records;
    for (int cycle = 0; cycle < 27; ++cycle)
        records.push_back(record("50 (10)", "41 (5)", "29.92 (2013)", "NNE 12", std::to_string(cycle)));
    const std::string actual = tableText(parsed(report({"7::12|1:50 (10)", "1:a:b:c:d:e:f:g:h:i"})))
                               + tableText(parsed(report(records)));
    EXPECT_EQ(actual, test::reference("observations/trend/hand-made.expected", actual));
}

// Parses the stored Seattle sample in km/h mode and compares every cell.
// To refresh the reference after a deliberate change, run the test with
// VENTORAL_REFRESH_REFERENCE=1, then check the new file by hand.
TEST(TrendSample, MatchesReference)
{
    const std::string expectedName = "observations/trend/KSEA.expected";
    const std::string actual = tableText(parsed(test::readData("observations/trend/KSEA.TREND"), true));
    EXPECT_EQ(actual, test::reference(expectedName, actual));
}

} // namespace
} // namespace ventoral
