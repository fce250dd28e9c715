// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/minmax_editor.h"

#include <algorithm>
#include <cmath>

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "widgets/named_button.h"
#include "platform/core/number_text.h"
#include "platform/qt_services.h"

namespace ventoral {

namespace {

constexpr int kScrollMaximum = 4000;

struct FrameSpec {
    const char* title;
    const char* first;
    const char* second;
};
constexpr FrameSpec kFrames[] = {
    {"Wind Speed", "Maximum", "Gust"},
    {"Temperature", "Minimum", "Maximum"},
    {"Humidity", "Minimum", "Maximum"},
    {"Air Pressure", "Minimum", "Maximum"},
};

std::array<double, MinMaxEditor::kFieldCount> valuesOf(const MinMaxRecord& r)
{
    return {static_cast<double>(r.maxWind), static_cast<double>(r.maxGust), r.minTemp, r.maxTemp,
            static_cast<double>(r.minHum),  static_cast<double>(r.maxHum),  r.minPres, r.maxPres};
}

} // namespace

int minMaxScrollPosition(double value, bool inches)
{
    const double position = inches ? 4000 - 100 * value : 2000 - value;
    return static_cast<int>(std::lround(std::clamp(position, 0.0, static_cast<double>(kScrollMaximum))));
}

double minMaxScrollValue(int position, bool inches)
{
    return inches ? (4000 - position) / 100.0 : 2000 - position;
}

MinMaxEditor::MinMaxEditor(EditorServices services, QWidget* parent)
    : SettingsEditor(std::move(services), "frmMinMax", "Minimum and Maximum Values", parent),
      m_snapshot(m_state.shown.shared()), m_units(m_state.displayUnits())
{
    const std::optional<MinMaxRecord> shown =
        m_services.shownModel ? m_services.shownModel().extremes : std::optional<MinMaxRecord>();
    m_record = shown.value_or(MinMaxRecord::loadStart(m_units));
    auto* stationLabel = new QLabel(toQString("Station: " + m_snapshot->code), this);
    stationLabel->setObjectName("lblStation");
    auto* frames = new QHBoxLayout;
    for (int f = 0; f < 4; ++f) {
        auto* box = new QGroupBox(kFrames[f].title, this);
        auto* grid = new QGridLayout(box);
        for (int k = 0; k < 2; ++k) {
            const int field = 2 * f + k;
            grid->addWidget(new QLabel(k == 0 ? kFrames[f].first : kFrames[f].second, box), k, 0);
            auto* text = new QLineEdit(box);
            text->setObjectName(QString("Text1_%1").arg(field));
            text->setMaximumWidth(70);
            auto* bar = new QScrollBar(Qt::Vertical, box);
            bar->setObjectName(QString("VScroll1_%1").arg(field));
            bar->setRange(0, kScrollMaximum);
            bar->setPageStep(10);
            bar->setFixedHeight(text->sizeHint().height() + 8);
            grid->addWidget(text, k, 1);
            grid->addWidget(bar, k, 2);
            m_boxes[static_cast<std::size_t>(field)] = text;
            m_bars[static_cast<std::size_t>(field)] = bar;
            connect(bar, &QScrollBar::valueChanged, this, [this, field](int position) { scrolled(field, position); });
        }
        frames->addWidget(box);
    }

    auto* note = new QLabel("Change the values using the up & down arrows next to each value. Changes to these "
                            "values will take place if saved and the station information is updated or the program "
                            "is re initiated.",
                            this);
    note->setObjectName("Label1");
    note->setWordWrap(true);
    auto* save = namedButton("btnSave", "Save", "Save set values", this);
    auto* reset = namedButton("Command1", "Reset", "Reset all values to present station values", this);
    auto* ok = namedButton("btnOK", "OK", "Exit the Min/Max editor", this);
    connect(save, &QPushButton::clicked, this, &MinMaxEditor::saveValues);
    connect(reset, &QPushButton::clicked, this, &MinMaxEditor::resetValues);
    connect(ok, &QPushButton::clicked, this, &SettingsEditor::leave);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(reset);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(stationLabel);
    layout->addLayout(frames);
    layout->addWidget(note);
    layout->addLayout(buttons);
    showRecord();
}

bool MinMaxEditor::inchesField(int field) const
{
    return (field == MinPres || field == MaxPres) && !m_units.hpa;
}

void MinMaxEditor::showRecord()
{
    const MinMaxRecord& r = m_record;
    const auto values = valuesOf(r);
    const std::array<std::string, kFieldCount> texts = {
        std::to_string(r.maxWind), std::to_string(r.maxGust), decimalText(r.minTemp), decimalText(r.maxTemp),
        std::to_string(r.minHum),  std::to_string(r.maxHum),  decimalText(r.minPres), decimalText(r.maxPres)};
    for (int field = 0; field < kFieldCount; ++field) {
        const auto i = static_cast<std::size_t>(field);
        const QSignalBlocker blocker(m_bars[i]);
        m_bars[i]->setValue(minMaxScrollPosition(values[i], inchesField(field)));
        m_boxes[i]->setText(toQString(texts[i]));
    }
}

void MinMaxEditor::scrolled(int field, int position)
{
    const double value = minMaxScrollValue(position, inchesField(field));
    m_boxes[static_cast<std::size_t>(field)]->setText(toQString(doubleText(value)));
}

double MinMaxEditor::fieldValue(int field) const
{
    return readNumber(fromQString(m_boxes[static_cast<std::size_t>(field)]->text()));
}

void MinMaxEditor::storeAndWrite(MinMaxRecord record)
{
    m_record = widenedByTrend(record, m_snapshot->trendMph, m_units, TrendSpeeds::Mph);
    if (m_record.maxGust < m_record.maxWind)
        m_record.maxGust = m_record.maxWind;
    // A station without data keeps no extremes.
    if (m_snapshot->valid()) {
        m_state.trace.record("frmMain,SaveMinMax");
        const StationStore store = storeOf(m_state.tables);
        if (!store.saveMinMax(m_snapshot->code, m_record, m_units))
            m_services.prompter.warn(
                kEditorMessageTitle,
                tr("The file %1 could not be written.")
                    .arg(toQString(minMaxPath(store.minMaxFolder(), m_snapshot->code)))
                    .toStdString());
        if (m_state.shown.code() == m_snapshot->code)
            m_state.shown.rereadExtremes(store);
    }
    m_services.redraw();
    showRecord();
}

void MinMaxEditor::save()
{
    MinMaxRecord r;
    r.maxWind = roundToInt16(fieldValue(MaxWind));
    r.maxGust = roundToInt16(fieldValue(MaxGust));
    r.minTemp = static_cast<float>(fieldValue(MinTemp));
    r.maxTemp = static_cast<float>(fieldValue(MaxTemp));
    r.minHum = roundToInt16(fieldValue(MinHum));
    r.maxHum = roundToInt16(fieldValue(MaxHum));
    r.minPres = static_cast<float>(fieldValue(MinPres));
    r.maxPres = static_cast<float>(fieldValue(MaxPres));
    storeAndWrite(r);
    markSaved();
}

void MinMaxEditor::saveValues()
{
    save();
}

void MinMaxEditor::resetValues()
{
    if (!m_services.prompter.askYesNo(kEditorMessageTitle, "Are you sure you wish to reset all values?"))
        return;
    MinMaxRecord r = MinMaxRecord::resetValues();
    r.maxGust = 0;
    storeAndWrite(r);
}

void MinMaxEditor::checkForChanges()
{
    const auto record = valuesOf(m_record);
    markSaved();
    for (int field = 0; field < kFieldCount; ++field) {
        // Singles compare as singles, so "29.92" matches the 29.92 it shows.
        const double typed = field == MinTemp || field == MaxTemp || field == MinPres || field == MaxPres
                                 ? static_cast<double>(static_cast<float>(fieldValue(field)))
                                 : fieldValue(field);
        if (typed != record[static_cast<std::size_t>(field)])
            markChanged();
    }
}

void MinMaxEditor::left()
{
    m_services.redraw();
}

} // namespace ventoral
