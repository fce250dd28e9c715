// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/site_viewer.h"

#include <QComboBox>
#include <QPushButton>

#include "widgets/desktop_screens.h"
#include "widgets/named_button.h"
#include "widgets/picture_panel.h"
#include "platform/qt_services.h"

namespace ventoral {

namespace {

constexpr int kControlsTop = 60;   // twips
constexpr int kControlsHeight = 330;
constexpr int kViewTop = 440;
constexpr int kWidth = 11000;
constexpr int kHeight = 8500;

} // namespace

SiteViewer::SiteViewer(AppState& state, const PageViewFactory& pageViews, QWidget* parent)
    : QWidget(parent, Qt::Window), m_state(state)
{
    setObjectName("siteViewer");
    setWindowTitle("Site Viewer");
    m_sites = new QComboBox(this);
    m_sites->setObjectName("Combo1");
    m_sites->setToolTip("Select a weather site");
    m_update = namedButton("btnUpdate", "&Update", "Downloads the latest version of this page", this);
    m_close = namedButton("btnClose", "&Close", "Close the Browser", this);
    m_page = pageViews(this);
    connect(m_sites, qOverload<int>(&QComboBox::activated), this, &SiteViewer::Combo1_Click);
    connect(m_update, &QPushButton::clicked, this, &SiteViewer::btnUpdate_Click);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
    placeBesideParent(*this, m_state.screens, QSize(px(kWidth), px(kHeight)));
}

SiteViewer::~SiteViewer()
{
    m_page.reset();
}

int SiteViewer::px(double twips) const
{
    return twipsToPixels(*this, twips);
}

void SiteViewer::load()
{
    m_state.trace.record("siteViewer,Form_Load");
    m_sites->clear();
    m_sites->addItem(toQString(m_state.tables.names[AddressTable::kSite1]));
    m_sites->addItem(toQString(m_state.tables.names[AddressTable::kSite2]));
    // Selecting the first entry acts as a click on it, which shows the first site once.
    m_sites->setCurrentIndex(0);
    Combo1_Click(0);
}

void SiteViewer::Combo1_Click(int index)
{
    m_selected = index == 1 ? 1 : 0;
    m_page->navigate(m_state.tables.addresses[AddressTable::kSite1 + m_selected]);
}

void SiteViewer::btnUpdate_Click()
{
    m_page->navigate(m_state.tables.addresses[AddressTable::kSite1 + m_selected]);
}

void SiteViewer::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int w = width();
    const int h = height();
    const int top = px(kControlsTop);
    const int rowHeight = px(kControlsHeight);
    m_sites->setGeometry(px(60), top, px(4200), rowHeight);
    m_update->setGeometry(px(4380), top, px(1200), rowHeight);
    m_close->setGeometry(w - px(1410), top, px(1200), rowHeight);
    m_page->widget()->setGeometry(px(15), px(kViewTop), std::max(0, w - px(30)), std::max(0, h - px(kViewTop)));
}

} // namespace ventoral
