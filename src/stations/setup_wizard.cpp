// SPDX-License-Identifier: GPL-3.0-or-later
#include "stations/setup_wizard.h"

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "settings/settings.h"
#include "widgets/named_button.h"
#include "widgets/named_list.h"
#include "widgets/picture_panel.h"
#include "maps/core/address_tables.h"
#include "platform/qt_services.h"
#include "stations/core/coordinates.h"
#include "stations/station_options.h"

namespace ventoral {

namespace {

constexpr int kLastStep = 7;

const char* const kStep1 =
    "This Setup Wizard does a rough program setup with the object of allowing a quick appreciation of the weather "
    "information made available by Ventoral. You can later adjust these settings to your needs from Ventoral's "
    "Setup menu.\n\n"
    "Based on information contained in Ventoral's data base, this wizard attempts the following:\n"
    "a) Identify and include some stations in the Station Short List.\n"
    "b) Point the Sites viewer to a weather site appropriate to your location.\n\n"
    "To achieve this, the Wizard needs to know the Latitude and Longitude for your location. If you do not have "
    "this information, launch your browser now and search the Internet using the search words 'longitude "
    "latitude' or go to one of the following sites:\n"
    "        https://www.latlong.net\n"
    "    or  https://www.openstreetmap.org\n\n"
    "If you know your latitude and longitude, click Next to continue.";

const char* const kStep3 =
    "Please enter your Longitude and Latitude\n\n"
    "Longitude and Latitude can be entered in the following formats:\n"
    "'sddd.ttt'\n'ddd-mmh'\n'dddhmm'\n"
    "Where\n"
    "s = the negative sign '-' for the south and west hemispheres\n"
    "ddd = degrees (Latitude: from 0 to 90, Longitude: from 0 to 180)\n"
    "h = the hemisphere (N, E, S, W)\n"
    "mm = minutes expressed in 1/60 (from 0 to 59)\n"
    "ttt = minutes expressed in 1/1000 (from 0 to 999)";

const char* const kWaitForDownload =
    "Ventoral is downloading. Click Next again when the download has ended.";

} // namespace

SetupWizard::SetupWizard(AppState& state, SetupWizardServices services, QWidget* parent)
    : QDialog(parent), m_state(state), m_services(std::move(services))
{
    setObjectName("frmSetup");
    setWindowTitle("Ventoral Setup Wizard");
    auto* layout = new QVBoxLayout(this);
    m_text = new QLabel(this);
    m_text->setObjectName("lblStep");
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_countries = namedList("lstCountries", this);
    auto* coordinates = new QGridLayout;
    m_latLabel = new QLabel("Latitude", this);
    m_lonLabel = new QLabel("Longitude", this);
    m_lat = new QLineEdit(this);
    m_lat->setObjectName("txtLat");
    m_lon = new QLineEdit(this);
    m_lon->setObjectName("txtLon");
    // Each box is named by its label, also for a screen reader.
    m_latLabel->setBuddy(m_lat);
    m_lonLabel->setBuddy(m_lon);
    coordinates->addWidget(m_latLabel, 0, 0);
    coordinates->addWidget(m_lat, 0, 1);
    coordinates->addWidget(m_lonLabel, 1, 0);
    coordinates->addWidget(m_lon, 1, 1);
    auto* buttons = new QHBoxLayout;
    m_previous = namedButton("btnPrevious", "< Previous", "Go to previous step", this);
    m_next = namedButton("btnNext", "Next >", "Go to next step", this);
    m_next->setDefault(true);
    m_cancel = namedButton("btnCancel", "Cancel", "Abort setup", this);
    buttons->addStretch();
    buttons->addWidget(m_previous);
    buttons->addWidget(m_next);
    buttons->addWidget(m_cancel);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_countries, 1);
    layout->addLayout(coordinates);
    // Takes the room of the step text when the last step hides it, so the
    // buttons stay at the foot of the window.
    layout->addStretch(0);
    layout->addLayout(buttons);
    connect(m_next, &QPushButton::clicked, this, &SetupWizard::btnNext_Click);
    connect(m_previous, &QPushButton::clicked, this, &SetupWizard::btnPrevious_Click);
    connect(m_cancel, &QPushButton::clicked, this, &SetupWizard::btnCancel_Click);
    m_lat->installEventFilter(this);
    m_lon->installEventFilter(this);
    for (const std::string& country : m_services.catalogue.countryChoices())
        m_countries->addItem(toQString(country));
    resize(twipsToPixels(*this, 8000), twipsToPixels(*this, 7000));
    showStep(1);
}

SetupWizard::~SetupWizard() = default;

bool SetupWizard::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn)
        if (auto* box = qobject_cast<QLineEdit*>(watched))
            QTimer::singleShot(0, box, &QLineEdit::selectAll);
    return QDialog::eventFilter(watched, event);
}

void SetupWizard::showStep(int step)
{
    m_step = step;
    m_text->show();
    m_countries->setVisible(step == 2);
    for (QWidget* w : std::initializer_list<QWidget*>{m_latLabel, m_lonLabel, m_lat, m_lon})
        w->setVisible(step == 3);
    m_previous->setVisible(step < kLastStep);
    m_previous->setEnabled(step >= 2 && step <= 6);
    m_next->setEnabled(true);
    m_next->setText(step == 6 ? "Units Form" : step == kLastStep ? "Close" : "Next >");
    switch (step) {
    case 1:
        m_text->setText(kStep1);
        break;
    case 2:
        m_text->setText("Please select your country and then click Next");
        break;
    case 3:
        m_text->setText(kStep3);
        m_lat->setFocus();
        break;
    case 4:
        m_text->setText(toQString("You wish to find weather data for:\n" + m_country + "\nAt the location:\nLatitude: " +
                                  m_latText + "   Longitude: " + m_lonText +
                                  "\n\nIf the following data is correct, click Next"));
        break;
    case 5:
        searchStations();
        break;
    case 6:
        apply();
        break;
    case kLastStep:
        m_text->hide();
        if (m_services.showUnits)
            m_services.showUnits();
        break;
    }
}

void SetupWizard::searchStations()
{
    m_text->setText("Please wait. Ventoral is searching for stations. This could take several minutes");
    m_next->setEnabled(false);
    m_previous->setEnabled(false);
    QApplication::processEvents();
    const double latitude = degreesOfDirectoryText(m_latText);
    const double longitude = degreesOfDirectoryText(m_lonText);
    m_search = wizardStationSearch(m_services.catalogue, latitude, longitude);
    m_regions = setupRegionsOf(m_services.catalogue, m_country);
    m_plan = mapPlanFor(m_regions, latitude, longitude);

    std::string text;
    if (m_search.lines.empty()) {
        text = "There are no stations within a reasonable range";
    } else {
        text = "The following stations will be added to your Short List:";
        for (const std::string& line : m_search.lines)
            text += "\n  " + line;
    }
    text += "\n\nThe following weather maps will be added to your Maps Viewer:";
    for (std::size_t i = 0; i < kWizardMapNames.size(); ++i)
        text += "\n  " + std::to_string(i + 1) + ". " + kWizardMapNames[i];
    text += "\n\nThe following address will be placed in the Sites Viewer\n  " + m_plan.forecastAddress;
    text += "\n\nAn explanation to these maps will be placed as the second site of the Sites viewer";
    m_text->setText(toQString(text));
    m_next->setEnabled(true);
    m_previous->setEnabled(true);
}

void SetupWizard::apply()
{
    m_options = new StationOptions(m_state, {m_services.prompter, m_services.mainWindow, m_services.catalogue, {}},
                                   this);
    // A first run's list holds one blank entry; left in front of the new
    // stations it would be the one the main window shows. A station listed
    // already, by the user or by an earlier pass through this step, stays
    // where it is and counts as placed.
    ShortListEditor& list = m_options->shortList();
    list.dropBlankAndRepeatedEntries();
    int stations = 0;
    for (const std::string& line : m_search.lines)
        if (list.add(line) != ShortListAdd::Full)
            ++stations;
    m_options->cmdSave_Click();
    m_options->cmdOK_Click();
    delete m_options;

    const PlacedAddresses placed = placeWizardAddresses(m_plan, m_state.tables.addresses, m_state.tables.names);
    // Saved as the addresses window saves them, file names included, so
    // the maps can be downloaded and shown at once.
    deriveMapFileNames(m_state.tables);
    if (!writeAddressTables(m_state.settingsFile, m_state.tables))
        m_services.prompter.warn("Ventoral", "The map addresses could not be saved in " + m_state.settingsFile);

    m_text->setText(toQString(
        "The Setup Wizard has placed " + std::to_string(stations) + " stations in the Station Short List, " +
        std::to_string(placed.maps) + " weather maps in the Maps viewer and " + std::to_string(placed.sites) +
        " site addresses in the Sites Viewer\n\n"
        "This setup can be modified at any time from the Setup menu. Read the Getting Started chapter of Ventoral "
        "Help\n\n"
        "Depending on your Internet connection speed, it is possible that weather maps could take some time to "
        "download. Till you discover the download time of each map, use the Update button, rather than the Get All "
        "button, to download each map.\n\n"
        "Now the Setup wizard will display the Units form for you to select the unit you wish Ventoral to show. "
        "Select the Temperature, Wind Speed and Air Pressure units and the Thermometer range appropriate for the "
        "region to monitor."));
}

void SetupWizard::btnNext_Click()
{
    switch (m_step) {
    case 2: {
        const QListWidgetItem* item = m_countries->currentItem();
        if (!item)
            return;
        m_country = fromQString(item->text());
        break;
    }
    case 3:
        m_latText = normaliseLatitude(fromQString(m_lat->text().trimmed()));
        m_lonText = normaliseLongitude(fromQString(m_lon->text().trimmed()));
        if (m_latText.empty() || m_lonText.empty()) {
            m_services.prompter.warn("Error", "Please revise the data format");
            return;
        }
        break;
    case 5:
        // Applying changes the short list an update is working through.
        if (m_state.download.busy) {
            m_services.prompter.inform("Ventoral Setup Wizard", kWaitForDownload);
            return;
        }
        break;
    case kLastStep:
        close();
        return;
    default:
        break;
    }
    showStep(m_step + 1);
}

void SetupWizard::btnPrevious_Click()
{
    if (m_step >= 2 && m_step <= 6)
        showStep(m_step - 1);
}

void SetupWizard::btnCancel_Click()
{
    if (m_options)
        m_options->close();
    close();
}

} // namespace ventoral
