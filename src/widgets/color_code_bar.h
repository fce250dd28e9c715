// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The legend of the history band: 24 boxes in the trend shades, labelled
// with the hours before the data time.

#include <QDialog>

#include "settings/settings.h"

namespace ventoral {

class PicturePanel;

class ColorCodeBar : public QDialog {
    Q_OBJECT
public:
    explicit ColorCodeBar(QWidget* parent = nullptr);
    void draw(const ShadeTable& shades);

private:
    PicturePanel* m_bar;
};

} // namespace ventoral
