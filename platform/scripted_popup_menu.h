#pragma once
// Pop-up menus for tests: the test queues the item the user picks (by its
// objectName) or a dismissal, and every pop-up shown is recorded with the
// states its items had when it was shown. A pop-up with nothing queued is
// dismissed. Opening runs the menu's aboutToShow as the real menu does.
#include "platform/popup_menu.h"

#include <QStringList>
#include <deque>
#include <vector>

class ScriptedPopupMenu final : public PopupMenuBackend
{
public:
    struct Shown
    {
        QString menuName;
        QPoint globalPosition;
        int flags = 0;
        QString defaultItem; // objectName, empty when none
        QStringList enabledItems; // objectNames of the enabled items, in menu order
        QStringList checkedItems;
    };

    void showPopup(const PopupMenuRequest& request) override;

    void queueChoice(const QString& itemName) { m_choices.push_back(itemName); }
    void queueDismissal() { m_choices.push_back(QString()); }

    const std::vector<Shown>& shown() const { return m_shown; }

    // Choices naming no item of the menu shown, and every queued choice no
    // pop-up used. Taking them clears them.
    QStringList takeFailuresAndLeftovers();
    void reset();

private:
    std::deque<QString> m_choices;
    std::vector<Shown> m_shown;
    QStringList m_failures;
};
