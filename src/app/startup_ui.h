// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The setup notice shown while a first run writes its defaults and faces.

#include <functional>
#include <memory>

#include <QWidget>

#include "session/startup.h"

class QLabel;

namespace ventoral {

class SetupNotice : public QWidget {
    Q_OBJECT
public:
    explicit SetupNotice(QWidget* parent = nullptr);
    void showText(const QString& text);

private:
    QLabel* m_label;
};

class QtStartupUi : public StartupUi {
public:
    QtStartupUi();
    ~QtStartupUi() override;
    void showSetupNotice(const std::string& text) override;
    void hideSetupNotice() override;
    // A first run opens the setup wizard here, without waiting for it.
    void showSetupWizard() override
    {
        if (m_wizard)
            m_wizard();
    }
    void setWizard(std::function<void()> wizard) { m_wizard = std::move(wizard); }

    bool noticeShown() const;

private:
    std::unique_ptr<SetupNotice> m_notice;
    std::function<void()> m_wizard;
};

} // namespace ventoral
