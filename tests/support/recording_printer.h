// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A printer for tests: letter paper, always ready, and every document drawn
// on a recording surface that is kept once the document is finished.

#include <memory>
#include <vector>

#include "recording_surface.h"
#include "platform/printer.h"

namespace ventoral::test {

class RecordingPrinter : public Printer {
public:
    PrinterPage page() const override
    {
        // Letter, the outer quarter inch not printable.
        return {12240, 15840, 12240 - 720, 15840 - 720, 360, 360};
    }
    PageOrientation orientation() const override { return m_orientation; }
    void setOrientation(PageOrientation orientation) override { m_orientation = orientation; }
    bool canPrint() const override { return true; }
    std::unique_ptr<PrintDocument> begin(double) override { return std::make_unique<Document>(*this); }

    // The finished documents, oldest first.
    const std::vector<RecordingSurface>& pages() const { return m_pages; }

private:
    class Document : public PrintDocument {
    public:
        explicit Document(RecordingPrinter& printer)
            : m_printer(printer), m_surface(Surface::Kind::Printer, 12240 - 720, 15840 - 720)
        {
        }
        Surface& surface() override { return m_surface; }
        bool finish() override
        {
            m_printer.m_pages.push_back(m_surface);
            return true;
        }

    private:
        RecordingPrinter& m_printer;
        RecordingSurface m_surface;
    };

    PageOrientation m_orientation = PageOrientation::Portrait;
    std::vector<RecordingSurface> m_pages;
};

} // namespace ventoral::test
