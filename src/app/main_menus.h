// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's menu bar, built from one table: each menu, its entries
// with their captions, object names and actions, and the three menus that
// act when their title is chosen ("&Update", "&Maps", "Si&tes").

#include <functional>
#include <initializer_list>
#include <map>
#include <string>

class QMenu;
class QMenuBar;
class QObject;

namespace ventoral {

struct MenuEntry {
    const char* caption = nullptr;   // nullptr: a separator
    const char* name = nullptr;
    std::function<void()> action;    // empty: shown, but off
};

class MainMenus {
public:
    explicit MainMenus(QMenuBar& bar) : m_bar(bar) {}

    void addMenu(const char* caption, const char* name, std::initializer_list<MenuEntry> entries);
    // A menu without entries that acts when its title is chosen; the action
    // runs once the menu has closed, as an update lets events run for as
    // long as it takes.
    void addCommand(const char* caption, const char* name, std::function<void()> action, QObject& context);

    // Makes the named entries of a menu a choice of one: each is checked
    // alone when chosen.
    void makeChoice(const std::string& menuName, std::initializer_list<const char*> entryNames);
    // Checks the named entry of a choice, without running its action.
    void check(const std::string& menuName, const std::string& entryName);

    QMenu* menu(const std::string& name) const;
    // A menu that is not ready (its window cannot open yet) stays off.
    void setReady(const std::string& name, bool ready);
    bool isReady(const std::string& name) const;
    // Every ready menu on, or every menu off.
    void setAllEnabled(bool enabled);
    // "&Update" and "Si&tes".
    void setUpdateMenusEnabled(bool enabled);

private:
    QMenuBar& m_bar;
    std::map<std::string, QMenu*> m_menus;
};

} // namespace ventoral
