// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a print job lands: on the preview's page picture (one fifth of the
// paper, with dotted margin lines) and on the printer. Lengths are twips
// unless a name says inches; a job is measured in twips at its true size.

#include <string>
#include <string_view>

#include "platform/printer.h"

namespace ventoral {

inline constexpr double kTwipsPerInch = 1440.0;
inline constexpr double kPreviewReduction = 5.0;   // the page picture is a fifth of the paper
inline constexpr double kPreviewTrueSize = 1.0 / kPreviewReduction;

struct MarginsInches {
    double top = 1.0;
    double left = 1.0;
    double right = 1.0;
    double bottom = 1.0;
};

enum class Placement { TopLeft, Centre };

struct PreviewOptions {
    MarginsInches margins;
    Placement placement = Placement::TopLeft;
    bool fitMargins = false;
    PageOrientation orientation = PageOrientation::Portrait;
};

struct JobSize {
    double width = 0;
    double height = 0;
};

// The page picture: its inner size, the margins on it, and the job's
// rectangle at (offsetX + marginLeft, offsetY + marginTop), scale x job size.
struct PreviewGeometry {
    double pageWidth = 0;
    double pageHeight = 0;
    double marginTop = 0;
    double marginLeft = 0;
    double marginRight = 0;
    double marginBottom = 0;
    double scale = kPreviewTrueSize;   // job twips to page twips
    double offsetX = 0;
    double offsetY = 0;

    double jobLeft() const { return offsetX + marginLeft; }
    double jobTop() const { return offsetY + marginTop; }
    // The dotted lines run across the whole page at these positions.
    double rightLine() const { return pageWidth - marginRight; }
    double bottomLine() const { return pageHeight - marginBottom; }
};

// A margin box's text in inches: no number reads as 0, a negative one too.
double marginOf(std::string_view text);

// Margins a page can hold: none below 0, and none taking more than 40% of
// the paper's side, so a job always keeps room.
MarginsInches usableMargins(const MarginsInches& margins, const PrinterPage& page);

// True when both describe the same paper and printable area.
bool samePage(const PrinterPage& a, const PrinterPage& b);

// Where the job goes and how large: left and top in twips from the corner
// of the paper (paperPlacement) or of the printable area (printPlacement).
struct PrintPlacement {
    double left = 0;
    double top = 0;
    double scale = 1;
};

// The one placement the preview shows and the printer prints. The job fits
// inside all four margins, and inside the strips the device cannot print
// where they are wider: at its true size when it fits, else shrunk to fit
// between the margins; never enlarged unless fit margins is on. Top-left,
// or centred between the margins.
PrintPlacement paperPlacement(const PrinterPage& page, JobSize job, const PreviewOptions& options);

// The page picture: a fifth of the paper, the dotted lines at the margins,
// the job where paperPlacement puts it.
PreviewGeometry previewGeometry(const PrinterPage& page, JobSize job, const PreviewOptions& options);

// paperPlacement from the printable area's top-left corner, as the printer draws.
PrintPlacement printPlacement(const PrinterPage& page, JobSize job, const PreviewOptions& options);

} // namespace ventoral
