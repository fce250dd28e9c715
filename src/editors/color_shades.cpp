// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/color_shades.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "widgets/named_button.h"
#include "platform/core/file_io.h"
#include "platform/qt_services.h"

namespace ventoral {

namespace {

constexpr const char* kShadesPattern = "Shades*.txt";
constexpr const char* kShadesFilter = "Shades*.txt|Shades*.txt";
constexpr const char* kExportTitle = "Export Trend Color Shades Data";
constexpr const char* kImportTitle = "Import Trend Color Shades Data";
constexpr const char* kChannelNames[] = {"Red", "Green", "Blue"};
constexpr const char* kCleared = "0";

const char* const kInstructionLines[] = {
    "You may change the colors of the trend data using the following alternatives:",
    "a) Click on the circle above the color you wish to change and move the Green, Red and Blue sliders left or "
    "right to obtain the desired color. Or",
    "b) Click on the Clear button. Set the left most color and the right most color as indicated in a). If you "
    "wish, you can also set the color for points between the start and end. Click on the Fill button to fill the "
    "colors between the set colors. Or",
    "c) Import previously exported color scheme. VnTL provides several schemes saved as Shades?.txt.",
    "Click on the circle above the No Data color to change this color.",
    "Save your changes. These colors will be visible next time you select a station or update the station data.",
};

constexpr const char* kUnsavedDetail =
    "The color changes have not been saved. If you do not save changes, next time Ventoral is launched it will use "
    "the previously saved colors.";

} // namespace

ColorShades::ColorShades(EditorServices services, QWidget* parent)
    : SettingsEditor(std::move(services), "frmColorShades", "Trend Color Shades", parent),
      m_swatches(swatchesOf(m_state.tables.shades)),
      m_group(new QButtonGroup(this))
{
    auto* strip = new QWidget(this);
    strip->setObjectName("Picture1");
    strip->setAttribute(Qt::WA_StyledBackground);
    strip->setStyleSheet("#Picture1 { " + backgroundCss(m_state.tables.colors.faceColor) + " }");
    auto* grid = new QGridLayout(strip);
    grid->setHorizontalSpacing(6);
    const auto addSwatch = [&](int index, int column, int row) {
        auto* option = new QRadioButton(strip);
        option->setObjectName(QString("Option1_%1").arg(index));
        auto* swatch = new QLabel(strip);
        swatch->setObjectName(QString("Label2_%1").arg(index));
        swatch->setFixedSize(18, 18);
        swatch->setAlignment(Qt::AlignCenter);
        grid->addWidget(option, row, column, Qt::AlignHCenter);
        grid->addWidget(swatch, row + 1, column, Qt::AlignHCenter);
        m_group->addButton(option, index);
        m_options[static_cast<std::size_t>(index)] = option;
        m_labels[static_cast<std::size_t>(index)] = swatch;
    };
    const QString hourStyle = "color: " + cssColor(m_state.tables.colors.textColor) + ";";
    for (int i = 0; i < kHourShades; ++i) {
        addSwatch(i, i, 0);
        const int m = kHourShades - 1 - i;
        auto* hour = new QLabel(QString::number(-m), strip);
        hour->setObjectName(QString("Label1_%1").arg(m));
        hour->setStyleSheet(hourStyle);
        grid->addWidget(hour, 2, i, Qt::AlignHCenter);
    }
    addSwatch(kNoDataShade, kHourShades - 3, 3);
    auto* noData = new QLabel("No Data", strip);
    noData->setStyleSheet(hourStyle);
    grid->addWidget(noData, 5, kHourShades - 4, 1, 3, Qt::AlignHCenter);   // below its swatch in row 4
    connect(m_group, &QButtonGroup::idClicked, this, &ColorShades::Option1_Click);

    auto* sliders = new QGridLayout;
    for (int c = 0; c < 3; ++c) {
        auto* name = new QLabel(kChannelNames[c], this);
        auto* bar = new QScrollBar(Qt::Horizontal, this);
        bar->setObjectName(QString("HScroll1_%1").arg(c));
        bar->setRange(0, 255);
        bar->setPageStep(16);
        sliders->addWidget(name, c, 0);
        sliders->addWidget(bar, c, 1);
        m_channels[static_cast<std::size_t>(c)] = bar;
        connect(bar, &QScrollBar::valueChanged, this, &ColorShades::HScroll1_Change);
    }

    const auto button = [this](const char* caption, const char* name, const char* tip, void (ColorShades::*slot)()) {
        auto* b = namedButton(name, caption, tip, this);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(button("Fill Shades", "btnFill", "Fill the colors between the set colors", &ColorShades::btnFill_Click));
    buttons->addWidget(button("Clear", "btnClear", "Clear all the colors", &ColorShades::btnClear_Click));
    buttons->addWidget(button("Import", "Command2", "Import setting from a file", &ColorShades::Import_Click));
    buttons->addWidget(button("Export", "Command1", "Export these settings to a file for later use", &ColorShades::Export_Click));
    buttons->addStretch(1);
    buttons->addWidget(button("&Save", "btnSave", "Save selected colors", &ColorShades::btnSave_Click));
    buttons->addWidget(button("Exit", "btnExit", "Exit trend colors settings", &ColorShades::btnExit_Click));

    QStringList lines;
    for (const char* line : kInstructionLines)
        lines << line;
    auto* instructions = new QLabel(lines.join("\r\n"), this);
    instructions->setObjectName("Label4");
    instructions->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(strip);
    layout->addLayout(sliders);
    layout->addWidget(instructions);
    layout->addLayout(buttons);
    showSwatches();
    markSaved();
}

void ColorShades::showSwatches()
{
    for (std::size_t i = 0; i < m_swatches.size(); ++i) {
        m_labels[i]->setStyleSheet(backgroundCss(m_swatches[i].color));
        m_labels[i]->setText(m_swatches[i].set ? QString() : kCleared);
    }
}

void ColorShades::releaseSelection()
{
    m_group->setExclusive(false);
    for (QRadioButton* option : m_options)
        option->setChecked(false);
    m_group->setExclusive(true);
    m_selected = -1;
}

void ColorShades::Option1_Click(int index)
{
    m_selected = index;
    ShadeSwatch& swatch = m_swatches[static_cast<std::size_t>(index)];
    if (!swatch.set)
        swatch = {kBlack, true};
    showSwatches();
    const int channels[] = {redOf(swatch.color), greenOf(swatch.color), blueOf(swatch.color)};
    for (int c = 0; c < 3; ++c) {
        const QSignalBlocker blocker(m_channels[static_cast<std::size_t>(c)]);
        m_channels[static_cast<std::size_t>(c)]->setValue(channels[c]);
    }
}

void ColorShades::HScroll1_Change()
{
    if (m_selected < 0)
        return;
    m_swatches[static_cast<std::size_t>(m_selected)] = {
        rgb(m_channels[0]->value(), m_channels[1]->value(), m_channels[2]->value()), true};
    showSwatches();
    markChanged();
}

void ColorShades::btnClear_Click()
{
    clearShades(m_swatches);
    for (int i = 0; i < kHourShades; ++i)
        m_state.tables.shades[static_cast<std::size_t>(i)] = kWhite;
    releaseSelection();
    showSwatches();
    markChanged();
}

void ColorShades::btnFill_Click()
{
    const ShadeSwatches before = m_swatches;
    fillShades(m_swatches);
    showSwatches();
    for (std::size_t i = 0; i < m_swatches.size(); ++i)
        if (m_swatches[i].color != before[i].color || m_swatches[i].set != before[i].set)
            markChanged();
}

void ColorShades::copyToTable()
{
    m_state.tables.shades = tableOf(m_swatches);
}

void ColorShades::Export_Click()
{
    m_state.trace.record("frmColorShades,Export_Click");
    copyToTable();
    const auto choice = m_services.dialogs.saveFile(kExportTitle, m_state.tables.folders.program + "/", kShadesFilter);
    if (!choice)
        return;
    if (!writeFileAtomically(choice->path, shadesFileText(m_state.tables.shades)))
        m_services.prompter.warn(kExportTitle, "The file " + choice->path + " could not be written.");
}

void ColorShades::Import_Click()
{
    m_state.trace.record("frmColorShades,Import_Click");
    copyToTable();
    const auto choice = m_services.dialogs.openFile(
        kImportTitle, joinPath(m_state.tables.folders.program, kShadesPattern), kShadesFilter);
    if (!choice)
        return;
    const auto bytes = readWholeFile(choice->path);
    if (!bytes) {
        m_services.prompter.warn(kImportTitle, "The file " + choice->path + " could not be read.");
        return;
    }
    const ShadesFileRead read = readShadesFile(*bytes);
    if (!read.table) {
        // All or nothing: a damaged file leaves the shades as they were.
        const std::string why = read.problem == ShadesFileProblem::NotAColour
                                    ? "line " + std::to_string(read.line) + " is not a colour number"
                                    : "it holds " + std::to_string(read.numbersRead) + " colour numbers instead of 25";
        m_services.prompter.warn(kImportTitle, "The file " + choice->path + " was not imported: " + why +
                                                   ". The shades are unchanged.");
        return;
    }
    m_state.tables.shades = *read.table;
    m_swatches = swatchesOf(*read.table);
    releaseSelection();
    showSwatches();
    markChanged();
}

void ColorShades::save()
{
    copyToTable();
    confirmWritten(WriteShadeSettings(m_state.settingsFile, m_state.tables.shades));
}

void ColorShades::checkForChanges()
{
    copyToTable();
}

std::string ColorShades::saveDetail() const
{
    return kUnsavedDetail;
}

void ColorShades::left()
{
    m_services.redraw();
}

} // namespace ventoral
