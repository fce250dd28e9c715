// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text view of a report: the present or the trend report of the current
// station line by line, with a button that prints the report shown.

#include <functional>
#include <string>
#include <vector>

#include <QDialog>

#include "printing/print_job.h"

class QLabel;

namespace ventoral {

class ViewData : public QDialog {
    Q_OBJECT
public:
    // print receives the report on display and its lines.
    using PrintHandler = std::function<void(PrintKind kind, const std::vector<std::string>& lines)>;
    ViewData(PrintHandler print, QWidget* parent = nullptr);

    void showReport(const std::string& caption, PrintKind kind, std::vector<std::string> lines);
    PrintKind shownKind() const { return m_kind; }

    void Command1_Click();

private:
    PrintHandler m_print;
    PrintKind m_kind = PrintKind::PresentText;
    std::vector<std::string> m_lines;
    QLabel* m_text;
};

} // namespace ventoral
