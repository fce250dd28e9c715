// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/color_code_bar.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "instruments/history.h"
#include "widgets/picture_panel.h"

namespace ventoral {

ColorCodeBar::ColorCodeBar(QWidget* parent) : QDialog(parent), m_bar(new PicturePanel("picBar", 7820, 330, this))
{
    setObjectName("frmColorCodeBar");
    setWindowTitle("Color Code Bar - Hours before data time");
    auto* hide = new QPushButton("&Hide", this);
    hide->setObjectName("btnHide");
    connect(hide, &QPushButton::clicked, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_bar);
    layout->addWidget(hide, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void ColorCodeBar::draw(const ShadeTable& shades)
{
    Surface& s = m_bar->begin();
    s.clear(kWhite);
    drawColorCodeBar(s, shades);
    m_bar->end();
}

} // namespace ventoral
