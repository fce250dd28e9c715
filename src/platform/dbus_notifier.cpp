// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dbus_notifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

namespace ventoral {

namespace {

constexpr int kReplyTimeoutMs = 3000;
constexpr const char* kApplicationName = "Ventoral";
constexpr const char* kIconName = "org.ventoral.Ventoral";
constexpr int kServerDefaultExpiry = -1;

} // namespace

DBusNotifier::DBusNotifier() : m_connectionName(QDBusConnection::sessionBus().name()) {}

DBusNotifier::DBusNotifier(const QString& busAddress)
    : m_connectionName(QStringLiteral("ventoral-notifier-%1").arg(reinterpret_cast<quintptr>(this), 0, 16)),
      m_ownConnection(true)
{
    QDBusConnection::connectToBus(busAddress, m_connectionName);
}

DBusNotifier::~DBusNotifier()
{
    if (m_ownConnection)
        QDBusConnection::disconnectFromBus(m_connectionName);
}

bool DBusNotifier::notify(const std::string& title, const std::string& body)
{
    QDBusConnection bus(m_connectionName);
    if (!bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(kNotificationService, kNotificationPath,
                                                       kNotificationService, QStringLiteral("Notify"));
    call << QString(kApplicationName) << uint(0) << QString(kIconName) << QString::fromStdString(title)
         << QString::fromStdString(body) << QStringList() << QVariantMap() << int(kServerDefaultExpiry);
    // Events go on while waiting, so a service in this process (a test's) can answer.
    const QDBusMessage reply = bus.call(call, QDBus::BlockWithGui, kReplyTimeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage;
}

} // namespace ventoral
