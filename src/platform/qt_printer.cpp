#include "platform/qt_printer.h"

#include <QPainter>
#include <QPrinter>

#include "platform/qt_surface.h"

namespace ventoral {

namespace {

constexpr double kTwipsPerPoint = 20.0;

class QtPrintDocument : public PrintDocument {
public:
    QtPrintDocument(std::unique_ptr<QPainter> painter, QPrinter& printer, double scale)
        : m_painter(std::move(painter))
    {
        m_painter->scale(scale, scale);
        m_surface = std::make_unique<QtSurface>(*m_painter, printer, Surface::Kind::Printer);
    }
    ~QtPrintDocument() override
    {
        if (m_painter->isActive())
            finish();
    }

    Surface& surface() override { return *m_surface; }
    bool finish() override
    {
        m_surface.reset();
        return m_painter->end();
    }

private:
    std::unique_ptr<QPainter> m_painter;
    std::unique_ptr<QtSurface> m_surface;
};

} // namespace

QtPrinter::QtPrinter(QPrinter& printer) : m_printer(printer) {}

PrinterPage QtPrinter::page() const
{
    // pageRect is the printable area, placed on the paper.
    const QRectF paper = m_printer.paperRect(QPrinter::Point);
    const QRectF printable = m_printer.pageRect(QPrinter::Point);
    PrinterPage page;
    page.paperWidth = paper.width() * kTwipsPerPoint;
    page.paperHeight = paper.height() * kTwipsPerPoint;
    page.printableWidth = printable.width() * kTwipsPerPoint;
    page.printableHeight = printable.height() * kTwipsPerPoint;
    page.offsetLeft = (printable.left() - paper.left()) * kTwipsPerPoint;
    page.offsetTop = (printable.top() - paper.top()) * kTwipsPerPoint;
    return page;
}

PageOrientation QtPrinter::orientation() const
{
    return m_printer.pageLayout().orientation() == QPageLayout::Landscape ? PageOrientation::Landscape
                                                                           : PageOrientation::Portrait;
}

void QtPrinter::setOrientation(PageOrientation orientation)
{
    m_printer.setPageOrientation(orientation == PageOrientation::Landscape ? QPageLayout::Landscape
                                                                           : QPageLayout::Portrait);
}

bool QtPrinter::canPrint() const
{
    if (m_printer.outputFormat() == QPrinter::PdfFormat)
        return !m_printer.outputFileName().isEmpty();
    return m_printer.isValid() && !m_printer.printerName().isEmpty();
}

std::unique_ptr<PrintDocument> QtPrinter::begin(double scale)
{
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(&m_printer))
        return nullptr;
    return std::make_unique<QtPrintDocument>(std::move(painter), m_printer, scale);
}

} // namespace ventoral
