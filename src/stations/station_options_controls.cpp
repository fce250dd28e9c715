// SPDX-License-Identifier: GPL-3.0-or-later
// The short-list tool's controls and their layout.

#include "stations/station_options.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt_services.h"
#include "stations/station_options_texts.h"
#include "widgets/named_button.h"
#include "widgets/named_list.h"

namespace ventoral {

using namespace station_options;

void StationOptions::buildControls()
{
    auto* layout = new QHBoxLayout(this);

    auto* searchSide = new QVBoxLayout;
    m_countryFrame = new QGroupBox("Country / territory", this);
    m_countryFrame->setObjectName("fraCountry");
    auto* countryLayout = new QVBoxLayout(m_countryFrame);
    m_prompt = new QLabel(m_countryFrame);
    m_prompt->setObjectName("lblPrompt");
    m_countries = namedList("lstCountries", m_countryFrame);
    m_states = namedList("lstStates", m_countryFrame);
    auto* searchButtons = new QHBoxLayout;
    auto* search =
        namedButton("cmdSearch", "Search", "Search the selected country / territory or state", m_countryFrame);
    auto* clear = namedButton("btnClearSearch", "Clear", "Clear Found stations for new search.", m_countryFrame);
    searchButtons->addWidget(search);
    searchButtons->addWidget(clear);
    auto* lists = new QHBoxLayout;
    lists->addWidget(m_countries);
    lists->addWidget(m_states);
    countryLayout->addWidget(m_prompt);
    countryLayout->addLayout(lists);
    countryLayout->addLayout(searchButtons);

    m_coordinatesFrame = new QGroupBox("Latitude and Longitude", this);
    m_coordinatesFrame->setObjectName("fraCoordinates");
    auto* grid = new QGridLayout(m_coordinatesFrame);
    m_lat = new QLineEdit(kLatDefault, m_coordinatesFrame);
    m_lat->setObjectName("txtLat");
    m_lon = new QLineEdit(kLonDefault, m_coordinatesFrame);
    m_lon->setObjectName("txtLon");
    // Room for the longest accepted form, "-125.999" or "125-59W".
    const int boxWidth = m_lat->fontMetrics().horizontalAdvance("-125.9999W") + 16;
    m_lat->setMinimumWidth(boxWidth);
    m_lon->setMinimumWidth(boxWidth);
    m_incRange = namedButton("btnIncRange", kSearchCaption, kSearchTip, m_coordinatesFrame);
    m_decRange = namedButton("btnDecRange", "-                 -", "Decrease the Latitude and Longitude search range.",
                             m_coordinatesFrame);
    m_incLat = namedButton("btnIncLat", "+", "Increase the Latitude search range.", m_coordinatesFrame);
    m_decLat = namedButton("btnDecLat", "-", "Decrease the Latitude search range.", m_coordinatesFrame);
    m_incLon = namedButton("btnIncLon", "+", "Increase the Longitude search range.", m_coordinatesFrame);
    m_decLon = namedButton("btnDecLon", "-", "Decrease the Longitude search range.", m_coordinatesFrame);
    const auto limit = [this](const char* name) {
        auto* l = new QLabel(m_coordinatesFrame);
        l->setObjectName(name);
        return l;
    };
    m_latMax = limit("lblLatMax");
    m_latMin = limit("lblLatMin");
    m_lonMax = limit("lblLonMax");
    m_lonMin = limit("lblLonMin");
    m_hint = new QLabel(m_coordinatesFrame);
    m_hint->setObjectName("lblHint");
    m_hint->setWordWrap(true);
    // Each box is named by its label, also for a screen reader.
    auto* latLabel = new QLabel("Latitude", m_coordinatesFrame);
    latLabel->setBuddy(m_lat);
    auto* lonLabel = new QLabel("Longitude", m_coordinatesFrame);
    lonLabel->setBuddy(m_lon);
    grid->addWidget(latLabel, 0, 0);
    grid->addWidget(m_lat, 0, 1);
    grid->addWidget(m_decLat, 0, 2);
    grid->addWidget(m_incLat, 0, 3);
    grid->addWidget(lonLabel, 1, 0);
    grid->addWidget(m_lon, 1, 1);
    grid->addWidget(m_decLon, 1, 2);
    grid->addWidget(m_incLon, 1, 3);
    grid->addWidget(m_decRange, 2, 0, 1, 2);
    grid->addWidget(m_incRange, 2, 2, 1, 2);
    grid->addWidget(new QLabel("Latitude from / to", m_coordinatesFrame), 3, 0);
    grid->addWidget(m_latMin, 3, 1);
    grid->addWidget(m_latMax, 3, 2, 1, 2);
    grid->addWidget(new QLabel("Longitude from / to", m_coordinatesFrame), 4, 0);
    grid->addWidget(m_lonMin, 4, 1);
    grid->addWidget(m_lonMax, 4, 2, 1, 2);
    grid->addWidget(m_hint, 5, 0, 1, 4);
    searchSide->addWidget(m_countryFrame, 1);
    searchSide->addWidget(m_coordinatesFrame);

    m_foundFrame = new QGroupBox("Found Stations", this);
    m_foundFrame->setObjectName("fraFound");
    auto* foundLayout = new QVBoxLayout(m_foundFrame);
    m_found = namedList("lstFound", m_foundFrame);
    m_found->setToolTip("Double click station to add to Short List");
    m_add = namedButton("cmdAdd", "Add >>", "Add to shortlist the selected Found station.", m_foundFrame);
    foundLayout->addWidget(m_found, 1);
    foundLayout->addWidget(m_add);

    m_shortListFrame = new QGroupBox(this);
    m_shortListFrame->setObjectName("fraShortList");
    auto* shortLayout = new QVBoxLayout(m_shortListFrame);
    m_shortList = namedList("lstShortList", m_shortListFrame);
    // Wide enough for most found lines without scrolling sideways.
    const int listWidth = m_shortList->fontMetrics().averageCharWidth() * 60;
    m_shortList->setMinimumWidth(listWidth);
    m_found->setMinimumWidth(listWidth);
    m_shortList->setToolTip("Double click station to remove from Short List");
    auto* listButtons = new QGridLayout;
    auto* remove = namedButton("cmdRemove", "Remove", "Remove selected station from shortlist.", m_shortListFrame);
    auto* up = namedButton("btnMoveUp", "Up", "Move selected station up the list", m_shortListFrame);
    auto* down = namedButton("btnMoveDown", "Down", "Move the selected station down the list", m_shortListFrame);
    m_test = namedButton("btnTest", "Test", "Test if data available for all Short List stations", m_shortListFrame);
    auto* typeIn = namedButton("btnTypeIn", "Type in", "Type in station code, name and country", m_shortListFrame);
    auto* save = namedButton("cmdSave", "Save", "Save short list stations", m_shortListFrame);
    auto* ok = namedButton("cmdOK", "OK", "Exit the station short list tool", m_shortListFrame);
    auto* cancel = namedButton("cmdCancel", "Cancel", "Do not register any changes", m_shortListFrame);
    listButtons->addWidget(remove, 0, 0);
    listButtons->addWidget(up, 0, 1);
    listButtons->addWidget(down, 0, 2);
    listButtons->addWidget(m_test, 1, 0);
    listButtons->addWidget(typeIn, 1, 1);
    listButtons->addWidget(save, 2, 0);
    listButtons->addWidget(ok, 2, 1);
    listButtons->addWidget(cancel, 2, 2);
    shortLayout->addWidget(m_shortList, 1);
    shortLayout->addLayout(listButtons);

    layout->addLayout(searchSide, 3);
    layout->addWidget(m_foundFrame, 4);
    layout->addWidget(m_shortListFrame, 4);

    connect(m_countries, &QListWidget::itemSelectionChanged, this, &StationOptions::Countries_Click);
    connect(m_countries, &QListWidget::itemDoubleClicked, this, &StationOptions::cmdSearch_Click);
    connect(m_states, &QListWidget::itemDoubleClicked, this, &StationOptions::cmdSearch_Click);
    connect(search, &QPushButton::clicked, this, &StationOptions::cmdSearch_Click);
    connect(clear, &QPushButton::clicked, this, &StationOptions::btnClearSearch_Click);
    const std::pair<QPushButton*, RangeButton> ranges[] = {
        {m_incRange, RangeButton::IncRange}, {m_decRange, RangeButton::DecRange}, {m_incLat, RangeButton::IncLat},
        {m_decLat, RangeButton::DecLat},     {m_incLon, RangeButton::IncLon},     {m_decLon, RangeButton::DecLon}};
    for (const auto& [b, which] : ranges)
        connect(b, &QPushButton::clicked, this, [this, which = which] { rangeButton_Click(which); });
    // Any change of the text counts: typed, pasted, or set by a screen reader.
    connect(m_lat, &QLineEdit::textChanged, this, [this] { coordinatesEdited(m_lat, kLatDefault); });
    connect(m_lon, &QLineEdit::textChanged, this, [this] { coordinatesEdited(m_lon, kLonDefault); });
    m_lat->installEventFilter(this);
    m_lon->installEventFilter(this);
    connect(m_add, &QPushButton::clicked, this, &StationOptions::cmdAdd_Click);
    connect(m_found, &QListWidget::itemDoubleClicked, this, &StationOptions::cmdAdd_Click);
    connect(remove, &QPushButton::clicked, this, &StationOptions::cmdRemove_Click);
    connect(m_shortList, &QListWidget::itemDoubleClicked, this, &StationOptions::cmdRemove_Click);
    connect(up, &QPushButton::clicked, this, &StationOptions::btnMoveUp_Click);
    connect(down, &QPushButton::clicked, this, &StationOptions::btnMoveDown_Click);
    connect(m_test, &QPushButton::clicked, this, &StationOptions::btnTest_Click);
    connect(typeIn, &QPushButton::clicked, this, &StationOptions::btnTypeIn_Click);
    connect(save, &QPushButton::clicked, this, &StationOptions::cmdSave_Click);
    connect(ok, &QPushButton::clicked, this, &StationOptions::cmdOK_Click);
    connect(cancel, &QPushButton::clicked, this, &StationOptions::cmdCancel_Click);
}

} // namespace ventoral
