// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The print preview: the job on a page picture at one fifth of the paper
// with dotted margin lines, the margin boxes (Text1_0 to Text1_3: top,
// left, right, bottom), layout and orientation, and the Print button that
// sends the job to the printer.

#include <array>

#include <QDialog>
#include <QImage>

#include "platform/file_dialogs.h"
#include "platform/printer.h"
#include "platform/prompter.h"
#include "printing/core/print_layout.h"
#include "printing/print_job.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ventoral {

// The page picture: paper white, the job's picture scaled into its place, dotted margin lines.
class PagePicture : public QWidget {
public:
    explicit PagePicture(QWidget* parent = nullptr);
    void setPage(const QImage& job, JobSize size, const PreviewGeometry& geometry);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double pixels(double twips) const;

    QImage m_job;
    JobSize m_size;
    PreviewGeometry m_geometry;
};

struct PrintPreviewServices {
    Printer& printer;
    FileDialogs& dialogs;
    Prompter& prompter;
};

class PrintPreview : public QDialog {
    Q_OBJECT
public:
    PrintPreview(PrintJob job, PrintPreviewServices services, QWidget* parent = nullptr);

    void load(const PreviewOptions& options);
    PreviewOptions store() const;

    // Redraws the page picture for the options as they stand.
    void Reset();
    void btnMargins_Click();
    void btnPrint_Click();
    void btnCancell_Click();

    const PreviewGeometry& geometry() const { return m_geometry; }
    const PrintJob& job() const { return m_job; }
    const QImage& printView() const { return m_printView; }

private:
    void setPlacement(Placement placement);
    void setOrientation(PageOrientation orientation);
    void setFitMargins(bool fit);

    PrintJob m_job;
    PrintPreviewServices m_services;
    PreviewOptions m_options;
    PreviewGeometry m_geometry;
    PrinterPage m_shownPage;   // the paper the page picture shows
    QImage m_printView;

    PagePicture* m_page;
    std::array<QLineEdit*, 4> m_margins{};
    QRadioButton* m_topLeft;
    QRadioButton* m_centre;
    QRadioButton* m_portrait;
    QRadioButton* m_landscape;
    QCheckBox* m_fitMargins;
};

} // namespace ventoral
