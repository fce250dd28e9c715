// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A list as every window makes one: known by its object name, its current
// item always the one selected. A screen reader selects an item through the
// item's own Toggle action, which leaves the current item where it was; the
// windows act on the current item, so it follows the selection.

#include <QListWidget>

namespace ventoral {

inline QListWidget* namedList(const QString& name, QWidget* parent)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    // Made first, this connection runs before the window's own ones.
    QObject::connect(list, &QListWidget::itemSelectionChanged, list, [list] {
        const QList<QListWidgetItem*> selected = list->selectedItems();
        if (selected.size() == 1 && list->currentItem() != selected.front())
            list->setCurrentItem(selected.front());
    });
    return list;
}

} // namespace ventoral
