// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The page view over Qt WebEngine.

#include <QPointer>
#include <QWebEngineView>

#include "platform/page_view.h"

namespace ventoral {

// Call before the engine makes its first page. The engine gets software
// rendering, so it works without a GPU; when the program runs as root,
// Chromium's sandbox cannot start, and only then the engine is told to run
// without it.
void setWebEngineFlags();
// The same and the shared OpenGL contexts the engine asks for, for a program
// that links the engine: call before the QApplication is made. A program
// that loads the engine later gets its contexts from webPageViews().
void prepareWebEngine();

class QtPageView : public PageView {
public:
    explicit QtPageView(QWidget* parent);
    ~QtPageView() override;

    QWidget* widget() override;
    void navigate(const std::string& address) override;
    void showPage(const std::string& pageText) override;
    bool busy() const override;
    void stop() override;
    void setScrollBarsShown(bool shown) override;
    void printPreview() override;
    void print() override;

    QWebEngineView* view() const { return m_view; }

private:
    QPointer<QWebEngineView> m_view;
    bool m_requested = false;   // asked for, not started yet
};

// Views linked into the program itself, for the benchmarks.
PageViewFactory qtPageViews();

} // namespace ventoral
