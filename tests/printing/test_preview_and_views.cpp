// The preview's page picture (one fifth of the paper, 1-inch margins,
// centring), the text views with one trend record per line and their Print
// button, and an exported copy imported again.

#include <algorithm>

#include <QAction>
#include <QRadioButton>

#include "observations/station_export.h"
#include "printing/core/report_text.h"
#include "printing/print_preview.h"
#include "printing/view_data.h"
#include "printing_fixture.h"

using namespace ventoral;

namespace {

PrinterPage letterPage()
{
    PrinterPage page;
    page.paperWidth = test::kLetterWidthTwips;
    page.paperHeight = test::kLetterHeightTwips;
    page.printableWidth = test::kLetterWidthTwips - 2 * test::kDeviceEdgeTwips;
    page.printableHeight = test::kLetterHeightTwips - 2 * test::kDeviceEdgeTwips;
    page.offsetLeft = test::kDeviceEdgeTwips;
    page.offsetTop = test::kDeviceEdgeTwips;
    return page;
}

class PreviewAndViewsTest : public test::PrintingWindowTest {};

} // namespace

TEST(PreviewGeometryTest, AFifthOfThePaperWithOneInchMarginsTopLeftOrCentred)
{
    const PrinterPage page = letterPage();
    const JobSize job{6000, 3000};
    PreviewOptions options;
    PreviewGeometry g = previewGeometry(page, job, options);
    EXPECT_DOUBLE_EQ(g.scale, 0.2);
    EXPECT_DOUBLE_EQ(g.pageWidth, test::kLetterWidthTwips / 5);
    EXPECT_DOUBLE_EQ(g.pageHeight, test::kLetterHeightTwips / 5);
    EXPECT_DOUBLE_EQ(g.jobLeft(), 1440 / 5.0);
    EXPECT_DOUBLE_EQ(g.jobTop(), 1440 / 5.0);
    EXPECT_DOUBLE_EQ(g.rightLine(), (test::kLetterWidthTwips - 1440) / 5);
    EXPECT_DOUBLE_EQ(g.bottomLine(), (test::kLetterHeightTwips - 1440) / 5);

    // Centred: equal room left and right of the job, and above and below it.
    options.placement = Placement::Centre;
    g = previewGeometry(page, job, options);
    EXPECT_DOUBLE_EQ(g.scale, 0.2);
    EXPECT_NEAR(g.jobLeft() - g.marginLeft, g.rightLine() - (g.jobLeft() + job.width * g.scale), 1e-6);
    EXPECT_NEAR(g.jobTop() - g.marginTop, g.bottomLine() - (g.jobTop() + job.height * g.scale), 1e-6);

    // A job wider than the room between the margins shrinks to fit.
    g = previewGeometry(page, JobSize{20000, 3000}, PreviewOptions{});
    EXPECT_LT(g.scale, 0.2);
    EXPECT_LE(g.jobLeft() + 20000 * g.scale, g.rightLine() + 1e-6);
}

TEST_F(PreviewAndViewsTest, ThePreviewFollowsItsSettingsAndTheTextViewsPrintWhatTheyShow)
{
    start();
    find<QAction>("mnuFilePrint")->trigger();
    auto* preview = find<PrintPreview>("frmPrintPreview");
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->job().kind, PrintKind::Machine);
    // Margins count from the paper's edge, so the device's unprintable quarter
    // inch lies inside them and the panel is shown at a fifth of its size.
    EXPECT_DOUBLE_EQ(preview->geometry().scale, 0.2);
    EXPECT_DOUBLE_EQ(preview->geometry().jobLeft(), 1440 / 5.0);
    const double topLeftY = preview->geometry().jobTop();
    preview->findChild<QRadioButton*>("Option2")->click();
    EXPECT_EQ(preview->store().placement, Placement::Centre);
    EXPECT_GT(preview->geometry().jobTop(), topLeftY);
    EXPECT_GT(preview->geometry().jobLeft(), 1440 / 5.0);
    preview->findChild<QRadioButton*>("Option4")->click();
    EXPECT_GT(preview->geometry().pageWidth, preview->geometry().pageHeight);

    // The trend view: the header lines, then one record per line.
    find<QAction>("TrendDataView")->trigger();
    auto* view = find<ViewData>("frmViewData");
    ASSERT_TRUE(view);
    EXPECT_EQ(view->shownKind(), PrintKind::LastText);
    const std::vector<std::string> lines = trendReportLines(state.station.lastText);
    const std::string& trend = state.station.lastText;
    const std::string records = trend.substr(trend.rfind('\n', trend.size() - 2) + 1);
    const auto hashes = static_cast<std::size_t>(std::count(records.begin(), records.end(), '#'));
    ASSERT_GT(hashes, 10u);
    EXPECT_GE(lines.size(), hashes);
    for (const std::string& line : lines)
        EXPECT_EQ(line.find('#'), std::string::npos) << line;

    // Its Print button previews the trend report, not the panel.
    view->Command1_Click();
    preview = find<PrintPreview>("frmPrintPreview");
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->job().kind, PrintKind::LastText);

    find<QAction>("PresentDataView")->trigger();
    EXPECT_EQ(view->shownKind(), PrintKind::PresentText);
    view->Command1_Click();
    EXPECT_EQ(find<PrintPreview>("frmPrintPreview")->job().kind, PrintKind::PresentText);
}

TEST_F(PreviewAndViewsTest, AnExportedCopyImportedAgainShowsTheSameData)
{
    start();
    const std::string stationFile = stationDataPath(state.tables.folders.stationData, "KBFI");
    const std::string before = test::readFile(stationFile);
    const std::string lastText = state.station.lastText;
    const std::string presentText = state.station.presentText;
    window->mnuFileSave_Click();
    ASSERT_EQ(prompter.messages().size(), 1u);
    const std::string saved = prompter.messages()[0].text;
    ASSERT_EQ(saved.rfind("File saved as ", 0), 0u) << saved;
    const std::string path = saved.substr(14);
    EXPECT_EQ(path, joinPath(state.tables.folders.stationData, exportFileName("KBFI", state.observation.dateLine)));

    state.station.lastText.clear();
    state.station.presentText.clear();
    dialogs.answers.push_back(FileChoice{path, path.substr(path.rfind('/') + 1)});
    window->Import_Click();
    EXPECT_EQ(state.station.lastText, lastText);
    EXPECT_EQ(state.station.presentText, presentText);
    EXPECT_TRUE(state.station.dataValid);
    EXPECT_EQ(test::readFile(stationFile), before);

    // A copy of another station is refused.
    dialogs.answers.push_back(FileChoice{path, "KSEA 2023 12 06.txt"});
    window->Import_Click();
    EXPECT_EQ(prompter.messages().back().text, "The file does NOT correspond to the selected station");
}
