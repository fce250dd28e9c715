// SPDX-License-Identifier: GPL-3.0-or-later
#include "about/info_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/picture_panel.h"

namespace ventoral {

InfoWindow::InfoWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName("frmInfo");
    setWindowTitle("Ventoral");
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < kLabelCount; ++i) {
        m_labels[i] = new QLabel(this);
        m_labels[i]->setObjectName(QString("Label%1").arg(i + 1));
        m_labels[i]->setAlignment(Qt::AlignCenter);
        m_labels[i]->setWordWrap(true);
        layout->addWidget(m_labels[i]);
    }
    auto* buttons = new QHBoxLayout;
    m_command1 = new QPushButton(this);
    m_command1->setObjectName("Command1");
    m_command2 = new QPushButton(this);
    m_command2->setObjectName("Command2");
    buttons->addStretch();
    buttons->addWidget(m_command1);
    buttons->addWidget(m_command2);
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(m_command1, &QPushButton::clicked, this, &InfoWindow::Command1_Click);
    connect(m_command2, &QPushButton::clicked, this, &InfoWindow::Command2_Click);
}

void InfoWindow::downloadingMessage()
{
    for (int i = 1; i < kLabelCount; ++i)
        m_labels[i]->hide();
    m_labels[0]->show();
    m_labels[0]->setMinimumHeight(twipsToPixels(*this, 1500));
    m_labels[0]->setText("Internet is busy.\nPlease try later.");
    m_command2->hide();
    m_command1->setText("&OK");
    m_command1->show();
    m_command1->setDefault(true);
    setMinimumHeight(twipsToPixels(*this, 2000));
    show();
    raise();
}

void InfoWindow::showResults(const QString& caption, const QStringList& labels, bool offerChoice)
{
    setWindowTitle(caption);
    for (int i = 0; i < kLabelCount; ++i) {
        const QString text = i < labels.size() ? labels[i] : QString();
        m_labels[i]->setText(text);
        m_labels[i]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        m_labels[i]->setMinimumHeight(0);
        m_labels[i]->setVisible(!text.isEmpty());
    }
    m_command1->setText(offerChoice ? "Continue" : "OK");
    m_command1->show();
    m_command1->setDefault(true);
    m_command2->setText("Remove");
    m_command2->setVisible(offerChoice);
}

void InfoWindow::Command1_Click()
{
    close();
}

void InfoWindow::Command2_Click()
{
    if (m_transferDone)
        m_transferDone();
    close();
}

} // namespace ventoral
