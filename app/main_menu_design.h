#pragma once

#include <QString>

#include <vector>

namespace voltarix::app {

// What a menu item does when chosen.
enum class MenuCommand {
    Separator,       // a line, no item
    Press,           // runs the click operation of the button named by target
    SetDownAndPress, // sets that button down, then runs its click operation
    Own,             // runs the operation registered under the item's own name
};

// One row of the main menu: where it sits, what it shows, what it runs.
struct MenuItemDesign {
    QString title;   // the menu on the bar
    QString submenu; // the sub-menu inside it, or empty
    QString caption; // "-" for a separator
    QString name;    // the item's object name
    QString keyText; // the shortcut as shown beside the caption, or empty
    MenuCommand command;
    QString target; // the button for Press and SetDownAndPress

    // The name the click registry knows the item's operation by.
    QString operationName() const { return command == MenuCommand::Own ? name : target; }
};

// The whole main menu in menu order: titles, sub-menus, captions,
// separators, shortcut keys and operations.
const std::vector<MenuItemDesign>& mainMenuDesign();

} // namespace voltarix::app
