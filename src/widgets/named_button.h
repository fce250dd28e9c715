// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A push button as every window makes one: known by its object name, with
// its caption and tool tip.

#include <QPushButton>

namespace ventoral {

inline QPushButton* namedButton(const QString& name, const QString& caption, const QString& tip, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setToolTip(tip);
    return button;
}

} // namespace ventoral
