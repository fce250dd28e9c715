// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printer chosen in the printer dialog, as printing sees it: the paper,
// the printable area and the orientation in twips, and documents drawn on
// the one drawing target.

#include <memory>

#include "platform/surface.h"

namespace ventoral {

// All lengths are twips. The printable area starts offsetLeft, offsetTop
// from the paper's top-left corner (the physical offsets of the device).
struct PrinterPage {
    double paperWidth = 0;
    double paperHeight = 0;
    double printableWidth = 0;
    double printableHeight = 0;
    double offsetLeft = 0;
    double offsetTop = 0;
};

// Written to the printer as orientation 1 or 2.
enum class PageOrientation { Portrait = 1, Landscape = 2 };

// One document on the printer; it goes out when finish() is called.
class PrintDocument {
public:
    virtual ~PrintDocument() = default;
    // Twips from the top-left corner of the printable area.
    virtual Surface& surface() = 0;
    // False when the device reported a failure.
    virtual bool finish() = 0;
};

class Printer {
public:
    virtual ~Printer() = default;
    virtual PrinterPage page() const = 0;
    virtual PageOrientation orientation() const = 0;
    virtual void setOrientation(PageOrientation orientation) = 0;
    // False while there is nowhere to print to: no printer installed and no
    // file chosen to print into. The printer dialog is then asked first.
    virtual bool canPrint() const = 0;
    // Starts a document whose drawing is scaled by scale (1 is true size);
    // nullptr when the device cannot be opened.
    virtual std::unique_ptr<PrintDocument> begin(double scale) = 0;
};

} // namespace ventoral
