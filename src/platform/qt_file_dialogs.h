// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dialogs over QFileDialog and the page set-up; the printer chosen lives here.

#include <memory>

#include "platform/file_dialogs.h"
#include "platform/qt_printer.h"

class QWidget;

namespace ventoral {

class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* parent = nullptr);
    ~QtFileDialogs() override;
    void setParent(QWidget* parent) { m_parent = parent; }

    std::optional<FileChoice> openFile(const std::string& title, const std::string& initial,
                                       const std::string& filter) override;
    std::optional<FileChoice> saveFile(const std::string& title, const std::string& initialFolder,
                                       const std::string& filter) override;
    bool printerSetup(const std::string& title) override;
    std::optional<std::string> chooseFolder(const std::string& title, const std::string& startFolder) override;

    LazyPrinter& printer() { return m_printer; }

private:
    QWidget* m_parent;
    LazyPrinter m_printer;
};

// "Data files|*.txt" -> "Data files (*.txt)".
std::string qtFilter(const std::string& filter);

} // namespace ventoral
