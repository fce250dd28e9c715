// SPDX-License-Identifier: GPL-3.0-or-later
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

LazyPrinter::LazyPrinter() = default;
LazyPrinter::~LazyPrinter() = default;

QPrinter& LazyPrinter::get()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

QtPrinter::QtPrinter(QPrinter& printer) : m_printer([&printer]() -> QPrinter& { return printer; }) {}

QtPrinter::QtPrinter(LazyPrinter& printer) : m_printer([&printer]() -> QPrinter& { return printer.get(); }) {}

PrinterPage QtPrinter::page() const
{
    QPrinter& printer = m_printer();
    // pageRect is the printable area, placed on the paper.
    const QRectF paper = printer.paperRect(QPrinter::Point);
    const QRectF printable = printer.pageRect(QPrinter::Point);
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
    QPrinter& printer = m_printer();
    return printer.pageLayout().orientation() == QPageLayout::Landscape ? PageOrientation::Landscape
                                                                         : PageOrientation::Portrait;
}

void QtPrinter::setOrientation(PageOrientation orientation)
{
    QPrinter& printer = m_printer();
    printer.setPageOrientation(orientation == PageOrientation::Landscape ? QPageLayout::Landscape
                                                                         : QPageLayout::Portrait);
}

bool QtPrinter::canPrint() const
{
    QPrinter& printer = m_printer();
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return !printer.outputFileName().isEmpty();
    return printer.isValid() && !printer.printerName().isEmpty();
}

std::unique_ptr<PrintDocument> QtPrinter::begin(double scale)
{
    QPrinter& printer = m_printer();
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(&printer))
        return nullptr;
    return std::make_unique<QtPrintDocument>(std::move(painter), printer, scale);
}

} // namespace ventoral
