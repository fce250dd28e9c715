// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/core/print_layout.h"

#include <algorithm>

#include "platform/core/number_text.h"

namespace ventoral {

namespace {

constexpr double kLargestMarginShare = 0.4;

double twipsOf(double inches)
{
    return inches * kTwipsPerInch;
}

double clampMargin(double inches, double sideTwips)
{
    return std::clamp(inches, 0.0, kLargestMarginShare * sideTwips / kTwipsPerInch);
}

} // namespace

double marginOf(std::string_view text)
{
    return std::max(0.0, readNumber(text));
}

MarginsInches usableMargins(const MarginsInches& margins, const PrinterPage& page)
{
    return {clampMargin(margins.top, page.paperHeight), clampMargin(margins.left, page.paperWidth),
            clampMargin(margins.right, page.paperWidth), clampMargin(margins.bottom, page.paperHeight)};
}

bool samePage(const PrinterPage& a, const PrinterPage& b)
{
    return a.paperWidth == b.paperWidth && a.paperHeight == b.paperHeight && a.printableWidth == b.printableWidth
           && a.printableHeight == b.printableHeight && a.offsetLeft == b.offsetLeft && a.offsetTop == b.offsetTop;
}

PrintPlacement paperPlacement(const PrinterPage& page, JobSize job, const PreviewOptions& options)
{
    const MarginsInches m = usableMargins(options.margins, page);
    const double rightStrip = std::max(0.0, page.paperWidth - page.printableWidth - page.offsetLeft);
    const double bottomStrip = std::max(0.0, page.paperHeight - page.printableHeight - page.offsetTop);
    const double left = std::max(twipsOf(m.left), page.offsetLeft);
    const double right = std::max(twipsOf(m.right), rightStrip);
    const double top = std::max(twipsOf(m.top), page.offsetTop);
    const double bottom = std::max(twipsOf(m.bottom), bottomStrip);
    const double roomWidth = std::max(0.0, page.paperWidth - left - right);
    const double roomHeight = std::max(0.0, page.paperHeight - top - bottom);

    PrintPlacement p;
    if (job.width > 0 && job.height > 0) {
        // Both sides must fit, whichever is the longer.
        p.scale = std::min(roomWidth / job.width, roomHeight / job.height);
        if (!options.fitMargins)
            p.scale = std::min(p.scale, 1.0);
    }
    p.left = left;
    p.top = top;
    if (options.placement == Placement::Centre) {
        p.left += (roomWidth - p.scale * job.width) / 2;
        p.top += (roomHeight - p.scale * job.height) / 2;
    }
    return p;
}

PreviewGeometry previewGeometry(const PrinterPage& page, JobSize job, const PreviewOptions& options)
{
    const MarginsInches m = usableMargins(options.margins, page);
    PreviewGeometry g;
    g.pageWidth = page.paperWidth / kPreviewReduction;
    g.pageHeight = page.paperHeight / kPreviewReduction;
    g.marginTop = twipsOf(m.top) / kPreviewReduction;
    g.marginLeft = twipsOf(m.left) / kPreviewReduction;
    g.marginRight = twipsOf(m.right) / kPreviewReduction;
    g.marginBottom = twipsOf(m.bottom) / kPreviewReduction;

    const PrintPlacement p = paperPlacement(page, job, options);
    g.scale = p.scale / kPreviewReduction;
    g.offsetX = p.left / kPreviewReduction - g.marginLeft;
    g.offsetY = p.top / kPreviewReduction - g.marginTop;
    return g;
}

PrintPlacement printPlacement(const PrinterPage& page, JobSize job, const PreviewOptions& options)
{
    PrintPlacement p = paperPlacement(page, job, options);
    p.left -= page.offsetLeft;
    p.top -= page.offsetTop;
    return p;
}

} // namespace ventoral
