// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printer set-up: which printer (or a PDF file to print into), the
// paper and the orientation. OK hands them to the printer, Cancel leaves it
// as it was; the dialog never prints.

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPrinter;
class QPushButton;
class QRadioButton;

namespace ventoral {

class PageSetupDialog : public QDialog {
    Q_OBJECT
public:
    // printer outlives the dialog.
    PageSetupDialog(QPrinter& printer, const QString& title, QWidget* parent = nullptr);

    // The choices as the printer will take them.
    void store();

private:
    void load();
    void printerChosen();
    void browse();
    bool pdfChosen() const;

    QPrinter& m_printer;
    QComboBox* m_printers;
    QLineEdit* m_file;
    QPushButton* m_browse;
    QComboBox* m_papers;
    QRadioButton* m_portrait;
    QRadioButton* m_landscape;
};

} // namespace ventoral
