// SPDX-License-Identifier: GPL-3.0-or-later
// Desktop notifications on a D-Bus session of the test's own, with a small
// org.freedesktop.Notifications listener, and the way down to the tray and
// the window line where no service answers.

#include "platform/dbus_notifier.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QVariantMap>

#include <gtest/gtest.h>

#include "test_application.h"
#include "test_support.h"

namespace ventoral {
namespace {

// A session bus that can start no services of its own, so a desktop's
// notification daemon stays out of it.
constexpr const char* kBusConfig =
    "<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen><auth>EXTERNAL</auth>"
    "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
    "<allow own=\"*\"/></policy></busconfig>\n";

class TestBus : public ::testing::Test, protected test::TestApplication<QCoreApplication> {
protected:
    void SetUp() override
    {
        const QString daemon = QStandardPaths::findExecutable("dbus-daemon");
        if (daemon.isEmpty())
            GTEST_SKIP() << "dbus-daemon is not installed";
        test::writeFile(m_dir.file("bus.conf"), kBusConfig);
        m_daemon.start(daemon, {"--config-file=" + QString::fromStdString(m_dir.file("bus.conf")), "--nofork",
                                "--print-address=1"});
        ASSERT_TRUE(m_daemon.waitForStarted(5000));
        while (!m_daemon.canReadLine())
            ASSERT_TRUE(m_daemon.waitForReadyRead(5000)) << "the bus gave no address";
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    }
    void TearDown() override
    {
        m_daemon.kill();
        m_daemon.waitForFinished(5000);
    }

    test::TempDir m_dir;
    QProcess m_daemon;
    QString m_address;
};

// What a desktop's notification daemon offers, reduced to remembering the call.
class NotificationListener : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList calls;

public slots:
    uint Notify(const QString& appName, uint, const QString& appIcon, const QString& summary, const QString& body,
                const QStringList&, const QVariantMap&, int)
    {
        calls << appName + "|" + appIcon + "|" + summary + "|" + body;
        return static_cast<uint>(calls.size());
    }
};

TEST_F(TestBus, TheNotificationServiceGetsTitleAndBody)
{
    NotificationListener listener;
    {
        QDBusConnection bus = QDBusConnection::connectToBus(m_address, "listener");
        ASSERT_TRUE(bus.isConnected());
        ASSERT_TRUE(bus.registerObject(kNotificationPath, &listener, QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(bus.registerService(kNotificationService));
    }
    const std::string body = "KSEA: gust 65 km/h, at or above the limit of 60 km/h";
    EXPECT_TRUE(DBusNotifier(m_address).notify("Ventoral alarm", body));
    EXPECT_EQ(listener.calls.join("/").toStdString(), "Ventoral|org.ventoral.Ventoral|Ventoral alarm|" + body);
    QDBusConnection::disconnectFromBus("listener");
}

TEST_F(TestBus, WithoutAServiceTheTrayThenTheWindowLineShowIt)
{
    DBusNotifier desktop(m_address);
    EXPECT_FALSE(desktop.notify("Ventoral alarm", "nobody listens"));

    NotificationRoute route;
    route.setDesktop(&desktop);
    std::vector<std::string> windowLines;
    route.setWindowLine([&](const std::string& title, const std::string& body) {
        windowLines.push_back(title + ": " + body);
        return true;
    });
    EXPECT_TRUE(route.notify("Ventoral alarm", "EGLL: temperature -1 \xC2\xB0" "C"));
    EXPECT_EQ(windowLines, std::vector<std::string>{"Ventoral alarm: EGLL: temperature -1 \xC2\xB0" "C"});

    std::vector<std::string> trayMessages;
    route.setTray([&](const std::string&, const std::string& body) {
        trayMessages.push_back(body);
        return true;
    });
    EXPECT_TRUE(route.notify("Ventoral alarm", "KSEA"));
    EXPECT_EQ(trayMessages, std::vector<std::string>{"KSEA"});
    EXPECT_EQ(windowLines.size(), 1u);
}

TEST(Notifier, NoBusAtAllIsNoNotification)
{
    test::TestApplication<QCoreApplication> app;
    EXPECT_FALSE(DBusNotifier(QStringLiteral("unix:path=/nonexistent/bus")).notify("Ventoral alarm", "lost"));
    EXPECT_FALSE(NotificationRoute().notify("Ventoral alarm", "lost"));
}

} // namespace
} // namespace ventoral

#include "test_notifier.moc"
