// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The web page view the map viewer and the site viewer embed: it shows a
// page given as text, a local file or a web address, says whether it is
// still loading, stops, and prints what it shows.

#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace ventoral {

class PageView {
public:
    virtual ~PageView() = default;

    // The view's own widget, placed and sized by the hosting window.
    virtual QWidget* widget() = 0;
    // A web address, a local file path or "about:blank".
    virtual void navigate(const std::string& address) = 0;
    // A whole page as text; local files it names by file URL are shown.
    virtual void showPage(const std::string& pageText) = 0;
    // True from a navigation until its page has finished loading.
    virtual bool busy() const = 0;
    virtual void stop() = 0;
    virtual void setScrollBarsShown(bool shown) = 0;
    // The view's own print preview, and its print dialog then printing.
    virtual void printPreview() = 0;
    virtual void print() = 0;
};

// Makes the page view of a window, as a child of parent.
using PageViewFactory = std::function<std::unique_ptr<PageView>(QWidget* parent)>;

} // namespace ventoral
