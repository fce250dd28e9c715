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

// True when the job at its true size fits the printable area with the margins.
bool fitsAtTrueSize(const PrinterPage& page, JobSize job, const MarginsInches& margins);

// The page picture for the options: true size (scale 0.2) when the job fits,
// else shrunk to fit between the margins; top-left or centred between them.
PreviewGeometry previewGeometry(const PrinterPage& page, JobSize job, const PreviewOptions& options);

// Where the job goes on the printer, in twips from the printable area's
// top-left corner, and its scale: never above 1 unless fit margins is on;
// the width decides when the job is wider than tall, else the height.
struct PrintPlacement {
    double left = 0;
    double top = 0;
    double scale = 1;
};
PrintPlacement printPlacement(const PrinterPage& page, JobSize job, const PreviewOptions& options);

} // namespace ventoral
