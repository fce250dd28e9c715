// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/alarms_form.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "platform/qt_services.h"
#include "widgets/named_button.h"

namespace ventoral {

namespace {

enum class Quantity { Speed, Temperature, Pressure };

struct RowSpec {
    const char* name;      // object names: name + "Check", name + "Value"
    const char* caption;
    Quantity quantity;
    std::optional<AlarmLimit> AlarmLimits::*limit;
    AlarmLimit start;      // offered when a limit is switched on
};

const RowSpec kRows[] = {
    {"gust", "Gust at or above", Quantity::Speed, &AlarmLimits::gust, {60, AlarmUnit::Kph}},
    {"wind", "Wind at or above", Quantity::Speed, &AlarmLimits::wind, {40, AlarmUnit::Kph}},
    {"temperatureLow", "Temperature at or below", Quantity::Temperature, &AlarmLimits::temperatureLow,
     {0, AlarmUnit::Celsius}},
    {"temperatureHigh", "Temperature at or above", Quantity::Temperature, &AlarmLimits::temperatureHigh,
     {30, AlarmUnit::Celsius}},
    {"pressureFall", "Pressure falling in 3 hours by at least", Quantity::Pressure, &AlarmLimits::pressureFall,
     {3, AlarmUnit::Hpa}},
};

QString problemText(AlarmLimitError error)
{
    switch (error) {
    case AlarmLimitError::GustOutOfRange: return QObject::tr("The gust limit lies outside 1 to 500 km/h.");
    case AlarmLimitError::WindOutOfRange: return QObject::tr("The wind limit lies outside 1 to 500 km/h.");
    case AlarmLimitError::TemperatureOutOfRange:
        return QObject::tr("A temperature limit lies outside -90 to 70 \u00B0C.");
    case AlarmLimitError::LowNotBelowHigh:
        return QObject::tr("The low temperature limit must lie below the high one, or one of them would always ring.");
    case AlarmLimitError::PressureOutOfRange:
        return QObject::tr("The pressure fall lies outside 0.1 to 50 hPa.");
    }
    return {};
}

// The first fault of any scope, named by its scope.
std::optional<QString> firstProblem(const AlarmSettings& settings)
{
    if (const auto error = checkAlarmLimits(settings.allStations))
        return QObject::tr("All stations: %1").arg(problemText(*error));
    for (const auto& [code, limits] : settings.stations)
        if (const auto error = checkAlarmLimits(limits))
            return QString("%1: %2").arg(toQString(code), problemText(*error));
    return std::nullopt;
}

} // namespace

AlarmsForm::AlarmsForm(EditorServices services, QWidget* parent)
    : SettingsEditor(std::move(services), "frmAlarms", "Alarms", parent), m_units(m_state.displayUnits())
{
    m_scope = new QComboBox(this);
    m_scope->setObjectName("scopeCombo");
    m_scope->setToolTip("Set the limits of all stations, or of one station");
    m_ownLimits = new QCheckBox("Limits of its own for this station", this);
    m_ownLimits->setObjectName("ownLimitsCheck");
    m_ownLimits->setToolTip("Off: the station rings at the limits of all stations");

    auto* limits = new QGroupBox("Ring after an update when", this);
    auto* grid = new QGridLayout(limits);
    const QString speedUnit = m_units.kph ? " km/h" : " mph";
    const QString temperatureUnit = m_units.celsius ? " \u00B0C" : " \u00B0F";
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const RowSpec& row = kRows[i];
        auto* check = new QCheckBox(row.caption, limits);
        check->setObjectName(QString(row.name) + "Check");
        auto* value = new QDoubleSpinBox(limits);
        value->setObjectName(QString(row.name) + "Value");
        value->setDecimals(1);
        AlarmUnit unit = AlarmUnit::Hpa;
        switch (row.quantity) {
        case Quantity::Speed:
            unit = speedUnitOf(m_units);
            value->setRange(m_units.kph ? 1 : 0.7, m_units.kph ? 500 : 310);
            value->setSuffix(speedUnit);
            break;
        case Quantity::Temperature:
            unit = temperatureUnitOf(m_units);
            value->setRange(m_units.celsius ? -90 : -130, m_units.celsius ? 70 : 158);
            value->setSuffix(temperatureUnit);
            break;
        case Quantity::Pressure:
            value->setRange(0.1, 50);
            value->setSingleStep(0.5);
            value->setSuffix(" hPa");
            break;
        }
        grid->addWidget(check, static_cast<int>(i), 0);
        grid->addWidget(value, static_cast<int>(i), 1);
        m_rows[i] = {check, value, row.limit, unit};
        connect(check, &QCheckBox::toggled, this, [this] {
            updateEnabled();
            markChanged();
        });
        connect(value, qOverload<double>(&QDoubleSpinBox::valueChanged), this, [this] { markChanged(); });
    }

    auto* note = new QLabel("After each update, every limit newly crossed raises one desktop notification. It "
                            "is raised again only once the value has gone back across its limit.",
                            this);
    note->setObjectName("noteLabel");
    note->setWordWrap(true);
    auto* save = namedButton("btnSave", "&Save", "Save the alarm limits", this);
    auto* ok = namedButton("btnOk", "OK", "Exit the alarm settings", this);
    connect(save, &QPushButton::clicked, this, &AlarmsForm::btnSave_Click);
    connect(ok, &QPushButton::clicked, this, &AlarmsForm::btnOk_Click);
    connect(m_ownLimits, &QCheckBox::toggled, this, &AlarmsForm::ownLimitsToggled);
    connect(m_scope, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int index) {
        keepScope(m_working);
        showScope(index);
    });

    auto* scopeRow = new QHBoxLayout;
    scopeRow->addWidget(new QLabel("Limits of", this));
    scopeRow->addWidget(m_scope, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(scopeRow);
    layout->addWidget(m_ownLimits);
    layout->addWidget(limits);
    layout->addWidget(note);
    layout->addLayout(buttons);

    load(ReadAlarmSettings(IniDocument::load(m_state.settingsFile)));
    markSaved();
}

void AlarmsForm::load(const AlarmSettings& settings)
{
    m_working = settings;
    m_saved = settings;
    const QSignalBlocker blocker(m_scope);
    m_scope->clear();
    m_scope->addItem("All stations", QString());
    std::vector<std::string> codes;
    for (const std::string& entry : m_state.tables.shortList.entries) {
        const std::string code = entry.substr(0, 4);
        if (!isStationCode(code) || std::find(codes.begin(), codes.end(), code) != codes.end())
            continue;
        codes.push_back(code);
        m_scope->addItem(toQString(entry), toQString(code));
    }
    // Stations set up here once and gone from the short list since.
    for (const auto& [code, limits] : settings.stations)
        if (std::find(codes.begin(), codes.end(), code) == codes.end())
            m_scope->addItem(toQString(code), toQString(code));
    m_scope->setCurrentIndex(0);
    showScope(0);
}

AlarmSettings AlarmsForm::store() const
{
    AlarmSettings settings = m_working;
    keepScope(settings);
    return settings;
}

std::string AlarmsForm::scopeCode(int index) const
{
    return fromQString(m_scope->itemData(index).toString());
}

void AlarmsForm::showScope(int index)
{
    m_shownScope = index;
    const std::string code = scopeCode(index);
    const bool own = !code.empty() && m_working.stations.count(code);
    {
        const QSignalBlocker blocker(m_ownLimits);
        m_ownLimits->setChecked(own);
    }
    const AlarmLimits shown = limitsInDisplayUnits(m_working.limitsFor(code), m_units);
    const AlarmLimits offered = limitsInDisplayUnits(
        [] {
            AlarmLimits start;
            for (const RowSpec& row : kRows)
                start.*row.limit = row.start;
            return start;
        }(),
        m_units);
    for (const LimitRow& row : m_rows) {
        const QSignalBlocker checkBlocker(row.check);
        const QSignalBlocker valueBlocker(row.value);
        row.check->setChecked(bool(shown.*row.limit));
        row.value->setValue((shown.*row.limit).value_or(*(offered.*row.limit)).value);
    }
    updateEnabled();
}

void AlarmsForm::keepScope(AlarmSettings& settings) const
{
    const std::string code = scopeCode(m_shownScope);
    if (!code.empty() && !m_ownLimits->isChecked()) {
        settings.stations.erase(code);
        return;
    }
    const AlarmLimits before = settings.limitsFor(code);
    const AlarmLimits shownBefore = limitsInDisplayUnits(before, m_units);
    AlarmLimits limits;
    for (const LimitRow& row : m_rows) {
        if (!row.check->isChecked())
            continue;
        // Set in the unit shown; a limit left as it was shown keeps its stored value and unit.
        const AlarmLimit shown{row.value->value(), row.unit};
        limits.*row.limit = shownBefore.*row.limit == shown ? before.*row.limit : shown;
    }
    if (code.empty())
        settings.allStations = limits;
    else
        settings.stations[code] = limits;
}

void AlarmsForm::ownLimitsToggled(bool own)
{
    const std::string code = scopeCode(m_shownScope);
    if (code.empty())
        return;
    // A station's own limits start as those of all stations.
    if (own)
        m_working.stations[code] = m_working.allStations;
    else
        m_working.stations.erase(code);
    showScope(m_shownScope);
    markChanged();
}

void AlarmsForm::updateEnabled()
{
    const bool station = !scopeCode(m_shownScope).empty();
    m_ownLimits->setEnabled(station);
    const bool editable = !station || m_ownLimits->isChecked();
    for (const LimitRow& row : m_rows) {
        row.check->setEnabled(editable);
        row.value->setEnabled(editable && row.check->isChecked());
    }
}

void AlarmsForm::btnOk_Click()
{
    checkForChanges();
    if (!isSaved())
        if (const auto problem = firstProblem(store())) {
            m_services.prompter.warn(kEditorMessageTitle, fromQString(*problem));
            return;
        }
    leave();
}

void AlarmsForm::save()
{
    const AlarmSettings settings = store();
    if (const auto problem = firstProblem(settings)) {
        m_services.prompter.warn(kEditorMessageTitle, fromQString(*problem));
        markChanged();
        return;
    }
    if (confirmWritten(WriteAlarmSettings(m_state.settingsFile, settings)))
        m_saved = settings;
}

void AlarmsForm::checkForChanges()
{
    if (!(store() == m_saved))
        markChanged();
}

} // namespace ventoral
