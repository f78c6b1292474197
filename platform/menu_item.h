#pragma once
// The runtime's menu items on Qt's actions. Items are named (objectName) as
// the form names them, so code and tests find them, and carry the caption
// and accelerator of the form's menu editor.
//
// A menu item's check mark is the runtime's Checked property: only code
// changes it. Qt would flip the mark of a checkable action by itself on every
// click; the items made here undo that before any click handler runs, so a
// handler that "toggles the check mark" toggles it exactly once.
#include <QKeySequence>
#include <QString>

#include <functional>

class QAction;
class QMenu;
class QMenuBar;
class QObject;

enum class MenuCheck { None, CheckMark };

// Appends an item to the menu. An item that may carry a check mark says so
// here (Qt draws the mark's place for such items only).
QAction* newMenuItem(QMenu& menu, const QString& name, const QString& caption,
    const QKeySequence& accelerator = {}, MenuCheck check = MenuCheck::None);
// A separator line, the runtime's item with the caption "-".
QAction* newMenuSeparator(QMenu& menu, const QString& name);
// A submenu of a menu, or a top-level menu of the menu bar; its item in the
// parent is menuAction(), named like the menu.
QMenu* newSubMenu(QMenu& parent, const QString& name, const QString& caption);
QMenu* newTopMenu(QMenuBar& bar, const QString& name, const QString& caption);

// Makes a click leave the item's check mark as it was (newMenuItem and the
// menu control arrays do it for every item they make).
void keepCheckMarkOnClick(QAction& item);

// Connects the item's Click procedure (menu choice or accelerator).
void connectMenuClick(QAction& item, QObject* context, std::function<void()> handler);
