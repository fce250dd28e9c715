// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One of the three print jobs: the instrument panel, the present report or
// the trend report. A job draws itself on any target at a given origin:
// at true size on its off-screen picture for the preview, then on the printer.

#include <functional>
#include <string>
#include <vector>

#include <QImage>

#include "instruments/panel_model.h"
#include "platform/core/trace_log.h"
#include "settings/settings.h"
#include "platform/surface.h"
#include "printing/core/print_layout.h"
#include "printing/core/printed_panel.h"

namespace ventoral {

enum class PrintKind { Machine, PresentText, LastText };

struct PrintJob {
    PrintKind kind = PrintKind::Machine;
    JobSize size;   // twips at true size
    std::function<void(Surface& target, double originX, double originY)> draw;
};

// The panel of a model: the job keeps a copy of it and of the colours, so
// the preview and the printer draw the same page whatever the main window
// shows meanwhile. trace outlives the job.
PrintJob panelJob(PanelModel model, const AppTables& tables, PanelPage page, TraceLog& trace);
// A report's lines (present or trend), printed as they are now.
PrintJob reportJob(PrintKind kind, std::vector<std::string> lines);

// PrintView: the job drawn at true size on a white 96 dpi picture.
QImage printView(const PrintJob& job);

} // namespace ventoral
