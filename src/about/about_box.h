// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The about box: program icon, name, description and version, and the
// system information entry.

#include <functional>
#include <optional>
#include <string>

#include <QDialog>

#include "platform/prompter.h"

namespace ventoral {

// The report of the system's own information program, or nullopt when
// none is installed or it gave nothing.
using SystemInformation = std::function<std::optional<std::string>()>;

// Runs the first of the usual Linux information programs found on the path.
std::optional<std::string> installedSystemInformation();

inline constexpr const char* kNoSystemInformation = "System Information Is Unavailable At This Time";

class AboutBox : public QDialog {
    Q_OBJECT
public:
    AboutBox(Prompter& prompter, SystemInformation systemInformation, QWidget* parent = nullptr);

    void cmdSysInfo_Click();
    void cmdOK_Click();

private:
    void StartSysInfo();

    Prompter& m_prompter;
    SystemInformation m_systemInformation;
};

} // namespace ventoral
