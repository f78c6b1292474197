#pragma once
// The runtime's PopupMenu: shows a menu as a pop-up at the pointer or at a
// given place on the screen and returns when it closes. The menu's own Click
// (aboutToShow) runs as it opens, and the chosen item's Click runs before the
// call returns, inside the wait, as the runtime did it. A default item is
// shown bold. Every pop-up goes through an exchangeable backend: Qt's menus in
// the program, a scripted one in tests.
#include <QPoint>
#include <QString>

#include <optional>

class QAction;
class QMenu;

// The runtime's alignment flags: where the given x lies on the menu.
inline constexpr int vbPopupMenuLeftAlign = 0;
inline constexpr int vbPopupMenuCenterAlign = 4;
inline constexpr int vbPopupMenuRightAlign = 8;

struct PopupMenuRequest
{
    QMenu* menu = nullptr;
    QPoint globalPosition; // screen pixels
    int flags = vbPopupMenuLeftAlign;
    QAction* defaultItem = nullptr;
};

class PopupMenuBackend
{
public:
    virtual ~PopupMenuBackend() = default;
    // Shows the menu and triggers the item chosen, if any, before returning.
    virtual void showPopup(const PopupMenuRequest& request) = 0;
};

// At the pointer when no position is given.
void PopupMenu(QMenu& menu, int flags = vbPopupMenuLeftAlign, std::optional<QPoint> globalPosition = {},
    QAction* defaultItem = nullptr);

// The left edge of a menu of that width shown for x with these flags.
int popupMenuLeft(int x, int menuWidth, int flags);

// Installs the backend every pop-up goes through; nullptr restores Qt's
// menus. The caller keeps ownership.
void setPopupMenuBackend(PopupMenuBackend* backend);
