// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/color_options.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include "instruments/panel_layout.h"
#include "session/startup.h"
#include "widgets/named_button.h"
#include "widgets/picture_panel.h"
#include "instruments/dial_painter.h"
#include "instruments/graph_painter.h"
#include "instruments/instruments.h"
#include "widgets/qt_face_renderer.h"
#include "platform/core/number_text.h"
#include "observations/trend_graphs.h"
#include "platform/core/file_io.h"
#include "platform/qt_services.h"

namespace ventoral {

namespace {

struct Entry {
    const char* label;
    std::int32_t ColorScheme::*field;
};
constexpr Entry kEntryTable[ColorOptions::kEntries] = {
    {"Background Color", &ColorScheme::backgroundColor},
    {"Gauge Face Color", &ColorScheme::faceColor},
    {"Gauge Tic Color", &ColorScheme::tickColor},
    {"Gauge Number/Text Color", &ColorScheme::textColor},
    {"Gauge Main Pointer Color", &ColorScheme::pointerColor},
    {"Gauge Second Pointer Color", &ColorScheme::secondPointerColor},
    {"Graph Paper Color", &ColorScheme::paperColor},
    {"Graph Lines Color", &ColorScheme::graphLineColor},
    {"Graph Mid Line Color", &ColorScheme::midLineColor},
    {"Text Color", &ColorScheme::windowTextColor},
};
constexpr const char* kChannelNames[] = {"Red", "Green", "Blue"};

constexpr const char* kInstructions =
    "To change the colors of Ventoral: Click on the circle following the description and move the Green, Red and "
    "Blue sliders up or down to obtain the desired color. If the Instrument Face Color is the same as the Instrument "
    "Tic Color, Instrument Face Number Color and / or the Instrument Pointer color, these will not be visible. Use "
    "Preview Changes to see results.";
constexpr const char* kRenderingNotice = "Please wait while Ventoral renders intrument faces";

bool sameScheme(const ColorScheme& a, const ColorScheme& b)
{
    for (const Entry& e : kEntryTable)
        if (a.*e.field != b.*e.field)
            return false;
    return a.fontSizePt == b.fontSizePt;
}

// The colours drawn into the face bitmaps.
bool facesDiffer(const ColorScheme& a, const ColorScheme& b)
{
    return a.tickColor != b.tickColor || a.faceColor != b.faceColor || a.pointerColor != b.pointerColor;
}

} // namespace

ColorOptions::ColorOptions(EditorServices services, QWidget* parent)
    : SettingsEditor(std::move(services), "frmColorOptions", "Ventoral Color Options", parent),
      m_snapshot(m_state.tables.colors),
      m_colors(m_state.tables.colors)
{
    m_state.trace.record("frmColorOptions,Form_Load");
    auto* entries = new QGroupBox(this);
    auto* grid = new QGridLayout(entries);
    for (int i = 0; i < kEntries; ++i) {
        auto* label = new QLabel(kEntryTable[i].label, entries);
        label->setObjectName(QString("Text2_%1").arg(i));
        auto* option = new QRadioButton(entries);
        option->setObjectName(QString("Option1_%1").arg(i));
        auto* swatch = new QLabel(entries);
        swatch->setObjectName(QString("Text3_%1").arg(i));
        swatch->setFixedSize(40, 18);
        swatch->setFrameShape(QFrame::Box);
        grid->addWidget(label, i, 0);
        grid->addWidget(option, i, 1);
        grid->addWidget(swatch, i, 2);
        m_options[static_cast<std::size_t>(i)] = option;
        m_swatches[static_cast<std::size_t>(i)] = swatch;
        showSwatch(i);
        whenChecked(*option, [this, i] { Option1_Click(i); });
    }
    auto* fontLabel = new QLabel("Instrument Face Font Size", entries);
    fontLabel->setObjectName("Text2_10");
    m_fontSize = new QLineEdit(QString::number(m_colors.fontSizePt), entries);
    m_fontSize->setObjectName("Text1");
    m_fontSize->setMaximumWidth(50);
    grid->addWidget(fontLabel, kEntries, 0);
    grid->addWidget(m_fontSize, kEntries, 1, 1, 2);

    auto* sliders = new QGridLayout;
    for (int c = 0; c < 3; ++c) {
        auto* bar = new QScrollBar(Qt::Vertical, this);
        bar->setObjectName(QString("VScroll1_%1").arg(c));
        bar->setRange(0, 255);
        bar->setPageStep(16);
        bar->setMinimumHeight(200);
        auto* name = new QLabel(kChannelNames[c], this);
        name->setObjectName(QString("Text2_%1").arg(11 + c));
        sliders->addWidget(bar, 0, c, Qt::AlignHCenter);
        sliders->addWidget(name, 1, c, Qt::AlignHCenter);
        m_channels[static_cast<std::size_t>(c)] = bar;
        connect(bar, &QScrollBar::valueChanged, this, &ColorOptions::VScroll1_Change);
    }

    m_previewDial = new PicturePanel("picPreviewScale", panel::kDialWidth, panel::kDialHeight, this);
    m_previewGraph = new PicturePanel("graphPreview", panel::kWideGraphWidth, panel::kGraphHeight, this);
    m_instructions = new QLabel(kInstructions, this);
    m_instructions->setObjectName("Label4");
    m_instructions->setWordWrap(true);

    auto* preview =
        namedButton("btnViewScale", "Preview Changes", "View instrument and graph with selected colors", this);
    auto* save = namedButton("btnSave", "&Save", "Save selcted colors", this);
    auto* exit = namedButton("btnExit", "Exit", "Exit colors settup", this);
    connect(preview, &QPushButton::clicked, this, &ColorOptions::btnViewScale_Click);
    connect(save, &QPushButton::clicked, this, &ColorOptions::btnSave_Click);
    connect(exit, &QPushButton::clicked, this, &ColorOptions::btnExit_Click);

    auto* top = new QHBoxLayout;
    top->addWidget(entries);
    top->addLayout(sliders);
    auto* pictures = new QVBoxLayout;
    pictures->addWidget(m_previewDial, 0, Qt::AlignHCenter);
    pictures->addWidget(m_previewGraph, 0, Qt::AlignHCenter);
    top->addLayout(pictures);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_instructions, 1);
    buttons->addWidget(preview);
    buttons->addWidget(save);
    buttons->addWidget(exit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);

    m_options[0]->setChecked(true);   // Option1_Click(0)
    drawPreview();
    markSaved();
}

void ColorOptions::showSwatch(int index)
{
    m_swatches[static_cast<std::size_t>(index)]->setStyleSheet(
        backgroundCss(m_colors.*kEntryTable[index].field));
}

bool ColorOptions::takeFontSize()
{
    if (const auto size = dialFontSizeOf(fromQString(m_fontSize->text()))) {
        m_colors.fontSizePt = *size;
        return true;
    }
    m_services.prompter.warn(kEditorMessageTitle,
                             tr("The instrument face font size must be a number from %1 to %2. It stays %3.")
                                 .arg(kSmallestDialFontPt)
                                 .arg(kLargestDialFontPt)
                                 .arg(m_colors.fontSizePt)
                                 .toStdString());
    m_fontSize->setText(QString::number(m_colors.fontSizePt));
    return false;
}

void ColorOptions::Option1_Click(int index)
{
    m_state.trace.record("frmColorOptions,Option1_Click");
    m_selected = index;
    const ColorRef color = m_colors.*kEntryTable[index].field;
    const int channels[] = {redOf(color), greenOf(color), blueOf(color)};
    for (int c = 0; c < 3; ++c) {
        const QSignalBlocker blocker(m_channels[static_cast<std::size_t>(c)]);
        m_channels[static_cast<std::size_t>(c)]->setValue(channels[c]);
    }
}

void ColorOptions::VScroll1_Change()
{
    m_state.trace.record("frmColorOptions,VScroll1_Change");
    m_colors.*kEntryTable[m_selected].field =
        rgb(m_channels[0]->value(), m_channels[1]->value(), m_channels[2]->value());
    showSwatch(m_selected);
}

void ColorOptions::btnViewScale_Click()
{
    takeFontSize();
    drawPreview();
}

void ColorOptions::drawPreview()
{
    const ColorScheme& colors = m_colors;
    const QtFaceRenderer renderer(m_services.devicePixelRatio);
    FaceSpec compass;
    for (const FaceSpec& face : faceSpecs(m_state.tables.units))
        if (face.compass)
            compass = face;
    // The dial reads its face from a folder; the preview's lives only as long as the drawing.
    QTemporaryDir faces;
    const std::string folder = fromQString(faces.path());
    renderer.renderFace(colors, compass).save(toQString(joinPath(folder, compass.file)), "BMP");

    const PanelModel model = m_services.shownModel ? m_services.shownModel() : PanelModel{};
    Surface& d = m_previewDial->begin();
    d.clear(colors.backgroundColor);
    paintDial(d, model.dial(DialKind::WindDirection), {colors, m_state.tables.shades, folder}, d.widthTwips(),
              d.heightTwips());
    m_previewDial->end();

    Surface& g = m_previewGraph->begin();
    g.clear(colors.backgroundColor);
    g.setForeColor(kBlack);
    g.setFontSize(8);
    const double left = panel::kTemperatureMargins.left + panel::kGraphLabelPad;
    paintGraph(g, model.graph(GraphKind::Temperature), {colors, m_state.tables.shades},
               {left, static_cast<double>(panel::kTemperatureMargins.top), g.widthTwips(), 0});
    m_previewGraph->end();
}

void ColorOptions::save()
{
    m_state.trace.record("frmColorOptions,btnSave_Click");
    m_state.tables.colors = m_colors;
    confirmWritten(WriteColorSettings(m_state.settingsFile, m_state.tables.colors));
    if (facesDiffer(m_state.tables.colors, m_snapshot)) {
        const int pointSize = m_instructions->font().pointSize();
        QFont notice = m_instructions->font();
        notice.setPointSize(14);
        m_instructions->setFont(notice);
        m_instructions->setText(kRenderingNotice);
        m_instructions->repaint();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const std::string folder = facesFolder(m_state.programFolder);
        const bool rendered = QtFaceRenderer(m_services.devicePixelRatio).makeFaces(m_state, folder);
        QApplication::restoreOverrideCursor();
        if (!rendered)
            m_services.prompter.warn(kEditorMessageTitle, "The instrument faces could not be saved in " + folder + ".");
        notice.setPointSize(pointSize);
        m_instructions->setFont(notice);
        m_instructions->setText(kInstructions);
    }
    m_snapshot = m_state.tables.colors;
}

void ColorOptions::btnSave_Click()
{
    // A refused size stays on screen, so the window stays open to show it.
    if (!takeFontSize())
        return;
    save();
    finish();
}

void ColorOptions::checkForChanges()
{
    m_state.trace.record("frmColorOptions,btnExit_Click");
    takeFontSize();
    // The main window shows the new colours whatever the answer to saving.
    m_state.tables.colors = m_colors;
    if (!sameScheme(m_state.tables.colors, m_snapshot))
        markChanged();
}

void ColorOptions::discard()
{
    m_state.tables.colors = m_snapshot;
}

void ColorOptions::left()
{
    m_services.redraw();
}

} // namespace ventoral
