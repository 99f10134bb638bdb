#pragma once
// The menu bar of the main window: "Configuration" (Open, Save, Save As, Quit) and "Help" (Help,
// About). Items and their shortcuts produce the same menu event, identified by the item's id.

#include <array>
#include <functional>

class QAction;
class QMainWindow;

namespace tivra {

enum MenuId : int {
    MENU_OPEN = 1,
    MENU_SAVE = 2,
    MENU_SAVE_AS = 3,
    MENU_QUIT = 4,
    MENU_HELP = 5,
    MENU_ABOUT = 6,
};
constexpr int MENU_ITEM_COUNT = 6;

// The dynamic property that holds an item's id.
inline constexpr const char* MENU_ID_PROPERTY = "menuId";

using MenuHandler = std::function<void(int menuId)>;
// The items by id (index 0 unused).
using MenuItems = std::array<QAction*, MENU_ITEM_COUNT + 1>;

// Fills the window's menu bar. The shortcuts act only while the main window is the active one.
MenuItems createMenuBar(QMainWindow& window, MenuHandler handler);

}  // namespace tivra
