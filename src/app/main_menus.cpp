// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_menus.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

namespace ventoral {

void MainMenus::addMenu(const char* caption, const char* name, std::initializer_list<MenuEntry> entries)
{
    QMenu* menu = m_bar.addMenu(caption);
    menu->setObjectName(name);
    menu->setProperty("ready", true);
    m_menus[name] = menu;
    for (const MenuEntry& e : entries) {
        if (!e.caption) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(e.caption);
        action->setObjectName(e.name);
        if (e.action)
            QObject::connect(action, &QAction::triggered, menu, e.action);
        else
            action->setEnabled(false);
    }
}

void MainMenus::addCommand(const char* caption, const char* name, std::function<void()> action, QObject& context)
{
    QMenu* menu = m_bar.addMenu(caption);
    menu->setObjectName(name);
    menu->setProperty("ready", bool(action));
    m_menus[name] = menu;
    if (!action) {
        menu->setEnabled(false);
        return;
    }
    QObject::connect(menu, &QMenu::aboutToShow, &context, [menu, action, &context] {
        QTimer::singleShot(0, menu, &QMenu::close);
        QTimer::singleShot(0, &context, action);
    });
}

void MainMenus::makeChoice(const std::string& menuName, std::initializer_list<const char*> entryNames)
{
    QMenu* m = menu(menuName);
    auto* group = new QActionGroup(m);
    group->setExclusive(true);
    for (const char* name : entryNames)
        if (auto* action = m->findChild<QAction*>(name)) {
            action->setCheckable(true);
            group->addAction(action);
        }
}

void MainMenus::check(const std::string& menuName, const std::string& entryName)
{
    if (auto* action = menu(menuName)->findChild<QAction*>(QString::fromStdString(entryName)))
        action->setChecked(true);
}

QMenu* MainMenus::menu(const std::string& name) const
{
    const auto it = m_menus.find(name);
    return it == m_menus.end() ? nullptr : it->second;
}

void MainMenus::setReady(const std::string& name, bool ready)
{
    if (QMenu* m = menu(name))
        m->setProperty("ready", ready);
}

bool MainMenus::isReady(const std::string& name) const
{
    const QMenu* m = menu(name);
    return m && m->property("ready").toBool();
}

void MainMenus::setAllEnabled(bool enabled)
{
    for (const auto& [name, menu] : m_menus)
        menu->setEnabled(enabled && menu->property("ready").toBool());
}

void MainMenus::setUpdateMenusEnabled(bool enabled)
{
    m_menus.at("mnuUpdate")->setEnabled(enabled);
    m_menus.at("mnuSites")->setEnabled(enabled && isReady("mnuSites"));
}

} // namespace ventoral
