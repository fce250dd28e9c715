// The instrument panel printed into a PDF file through the preview's Print
// button and rendered back with pdftoppm: the dial frames on one baseline,
// the ruled graph area, a landscape page with wide margins, and the no-data
// captions of a station without data.

#include <functional>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "printing/core/printed_panel.h"
#include "printing/print_preview.h"
#include "printing_fixture.h"

using namespace ventoral;

namespace {

constexpr int kDpi = 100;

class PrintedPanelTest : public test::PrintingWindowTest {
protected:
    std::string pdfPath;

    // "&File" / "&Print", the settings made in the preview, then its Print;
    // returns the page as an image.
    QImage printPanel(const std::function<void(PrintPreview&)>& settings = {})
    {
        pdfPath = dir.file("panel.pdf");
        pdf.printInto(pdfPath);
        find<QAction>("mnuFilePrint")->trigger();
        auto* preview = find<PrintPreview>("frmPrintPreview");
        EXPECT_TRUE(preview);
        if (!preview)
            return {};
        if (settings)
            settings(*preview);
        preview->findChild<QPushButton*>("btnPrint")->click();
        return test::renderPdf(pdfPath, kDpi);
    }

    static int pixels(double twips) { return static_cast<int>(twips * kDpi / 1440.0 + 0.5); }
    static bool dark(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 140; }

    // The share of dark pixels of row y between x0 and x1.
    static double darkShare(const QImage& image, int y, int x0, int x1)
    {
        int count = 0;
        for (int x = x0; x < x1; ++x)
            count += dark(image, x, y) ? 1 : 0;
        return static_cast<double>(count) / (x1 - x0);
    }

    // The lowest row between y0 and y1 that is a line across x0..x1; -1 for none.
    static int lowestLine(const QImage& image, int x0, int x1, int y0, int y1)
    {
        for (int y = y1; y >= y0; --y)
            if (darkShare(image, y, x0, x1) > 0.9)
                return y;
        return -1;
    }
};

} // namespace

TEST_F(PrintedPanelTest, DialFramesStandOnOneBaselineAndTheGraphAreaIsRuled)
{
    start();
    const QImage page = printPanel();
    ASSERT_FALSE(page.isNull()) << "pdftoppm (poppler-utils) missing or the PDF unreadable";
    EXPECT_EQ(page.width(), pixels(test::kLetterWidthTwips));
    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_FALSE(find<PrintPreview>("frmPrintPreview") && find<PrintPreview>("frmPrintPreview")->isVisible());

    // 1-inch margins: the title at the top margin, the panel 260 twips lower.
    const int left = pixels(1440);
    const int panelTop = pixels(1440 + page::kTitleHeight);
    const int expectedBaseline = pixels(1440 + page::kTitleHeight + page::kDialFrameHeight);
    std::vector<int> baselines;
    for (int i = 0; i < 5; ++i) {
        const int x0 = left + pixels(i * page::kDialFrameWidth + 200);
        const int x1 = left + pixels((i + 1) * page::kDialFrameWidth - 200);
        baselines.push_back(lowestLine(page, x0, x1, panelTop + 20, expectedBaseline + 10));
    }
    for (int b : baselines)
        EXPECT_NEAR(b, expectedBaseline, 2);
    EXPECT_EQ(*std::min_element(baselines.begin(), baselines.end()),
              *std::max_element(baselines.begin(), baselines.end()));

    // The heavy rule over the graphs and the rule between the graph rows run 8700 twips wide.
    const int ruleLeft = left + pixels(page::kGraphAreaLeft - page::kRuleInset + 100);
    const int ruleRight = left + pixels(page::kGraphAreaLeft - page::kRuleInset + page::kRuleLength - 100);
    const int heavy = expectedBaseline + pixels(page::kGraphAreaRule);
    EXPECT_NE(lowestLine(page, ruleLeft, ruleRight, heavy - 3, heavy + 3), -1);
    const int between = expectedBaseline + pixels(page::kGraphRowTop + page::kRowRuleBelowPlot);
    EXPECT_NE(lowestLine(page, ruleLeft, ruleRight, between - 3, between + 3), -1);

    // Nothing is drawn beyond the right margin.
    const int rightMargin = pixels(test::kLetterWidthTwips - 1440) + 2;
    for (int y = 0; y < page.height(); y += 3)
        for (int x = rightMargin; x < page.width(); ++x)
            ASSERT_FALSE(dark(page, x, y)) << x << "," << y;

    const std::string text = test::pdfText(pdfPath);
    EXPECT_NE(text.find("KBFI Boeing Field"), std::string::npos);
    EXPECT_NE(text.find("UTC: 2023-12-06 17:53"), std::string::npos);
    EXPECT_EQ(text.find("min old"), std::string::npos);   // the age would be wrong on paper
    EXPECT_NE(text.find("Air Pressure"), std::string::npos);
    EXPECT_NE(text.find("-1.0 hPa/3 h"), std::string::npos);   // the report's pressure tendency
    EXPECT_EQ(text.find("No Temperature Data"), std::string::npos);
}

TEST_F(PrintedPanelTest, OnLandscapeWithThreeInchTopAndBottomMarginsThePanelStaysBetweenThem)
{
    start();
    const QImage page = printPanel([](PrintPreview& preview) {
        preview.findChild<QRadioButton*>("Option4")->click();
        preview.findChild<QLineEdit*>("Text1_0")->setText("3");
        preview.findChild<QLineEdit*>("Text1_3")->setText("3");
        preview.findChild<QPushButton*>("btnMargins")->click();
        const PreviewGeometry& g = preview.geometry();
        EXPECT_LE(g.jobTop() + g.scale * preview.job().size.height, g.bottomLine() + 1e-6);
    });
    ASSERT_FALSE(page.isNull());
    ASSERT_EQ(page.width(), pixels(test::kLetterHeightTwips));
    const int top = pixels(3 * 1440);
    const int bottom = page.height() - pixels(3 * 1440);
    int inked = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            if (!dark(page, x, y))
                continue;
            ASSERT_TRUE(y >= top - 1 && y <= bottom + 1) << x << "," << y;
            ++inked;
        }
    EXPECT_GT(inked, 1000);
    EXPECT_NE(test::pdfText(pdfPath).find("KBFI Boeing Field"), std::string::npos);
}

TEST_F(PrintedPanelTest, AStationWithoutDataPrintsTheNoDataCaptions)
{
    state.tables.shortList.selected = 1;   // KSEA has no station data file
    start();
    const QImage page = printPanel();
    ASSERT_FALSE(page.isNull());
    const std::string text = test::pdfText(pdfPath);
    for (const char* caption : {"No Wind Direction Data", "No Wind Speed Data", "No Temperature Data",
                                "No Humidity Data", "No Air Pressure Data"})
        EXPECT_NE(text.find(caption), std::string::npos) << caption;
    EXPECT_NE(text.find("Click Update to download data for this station"), std::string::npos);
}
