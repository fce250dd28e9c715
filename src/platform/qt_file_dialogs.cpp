// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_file_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPrinter>

#include "platform/page_setup_dialog.h"

namespace ventoral {

namespace {

std::optional<FileChoice> choiceOf(const QString& path)
{
    if (path.isEmpty())
        return std::nullopt;
    return FileChoice{path.toStdString(), QFileInfo(path).fileName().toStdString()};
}

} // namespace

std::string qtFilter(const std::string& filter)
{
    const auto bar = filter.find('|');
    if (bar == std::string::npos)
        return filter;
    return filter.substr(0, bar) + " (" + filter.substr(bar + 1) + ")";
}

QtFileDialogs::QtFileDialogs(QWidget* parent) : m_parent(parent) {}

QtFileDialogs::~QtFileDialogs() = default;

std::optional<FileChoice> QtFileDialogs::openFile(const std::string& title, const std::string& initial,
                                                  const std::string& filter)
{
    return choiceOf(QFileDialog::getOpenFileName(m_parent, QString::fromStdString(title),
                                                 QString::fromStdString(initial),
                                                 QString::fromStdString(qtFilter(filter))));
}

std::optional<FileChoice> QtFileDialogs::saveFile(const std::string& title, const std::string& initialFolder,
                                                  const std::string& filter)
{
    return choiceOf(QFileDialog::getSaveFileName(m_parent, QString::fromStdString(title),
                                                 QString::fromStdString(initialFolder),
                                                 QString::fromStdString(qtFilter(filter))));
}

std::optional<std::string> QtFileDialogs::chooseFolder(const std::string& title, const std::string& startFolder)
{
    const QString folder = QFileDialog::getExistingDirectory(m_parent, QString::fromStdString(title),
                                                             QString::fromStdString(startFolder));
    if (folder.isEmpty())
        return std::nullopt;
    return folder.toStdString();
}

bool QtFileDialogs::printerSetup(const std::string& title)
{
    PageSetupDialog dialog(m_printer.get(), QString::fromStdString(title), m_parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace ventoral
