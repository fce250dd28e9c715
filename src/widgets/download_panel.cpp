// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/download_panel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/named_button.h"
#include "widgets/picture_panel.h"
#include "download/core/progress_frames.h"
#include "platform/qt_services.h"

namespace ventoral {

DownloadPanel::DownloadPanel(const QString& name, DownloadPanelStyle style, QWidget* parent) : QWidget(parent)
{
    setObjectName(name);
    if (style.framed) {
        setAutoFillBackground(true);
        setStyleSheet(QString("#%1 { background: white; border: 1px solid #8a8a8a; }").arg(name));
    }
    auto* layout = new QHBoxLayout(this);
    m_picture = new PicturePanel("Picture1", 480, 480, this);
    auto* texts = new QVBoxLayout;
    m_status = new QLabel(this);
    m_status->setObjectName("Label1");
    m_count = new QLabel(this);
    m_count->setObjectName("Label2");
    texts->addWidget(m_status);
    texts->addWidget(m_count);
    layout->addWidget(m_picture);
    layout->addLayout(texts, 1);
    if (style.withCancel) {
        m_cancel = namedButton("Command1", "Cancel", "Cancel downloading", this);
        layout->addWidget(m_cancel);
    }
}

void DownloadPanel::setStatus(const std::string& text)
{
    QString shown = toQString(text);
    shown.replace("\r\n", "\n");
    m_status->setText(shown);
}

void DownloadPanel::setCount(const std::string& text)
{
    m_count->setText(toQString(text));
}

void DownloadPanel::showFrame(int frame)
{
    drawProgressFrame(m_picture->begin(), frame);
    m_picture->end();
}

void DownloadPanel::clearTexts()
{
    m_status->clear();
    m_count->clear();
}

} // namespace ventoral
