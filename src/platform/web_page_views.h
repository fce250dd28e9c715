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

// Qt GUI's setter of the application's shared OpenGL context, which the
// engine needs before it loads: private to Qt (qopenglcontext_p.h), so it is
// looked up by this name when the first view is made, never linked.
constexpr const char* kShareContextSetterSymbol = "_Z30qt_gl_set_global_share_contextP14QOpenGLContext";

// Views from the first folder that holds the library. When none loads, or
// this Qt lacks the shareContextSetter symbol, each view only says why, and
// the viewers stay usable around it.
PageViewFactory webPageViews(std::vector<std::string> folders = webPluginFolders(),
                             std::string shareContextSetter = kShareContextSetterSymbol);

} // namespace ventoral
