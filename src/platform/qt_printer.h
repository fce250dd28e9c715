// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printer over a QPrinter: the one the printer dialog sets up, so page
// size, orientation and "Print to file" chosen there are what prints.

#include <functional>
#include <memory>

#include "platform/printer.h"

class QPrinter;

namespace ventoral {

// The QPrinter made on first use: making one asks the print system for its
// printers, which would otherwise take a good part of the program's start.
class LazyPrinter {
public:
    LazyPrinter();
    ~LazyPrinter();
    QPrinter& get();

private:
    std::unique_ptr<QPrinter> m_printer;
};

class QtPrinter : public Printer {
public:
    // printer outlives this object.
    explicit QtPrinter(QPrinter& printer);
    explicit QtPrinter(LazyPrinter& printer);

    PrinterPage page() const override;
    PageOrientation orientation() const override;
    void setOrientation(PageOrientation orientation) override;
    bool canPrint() const override;
    std::unique_ptr<PrintDocument> begin(double scale) override;

private:
    std::function<QPrinter&()> m_printer;
};

} // namespace ventoral
