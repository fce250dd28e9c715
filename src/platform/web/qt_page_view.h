#pragma once
// The page view over Qt WebEngine.

#include <QPointer>
#include <QWebEngineView>

#include "platform/page_view.h"

namespace ventoral {

// Call before the QApplication is made. The engine gets software rendering,
// so it works without a GPU; when the program runs as root, Chromium's
// sandbox cannot start, and only then the engine is told to run without it.
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

PageViewFactory qtPageViews();

} // namespace ventoral
