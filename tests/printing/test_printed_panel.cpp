// SPDX-License-Identifier: GPL-3.0-or-later
// The instrument panel printed into a PDF file through the preview's Print
// button and rendered back with pdftoppm: nothing beyond the margins, on
// portrait and on a landscape page with wide margins.

#include <functional>

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

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
    // Every dark pixel of the page lies inside the margins (in inches), and there is ink.
    static void expectInkInside(const QImage& page, double top, double left, double right, double bottom)
    {
        const QRect inside(QPoint(pixels(left * 1440) - 1, pixels(top * 1440) - 1),
                           QPoint(page.width() - pixels(right * 1440) + 1, page.height() - pixels(bottom * 1440) + 1));
        int inked = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (qGray(page.pixel(x, y)) < 140) {
                    ASSERT_TRUE(inside.contains(x, y)) << x << "," << y;
                    ++inked;
                }
        EXPECT_GT(inked, 1000);
    }
};

} // namespace

TEST_F(PrintedPanelTest, ThePanelStaysInsideTheMarginsAndPrintsTheReportsTimeButNoAge)
{
    start();
    const QImage page = printPanel();
    ASSERT_FALSE(page.isNull()) << "pdftoppm (poppler-utils) missing or the PDF unreadable";
    EXPECT_EQ(page.width(), pixels(test::kLetterWidthTwips));
    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_FALSE(find<PrintPreview>("frmPrintPreview") && find<PrintPreview>("frmPrintPreview")->isVisible());

    expectInkInside(page, 1, 1, 1, 1);

    const std::string text = test::pdfText(pdfPath);
    EXPECT_NE(text.find("KBFI Boeing Field"), std::string::npos);
    EXPECT_NE(text.find("UTC: 2023-12-06 17:53"), std::string::npos);
    EXPECT_EQ(text.find("min old"), std::string::npos);   // the age would be wrong on paper
    EXPECT_NE(text.find("-1.0 hPa/3 h"), std::string::npos);   // the report's pressure tendency
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
    expectInkInside(page, 3, 1, 1, 3);
    EXPECT_NE(test::pdfText(pdfPath).find("KBFI Boeing Field"), std::string::npos);
}
