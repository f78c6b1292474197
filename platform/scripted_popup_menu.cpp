#include "platform/scripted_popup_menu.h"

#include <QAction>
#include <QMenu>

namespace {

// The item of that name in the menu or its submenus.
QAction* findItem(const QMenu& menu, const QString& name)
{
    for (QAction* item : menu.actions()) {
        if (item->objectName() == name) {
            return item;
        }
        if (const QMenu* sub = item->menu()) {
            if (QAction* found = findItem(*sub, name)) {
                return found;
            }
        }
    }
    return nullptr;
}

} // namespace

void ScriptedPopupMenu::showPopup(const PopupMenuRequest& request)
{
    QMenu& menu = *request.menu;
    emit menu.aboutToShow();
    Shown shown { menu.objectName(), request.globalPosition, request.flags,
        request.defaultItem ? request.defaultItem->objectName() : QString(), {}, {} };
    for (const QAction* item : menu.actions()) {
        if (item->isEnabled() && item->isVisible() && !item->isSeparator()) {
            shown.enabledItems << item->objectName();
        }
        if (item->isChecked()) {
            shown.checkedItems << item->objectName();
        }
    }
    m_shown.push_back(shown);
    QString choice;
    if (!m_choices.empty()) {
        choice = m_choices.front();
        m_choices.pop_front();
    }
    emit menu.aboutToHide();
    if (choice.isEmpty()) {
        return;
    }
    QAction* item = findItem(menu, choice);
    if (!item || !item->isEnabled()) {
        m_failures << QStringLiteral("Pop-up menu \"%1\" has no enabled item \"%2\"")
                          .arg(menu.objectName(), choice);
        return;
    }
    item->trigger();
}

QStringList ScriptedPopupMenu::takeFailuresAndLeftovers()
{
    QStringList failures;
    failures.swap(m_failures);
    for (const QString& left : m_choices) {
        failures << QStringLiteral("The pop-up choice \"%1\" was queued but no pop-up menu showed")
                        .arg(left.isEmpty() ? QStringLiteral("(dismiss)") : left);
    }
    m_choices.clear();
    return failures;
}

void ScriptedPopupMenu::reset()
{
    m_choices.clear();
    m_shown.clear();
    m_failures.clear();
}
