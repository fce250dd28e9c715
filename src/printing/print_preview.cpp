// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/print_preview.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "widgets/editor_support.h"
#include "widgets/named_button.h"
#include "platform/core/number_text.h"

namespace ventoral {

namespace {

constexpr int kPageBorderPixels = 1;
constexpr const char* kMarginCaptions[4] = {"Top Margin", "Left Margin", "Right Margin", "Bottom Margin"};

struct Choice {
    const char* name;
    const char* caption;
};

// A titled box of two radio buttons, one above the other.
QGroupBox* choiceBox(const char* title, Choice first, Choice second, QRadioButton*& firstButton,
                     QRadioButton*& secondButton, QWidget* parent)
{
    auto* box = new QGroupBox(title, parent);
    auto* rows = new QVBoxLayout(box);
    for (auto [choice, button] : {std::pair{first, &firstButton}, {second, &secondButton}}) {
        *button = new QRadioButton(choice.caption, box);
        (*button)->setObjectName(choice.name);
        rows->addWidget(*button);
    }
    return box;
}

QPushButton* button(const char* name, const char* caption, const char* tip, QWidget* parent)
{
    auto* b = namedButton(name, caption, tip, parent);
    b->setAutoDefault(false);
    return b;
}

QString inchesText(double inches)
{
    return QString::fromStdString(decimalText(static_cast<float>(inches)));
}

} // namespace

PagePicture::PagePicture(QWidget* parent) : QWidget(parent)
{
    setObjectName("Page");
}

double PagePicture::pixels(double twips) const
{
    return twips * logicalDpiX() / kTwipsPerInch;
}

void PagePicture::setPage(const QImage& job, JobSize size, const PreviewGeometry& geometry)
{
    m_job = job;
    m_size = size;
    m_geometry = geometry;
    const int border = 2 * kPageBorderPixels;
    setFixedSize(static_cast<int>(std::lround(pixels(geometry.pageWidth))) + border,
                 static_cast<int>(std::lround(pixels(geometry.pageHeight))) + border);
    update();
}

void PagePicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QColor(128, 128, 128));
    painter.setBrush(Qt::white);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.translate(kPageBorderPixels, kPageBorderPixels);

    const PreviewGeometry& g = m_geometry;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(pixels(g.jobLeft()), pixels(g.jobTop()), pixels(g.scale * m_size.width),
                             pixels(g.scale * m_size.height)),
                      m_job);

    QPen dotted(Qt::black);
    dotted.setStyle(Qt::DotLine);
    dotted.setWidth(1);
    painter.setPen(dotted);
    const double width = pixels(g.pageWidth);
    const double height = pixels(g.pageHeight);
    painter.drawLine(QPointF(pixels(g.marginLeft), 0), QPointF(pixels(g.marginLeft), height));
    painter.drawLine(QPointF(pixels(g.rightLine()), 0), QPointF(pixels(g.rightLine()), height));
    painter.drawLine(QPointF(0, pixels(g.marginTop)), QPointF(width, pixels(g.marginTop)));
    painter.drawLine(QPointF(0, pixels(g.bottomLine())), QPointF(width, pixels(g.bottomLine())));
}

PrintPreview::PrintPreview(PrintJob job, PrintPreviewServices services, QWidget* parent)
    : QDialog(parent), m_job(std::move(job)), m_services(services)
{
    setObjectName("frmPrintPreview");
    setWindowTitle("Print Preview");
    setAttribute(Qt::WA_DeleteOnClose);
    m_printView = ventoral::printView(m_job);

    m_page = new PagePicture(this);
    auto* controls = new QVBoxLayout;
    auto* marginGrid = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(kMarginCaptions[i], this);
        m_margins[i] = new QLineEdit(this);
        m_margins[i]->setObjectName(QString("Text1_%1").arg(i));
        m_margins[i]->setMaximumWidth(70);
        label->setBuddy(m_margins[i]);
        marginGrid->addWidget(label, i, 0);
        marginGrid->addWidget(m_margins[i], i, 1);
    }
    controls->addLayout(marginGrid);
    QPushButton* apply = button("btnMargins", "Apply Margins", "Apply set margins to print preview", this);
    controls->addWidget(apply);

    controls->addWidget(
        choiceBox("Layout", {"Option1", "Top Left"}, {"Option2", "Center"}, m_topLeft, m_centre, this));
    controls->addWidget(choiceBox("Orientation", {"Option3", "Portrait"}, {"Option4", "Landscape"}, m_portrait,
                                  m_landscape, this));

    m_fitMargins = new QCheckBox("Fit Margins", this);
    m_fitMargins->setObjectName("Check1");
    controls->addWidget(m_fitMargins);
    // Every job is drawn on the print picture first, so fitting stays off.
    m_fitMargins->hide();

    controls->addStretch(1);
    QPushButton* print = button("btnPrint", "Print", "Send the data to the printer", this);
    QPushButton* cancel = button("btnCancell", "Cancel", "Cancel print", this);
    controls->addWidget(print);
    controls->addWidget(cancel);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_page, 0, Qt::AlignTop);
    layout->addLayout(controls);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(apply, &QPushButton::clicked, this, &PrintPreview::btnMargins_Click);
    connect(print, &QPushButton::clicked, this, &PrintPreview::btnPrint_Click);
    connect(cancel, &QPushButton::clicked, this, &PrintPreview::btnCancell_Click);
    // Any change acts, also a screen reader's Toggle, which clicks nothing.
    whenChecked(*m_topLeft, [this] { setPlacement(Placement::TopLeft); });
    whenChecked(*m_centre, [this] { setPlacement(Placement::Centre); });
    whenChecked(*m_portrait, [this] { setOrientation(PageOrientation::Portrait); });
    whenChecked(*m_landscape, [this] { setOrientation(PageOrientation::Landscape); });
    connect(m_fitMargins, &QCheckBox::toggled, this, &PrintPreview::setFitMargins);

    Reset();
}

void PrintPreview::load(const PreviewOptions& options)
{
    const double values[4] = {options.margins.top, options.margins.left, options.margins.right,
                              options.margins.bottom};
    for (int i = 0; i < 4; ++i)
        m_margins[i]->setText(inchesText(values[i]));
    for (QAbstractButton* button : std::initializer_list<QAbstractButton*>{m_topLeft, m_centre, m_portrait,
                                                                           m_landscape, m_fitMargins})
        button->blockSignals(true);
    m_topLeft->setChecked(options.placement == Placement::TopLeft);
    m_centre->setChecked(options.placement == Placement::Centre);
    m_portrait->setChecked(options.orientation == PageOrientation::Portrait);
    m_landscape->setChecked(options.orientation == PageOrientation::Landscape);
    m_fitMargins->setChecked(options.fitMargins);
    for (QAbstractButton* button : std::initializer_list<QAbstractButton*>{m_topLeft, m_centre, m_portrait,
                                                                           m_landscape, m_fitMargins})
        button->blockSignals(false);
}

PreviewOptions PrintPreview::store() const
{
    PreviewOptions options;
    options.margins = {marginOf(m_margins[0]->text().toStdString()), marginOf(m_margins[1]->text().toStdString()),
                       marginOf(m_margins[2]->text().toStdString()), marginOf(m_margins[3]->text().toStdString())};
    options.placement = m_centre->isChecked() ? Placement::Centre : Placement::TopLeft;
    options.orientation = m_landscape->isChecked() ? PageOrientation::Landscape : PageOrientation::Portrait;
    options.fitMargins = m_fitMargins->isChecked();
    return options;
}

void PrintPreview::Reset()
{
    // The printer set-up may have changed paper or orientation meanwhile.
    m_shownPage = m_services.printer.page();
    m_options.orientation = m_services.printer.orientation();
    m_options.margins = usableMargins(m_options.margins, m_shownPage);
    m_geometry = previewGeometry(m_shownPage, m_job.size, m_options);
    load(m_options);
    m_page->setPage(m_printView, m_job.size, m_geometry);
}

void PrintPreview::btnMargins_Click()
{
    m_options.margins = store().margins;
    Reset();
}

void PrintPreview::setPlacement(Placement placement)
{
    m_options.placement = placement;
    Reset();
}

void PrintPreview::setOrientation(PageOrientation orientation)
{
    m_services.printer.setOrientation(orientation);
    m_options.orientation = orientation;
    Reset();
}

void PrintPreview::setFitMargins(bool fit)
{
    m_options.fitMargins = fit;
    Reset();
}

void PrintPreview::btnPrint_Click()
{
    Printer& printer = m_services.printer;
    // Without a printer the dialog offers printing into a PDF file.
    if (!printer.canPrint() && !m_services.dialogs.printerSetup("Print"))
        return;
    if (!printer.canPrint()) {
        m_services.prompter.warn("Print", tr("There is no printer to print to.").toStdString());
        return;
    }
    // Paper chosen since the page was shown: show the page again rather than print another.
    if (!samePage(printer.page(), m_shownPage)) {
        Reset();
        return;
    }
    const PrintPlacement placement = printPlacement(m_shownPage, m_job.size, m_options);
    const double scale = placement.scale > 0 ? placement.scale : 1.0;
    std::unique_ptr<PrintDocument> document = printer.begin(scale);
    if (!document) {
        m_services.prompter.warn("Print", tr("The printer could not be opened.").toStdString());
        return;
    }
    m_job.draw(document->surface(), placement.left / scale, placement.top / scale);
    if (!document->finish())
        m_services.prompter.warn("Print", tr("The printer reported a failure; the page may be incomplete.").toStdString());
    close();
}

void PrintPreview::btnCancell_Click()
{
    close();
}

} // namespace ventoral
