// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/pic_sites.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/named_button.h"
#include "maps/core/address_tables.h"
#include "platform/core/number_text.h"
#include "platform/qt_services.h"

namespace ventoral {

namespace {

constexpr int kMaps = AddressTable::kMapCount;

QLabel* instructions(const char* text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

QLineEdit* lineEdit(const std::string& text, const QString& name, int minimumWidth, QWidget* parent)
{
    auto* field = new QLineEdit(toQString(text), parent);
    field->setObjectName(name);
    field->setMinimumWidth(minimumWidth);
    return field;
}

} // namespace

PicSites::PicSites(EditorServices services, QWidget* parent)
    : SettingsEditor(std::move(services), "frmPicSites", "Urls", parent)
{
    const AppTables& t = m_state.tables;

    auto* images = new QGroupBox("Image Sites", this);
    auto* imageGrid = new QGridLayout(images);
    imageGrid->addWidget(
        instructions("Type in the Internet address of the images you wish Ventoral to display. (If you are not sure "
                     "of the address, open the corresponding web page, right click on the image and select "
                     "Properties to see the address.)  Type in an Image Name to identify the picture when "
                     "displayed. Click Auto to have the file downloaded each time station weather data is updated. "
                     "Save your changes.",
                     images),
        0, 0, 1, 3);
    imageGrid->addWidget(new QLabel("Address", images), 1, 0);
    imageGrid->addWidget(new QLabel("Image Name", images), 1, 1);
    imageGrid->addWidget(new QLabel("Auto", images), 1, 2);
    for (int i = 0; i < kMaps; ++i) {
        const auto at = static_cast<std::size_t>(i);
        m_addresses[at] = lineEdit(t.addresses[i], QString("Text1_%1").arg(i), 480, images);
        m_names[at] = lineEdit(t.names[at], QString("Text3_%1").arg(i), 160, images);
        m_autos[at] = new QCheckBox(images);
        m_autos[at]->setObjectName(QString("Check1_%1").arg(i));
        m_autos[at]->setChecked(readNumber(t.autos[at]) == 1);
        imageGrid->addWidget(m_addresses[at], i + 2, 0);
        imageGrid->addWidget(m_names[at], i + 2, 1);
        imageGrid->addWidget(m_autos[at], i + 2, 2, Qt::AlignCenter);
        connect(m_autos[at], &QCheckBox::toggled, this, [this] { markChanged(); });
    }
    imageGrid->setColumnStretch(0, 1);

    auto* sites = new QGroupBox("http Sites", this);
    auto* siteGrid = new QGridLayout(sites);
    siteGrid->addWidget(
        instructions("Type in the Address and a Site Name for the two weather sites to view from Ventoral", sites), 0,
        0, 1, 2);
    siteGrid->addWidget(new QLabel("Address", sites), 1, 0);
    siteGrid->addWidget(new QLabel("Site Name", sites), 1, 1);
    for (int i = AddressTable::kSite1; i <= AddressTable::kSite2; ++i) {
        const auto at = static_cast<std::size_t>(i);
        m_addresses[at] = lineEdit(t.addresses[i], QString("Text1_%1").arg(i), 480, sites);
        m_names[at] = lineEdit(t.names[at], QString("Text3_%1").arg(i), 160, sites);
        siteGrid->addWidget(m_addresses[at], i - AddressTable::kSite1 + 2, 0);
        siteGrid->addWidget(m_names[at], i - AddressTable::kSite1 + 2, 1);
    }
    siteGrid->setColumnStretch(0, 1);

    auto* data = new QGroupBox("Data Sites", this);
    auto* dataGrid = new QGridLayout(data);
    auto* warning = instructions("DO NOT MODIFY THESE DATA SITES UNLESS YOU KNOW WHAT YOU ARE DOING.", data);
    warning->setStyleSheet("color: #b00000; font-weight: bold;");
    dataGrid->addWidget(warning, 0, 0, 1, 2);
    int row = 1;
    for (const auto& [index, label] : {std::pair{AddressTable::kPresent, "Present"}, {AddressTable::kTrend, "Trend"}}) {
        dataGrid->addWidget(new QLabel(label, data), row, 0);
        m_addresses[static_cast<std::size_t>(index)] =
            lineEdit(t.addresses[index], QString("Text1_%1").arg(index), 480, data);
        dataGrid->addWidget(m_addresses[static_cast<std::size_t>(index)], row++, 1);
    }
    dataGrid->setColumnStretch(1, 1);

    // Any change of the text counts: typed, pasted, or set by a screen reader.
    for (QLineEdit* field : m_addresses)
        connect(field, &QLineEdit::textChanged, this, [this] { markChanged(); });
    for (QLineEdit* field : m_names)
        connect(field, &QLineEdit::textChanged, this, [this] { markChanged(); });

    auto* save = namedButton("btnSave", "&Save", "Save the addresses, filenames and image names", this);
    auto* ok = namedButton("btnOk", "OK", "Exit the URLs settings", this);
    connect(save, &QPushButton::clicked, this, &PicSites::btnSave_Click);
    connect(ok, &QPushButton::clicked, this, &PicSites::btnOk_Click);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(images);
    layout->addWidget(sites);
    layout->addWidget(data);
    layout->addLayout(buttons);
    m_loaded = fields();
}

PicSites::Fields PicSites::fields() const
{
    Fields f;
    for (std::size_t i = 0; i < m_addresses.size(); ++i)
        f.addresses[i] = fromQString(m_addresses[i]->text());
    for (std::size_t i = 0; i < m_names.size(); ++i)
        f.names[i] = fromQString(m_names[i]->text());
    for (std::size_t i = 0; i < m_autos.size(); ++i)
        f.autos[i] = m_autos[i]->isChecked();
    return f;
}

void PicSites::save()
{
    AppTables& t = m_state.tables;
    for (int i = 0; i < kMaps; ++i) {
        const auto at = static_cast<std::size_t>(i);
        t.addresses[i] = fromQString(m_addresses[at]->text());
        t.names[at] = fromQString(m_names[at]->text());
        t.autos[at] = m_autos[at]->isChecked() ? "1" : "0";
    }
    deriveMapFileNames(t);
    for (int i = AddressTable::kSite1; i <= AddressTable::kSite2; ++i) {
        t.addresses[i] = fromQString(m_addresses[static_cast<std::size_t>(i)]->text());
        t.names[static_cast<std::size_t>(i)] = fromQString(m_names[static_cast<std::size_t>(i)]->text());
    }
    for (int i : {AddressTable::kPresent, AddressTable::kTrend})
        t.addresses[i] = fromQString(m_addresses[static_cast<std::size_t>(i)]->text());
    if (confirmWritten(writeAddressTables(m_state.settingsFile, t)))
        m_loaded = fields();
}

void PicSites::checkForChanges()
{
    // An edit undone again leaves nothing to save.
    if (fields() == m_loaded)
        markSaved();
    else
        markChanged();
}

} // namespace ventoral
