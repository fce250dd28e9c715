#pragma once
// The printer over a QPrinter: the one the printer dialog sets up, so page
// size, orientation and "Print to file" chosen there are what prints.

#include "platform/printer.h"

class QPrinter;

namespace ventoral {

class QtPrinter : public Printer {
public:
    // printer outlives this object.
    explicit QtPrinter(QPrinter& printer);

    PrinterPage page() const override;
    PageOrientation orientation() const override;
    void setOrientation(PageOrientation orientation) override;
    bool canPrint() const override;
    std::unique_ptr<PrintDocument> begin(double scale) override;

private:
    QPrinter& m_printer;
};

} // namespace ventoral
