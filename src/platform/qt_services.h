// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The platform interfaces over Qt.

#include <QString>

#include "platform/core/civil_time.h"
#include "platform/browser.h"
#include "platform/clock.h"
#include "platform/locations.h"
#include "platform/prompter.h"
#include "platform/user_store.h"

class QWidget;

namespace ventoral {

// Settings in the per-user config folder (XDG_CONFIG_HOME/ventoral); the
// program folder is the executable's folder when it is writable, else the
// per-user data folder (XDG_DATA_HOME/ventoral). Delivered files are read
// from the executable's "data" folder or the installed share folder.
FixedLocations systemLocations();

// The per-user data folder (XDG_DATA_HOME/ventoral), wherever the program
// folder is: what must outlive one run, such as the alarms already raised.
std::string userDataFolder();

// The computer's UTC clock in the computer's zone.
class SystemClock : public Clock {
public:
    CivilTime nowUtc() const override;
    const TimeZone& zone() const override { return m_zone; }

private:
    SystemTimeZone m_zone;
};

// QSettings, organisation and application "Ventoral".
class QtUserStore : public UserStore {
public:
    std::string value(const std::string& section, const std::string& key, const std::string& fallback) const override;
    void setValue(const std::string& section, const std::string& key, const std::string& value) override;
};

class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    void inform(const std::string& title, const std::string& text) override;
    void warn(const std::string& title, const std::string& text) override;
    bool askYesNo(const std::string& title, const std::string& text) override;

private:
    QWidget* m_parent;
};

// Short date and long time of the system locale; the long time leaves out
// the time zone, since the times shown are computed, not the zone's own.
class LocaleDateForms : public DateForms {
public:
    LocaleDateForms();
    std::string shortDate(int year, int month, int day) const override;
    std::string longTime(int hour, int minute, int second) const override;

private:
    QString m_dateFormat;
    QString m_timeFormat;
};

inline QString toQString(const std::string& text) { return QString::fromStdString(text); }
inline std::string fromQString(const QString& text) { return text.toStdString(); }

} // namespace ventoral

namespace ventoral {

// QDesktopServices: a path opens as a file, anything with a scheme as an address.
class QtBrowser : public Browser {
public:
    bool open(const std::string& addressOrPath) override;
};

} // namespace ventoral
