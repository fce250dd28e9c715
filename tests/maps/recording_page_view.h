// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A page view that keeps what it is asked to show, for the viewer tests.

#include <memory>
#include <string>
#include <vector>

#include <QWidget>

#include "platform/page_view.h"

namespace ventoral::test {

class RecordingPageView : public PageView {
public:
    explicit RecordingPageView(QWidget* parent) : m_widget(new QWidget(parent))
    {
        m_widget->setObjectName("WebBrowser1");
    }

    QWidget* widget() override { return m_widget; }
    void navigate(const std::string& address) override { shown.push_back(address); }
    void showPage(const std::string& pageText) override { shown.push_back("page:" + pageText); }
    bool busy() const override { return false; }
    void stop() override { ++stops; }
    void setScrollBarsShown(bool shown) override { scrollBars = shown; }
    void printPreview() override { ++previews; }
    void print() override { ++prints; }

    // The last page handed over as text, without its "page:" mark; empty when
    // the last thing shown was an address.
    std::string lastPage() const
    {
        return shown.empty() || shown.back().rfind("page:", 0) != 0 ? std::string() : shown.back().substr(5);
    }

    std::vector<std::string> shown;
    bool scrollBars = true;
    int stops = 0;
    int previews = 0;
    int prints = 0;

private:
    QWidget* m_widget;
};

// Makes recording views and remembers the last one made.
struct RecordingPageViews {
    RecordingPageView* last = nullptr;
    PageViewFactory factory()
    {
        return [this](QWidget* parent) -> std::unique_ptr<PageView> {
            auto view = std::make_unique<RecordingPageView>(parent);
            last = view.get();
            return view;
        };
    }
};

} // namespace ventoral::test
