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

// The largest scale, at most 1, that keeps the job between the margins of the page picture.
double fitScale(const PreviewGeometry& g, JobSize job)
{
    if (job.width <= 0 || job.height <= 0)
        return 1.0;
    const double sx = (g.pageWidth - g.marginLeft - g.marginRight) / job.width;
    const double sy = (g.pageHeight - g.marginTop - g.marginBottom) / job.height;
    return std::clamp(std::min(sx, sy), 0.0, 1.0);
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

bool fitsAtTrueSize(const PrinterPage& page, JobSize job, const MarginsInches& margins)
{
    return job.width + twipsOf(margins.left + margins.right) <= page.printableWidth
           && job.height + twipsOf(margins.top + margins.bottom) <= page.printableHeight;
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

    // Without fit margins the picture shows the job at the scale it will be
    // printed at: a fifth of it, never enlarged.
    if (options.fitMargins)
        g.scale = fitScale(g, job);
    else if (fitsAtTrueSize(page, job, m))
        g.scale = kPreviewTrueSize;
    else
        g.scale = kPreviewTrueSize * printPlacement(page, job, options).scale;
    if (options.placement == Placement::Centre) {
        g.offsetX = (g.pageWidth - g.scale * job.width - g.marginLeft - g.marginRight) / 2;
        g.offsetY = (g.pageHeight - g.scale * job.height - g.marginTop - g.marginBottom) / 2;
    }
    return g;
}

PrintPlacement printPlacement(const PrinterPage& page, JobSize job, const PreviewOptions& options)
{
    const MarginsInches m = usableMargins(options.margins, page);
    const double rightStrip = page.paperWidth - page.printableWidth - page.offsetLeft;
    const double bottomStrip = page.paperHeight - page.printableHeight - page.offsetTop;
    const double left = twipsOf(m.left) - page.offsetLeft;
    const double right = twipsOf(m.right) - rightStrip;
    const double top = twipsOf(m.top) - page.offsetTop;
    const double bottom = twipsOf(m.bottom) - bottomStrip;

    PrintPlacement p;
    if (job.width > 0 && job.height > 0) {
        const double sx = (page.printableWidth - left - right) / job.width;
        const double sy = (page.printableHeight - top - bottom) / job.height;
        p.scale = job.height < job.width ? sx : sy;
        if (!options.fitMargins)
            p.scale = std::min(p.scale, 1.0);
    }
    p.left = left;
    p.top = top;
    if (options.placement == Placement::Centre) {
        p.top = (page.paperHeight - p.scale * job.height) / 2 - page.offsetTop;
        p.left = (page.paperWidth - p.scale * job.width) / 2 - page.offsetLeft;
    }
    // A margin inside the strip the device cannot print starts at its edge.
    p.left = std::max(0.0, p.left);
    p.top = std::max(0.0, p.top);
    return p;
}

} // namespace ventoral
