// SPDX-License-Identifier: GPL-3.0-or-later
#include "stations/type_in_station.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/named_button.h"
#include "platform/core/text_encoding.h"
#include "platform/qt_services.h"
#include "stations/core/station_search.h"

namespace ventoral {

namespace {

constexpr const char* kShortCode = "Enter a valid four letter ICAO identifier";
constexpr const char* kTypeHere = "Type in the station data here.";
constexpr const char* kAddTitle = "Add Station";

// The code box's text, trimmed, with a-z in upper case, as the directory and
// the observation service write codes.
std::string typedCode(const QLineEdit& box)
{
    std::string code = fromQString(box.text().trimmed());
    for (char& c : code)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return code;
}

QLineEdit* box(const char* name, const char* text, int maxLength, QWidget* parent)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    return edit;
}

// The directory's single-byte text of a box; characters it cannot hold become "?".
std::string singleByte(const QString& text)
{
    std::string out;
    for (const QChar c : text) {
        const std::optional<std::string> b = utf8ToWindows1252(fromQString(QString(c)));
        out += b ? *b : "?";
    }
    return out;
}

} // namespace

std::string alreadyListedMessage(const std::string& code)
{
    return code + " is on the Short List already.";
}

TypeInStation::TypeInStation(const StationCatalogue& catalogue, ShortListEditor& shortList, Prompter& prompter,
                             QWidget* parent)
    : QDialog(parent), m_catalogue(catalogue), m_shortList(shortList), m_prompter(prompter)
{
    setObjectName("frmTypeInStation");
    setWindowTitle("Type in Station");
    auto* layout = new QVBoxLayout(this);
    m_status = new QLabel(kTypeHere, this);
    m_status->setObjectName("lblStatus");
    m_inventory = new QLabel(this);
    m_inventory->setObjectName("lblInventory");
    auto* form = new QFormLayout;
    m_code = box("txtCode", "", 4, this);
    m_description = box("txtDescription", "", static_cast<int>(StationRecord::kDescriptionWidth), this);
    // Room for the whole description, which the box would otherwise scroll.
    m_description->setMinimumWidth(m_description->fontMetrics().averageCharWidth() * 62);
    m_state = box("txtState", "", 2, this);
    m_country = new QComboBox(this);
    m_country->setObjectName("cboCountry");
    m_country->addItem("Select a country / territory");
    for (const std::string& line : m_catalogue.countries)
        m_country->addItem(toQString(line));
    m_lat = box("txtLat", "000-000S", 8, this);
    m_lon = box("txtLon", "000-000E", 8, this);
    m_height = box("txtHeight", "0000", 4, this);
    form->addRow("Four letter ICAO code", m_code);
    form->addRow("Station description (60 characters)", m_description);
    form->addRow("Station State (2 characters)", m_state);
    form->addRow("Station Country", m_country);
    form->addRow("Latitude", m_lat);
    form->addRow("Logitude", m_lon);
    form->addRow("Height", m_height);
    auto* buttons = new QHBoxLayout;
    auto* search = new QPushButton("Search", this);
    search->setObjectName("btnSearch");
    auto* add =
        namedButton("btnShortList", "Add to Short List", "Adds the above station data to the Station Shortlist", this);
    auto* exit = namedButton("btnExit", "Close", "Exit this form", this);
    buttons->addWidget(search);
    buttons->addWidget(add);
    buttons->addWidget(exit);
    layout->addWidget(m_status);
    layout->addLayout(form);
    layout->addWidget(m_inventory);
    layout->addLayout(buttons);
    connect(search, &QPushButton::clicked, this, &TypeInStation::btnSearch_Click);
    connect(add, &QPushButton::clicked, this, &TypeInStation::btnShortList_Click);
    connect(exit, &QPushButton::clicked, this, &TypeInStation::btnExit_Click);

    m_inventory->setText(QString("Inventory contains %1 entries").arg(m_catalogue.directory.size()));
}

void TypeInStation::btnSearch_Click()
{
    for (QLineEdit* other : {m_description, m_state, m_lat, m_lon, m_height})
        other->clear();
    m_country->setCurrentIndex(0);
    const std::string code = typedCode(*m_code);
    m_code->setText(toQString(code));
    if (code.size() < 4) {
        m_prompter.inform("Search", kShortCode);
        return;
    }
    m_status->setText(toQString("Searching for " + code));
    QApplication::processEvents();
    const StationRecord* found = nullptr;
    for (const StationRecord& record : m_catalogue.directory.records())
        if (codeOfEntry(record.code) == code) {
            found = &record;
            break;
        }
    m_status->setText(kTypeHere);
    if (!found) {
        m_description->setText("No Stations Found");
        return;
    }
    m_code->setText(toQString(fieldText(found->code)));
    m_description->setText(toQString(fieldText(found->description)));
    m_state->setText(toQString(fieldText(found->state)));
    m_lat->setText(toQString(fieldText(found->latitude)));
    m_lon->setText(toQString(fieldText(found->longitude)));
    m_height->setText(toQString(fieldText(found->height)));
    const int number = toQString(fieldText(found->country)).toInt();
    if (number > 0 && number < m_country->count())
        m_country->setCurrentIndex(number);
}

StationRecord TypeInStation::recordFromBoxes() const
{
    return StationRecord::fromFields(singleByte(m_code->text().trimmed()), singleByte(m_description->text().trimmed()),
                                     singleByte(m_state->text().trimmed()), std::to_string(m_country->currentIndex()),
                                     singleByte(m_lat->text().trimmed()), singleByte(m_lon->text().trimmed()),
                                     singleByte(m_height->text().trimmed()));
}

void TypeInStation::btnShortList_Click()
{
    const std::string code = typedCode(*m_code);
    if (code.size() < 4) {
        m_prompter.inform(kAddTitle, kShortCode);
        return;
    }
    m_code->setText(toQString(code));
    FoundLineFormatter formatter(m_catalogue.countries);
    switch (m_shortList.add(formatter.line(recordFromBoxes()))) {
    case ShortListAdd::Added:
        return;
    case ShortListAdd::Full:
        m_prompter.inform(kAddTitle,
                          "Cannot have more than 20 stations. Remove a station before adding a further one.");
        return;
    case ShortListAdd::AlreadyListed:
        m_prompter.inform(kAddTitle, alreadyListedMessage(code));
        return;
    }
}

void TypeInStation::btnExit_Click()
{
    close();
}

} // namespace ventoral
