// The main window's menu bar: the menus "&File", "&View" and "&Tools" with
// their items, captions, accelerators and separators, and the hidden menu
// that holds the pop-up menus. The commands are connected by the work that
// builds them; the frame itself connects File > Exit.
#include "korvel/shell/main_form.h"
#include "platform/control_array_loaders.h"
#include "platform/menu_item.h"

#include <QMenu>
#include <QMenuBar>

void MainForm::createMenuBar()
{
    QMenuBar& bar = *menuBar();
    bar.setObjectName(QStringLiteral("MenuBar"));
    const MenuCheck mark = MenuCheck::CheckMark;

    File_Menu = newTopMenu(bar, QStringLiteral("File_Menu"), QStringLiteral("&File"));
    File_LoadSession
        = newMenuItem(*File_Menu, "File_LoadSession", "Load Session", QKeySequence(Qt::CTRL | Qt::Key_O));
    File_SaveSession = newMenuItem(*File_Menu, "File_SaveSession", "Save Session");
    connectMenuClick(*File_LoadSession, this, [this] { File_LoadSession_Click(); });
    connectMenuClick(*File_SaveSession, this, [this] { File_SaveSession_Click(); });
    blank1 = newMenuSeparator(*File_Menu, "blank1");
    File_OpenBMP = newMenuItem(*File_Menu, "File_OpenBMP", "Load Image", QKeySequence(Qt::CTRL | Qt::Key_I));
    File_OpenGIS
        = newMenuItem(*File_Menu, "File_OpenGIS", "Load GIS Layer", QKeySequence(Qt::CTRL | Qt::Key_G));
    File_AGNAV = newSubMenu(*File_Menu, "File_AGNAV", "Load AG-NAV");
    File_OpenAGNAV
        = newMenuItem(*File_AGNAV, "File_OpenAGNAV", "Block Boundary", QKeySequence(Qt::CTRL | Qt::Key_A));
    File_OpenGuidance = newMenuItem(*File_AGNAV, "File_OpenGuidance", "Guidance File");
    File_OpenExclusion = newMenuItem(*File_AGNAV, "File_OpenExclusion", "Exclusion Zones");
    File_OpenFlight = newMenuItem(*File_AGNAV, "File_OpenFlight", "Spray Data");
    blank2 = newMenuSeparator(*File_Menu, "blank2");
    File_CloseAll
        = newMenuItem(*File_Menu, "File_CloseAll", "Close All Files", QKeySequence(Qt::CTRL | Qt::Key_F4));
    File_Exit = newMenuItem(*File_Menu, "File_Exit", "Exit");
    connectMenuClick(*File_Exit, this, [this] { File_Exit_Click(); });

    View_Menu = newTopMenu(bar, QStringLiteral("View_Menu"), QStringLiteral("&View"));
    View_ClutteredMode = newMenuItem(*View_Menu, "View_ClutteredMode", "Cluttered Mode", {}, mark);
    View_ClutteredMode->setChecked(true);
    View_MapMode = newMenuItem(*View_Menu, "View_MapMode", "Map Mode", {}, mark);
    blank3 = newMenuSeparator(*View_Menu, "blank3");
    View_Prefs = newMenuItem(*View_Menu, "View_Prefs", "Preferences", QKeySequence(Qt::CTRL | Qt::Key_P));
    View_About = newMenuItem(*View_Menu, "View_About", "About");
    blank16 = newMenuSeparator(*View_Menu, "blank16");
    View_Refresh = newMenuItem(*View_Menu, "View_Refresh", "Refresh", QKeySequence(Qt::Key_F5));

    Tools_Menu = newTopMenu(bar, QStringLiteral("Tools_Menu"), QStringLiteral("&Tools"));
    Tools_Stats = newMenuItem(*Tools_Menu, "Tools_Stats", "Spray Statistics");
    Tools_GeoRef = newMenuItem(*Tools_Menu, "Tools_GeoRef", "Geo-referencing");
    Tools_SaveImage = newMenuItem(*Tools_Menu, "Tools_SaveImage", "Save GIS Image");
    Tools_Digitize = newSubMenu(*Tools_Menu, "Tools_Digitize", "Digitize AG-NAV");
    Tools_DigitizeBoundary
        = newMenuItem(*Tools_Digitize, "Tools_DigitizeBoundary", "Block Boundary", {}, mark);
    Tools_DigitizeGuidance
        = newMenuItem(*Tools_Digitize, "Tools_DigitizeGuidance", "Guidance Lines", {}, mark);
    Tools_DigitizeExclusion
        = newMenuItem(*Tools_Digitize, "Tools_DigitizeExclusion", "Exclusion Zone", {}, mark);
    Tools_Convert = newMenuItem(*Tools_Menu, "Tools_Convert", "Convert SHP to Boundary");
    connectMenuClick(*Tools_Convert, this, [this] { Tools_Convert_Click(); });
    Tools_GIS_Shift = newMenuItem(*Tools_Menu, "Tools_GIS_Shift", "GIS Shift");
    Tools_Ruler = newMenuItem(*Tools_Menu, "Tools_Ruler", "Ruler", {}, mark);
    Met_Menu = newSubMenu(*Tools_Menu, "Met_Menu", "Meteorology");
    Tether_Menu = newSubMenu(*Met_Menu, "Tether_Menu", "Tethersonde");
    Met_ConnectTether = newMenuItem(*Tether_Menu, "Met_ConnectTether", "Connect");
    Met_LoadTether = newMenuItem(*Tether_Menu, "Met_LoadTether", "Load Data");
    Kitoon_Menu = newSubMenu(*Met_Menu, "Kitoon_Menu", "Adapco Met Kitoon");
    Met_ConnectKitoon = newMenuItem(*Kitoon_Menu, "Met_ConnectKitoon", "Connect");
    Met_LoadKitoon = newMenuItem(*Kitoon_Menu, "Met_LoadKitoon", "Load Data");
    Tower_Menu = newSubMenu(*Met_Menu, "Tower_Menu", "Tall Tower");
    Met_ConnectTower = newMenuItem(*Tower_Menu, "Met_ConnectTower", "Connect");
    Met_LoadTower = newMenuItem(*Tower_Menu, "Met_LoadTower", "Load Data");
    Met_ConnectAIMMS = newMenuItem(*Met_Menu, "Met_ConnectAIMMS", "AIMMS");
    Met_EnterManual = newMenuItem(*Met_Menu, "Met_EnterManual", "Enter Manually");
    Tools_Optimize = newMenuItem(*Tools_Menu, "Tools_Optimize", "Optimization", {}, mark);
    blank17 = newMenuSeparator(*Tools_Menu, "blank17");
    Tools_Quillet = newMenuItem(*Tools_Menu, "Tools_Quillet", "KORVEL Quillet");

    // Start states of the design. The GIS shift and the optimization start
    // disabled: the Tools menu enables them when it opens. Every meteorology
    // item is shown; those that would talk to an instrument have nothing to
    // do, since no meteorological instrument is connected, and stay
    // disabled. The updater's item and its separator are shown by the
    // initialization when the updater is installed.
    Tools_GIS_Shift->setEnabled(false);
    Tools_Optimize->setEnabled(false);
    for (QAction* noInstrument : { Met_LoadTether, Met_ConnectTower, Met_ConnectAIMMS }) {
        noInstrument->setEnabled(false);
    }
    blank17->setVisible(false);
    Tools_Quillet->setVisible(false);

    PopUp_Menu = newTopMenu(bar, QStringLiteral("PopUp_Menu"), QStringLiteral("PopUp Menu"));
    PopUpMenu_Ellipsoid = newSubMenu(*PopUp_Menu, "PopUpMenu_Ellipsoid", "Ellipsoid");
    QAction* ellipsoidTemplate
        = newMenuItem(*PopUpMenu_Ellipsoid, PopUp_EllipsoidList.elementName(0), QString(), {}, mark);
    PopUp_EllipsoidList.setElement(0, ellipsoidTemplate);
    PopUp_EllipsoidList.setLoader(menuItemLoader(PopUp_EllipsoidList));
    // The "Loaded Files" rows' menus follow when the list is assembled
    // (korvel/layers/layer_popup_menus.cpp).
}
