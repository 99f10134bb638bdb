#include "app/menu_bar.h"

#include <QAction>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <string_view>

#include "ui/ui_texts.h"

namespace tivra {

namespace {

QString qtText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

MenuItems createMenuBar(QMainWindow& window, MenuHandler handler) {
    MenuItems items{};
    QMenuBar* bar = window.menuBar();
    const auto add = [&](QMenu* menu, int id, std::string_view text, std::string_view shortcut) {
        QAction* action = menu->addAction(qtText(text));
        action->setProperty(MENU_ID_PROPERTY, id);
        if (!shortcut.empty()) {
            action->setShortcut(QKeySequence(qtText(shortcut), QKeySequence::PortableText));
            action->setShortcutContext(Qt::WindowShortcut);
        }
        QObject::connect(action, &QAction::triggered, &window, [handler, id] { handler(id); });
        items.at(static_cast<size_t>(id)) = action;
    };

    QMenu* configuration = bar->addMenu(qtText(ui_texts::MENU_CONFIGURATION));
    add(configuration, MENU_OPEN, ui_texts::MENU_OPEN, ui_texts::SHORTCUT_OPEN);
    add(configuration, MENU_SAVE, ui_texts::MENU_SAVE, ui_texts::SHORTCUT_SAVE);
    add(configuration, MENU_SAVE_AS, ui_texts::MENU_SAVE_AS, {});
    configuration->addSeparator();
    add(configuration, MENU_QUIT, ui_texts::MENU_QUIT, {});

    QMenu* help = bar->addMenu(qtText(ui_texts::MENU_HELP));
    add(help, MENU_HELP, ui_texts::MENU_HELP_ITEM, ui_texts::SHORTCUT_HELP);
    add(help, MENU_ABOUT, ui_texts::MENU_ABOUT, {});
    return items;
}

}  // namespace tivra
