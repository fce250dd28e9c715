// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/panel_geometry.h"

#include <algorithm>

#include "instruments/panel_layout.h"

namespace ventoral {

namespace {

constexpr int kMargin = 120;
constexpr int kRowGap = 60;
constexpr int kSelectorWidth = 3600;
constexpr int kSelectorHeight = 330;
constexpr int kLabelLeft = kSelectorWidth + 120;
constexpr int kDialRowTop = kMargin + 450;
constexpr int kDownloadPanelWidth = 6000;
constexpr int kDownloadPanelHeight = 720;
constexpr int kDialRowWidth = 5 * panel::kDialWidth + 4 * panel::kDialGap;
constexpr int kPanelWidth = kDialRowWidth + 2 * kMargin;

struct Layout {
    int width = kPanelWidth;
    int height = 0;
    RectTwips stations{kMargin, kMargin, kSelectorWidth, kSelectorHeight};
    RectTwips dateLabel{kMargin + kLabelLeft, kMargin, kDialRowWidth - kLabelLeft, kSelectorHeight};
    RectTwips strip;
    RectTwips source;
    RectTwips downloadPanel;
    std::map<PanelPicture, RectTwips> pictures;
};

// The panel at its smallest size: five dials in the order of the print page,
// the condition strip, then the wide graphs and the narrow ones, each row centred.
Layout smallestLayout()
{
    Layout l;
    int y = kDialRowTop;
    int x = kMargin;
    for (PanelPicture dial : {PanelPicture::Picture6, PanelPicture::Picture2, PanelPicture::Picture4,
                              PanelPicture::Picture8, PanelPicture::Picture10}) {
        l.pictures[dial] = {double(x), double(y), panel::kDialWidth, panel::kDialHeight};
        x += panel::kDialWidth + panel::kDialGap;
    }
    y += panel::kDialHeight + kRowGap;
    l.strip = {double((kPanelWidth - kStripWidthTwips) / 2), double(y), kStripWidthTwips, kStripHeightTwips};
    // Beside the strip, in the room the dial row leaves to its right.
    const int sourceLeft = (kPanelWidth + kStripWidthTwips) / 2 + kRowGap;
    l.source = {double(sourceLeft), double(y), double(kPanelWidth - kMargin - sourceLeft), kStripHeightTwips};
    l.downloadPanel = {double((kPanelWidth - kDownloadPanelWidth) / 2), double(y), kDownloadPanelWidth,
                       kDownloadPanelHeight};
    y += kStripHeightTwips + kRowGap;

    const auto row = [&](std::initializer_list<std::pair<PanelPicture, int>> graphs) {
        int total = 0;
        for (const auto& [graph, width] : graphs)
            total += width + panel::kDialGap;
        int gx = (kPanelWidth - total + panel::kDialGap) / 2;
        for (const auto& [graph, width] : graphs) {
            l.pictures[graph] = {double(gx), double(y), double(width), panel::kGraphHeight};
            gx += width + panel::kDialGap;
        }
        y += panel::kGraphHeight + panel::kDialGap;
    };
    row({{PanelPicture::PresGraph, panel::kWideGraphWidth},
         {PanelPicture::TempGraph, panel::kWideGraphWidth},
         {PanelPicture::HumidGraph, panel::kNarrowGraphWidth}});
    row({{PanelPicture::WindSGraph, panel::kNarrowGraphWidth}, {PanelPicture::WindDGraph, panel::kNarrowGraphWidth}});
    l.height = y + kMargin;
    return l;
}

RectTwips scaled(const RectTwips& r, double zoom)
{
    return {r.left * zoom, r.top * zoom, r.width * zoom, r.height * zoom};
}

} // namespace

PanelGeometry panelGeometry(double zoom)
{
    static const Layout smallest = smallestLayout();
    PanelGeometry g;
    g.zoom = std::max(zoom, 1.0);
    g.widthTwips = smallest.width * g.zoom;
    g.heightTwips = smallest.height * g.zoom;
    g.stations = scaled(smallest.stations, g.zoom);
    g.dateLabel = scaled(smallest.dateLabel, g.zoom);
    g.strip = scaled(smallest.strip, g.zoom);
    g.source = scaled(smallest.source, g.zoom);
    g.downloadPanel = scaled(smallest.downloadPanel, g.zoom);
    for (const auto& [picture, rect] : smallest.pictures)
        g.pictures[picture] = scaled(rect, g.zoom);
    return g;
}

double panelZoomFor(double widthTwips, double heightTwips)
{
    const PanelGeometry smallest = panelGeometry(1);
    return std::max(1.0, std::min(widthTwips / smallest.widthTwips, heightTwips / smallest.heightTwips));
}

} // namespace ventoral
