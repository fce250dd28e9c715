// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_services.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>

namespace ventoral {

namespace {

QString executableFolder()
{
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
}

} // namespace

FixedLocations systemLocations()
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString exe = executableFolder();
    const QString beside = exe + "/data";
    const QString installedData = QDir::cleanPath(exe + "/../share/ventoral");
    const bool installed = !QFileInfo(beside).isDir() && QFileInfo(installedData).isDir();
    const QString data = installed ? installedData : beside;
    // Written folders always go to the user's own data folder, even when the
    // program runs from a writable build folder: a clean build or a second
    // user of the same build must not take a user's records with it.
    const QString program = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/ventoral";
    return FixedLocations(fromQString(config + "/ventoral/vntl.ini"), fromQString(program), fromQString(data));
}

std::string userDataFolder()
{
    return fromQString(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/ventoral");
}

CivilTime SystemClock::nowUtc() const
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QDate d = now.date();
    const QTime t = now.time();
    return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()};
}

std::string QtUserStore::value(const std::string& section, const std::string& key, const std::string& fallback) const
{
    QSettings settings("Ventoral", "Ventoral");
    return fromQString(settings.value(toQString(section + "/" + key), toQString(fallback)).toString());
}

void QtUserStore::setValue(const std::string& section, const std::string& key, const std::string& value)
{
    QSettings settings("Ventoral", "Ventoral");
    settings.setValue(toQString(section + "/" + key), toQString(value));
}

void QtPrompter::inform(const std::string& title, const std::string& text)
{
    QMessageBox::information(m_parent, toQString(title), toQString(text));
}

void QtPrompter::warn(const std::string& title, const std::string& text)
{
    QMessageBox::warning(m_parent, toQString(title), toQString(text));
}

bool QtPrompter::askYesNo(const std::string& title, const std::string& text)
{
    return QMessageBox::question(m_parent, toQString(title), toQString(text), QMessageBox::Yes | QMessageBox::No)
           == QMessageBox::Yes;
}

LocaleDateForms::LocaleDateForms()
{
    const QLocale locale = QLocale::system();
    m_dateFormat = locale.dateFormat(QLocale::ShortFormat);
    QString time = locale.timeFormat(QLocale::LongFormat);
    // Drop the zone name ("t", "tttt") and the blanks around it.
    time.remove(QRegularExpression("\\s*t+\\s*"));
    m_timeFormat = time.trimmed().isEmpty() ? QStringLiteral("HH:mm:ss") : time.trimmed();
}

std::string LocaleDateForms::shortDate(int year, int month, int day) const
{
    return fromQString(QLocale::system().toString(QDate(year, month, day), m_dateFormat));
}

std::string LocaleDateForms::longTime(int hour, int minute, int second) const
{
    return fromQString(QLocale::system().toString(QTime(hour, minute, second), m_timeFormat));
}

} // namespace ventoral

#include <QDesktopServices>
#include <QUrl>

namespace ventoral {

bool QtBrowser::open(const std::string& addressOrPath)
{
    const QString text = QString::fromStdString(addressOrPath);
    const QUrl url = text.startsWith('/') ? QUrl::fromLocalFile(text) : QUrl(text);
    return QDesktopServices::openUrl(url);
}

} // namespace ventoral
