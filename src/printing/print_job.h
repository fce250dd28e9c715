// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One of the three print jobs: the instrument panel, the present report or
// the trend report. A job draws itself on any target at a given origin:
// at true size on its off-screen picture for the preview, then on the printer.

#include <functional>
#include <string>
#include <vector>

#include <QImage>

#include "session/app_state.h"
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

// The panel of the current station as it is now: the job keeps a copy of
// what it is drawn from, so the preview and the printer draw the same page
// whatever the main window shows meanwhile.
PrintJob panelJob(AppState& state, PanelPage page, const CivilTime& nowLocal);
// A report's lines (present or trend), printed as they are now.
PrintJob reportJob(PrintKind kind, std::vector<std::string> lines);

// PrintView: the job drawn at true size on a white 96 dpi picture.
QImage printView(const PrintJob& job);

} // namespace ventoral
