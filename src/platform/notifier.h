// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Short messages for the user outside the program's windows: the desktop's
// notification service first, then the tray icon's message, then a line in
// the main window, whichever is there.

#include <functional>
#include <string>

namespace ventoral {

class Notifier {
public:
    virtual ~Notifier() = default;
    // False when the message could not be shown this way.
    virtual bool notify(const std::string& title, const std::string& body) = 0;
};

// Each way in turn until one shows the message; a way not set is skipped.
class NotificationRoute : public Notifier {
public:
    using Show = std::function<bool(const std::string& title, const std::string& body)>;

    void setDesktop(Notifier* desktop) { m_desktop = desktop; }
    // The tray icon's message balloon, where the program has a tray icon.
    void setTray(Show tray) { m_tray = std::move(tray); }
    // A line in the main window, the last resort.
    void setWindowLine(Show line) { m_windowLine = std::move(line); }

    bool notify(const std::string& title, const std::string& body) override
    {
        if (m_desktop && m_desktop->notify(title, body))
            return true;
        if (m_tray && m_tray(title, body))
            return true;
        return m_windowLine && m_windowLine(title, body);
    }

private:
    Notifier* m_desktop = nullptr;
    Show m_tray;
    Show m_windowLine;
};

} // namespace ventoral
