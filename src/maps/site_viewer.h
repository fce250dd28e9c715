// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The site viewer: a small web browser for the two weather sites set up in
// the addresses window, loaded straight from the network.

#include <memory>

#include <QWidget>

#include "session/app_state.h"
#include "platform/page_view.h"

class QComboBox;
class QPushButton;

namespace ventoral {

class SiteViewer : public QWidget {
    Q_OBJECT
public:
    SiteViewer(AppState& state, const PageViewFactory& pageViews, QWidget* parent = nullptr);
    ~SiteViewer() override;

    // Fills the selector and shows the first site.
    void load();
    void Combo1_Click(int index);
    void btnUpdate_Click();

    int selectedSite() const { return m_selected; }
    PageView& pageView() { return *m_page; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int px(double twips) const;

    AppState& m_state;
    std::unique_ptr<PageView> m_page;
    int m_selected = 0;
    QComboBox* m_sites;
    QPushButton* m_update;
    QPushButton* m_close;
};

} // namespace ventoral
