// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/print_job.h"

#include <cmath>
#include <memory>

#include <QPainter>

#include "platform/qt_surface.h"
#include "printing/core/report_text.h"

namespace ventoral {

namespace {

constexpr int kViewDotsPerMeter = 3780;   // 96 dpi
constexpr double kTwipsPerViewPixel = 15.0;
// Text set on the printer comes out a little wider than measured on the screen.
constexpr double kTextWidthAllowance = 1.03;
constexpr double kTextEdgeTwips = 60;

QImage viewImage(int widthPixels, int heightPixels)
{
    QImage image(std::max(1, widthPixels), std::max(1, heightPixels), QImage::Format_RGB32);
    image.setDotsPerMeterX(kViewDotsPerMeter);
    image.setDotsPerMeterY(kViewDotsPerMeter);
    image.fill(Qt::white);
    return image;
}

// What the panel is drawn from, copied when the job is made.
struct PanelData {
    PanelModel model;
    ColorScheme colors;
    ShadeTable shades;
};

} // namespace

PrintJob panelJob(PanelModel model, const AppTables& tables, PanelPage page, TraceLog& trace)
{
    PrintJob job;
    job.kind = PrintKind::Machine;
    job.size = panelJobSize();
    auto data = std::make_shared<const PanelData>(PanelData{std::move(model), tables.colors, tables.shades});
    job.draw = [&trace, data, page = std::move(page)](Surface& target, double x, double y) {
        trace.record("frmMain,drawMachine");
        PanelPage placed = page;
        placed.originX = static_cast<int>(std::lround(x));
        placed.originY = static_cast<int>(std::lround(y));
        drawMachine(data->model, data->colors, data->shades, target, placed);
    };
    return job;
}

PrintJob reportJob(PrintKind kind, std::vector<std::string> lines)
{
    PrintJob job;
    job.kind = kind;
    QImage scratch = viewImage(1, 1);
    QPainter painter(&scratch);
    {
        QtSurface measure(painter, scratch, Surface::Kind::PrintPage);
        job.size = reportJobSize(measure, lines);
    }
    painter.end();
    job.size.width = job.size.width * kTextWidthAllowance + kTextEdgeTwips;
    job.size.height += kTextEdgeTwips;
    job.draw = [lines = std::move(lines)](Surface& target, double x, double y) {
        printReportLines(target, lines, x, y);
    };
    return job;
}

QImage printView(const PrintJob& job)
{
    QImage image = viewImage(static_cast<int>(std::ceil(job.size.width / kTwipsPerViewPixel)),
                             static_cast<int>(std::ceil(job.size.height / kTwipsPerViewPixel)));
    QPainter painter(&image);
    {
        QtSurface surface(painter, image, Surface::Kind::PrintPage);
        if (job.draw)
            job.draw(surface, 0, 0);
    }
    painter.end();
    return image;
}

} // namespace ventoral
