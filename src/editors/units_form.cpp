// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/units_form.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "session/startup.h"
#include "settings/unit_choices.h"
#include "widgets/named_button.h"
#include "widgets/qt_face_renderer.h"
#include "platform/core/number_text.h"
#include "settings/units.h"
#include "platform/qt_services.h"

namespace ventoral {

namespace {

const char* const kInstructions[] = {
    "- Click the circle to the left of the unit's initials to Select the units you wish Ventoral to use for Wind "
    "Speed, Temperature and Air Pressure.",
    "- Switch ON or OFF the Update All Short List function, the Auto Update function, the Wind Gust Pointer and "
    "Dew Point Pointer selecting or clearing the ON box.",
    "- Set the update frequency in minutes by typing in a number of minutes.",
    "- Select the temperature scale range",
};

QRadioButton* radio(const char* name, const QString& caption, QWidget* parent)
{
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(name);
    return button;
}

QCheckBox* onBox(const char* name, QWidget* parent)
{
    auto* box = new QCheckBox("ON", parent);
    box->setObjectName(name);
    return box;
}

QGroupBox* frame(const QString& title, QWidget* parent, std::initializer_list<QWidget*> widgets)
{
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QHBoxLayout(box);
    for (QWidget* w : widgets) {
        w->setParent(box);
        layout->addWidget(w);
    }
    layout->addStretch(1);
    return box;
}

} // namespace

UnitsForm::UnitsForm(EditorServices services, QWidget* parent)
    : SettingsEditor(std::move(services), "frmUnits", "Units", parent)
{
    m_kph = radio("Option1", "Kph", this);
    m_mph = radio("Option2", "Mph", this);
    m_fahrenheit = radio("Option3", toQString(kTempFahrenheit), this);
    m_celsius = radio("Option4", toQString(kTempCelsius), this);
    m_inches = radio("Option5", "In", this);
    m_hpa = radio("Option6", "hPa", this);
    m_updateAll = onBox("Check2", this);
    m_autoUpdate = onBox("Check1", this);
    m_gust = onBox("Check3", this);
    m_dewPoint = onBox("Check4", this);
    m_keepInTray = new QCheckBox("Keep running in the tray when the main window is closed", this);
    m_keepInTray->setObjectName("keepInTrayCheck");
    m_keepInTray->setToolTip("Closing the main window leaves Ventoral in the tray, on desktops that have one");
    m_interval = new QLineEdit(this);
    m_interval->setObjectName("Text1");
    m_interval->setMaximumWidth(60);
    auto* minutes = new QLabel("Minutes", this);

    auto* range = new QGroupBox("Scale Range", this);
    auto* rangeLayout = new QGridLayout(range);
    for (int row = 0; row < 6; ++row) {
        m_rows[row] = radio(qPrintable(QString("Option7_%1").arg(row)), QString(), range);
        m_rowLabels[row] = new QLabel(range);
        m_rowLabels[row]->setObjectName(QString("Label%1").arg(15 + row));
        rangeLayout->addWidget(m_rows[row], row, 0);
        rangeLayout->addWidget(m_rowLabels[row], row, 1);
        whenChecked(*m_rows[row], [this, row] {
            if (!m_loading)
                chooseRow(row);
        });
    }

    auto* temperature = new QGroupBox("Temperature", this);
    auto* temperatureLayout = new QVBoxLayout(temperature);
    auto* temperatureUnits = new QHBoxLayout;
    m_fahrenheit->setParent(temperature);
    m_celsius->setParent(temperature);
    temperatureUnits->addWidget(m_fahrenheit);
    temperatureUnits->addWidget(m_celsius);
    temperatureLayout->addLayout(temperatureUnits);
    temperatureLayout->addWidget(range);

    auto* label11 = new QLabel(this);
    label11->setObjectName("Label11");
    label11->setWordWrap(true);
    QStringList instructions;
    for (const char* line : kInstructions)
        instructions << line;
    label11->setText(instructions.join("\n\n"));

    auto* save = namedButton("btnSave", "Save", "Save the selected units", this);
    auto* ok = namedButton("btnOk", "OK", "Exit the units selector", this);

    auto* left = new QVBoxLayout;
    left->addWidget(frame("Wind Speed", this, {m_kph, m_mph}));
    left->addWidget(temperature);
    left->addWidget(frame("Air Pressure", this, {m_inches, m_hpa}));
    auto* rightColumn = new QVBoxLayout;
    rightColumn->addWidget(frame("Update All Short List", this, {m_updateAll}));
    rightColumn->addWidget(frame("Auto Update", this, {m_autoUpdate, m_interval, minutes}));
    rightColumn->addWidget(frame("Wind Gust Pointer", this, {m_gust}));
    rightColumn->addWidget(frame("Dew Point Pointer", this, {m_dewPoint}));
    rightColumn->addWidget(frame("Tray", this, {m_keepInTray}));
    rightColumn->addWidget(label11, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(ok);
    rightColumn->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(rightColumn, 1);
    label11->setMinimumWidth(320);

    // Every control acts on any change, not only on clicks: a screen
    // reader's Toggle or a text it sets clicks and types nothing.
    const auto choice = [this](QRadioButton* button, void (UnitsForm::*choose)(const char*), const char* unit) {
        whenChecked(*button, [this, choose, unit] {
            if (!m_loading)
                (this->*choose)(unit);
        });
    };
    choice(m_kph, &UnitsForm::chooseSpeed, kSpeedKph);
    choice(m_mph, &UnitsForm::chooseSpeed, kSpeedMph);
    choice(m_fahrenheit, &UnitsForm::chooseTemperature, kTempFahrenheit);
    choice(m_celsius, &UnitsForm::chooseTemperature, kTempCelsius);
    choice(m_inches, &UnitsForm::choosePressure, kPressureInches);
    choice(m_hpa, &UnitsForm::choosePressure, kPressureHpa);
    connect(m_interval, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!m_loading)
            intervalEdited(text);
    });
    for (QCheckBox* box : {m_autoUpdate, m_updateAll, m_gust, m_dewPoint, m_keepInTray})
        connect(box, &QCheckBox::toggled, this, [this] {
            if (!m_loading)
                switchesClicked();
        });
    connect(save, &QPushButton::clicked, this, &UnitsForm::btnSave_Click);
    connect(ok, &QPushButton::clicked, this, &UnitsForm::btnOk_Click);

    load();
}

void UnitsForm::load()
{
    m_loading = true;
    const UnitSettings& u = m_state.tables.units;
    m_interval->setText(toQString(u.interval));
    m_autoUpdate->setChecked(u.autoUpdate);
    m_kph->setChecked(u.speedUnit == kSpeedKph);
    m_mph->setChecked(u.speedUnit == kSpeedMph);
    m_gust->setChecked(u.gustPointer);
    m_dewPoint->setChecked(u.dewPointPointer);
    const bool fahrenheit = u.temperatureUnit == kTempFahrenheit;
    m_fahrenheit->setChecked(fahrenheit);
    m_celsius->setChecked(u.temperatureUnit == kTempCelsius);
    if (const auto row = selectedScaleRow(u))
        m_rows[static_cast<std::size_t>(*row)]->setChecked(true);
    writeRowLabels(fahrenheit);
    m_inches->setChecked(u.pressureUnit == kPressureInches);
    m_hpa->setChecked(u.pressureUnit == kPressureHpa);
    m_updateAll->setChecked(u.updateAll);
    m_keepInTray->setChecked(u.keepInTray);
    m_loading = false;
    markSaved();
}

void UnitsForm::writeRowLabels(bool fahrenheit)
{
    for (int row = 0; row < 6; ++row)
        m_rowLabels[static_cast<std::size_t>(row)]->setText(toQString(scaleRowLabel(row, fahrenheit)));
}

void UnitsForm::applyUnits()
{
    m_services.redraw();
}

void UnitsForm::chooseSpeed(const char* unit)
{
    m_state.tables.units.speedUnit = unit;
    markChanged();
    applyUnits();
}

void UnitsForm::chooseTemperature(const char* unit)
{
    m_state.tables.units.temperatureUnit = unit;
    writeRowLabels(m_state.tables.units.temperatureUnit == kTempFahrenheit);
    markChanged();
    applyUnits();
}

void UnitsForm::choosePressure(const char* unit)
{
    m_state.tables.units.pressureUnit = unit;
    markChanged();
    applyUnits();
}

void UnitsForm::chooseRow(int row)
{
    chooseScaleRow(m_state.tables.units, row);
    markChanged();
    // The thermometer faces carry the range's ticks.
    QtFaceRenderer(m_services.devicePixelRatio).SaveTemp(m_state, facesFolder(m_state.programFolder));
    m_services.redraw();
}

void UnitsForm::intervalEdited(const QString& text)
{
    m_state.tables.units.interval = doubleText(readNumber(fromQString(text)));
    markChanged();
}

void UnitsForm::switchesClicked()
{
    UnitSettings& u = m_state.tables.units;
    u.autoUpdate = m_autoUpdate->isChecked();
    u.updateAll = m_updateAll->isChecked();
    u.gustPointer = m_gust->isChecked();
    u.dewPointPointer = m_dewPoint->isChecked();
    u.keepInTray = m_keepInTray->isChecked();
    markChanged();
    m_services.redraw();
}

void UnitsForm::save()
{
    confirmWritten(WriteUnitSettings(m_state.settingsFile, m_state.tables.units));
}

void UnitsForm::btnSave_Click()
{
    save();
    finish();
}

void UnitsForm::checkForChanges()
{
    const UnitSettings& u = m_state.tables.units;
    if (m_autoUpdate->isChecked() != u.autoUpdate ||
        readNumber(fromQString(m_interval->text())) != readNumber(u.interval))
        markChanged();
}

void UnitsForm::left()
{
    applyUnits();
}

} // namespace ventoral
