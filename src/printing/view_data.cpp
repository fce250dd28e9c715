// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/view_data.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "widgets/named_button.h"
#include "printing/core/report_text.h"

namespace ventoral {

ViewData::ViewData(PrintHandler print, QWidget* parent) : QDialog(parent), m_print(std::move(print))
{
    setObjectName("frmViewData");
    QFont font("Arial");
    font.setStyleHint(QFont::SansSerif);
    setFont(font);

    m_text = new QLabel(this);
    m_text->setObjectName("Label1");
    m_text->setTextFormat(Qt::PlainText);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_text->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_text->setAutoFillBackground(true);
    // Long reports scroll; lines are shown unchanged, never wrapped.
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(m_text);
    scroll->setWidgetResizable(true);

    auto* printButton = namedButton("Command1", "&Print", "Print the shown data", this);
    printButton->setAutoDefault(false);
    auto* ok = namedButton("btnOK", "OK", "Close this form", this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(printButton);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroll, 1);
    layout->addLayout(buttons);
    resize(720, 480);

    connect(printButton, &QPushButton::clicked, this, &ViewData::Command1_Click);
    connect(ok, &QPushButton::clicked, this, &QDialog::close);
}

void ViewData::showReport(const std::string& caption, PrintKind kind, std::vector<std::string> lines)
{
    setWindowTitle(QString::fromStdString(caption));
    m_kind = kind;
    m_lines = std::move(lines);
    m_text->setText(QString::fromStdString(viewLabelText(m_lines)));
    show();
    raise();
    activateWindow();
}

void ViewData::Command1_Click()
{
    if (m_print)
        m_print(m_kind, m_lines);
}

} // namespace ventoral
