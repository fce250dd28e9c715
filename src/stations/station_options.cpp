// SPDX-License-Identifier: GPL-3.0-or-later
#include "stations/station_options.h"

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "settings/ini_file.h"
#include "settings/settings.h"
#include "widgets/named_button.h"
#include "platform/qt_services.h"
#include "stations/core/coordinates.h"
#include "stations/station_options_texts.h"
#include "stations/type_in_station.h"

namespace ventoral {

using namespace station_options;

const char* const kCoordinateFormatMessage =
    "Please enter the data with the format:\n\n-##.###, ##.###, -###.###, ###.###\nor\n"
    "##-##N, ##-##S, ###-##E and ###-##W\nor\n##N##, ##S##, ###E## and ###W##";

namespace {

constexpr const char* kTitle = "Ventoral";
constexpr const char* kUnitedStates = "United States";
constexpr const char* kCountryPrompt = "Select a country / territory and click Search";
constexpr const char* kStatePrompt = "Select a state and click the Search button";
constexpr const char* kFormatHint =
    "Latitude is north or south of equator.\nLongitude is east or west of prime meridian\n"
    "Coordinates format: -125.999 (Degrees and hundredth with negative values for S & W) or  125-59W "
    "(Degrees and minutes folowed by N, S, E or W)";
constexpr const char* kRangeHint = "Click on the '+' buttons to increase the number of found stations\nor\n"
                                   "Click on the '-' buttons to decrease the number of found stations";
constexpr const char* kFullList = "Cannot have more than 20 stations. Remove a station before adding a further one.";
constexpr const char* kGrowCaption = "+                 +";
constexpr const char* kGrowTip = "Increase the Latitude and Longitude search range.";

QString foundCaption(int count)
{
    return count == 0 ? QString("No Stations found") : QString("Found %1 Stations").arg(count);
}

} // namespace

StationOptions::StationOptions(AppState& state, StationOptionsServices services, QWidget* parent)
    : QDialog(parent), m_state(state), m_services(std::move(services)), m_formatter(m_services.catalogue.countries)
{
    setObjectName("frmOptions");
    setWindowTitle("Station Short List Tool");
    buildControls();
    Form_Load();
}

void StationOptions::Form_Load()
{
    m_state.trace.record("frmOptions,Form_Load");
    if (const QScreen* screen = QApplication::primaryScreen()) {
        adjustSize();
        move(screen->availableGeometry().center() - rect().center());
    }
    m_prompt->setText(kCountryPrompt);
    m_hint->setText(kFormatHint);
    m_states->hide();
    for (const std::string& country : m_services.catalogue.countryChoices())
        m_countries->addItem(toQString(country));
    m_ranges = {};
    setRangeButtons(RangeButtons{});
    m_incRange->setText(kSearchCaption);
    m_incRange->setToolTip(kSearchTip);
    m_add->setEnabled(false);
    m_test->setEnabled(static_cast<bool>(m_services.testStations));

    m_editor.load(IniDocument::load(m_state.settingsFile));
    showShortList();
}

QStringList StationOptions::foundStations() const
{
    QStringList lines;
    for (int i = 0; i < m_found->count(); ++i)
        lines << m_found->item(i)->text();
    return lines;
}

void StationOptions::addFoundStation(const std::string& line)
{
    m_found->addItem(toQString(line));
}

void StationOptions::showShortList()
{
    const int row = m_shortList->currentRow();
    m_shortList->clear();
    for (const std::string& entry : m_editor.entries())
        m_shortList->addItem(toQString(entry));
    if (row >= 0 && row < m_shortList->count())
        m_shortList->setCurrentRow(row);
    m_shortListFrame->setTitle(toQString(shortListCaption(m_editor.count())));
}

void StationOptions::Countries_Click()
{
    const QListWidgetItem* item = m_countries->currentItem();
    if (item && item->text() == kUnitedStates) {
        if (!m_statesFilled) {
            for (const std::string& line : m_services.catalogue.stateChoices())
                m_states->addItem(toQString(line));
            m_statesFilled = true;
        }
        m_states->show();
        m_prompt->setText(kStatePrompt);
    } else {
        m_states->hide();
        m_prompt->setText(kCountryPrompt);
    }
}

void StationOptions::cmdSearch_Click()
{
    m_state.trace.record("frmOptions,cmdSearch_Click");
    const StationDirectory& directory = m_services.catalogue.directory;
    if (!m_states->isHidden()) {
        const QListWidgetItem* item = m_states->currentItem();
        const std::string code = item ? stateCodeOfLine(fromQString(item->text())) : std::string();
        if (code.empty()) {
            m_services.prompter.inform("Search", "Please select a state");
            return;
        }
        showFound(searchByState(directory, code), false);
        return;
    }
    const QListWidgetItem* item = m_countries->currentItem();
    const std::string country = item ? fromQString(item->text().trimmed()) : std::string();
    if (country.empty()) {
        m_services.prompter.inform("Search", "Please select a country / territory");
        return;
    }
    showFound(searchByCountry(directory, countryNumberOf(m_services.catalogue.countries, country)), false);
}

void StationOptions::showFound(const std::vector<std::size_t>& records, bool countOnly)
{
    m_found->clear();
    const std::vector<StationRecord>& all = m_services.catalogue.directory.records();
    for (std::size_t i : records)
        addFoundStation(m_formatter.line(all[i]));
    if (!records.empty())
        m_add->setEnabled(true);
    const int count = static_cast<int>(records.size());
    // The box search always counts, even when it found nothing.
    m_foundFrame->setTitle(countOnly ? QString("Found %1 Stations").arg(count) : foundCaption(count));
}

void StationOptions::btnClearSearch_Click()
{
    m_state.trace.record("frmOptions,btnClearSearch_Click");
    m_found->clear();
    m_foundFrame->setTitle("");
}

QPushButton* StationOptions::rangeButtonOf(RangeButton which) const
{
    switch (which) {
    case RangeButton::IncRange: return m_incRange;
    case RangeButton::DecRange: return m_decRange;
    case RangeButton::IncLat: return m_incLat;
    case RangeButton::DecLat: return m_decLat;
    case RangeButton::IncLon: return m_incLon;
    case RangeButton::DecLon: return m_decLon;
    }
    return m_incRange;
}

RangeButtons StationOptions::rangeButtons() const
{
    return {m_incRange->isEnabled(), m_decRange->isEnabled(), m_incLat->isEnabled(),
            m_decLat->isEnabled(),   m_incLon->isEnabled(),   m_decLon->isEnabled()};
}

void StationOptions::setRangeButtons(const RangeButtons& b)
{
    m_incRange->setEnabled(b.incRange);
    m_decRange->setEnabled(b.decRange);
    m_incLat->setEnabled(b.incLat);
    m_decLat->setEnabled(b.decLat);
    m_incLon->setEnabled(b.incLon);
    m_decLon->setEnabled(b.decLon);
}

void StationOptions::rangeButton_Click(RangeButton which)
{
    if (!rangeButtonOf(which)->isEnabled())
        return;
    m_hint->setText("\n\nSearching");
    if (which == RangeButton::IncRange && m_incRange->text() == kSearchCaption) {
        m_incRange->setText(kGrowCaption);
        m_incRange->setToolTip(kGrowTip);
    }
    m_ranges = changedRanges(which, m_ranges, m_box);
    searchBoxDriver(which);
    m_hint->setText(kRangeHint);
}

void StationOptions::searchBoxDriver(RangeButton)
{
    const RangeButtons before = rangeButtons();
    setRangeButtons({false, false, false, false, false, false});
    m_countryFrame->setEnabled(false);
    m_coordinatesFrame->setEnabled(false);
    const std::string latInput = fromQString(m_lat->text().trimmed());
    const std::string lonInput = fromQString(m_lon->text().trimmed());
    if (latInput.empty() || lonInput.empty()) {
        // Nothing to search around: the box search starts again from its button.
        m_countryFrame->setEnabled(true);
        m_coordinatesFrame->setEnabled(true);
        setRangeButtons(RangeButtons{});
        m_incRange->setText(kSearchCaption);
        m_ranges = {};
        return;
    }
    const std::string latText = normaliseLatitude(latInput);
    const std::string lonText = normaliseLongitude(lonInput);
    if (latText.empty() || lonText.empty()) {
        m_services.prompter.warn("Error", kCoordinateFormatMessage);
        setRangeButtons(before);
        m_countryFrame->setEnabled(true);
        m_coordinatesFrame->setEnabled(true);
        return;
    }
    SearchLatLon(latText, lonText);
    m_countryFrame->setEnabled(true);
    m_coordinatesFrame->setEnabled(true);
    setRangeButtons(buttonsAfterSearch(m_box, m_ranges));
}

void StationOptions::SearchLatLon(const std::string& latText, const std::string& lonText)
{
    m_state.trace.record("frmOptions,SearchLatLon");
    m_box = boxAround(degreesOfDirectoryText(latText), degreesOfDirectoryText(lonText), m_ranges.latitude,
                      m_ranges.longitude);
    m_latMax->setText(toQString(limitText(m_box.latMax, false)));
    m_latMin->setText(toQString(limitText(m_box.latMin, false)));
    m_lonMax->setText(toQString(limitText(m_box.lonMax, true)));
    m_lonMin->setText(toQString(limitText(m_box.lonMin, true)));
    showFound(searchBox(m_services.catalogue.directory, m_box), true);
}

void StationOptions::coordinatesEdited(QLineEdit* box, const char* emptyText)
{
    if (box->text().isEmpty()) {
        box->setText(emptyText);
        box->selectAll();
    }
    m_incRange->setText(kSearchCaption);
    m_incRange->setToolTip(kSearchTip);
    setRangeButtons(RangeButtons{});
    m_ranges = {};
    m_box = {};
    m_found->clear();
}

bool StationOptions::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn)
        if (auto* box = qobject_cast<QLineEdit*>(watched))
            QTimer::singleShot(0, box, &QLineEdit::selectAll);
    return QDialog::eventFilter(watched, event);
}

void StationOptions::cmdAdd_Click()
{
    m_state.trace.record("frmOptions,cmdAdd_Click");
    if (m_editor.full()) {
        m_services.prompter.inform(kTitle, kFullList);
    } else if (QListWidgetItem* item = m_found->currentItem()) {
        const std::string line = fromQString(item->text());
        if (m_editor.add(line) == ShortListAdd::AlreadyListed)
            m_services.prompter.inform(kTitle, alreadyListedMessage(codeOfEntry(line)));
        else
            delete m_found->takeItem(m_found->row(item));
    }
    showShortList();
}

void StationOptions::cmdRemove_Click()
{
    m_state.trace.record("frmOptions,cmdRemove_Click");
    m_editor.remove(m_shortList->currentRow());
    showShortList();
}

void StationOptions::moveSelected(const char* direction, int (ShortListEditor::*move)(int))
{
    const QListWidgetItem* item = m_shortList->currentItem();
    if (!item || item->text().trimmed().isEmpty()) {
        m_services.prompter.inform("Short List", std::string("Select the item to be mooved ") + direction);
        return;
    }
    const int row = (m_editor.*move)(m_shortList->currentRow());
    showShortList();
    m_shortList->setCurrentRow(row);
}

void StationOptions::btnMoveUp_Click()
{
    moveSelected("up", &ShortListEditor::moveUp);
}

void StationOptions::btnMoveDown_Click()
{
    moveSelected("down", &ShortListEditor::moveDown);
}

void StationOptions::cmdSave_Click()
{
    m_state.trace.record("frmOptions,cmdSave_Click");
    if (!m_editor.save(m_state.settingsFile))
        m_services.prompter.warn(kTitle, "The short list could not be saved in " + m_state.settingsFile);
}

void StationOptions::cmdOK_Click()
{
    m_state.trace.record("frmOptions,cmdOk_Click");
    if (m_editor.differsFromLoaded() && m_services.prompter.askYesNo(kTitle, "Wish to save your changes?"))
        cmdSave_Click();

    ShortList& list = m_state.tables.shortList;
    list = ReadStationSettings(IniDocument::load(m_state.settingsFile));
    const std::string& present = m_state.shown.snapshot().presentText;
    for (std::size_t i = 0; i < list.entries.size(); ++i) {
        const std::string code = list.entries[i].substr(0, 4);
        if (!code.empty() && present.find(code) != std::string::npos)
            list.selected = static_cast<int>(i);
    }
    m_services.mainWindow.stationsLoaded();
    close();
}

void StationOptions::cmdCancel_Click()
{
    m_state.trace.record("frmOptions,cmdCancel_Click");
    close();
}

void StationOptions::btnTest_Click()
{
    if (!m_services.testStations)
        return;
    m_services.testStations(m_editor, *this);
    showShortList();
}

void StationOptions::btnTypeIn_Click()
{
    TypeInStation typeIn(m_services.catalogue, m_editor, m_services.prompter, this);
    typeIn.exec();
    showShortList();
}

} // namespace ventoral
