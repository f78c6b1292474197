#include "platform/menu_item.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

QAction* newMenuItem(QMenu& menu, const QString& name, const QString& caption,
    const QKeySequence& accelerator, MenuCheck check)
{
    auto* item = new QAction(caption, &menu);
    item->setObjectName(name);
    item->setShortcut(accelerator);
    // The accelerator works while the menu's window is active, as a menu
    // accelerator does, even with the menu closed.
    item->setShortcutContext(Qt::WindowShortcut);
    item->setCheckable(check == MenuCheck::CheckMark);
    keepCheckMarkOnClick(*item);
    menu.addAction(item);
    return item;
}

QAction* newMenuSeparator(QMenu& menu, const QString& name)
{
    QAction* separator = menu.addSeparator();
    separator->setObjectName(name);
    return separator;
}

QMenu* newSubMenu(QMenu& parent, const QString& name, const QString& caption)
{
    auto* menu = new QMenu(caption, &parent);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    parent.addMenu(menu);
    return menu;
}

QMenu* newTopMenu(QMenuBar& bar, const QString& name, const QString& caption)
{
    auto* menu = new QMenu(caption, &bar);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    bar.addMenu(menu);
    return menu;
}

void keepCheckMarkOnClick(QAction& item)
{
    // Connected before any Click procedure, so the procedure sees the mark
    // as it was before the click.
    QObject::connect(&item, &QAction::triggered, &item, [&item](bool checked) {
        if (item.isCheckable()) {
            item.setChecked(!checked);
        }
    });
}

void connectMenuClick(QAction& item, QObject* context, std::function<void()> handler)
{
    QObject::connect(&item, &QAction::triggered, context, [handler] { handler(); });
}
