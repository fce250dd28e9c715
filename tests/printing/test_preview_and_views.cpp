// SPDX-License-Identifier: GPL-3.0-or-later
// The preview's page picture (one fifth of the paper, the job inside the
// margins, centring) and the page printed being the page previewed, the text
// views with one trend record per line and their Print button.

#include <algorithm>

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

#include "printing/core/report_text.h"
#include "printing/print_preview.h"
#include "printing/view_data.h"
#include "printing_fixture.h"
#include "recording_surface.h"

using namespace ventoral;

namespace {

PrinterPage letterPage(PageOrientation orientation = PageOrientation::Portrait)
{
    const bool landscape = orientation == PageOrientation::Landscape;
    PrinterPage page;
    page.paperWidth = landscape ? test::kLetterHeightTwips : test::kLetterWidthTwips;
    page.paperHeight = landscape ? test::kLetterWidthTwips : test::kLetterHeightTwips;
    page.printableWidth = page.paperWidth - 2 * test::kDeviceEdgeTwips;
    page.printableHeight = page.paperHeight - 2 * test::kDeviceEdgeTwips;
    page.offsetLeft = test::kDeviceEdgeTwips;
    page.offsetTop = test::kDeviceEdgeTwips;
    return page;
}

class PreviewAndViewsTest : public test::PrintingWindowTest {};

struct PlacementCase {
    const char* what;
    PageOrientation orientation;
    MarginsInches margins;   // top, left, right, bottom
    Placement placement;
    JobSize job;
};

const JobSize kPanel = panelJobSize();

} // namespace

// Whatever the paper, margins and job, the job lies inside the four margins
// (and inside the strips the device cannot print), is never enlarged, and
// the printer puts it where the preview shows it.
TEST(PreviewGeometryTest, TheJobFitsInsideAllFourMarginsAndPrintsWhereItIsPreviewed)
{
    const double eps = 1e-6;
    const std::vector<PlacementCase> cases = {
        {"panel, 1-inch margins", PageOrientation::Portrait, {}, Placement::TopLeft, kPanel},
        {"panel centred", PageOrientation::Portrait, {}, Placement::Centre, kPanel},
        {"landscape, 3 in top and bottom", PageOrientation::Landscape, {3, 1, 1, 3}, Placement::TopLeft, kPanel},
        {"the same centred", PageOrientation::Landscape, {3, 1, 1, 3}, Placement::Centre, kPanel},
        {"margins inside the device's strips", PageOrientation::Portrait, {0, 0, 0, 0}, Placement::TopLeft,
         {20000, 3000}},
        {"uneven margins centred", PageOrientation::Portrait, {3, 0.5, 2, 0.5}, Placement::Centre, kPanel},
        {"a tall job on landscape", PageOrientation::Landscape, {}, Placement::TopLeft, {3000, 20000}},
    };
    for (const PlacementCase& c : cases) {
        SCOPED_TRACE(c.what);
        const PrinterPage page = letterPage(c.orientation);
        PreviewOptions options;
        options.margins = c.margins;
        options.placement = c.placement;
        options.orientation = c.orientation;
        const PreviewGeometry g = previewGeometry(page, c.job, options);
        const double right = g.jobLeft() + g.scale * c.job.width;
        const double bottom = g.jobTop() + g.scale * c.job.height;
        EXPECT_GE(g.jobLeft(), g.marginLeft - eps);
        EXPECT_LE(right, g.rightLine() + eps);
        EXPECT_GE(g.jobTop(), g.marginTop - eps);
        EXPECT_LE(bottom, g.bottomLine() + eps);
        EXPECT_LE(g.scale, kPreviewTrueSize + eps);
        if (c.placement == Placement::Centre) {
            EXPECT_NEAR(g.jobLeft() - g.marginLeft, g.rightLine() - right, eps);
            EXPECT_NEAR(g.jobTop() - g.marginTop, g.bottomLine() - bottom, eps);
        }

        const PrintPlacement p = printPlacement(page, c.job, options);
        EXPECT_GE(p.left, -eps);
        EXPECT_GE(p.top, -eps);
        EXPECT_LE(p.left + p.scale * c.job.width, page.printableWidth + eps);
        EXPECT_LE(p.top + p.scale * c.job.height, page.printableHeight + eps);
        EXPECT_NEAR(p.scale, g.scale * kPreviewReduction, eps);
        EXPECT_NEAR(p.left + page.offsetLeft, g.jobLeft() * kPreviewReduction, eps);
        EXPECT_NEAR(p.top + page.offsetTop, g.jobTop() * kPreviewReduction, eps);
    }
    // A job that fits is shown and printed at its true size.
    EXPECT_DOUBLE_EQ(printPlacement(letterPage(), kPanel, PreviewOptions{}).scale, 1.0);
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

    // The trend view: the header lines, then one record per line.
    find<QAction>("TrendDataView")->trigger();
    auto* view = find<ViewData>("frmViewData");
    ASSERT_TRUE(view);
    EXPECT_EQ(view->shownKind(), PrintKind::LastText);
    const std::string& trend = state.shown.snapshot().trendText;
    const std::vector<std::string> lines = trendReportLines(trend);
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

TEST_F(PreviewAndViewsTest, ThePagePrintedIsThePagePreviewedWhateverTheWindowShowsMeanwhile)
{
    writeStationData(stationDataPath(state.tables.folders.stationData, "KSEA"),
                     test::readData("observations/trend/KSEA.TREND"),
                     test::readData("observations/noaa-decoded/KBLI-1.txt"));
    start();
    state.startupComplete = true;
    find<QAction>("mnuFilePrint")->trigger();
    auto* preview = find<PrintPreview>("frmPrintPreview");
    ASSERT_TRUE(preview);
    test::RecordingSurface previewed(Surface::Kind::PrintPage);
    preview->job().draw(previewed, 0, 0);
    ASSERT_FALSE(previewed.textStrings().empty());
    EXPECT_EQ(previewed.textStrings().front(), "KBFI Boeing Field");

    // Another station shown, and the clock on, before Print.
    find<QComboBox>("Combo1")->setCurrentIndex(1);
    window->onStationChosen(1);
    ASSERT_EQ(state.shown.code(), "KSEA");
    clock.set(CivilTime{2023, 12, 7, 9, 30, 0});
    test::RecordingSurface printed(Surface::Kind::Printer);
    preview->job().draw(printed, 0, 0);
    EXPECT_EQ(printed.textStrings(), previewed.textStrings());
    EXPECT_EQ(printed.calls().size(), previewed.calls().size());

    // Paper chosen after the page was shown: the page is shown again, not printed.
    const std::string pdfPath = dir.file("page.pdf");
    pdf.printInto(pdfPath);
    pdf.device.setPageSize(QPageSize(QPageSize::A4));
    preview->findChild<QPushButton*>("btnPrint")->click();
    EXPECT_FALSE(fileExists(pdfPath));
    EXPECT_NEAR(preview->geometry().pageWidth * kPreviewReduction, 595 * 20.0, 1);   // A4, 595 points
    preview->findChild<QPushButton*>("btnPrint")->click();
    EXPECT_TRUE(fileExists(pdfPath));
}
