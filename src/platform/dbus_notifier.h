// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Desktop notifications through the freedesktop notification service
// (org.freedesktop.Notifications on the session bus), as notify-send and
// the desktops' own applets show them.

#include <QString>

#include "platform/notifier.h"

namespace ventoral {

inline constexpr const char* kNotificationService = "org.freedesktop.Notifications";
inline constexpr const char* kNotificationPath = "/org/freedesktop/Notifications";

class DBusNotifier : public Notifier {
public:
    // The user's session bus.
    DBusNotifier();
    // The bus at a D-Bus address, such as a test's own bus.
    explicit DBusNotifier(const QString& busAddress);
    ~DBusNotifier() override;
    DBusNotifier(const DBusNotifier&) = delete;
    DBusNotifier& operator=(const DBusNotifier&) = delete;

    // Waits for the service's answer, at most a few seconds; false when
    // there is no bus, no service (none running and none to start) or no answer.
    bool notify(const std::string& title, const std::string& body) override;

private:
    QString m_connectionName;
    bool m_ownConnection = false;
};

} // namespace ventoral
