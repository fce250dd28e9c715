// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one entry of the web page view library, which the program loads when
// its first viewer opens rather than at start: the web engine alone holds
// more memory than the rest of the program.

class QWidget;

namespace ventoral {

class PageView;

// File name of the library, found beside the program or in its library folder.
constexpr const char* kWebPluginFileName = "libventoral-web.so";
constexpr const char* kMakePageViewSymbol = "ventoralMakePageView";

// A new page view as a child of parent; the caller owns it.
using MakePageViewFunction = PageView* (*)(QWidget* parent);

} // namespace ventoral
