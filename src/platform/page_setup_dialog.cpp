// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/page_setup_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ventoral {

namespace {

// The printer entry that prints into a PDF file; real printers carry their name.
const QString kPdfEntry = QStringLiteral("PDF file");

constexpr QPageSize::PageSizeId kPapers[] = {
    QPageSize::Letter, QPageSize::Legal, QPageSize::Executive, QPageSize::Tabloid,
    QPageSize::A3,     QPageSize::A4,    QPageSize::A5,        QPageSize::B5,
};

} // namespace

PageSetupDialog::PageSetupDialog(QPrinter& printer, const QString& title, QWidget* parent)
    : QDialog(parent), m_printer(printer)
{
    setObjectName("PageSetup");
    setWindowTitle(title);

    m_printers = new QComboBox(this);
    m_printers->setObjectName("printerCombo");
    for (const QString& name : QPrinterInfo::availablePrinterNames())
        m_printers->addItem(name, name);
    m_printers->addItem(kPdfEntry, QString());

    m_file = new QLineEdit(this);
    m_file->setObjectName("pdfFileEdit");
    m_file->setMinimumWidth(260);
    m_browse = new QPushButton(tr("Browse..."), this);
    m_browse->setObjectName("browseButton");
    m_browse->setAutoDefault(false);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(m_browse);

    m_papers = new QComboBox(this);
    m_papers->setObjectName("paperCombo");
    for (QPageSize::PageSizeId id : kPapers)
        m_papers->addItem(QPageSize::name(id), static_cast<int>(id));

    m_portrait = new QRadioButton(tr("Portrait"), this);
    m_portrait->setObjectName("portraitButton");
    m_landscape = new QRadioButton(tr("Landscape"), this);
    m_landscape->setObjectName("landscapeButton");
    auto* orientation = new QHBoxLayout;
    orientation->addWidget(m_portrait);
    orientation->addWidget(m_landscape);
    orientation->addStretch(1);

    auto* form = new QFormLayout;
    form->addRow(tr("Printer:"), m_printers);
    form->addRow(tr("File:"), fileRow);
    form->addRow(tr("Paper:"), m_papers);
    form->addRow(tr("Orientation:"), orientation);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("okButton");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("cancelButton");

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(m_printers, qOverload<int>(&QComboBox::currentIndexChanged), this, &PageSetupDialog::printerChosen);
    connect(m_browse, &QPushButton::clicked, this, &PageSetupDialog::browse);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        store();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    load();
}

bool PageSetupDialog::pdfChosen() const
{
    return m_printers->currentData().toString().isEmpty();
}

void PageSetupDialog::load()
{
    const bool pdf = m_printer.outputFormat() == QPrinter::PdfFormat || m_printer.printerName().isEmpty();
    const int printer = pdf ? m_printers->count() - 1 : m_printers->findData(m_printer.printerName());
    m_printers->setCurrentIndex(printer < 0 ? m_printers->count() - 1 : printer);
    m_file->setText(m_printer.outputFileName());
    printerChosen();

    const QPageSize paper = m_printer.pageLayout().pageSize();
    int index = m_papers->findData(static_cast<int>(paper.id()));
    if (index < 0) {
        // A paper set elsewhere stays choosable.
        m_papers->addItem(paper.name(), static_cast<int>(paper.id()));
        index = m_papers->count() - 1;
    }
    m_papers->setCurrentIndex(index);
    const bool landscape = m_printer.pageLayout().orientation() == QPageLayout::Landscape;
    m_landscape->setChecked(landscape);
    m_portrait->setChecked(!landscape);
}

void PageSetupDialog::printerChosen()
{
    m_file->setEnabled(pdfChosen());
    m_browse->setEnabled(pdfChosen());
}

void PageSetupDialog::browse()
{
    const QString file = QFileDialog::getSaveFileName(this, windowTitle(), m_file->text(), tr("PDF files (*.pdf)"));
    if (!file.isEmpty())
        m_file->setText(file);
}

void PageSetupDialog::store()
{
    // The printer first: choosing one brings its own paper, which the choice below replaces.
    if (pdfChosen()) {
        m_printer.setOutputFormat(QPrinter::PdfFormat);
        m_printer.setOutputFileName(m_file->text().trimmed());
    } else {
        m_printer.setOutputFormat(QPrinter::NativeFormat);
        m_printer.setPrinterName(m_printers->currentData().toString());
    }
    const auto paper = static_cast<QPageSize::PageSizeId>(m_papers->currentData().toInt());
    m_printer.setPageSize(QPageSize(paper));
    m_printer.setPageOrientation(m_landscape->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait);
}

} // namespace ventoral
