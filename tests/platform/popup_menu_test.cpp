#include "platform/popup_menu.h"
#include "platform/menu_item.h"
#include "tests/support/korvel_test.h"

#include <QAction>
#include <QMenu>

namespace {

using PopupMenuTest = KorvelTest;

TEST_F(PopupMenuTest, TheAlignmentFlagsPlaceTheMenuAgainstTheGivenX)
{
    EXPECT_EQ(popupMenuLeft(300, 120, vbPopupMenuLeftAlign), 300);
    EXPECT_EQ(popupMenuLeft(300, 120, vbPopupMenuCenterAlign), 240);
    EXPECT_EQ(popupMenuLeft(300, 120, vbPopupMenuRightAlign), 180);
}

TEST_F(PopupMenuTest, TheMenusOwnClickRunsBeforeTheChosenItemsWhichRunsBeforeTheReturn)
{
    QMenu menu;
    menu.setObjectName("PopUpMenu_Test");
    QAction* thick = newMenuItem(menu, "PopUp_Thick", "Thick", {}, MenuCheck::CheckMark);
    QAction* thin = newMenuItem(menu, "PopUp_Thin", "Thin");
    QStringList events;
    QObject::connect(&menu, &QMenu::aboutToShow, [&] {
        events << "open";
        thick->setChecked(true);
    });
    connectMenuClick(*thin, &menu, [&] { events << "thin"; });

    queuePopupChoice("PopUp_Thin");
    PopupMenu(menu, vbPopupMenuCenterAlign, QPoint(40, 50), thin);
    events << "returned";
    EXPECT_EQ(events, QStringList({ "open", "thin", "returned" }));
    ASSERT_EQ(popupMenus().size(), 1u);
    const auto& shown = popupMenus()[0];
    EXPECT_EQ(shown.menuName, "PopUpMenu_Test");
    EXPECT_EQ(shown.globalPosition, QPoint(40, 50));
    EXPECT_EQ(shown.defaultItem, "PopUp_Thin");
    EXPECT_EQ(shown.checkedItems, QStringList({ "PopUp_Thick" })) << "the states as the menu showed them";

    // Nothing queued: the user closes the menu without a choice.
    PopupMenu(menu);
    EXPECT_EQ(events.size(), 4);
}

} // namespace
