// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/web/page_view_plugin.h"

#include <QtGlobal>

#include "platform/web/qt_page_view.h"

extern "C" Q_DECL_EXPORT ventoral::PageView* ventoralMakePageView(QWidget* parent)
{
    // Read by the engine when it makes its first page, which comes next.
    ventoral::setWebEngineFlags();
    return new ventoral::QtPageView(parent);
}
