// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The viewers' page views, over the web engine library loaded when the first
// view is made. A start that opens no viewer never maps the engine, nor the
// OpenGL software rasteriser the engine pulls in.

#include <string>
#include <vector>

#include "platform/page_view.h"

namespace ventoral {

// Where the library is looked for, in order: the program's library folder,
// found from the program's own folder, then the program's folder itself (the
// build folder).
std::vector<std::string> webPluginFolders();

// Views from the first folder that holds the library. When none loads, each
// view only says why, and the viewers stay usable around it.
PageViewFactory webPageViews(std::vector<std::string> folders = webPluginFolders());

} // namespace ventoral
