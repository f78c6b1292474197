#include "platform/control_array_loaders.h"

#include "platform/menu_item.h"

void copyWidgetDesign(const QWidget& from, QWidget& to)
{
    to.setGeometry(from.geometry());
    to.setFont(from.font());
    to.setEnabled(from.isEnabled());
    to.setToolTip(from.toolTip());
    to.setCursor(from.cursor());
    to.setPalette(from.palette());
    to.setAutoFillBackground(from.autoFillBackground());
    to.setFocusPolicy(from.focusPolicy());
    to.setMouseTracking(from.hasMouseTracking());
}

ControlArray<QAction>::Loader menuItemLoader(
    const ControlArray<QAction>& array, std::function<void(QAction& item, int index)> setup)
{
    return [&array, setup](QAction& templateItem, int index) {
        auto* item = new QAction(templateItem.text(), templateItem.parent());
        item->setObjectName(array.elementName(index));
        item->setCheckable(templateItem.isCheckable());
        item->setEnabled(templateItem.isEnabled());
        keepCheckMarkOnClick(*item);
        // After the element with the next lower index, so the menu lists the
        // elements in index order whatever order they were loaded in.
        QAction* before = &templateItem;
        for (int i = index - 1; i >= 0; --i) {
            if (QAction* existing = array.at(i)) {
                before = existing;
                break;
            }
        }
        for (QObject* holder : templateItem.associatedObjects()) {
            auto* menu = qobject_cast<QMenu*>(holder);
            if (!menu) {
                continue;
            }
            const QList<QAction*> actions = menu->actions();
            const qsizetype at = actions.indexOf(before);
            QAction* next = at >= 0 && at + 1 < actions.size() ? actions[at + 1] : nullptr;
            menu->insertAction(next, item);
        }
        if (setup) {
            setup(*item, index);
        }
        return item;
    };
}
