#pragma once
// The setup notice shown while a first run writes its defaults and faces.

#include <memory>

#include <QWidget>

#include "app/core/startup.h"

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
    // The wizard window is opened here once it exists; until then a first
    // run starts with the empty short list of the defaults.
    void showSetupWizard() override {}

    bool noticeShown() const;

private:
    std::unique_ptr<SetupNotice> m_notice;
};

} // namespace ventoral
