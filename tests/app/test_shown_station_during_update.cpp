// SPDX-License-Identifier: GPL-3.0-or-later
// The station shown in the main window stays itself while an update
// fetches other stations: a redraw, a pick in the selector, a failed save
// or saved addresses during a running update never put another station's
// report on the panel, into the shown station's files or into the files of
// the station being fetched. The server holds one answer until the user's
// action is done, so the action always falls inside the update.

#include <QLineEdit>

#include <gtest/gtest.h>

#include "program_window.h"

namespace ventoral::test {
namespace {

// The first line where two texts differ, with its number; empty when they are the same.
std::string firstDifference(const std::string& a, const std::string& b)
{
    std::size_t line = 1, at = 0;
    for (;;) {
        const auto endA = a.find('\n', at), endB = b.find('\n', at);
        const std::string lineA = a.substr(at, endA - at), lineB = b.substr(at, endB - at);
        if (lineA != lineB)
            return "line " + std::to_string(line) + ": \"" + lineA + "\" against \"" + lineB + "\"";
        if (endA == std::string::npos || endB == std::string::npos)
            return {};
        at = endA + 1;
        ++line;
    }
}

std::string joined(const std::vector<std::string>& texts)
{
    std::string all;
    for (const std::string& text : texts)
        all += text + "\n";
    return all;
}

// What the panel and the files show of the shown station at one moment.
struct ShownState {
    std::string dateLabel;
    std::optional<std::string> minMax;   // the min/max file's bytes
    QImage temperatureDial;
};

struct ShownStation {
    const char* name;
    std::string code;
    bool hasData;
};
void PrintTo(const ShownStation& station, std::ostream* out)
{
    *out << station.code;
}

class RedrawDuringUpdate : public ProgramTest, public ::testing::WithParamInterface<ShownStation> {
protected:
    ShownState shownState(const std::string& code) const
    {
        return {dateLabel(), fileBytes(minMaxFile(code)), dialImage(Dial::Temperature)};
    }
};

// Setup > Units, "Mph" while KBLI's trend is on its way: the redraw shows
// the shown station in the new unit, and writes no min/max file of it.
TEST_P(RedrawDuringUpdate, ShowsTheShownStationAndLeavesItsMinMaxFile)
{
    const std::string code = GetParam().code;
    if (GetParam().hasData) {
        putStationData(code, kTrend, kSeattle);
        serveReports(code, kSeattle, kTrend);
    }
    setShortList({code + " Shown station", "KBLI Bellingham"}, 0);
    fetchFromServer(TrendSource::Folder);
    server.route(presentPath("KBLI"), HttpResponse(200, kBellingham));
    QWidget* units = nullptr;
    std::optional<ShownState> before, after;
    server.route(trendPath("KBLI"), HttpResponse(200, kTrend).whileWaiting([&] {
        before = shownState(code);
        click(units, "Mph");
        after = shownState(code);
    }));
    start();
    choose("&Setup", "&Units");
    units = shownWindow(Window::Units);
    ASSERT_TRUE(units);

    runUpdate();

    ASSERT_TRUE(before && after) << "the update never waited for KBLI's trend";
    EXPECT_EQ(after->dateLabel, before->dateLabel);
    EXPECT_EQ(after->minMax, before->minMax) << "the min/max file of " << code;
    EXPECT_TRUE(after->temperatureDial == before->temperatureDial) << "the temperature dial shows another station";
}

INSTANTIATE_TEST_SUITE_P(Stations, RedrawDuringUpdate,
                         ::testing::Values(ShownStation{"WithData", "KSEA", true},
                                           ShownStation{"WithoutData", "KPAE", false}),
                         [](const auto& info) { return std::string(info.param.name); });

// KSEA shown; the update fetches KSEA, KBLI and KBFI from a trend folder.
class ShownStationDuringUpdate : public ProgramTest {
protected:
    ShownStationDuringUpdate()
    {
        putStationData("KSEA", kTrend, kSeattle);
        putStationData("KBFI", kTrend, kBoeingField);
        setShortList({"KSEA Seattle", "KBLI Bellingham", "KBFI Boeing Field"}, 0);
        fetchFromServer(TrendSource::Folder);
        serveReports("KSEA", kSeattle, kTrend);
        serveReports("KBLI", kBellingham, kTrend);
        serveReports("KBFI", kBoeingField, kTrend);
    }
};

// The pick shows KBFI at once and for good; KBLI, fetched meanwhile, keeps
// its own report, and the settings file names the station shown.
TEST_F(ShownStationDuringUpdate, APickInTheSelectorStaysShownAndNeverReachesTheStationBeingFetched)
{
    std::string pickedLabel;
    server.route(trendPath("KBLI"), HttpResponse(200, kTrend).whileWaiting([&] {
        pickStation("KBFI");
        pickedLabel = dateLabel();
    }));
    start();

    runUpdate();

    ASSERT_FALSE(pickedLabel.empty()) << "the update never waited for KBLI's trend";
    EXPECT_EQ(presentReportIn(stationDataFile("KBLI")), kBellingham);
    EXPECT_EQ(shownStationEntry(), "KBFI Boeing Field");
    EXPECT_EQ(dateLabel(), pickedLabel);
    EXPECT_EQ(iniValue("Stations", "Last"), "2");
}

// KBLI's data file cannot be replaced (a folder stands in its place): the
// update says so, and KSEA's own report stays what is shown, exported,
// printed and drawn, with its min/max file untouched by the redraw.
TEST_F(ShownStationDuringUpdate, AStationFileThatCannotBeWrittenLeavesTheShownStationsOwnReport)
{
    setShortList({"KSEA Seattle", "KBLI Bellingham"}, 0);
    ASSERT_TRUE(createFolder(stationDataFile("KBLI")));
    start();
    const std::string label = dateLabel();
    const RecordingSurface page = printPage();

    runUpdate();

    ASSERT_NE(joined(messages()).find("KBLI"), std::string::npos) << "the failed save was not reported";
    choose("&File", "&Export");
    const std::string saved = messages().back();
    ASSERT_EQ(saved.rfind("File saved as ", 0), 0u) << saved;
    EXPECT_EQ(presentReportIn(saved.substr(14)), kSeattle);
    const RecordingSurface printed = printPage();
    EXPECT_EQ(firstDifference(joined(printed.textStrings()), joined(page.textStrings())), "")
        << "the printed page's texts changed";
    EXPECT_EQ(firstDifference(printed.transcript(), page.transcript()), "") << "the printed page changed";
    const std::optional<std::string> minMax = fileBytes(minMaxFile("KSEA"));
    choose("&Setup", "&Units");
    click(shownWindow(Window::Units), "Mph");
    EXPECT_EQ(dateLabel(), label);
    EXPECT_EQ(fileBytes(minMaxFile("KSEA")), minMax);
}

// Setup > URLs saves a trend folder while KBLI's present report is on its
// way from the METAR data service's run: the run ends on the addresses it
// started with, lists KBLI's missing history under that address and keeps
// KBFI's report. Reading an address after it was replaced is undefined
// behaviour: the sanitizer build stops this test at it.
TEST_F(ShownStationDuringUpdate, SavedAddressesLeaveTheRunningUpdateOnTheAddressesItStartedWith)
{
    clock.set(CivilTime{2023, 12, 6, 19, 0, 0});
    fetchFromServer(TrendSource::MetarHistory);
    server.route(historyPath("KSEA,KBLI,KBFI"),
                 HttpResponse(200, "METAR KBFI 061753Z 00000KT 5SM BR BKN009 OVC027 10/09 A2981\n"
                                   "METAR KBFI 061653Z 00000KT 6SM BR BKN009 OVC027 10/09 A2982\n"));
    QWidget* urls = nullptr;
    bool saved = false;
    server.route(presentPath("KBLI"), HttpResponse(200, kBellingham).whileWaiting([&] {
        for (QLineEdit* field : urls->findChildren<QLineEdit*>())
            if (field->text().toStdString() == metarHistoryBase()) {
                field->setText(QString::fromStdString(folderTrendBase()));
                emit field->textEdited(field->text());
            }
        saved = click(urls, "Save");
    }));
    start();
    choose("&Setup", "UR&Ls");
    urls = shownWindow(Window::Addresses);
    ASSERT_TRUE(urls);

    runUpdate();

    ASSERT_TRUE(saved) << "the addresses were not saved during the update";
    ASSERT_EQ(iniValue("DataAddress", "Trend"), folderTrendBase());
    EXPECT_NE(joined(messages()).find(server.base() + historyPath("KBLI")), std::string::npos)
        << joined(messages());
    EXPECT_EQ(presentReportIn(stationDataFile("KBFI")), kBoeingField);
}

} // namespace
} // namespace ventoral::test
