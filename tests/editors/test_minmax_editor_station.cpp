// SPDX-License-Identifier: GPL-3.0-or-later
// The Min/Max editor's values belong to the station they were shown for:
// opened on KSEA, left open while the user picks KBFI in the main window,
// then saved, it never writes KSEA's extremes into KBFI's min/max file.

#include <sstream>

#include <gtest/gtest.h>

#include "program_window.h"

namespace ventoral::test {
namespace {

// Wind km/h, mph; gust km/h, mph; temperature low/high ºC, low/high ºF;
// humidity low/high; pressure low/high hPa, low/high inches. KSEA's are
// wider than any day of the trend both stations have, so none of them can
// come to KBFI by its own data.
const std::string kSeattleMinMax =
    "99\r\n62\r\n120\r\n75\r\n-30\r\n45\r\n-22\r\n113\r\n3\r\n100\r\n940\r\n1060\r\n27.76\r\n31.3\r\n";
const std::string kBoeingFieldMinMax =
    "20\r\n12\r\n30\r\n19\r\n5\r\n15\r\n41\r\n59\r\n60\r\n95\r\n1005\r\n1020\r\n29.68\r\n30.12\r\n";

std::vector<double> minMaxLines(const std::optional<std::string>& bytes)
{
    std::vector<double> values;
    std::istringstream lines(bytes.value_or(""));
    for (std::string line; std::getline(lines, line);)
        values.push_back(std::stod(line));
    return values;
}

struct LeaveBy {
    const char* name;
    const char* button;
    bool answerYes;   // to "Wish to save your changes?"
};
void PrintTo(const LeaveBy& leave, std::ostream* out)
{
    *out << leave.button;
}

class MinMaxEditorStation : public ProgramTest, public ::testing::WithParamInterface<LeaveBy> {};

TEST_P(MinMaxEditorStation, NeverSavesOneStationsValuesIntoAnothersFile)
{
    putStationData("KSEA", kTrend, kSeattle);
    putStationData("KBFI", kTrend, kBoeingField);
    putMinMaxFile("KSEA", kSeattleMinMax);
    putMinMaxFile("KBFI", kBoeingFieldMinMax);
    setShortList({"KSEA Seattle", "KBFI Boeing Field"}, 0);
    start();
    choose("&Setup", "M&in/Max");
    QWidget* editor = shownWindow(Window::MinMax);
    ASSERT_TRUE(editor);

    pickStation("KBFI");
    if (GetParam().answerYes)
        prompter.answer(true);
    click(editor, GetParam().button);

    const std::vector<double> boeingField = minMaxLines(fileBytes(minMaxFile("KBFI")));
    ASSERT_EQ(boeingField.size(), 14u);
    const std::vector<double> seattle = minMaxLines(kSeattleMinMax);
    const char* const kFields[] = {"wind km/h", "wind mph", "gust km/h", "gust mph", "low ºC", "high ºC", "low ºF",
                                   "high ºF", "low humidity"};
    for (std::size_t i = 0; i < std::size(kFields); ++i)
        EXPECT_NE(boeingField[i], seattle[i]) << "KBFI's " << kFields[i] << " is KSEA's";
}

INSTANTIATE_TEST_SUITE_P(Buttons, MinMaxEditorStation,
                         ::testing::Values(LeaveBy{"Save", "Save", false}, LeaveBy{"OkThenYes", "OK", true}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace ventoral::test
