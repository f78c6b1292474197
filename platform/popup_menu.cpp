#include "platform/popup_menu.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

namespace {

class QtPopupMenu final : public PopupMenuBackend
{
public:
    void showPopup(const PopupMenuRequest& request) override
    {
        QMenu& menu = *request.menu;
        QAction* previousDefault = menu.defaultAction();
        menu.setDefaultAction(request.defaultItem);
        // The menu's own Click may change its items (captions, ticks), so
        // its size is known only after it ran; exec() runs it again as the
        // menu shows, which handlers that only prepare states allow.
        const QPoint at = request.globalPosition;
        const int left = popupMenuLeft(at.x(), menu.sizeHint().width(), request.flags);
        // exec() triggers the chosen item before it returns.
        menu.exec(QPoint(left, at.y()));
        menu.setDefaultAction(previousDefault);
    }
};

QtPopupMenu g_qtPopupMenu;
PopupMenuBackend* g_backend = nullptr;

} // namespace

int popupMenuLeft(int x, int menuWidth, int flags)
{
    if (flags & vbPopupMenuRightAlign) {
        return x - menuWidth;
    }
    if (flags & vbPopupMenuCenterAlign) {
        return x - menuWidth / 2;
    }
    return x;
}

void PopupMenu(QMenu& menu, int flags, std::optional<QPoint> globalPosition, QAction* defaultItem)
{
    PopupMenuBackend& backend = g_backend ? *g_backend : g_qtPopupMenu;
    backend.showPopup({ &menu, globalPosition.value_or(QCursor::pos()), flags, defaultItem });
}

void setPopupMenuBackend(PopupMenuBackend* backend)
{
    g_backend = backend;
}
