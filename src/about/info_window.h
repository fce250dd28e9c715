// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The information window: five labels and two buttons, reused for short
// notices such as "Internet is busy." while a download runs.

#include <functional>

#include <QDialog>

class QLabel;
class QPushButton;

namespace ventoral {

class InfoWindow : public QDialog {
    Q_OBJECT
public:
    explicit InfoWindow(QWidget* parent = nullptr);

    // The second button ends the wait of a running transfer.
    void setTransferDoneHandler(std::function<void()> handler) { m_transferDone = std::move(handler); }

    // The busy notice, shown without waiting.
    void downloadingMessage();
    // A result in up to five labels (empty ones hidden), left-aligned; with
    // a choice the buttons read "Continue" and "Remove", else only "OK".
    void showResults(const QString& caption, const QStringList& labels, bool offerChoice);

    void Command1_Click();
    void Command2_Click();

private:
    static constexpr int kLabelCount = 5;
    QLabel* m_labels[kLabelCount];
    QPushButton* m_command1;
    QPushButton* m_command2;
    std::function<void()> m_transferDone;
};

} // namespace ventoral
