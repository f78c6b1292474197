#include "korvel/layers/layer_popup_menus.h"

#include "korvel/layers/layer_popup_states.h"
#include "korvel/shell/main_form.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/program_globals.h"
#include "platform/menu_item.h"
#include "platform/popup_menu.h"
#include "platform/vb_numbers.h"

#include <QAction>
#include <QMenu>

namespace {

constexpr int kThicknesses = 5;
constexpr int kZoneSeparator = 3; // the zone items 1, 2, 4, 5 stand around a line

// Thickness items "1" to "5", each calling the handler with its number.
void createThicknessItems(
    MainForm& form, QMenu& menu, ControlArray<QAction>& items, void (MainForm::*handler)(int))
{
    for (int i = 1; i <= kThicknesses; ++i) {
        QAction* item = newMenuItem(menu, items.elementName(i), CStr(i), {}, MenuCheck::CheckMark);
        items.setElement(i, item);
        connectMenuClick(*item, &form, [&form, handler, i] { (form.*handler)(i); });
    }
}

void connectItem(MainForm& form, QAction* item, void (MainForm::*handler)())
{
    connectMenuClick(*item, &form, [&form, handler] { (form.*handler)(); });
}

} // namespace

void MainForm::createLayerPopUpMenus()
{
    PopUpMenu_Image = newSubMenu(*PopUp_Menu, "PopUpMenu_Image", "Image");
    PopUp_Georef = newMenuItem(*PopUpMenu_Image, "PopUp_Georef", "Geo-reference");
    newMenuSeparator(*PopUpMenu_Image, "PopUp_ImageLine1");
    PopUp_ImageDel = newMenuItem(*PopUpMenu_Image, "PopUp_ImageDel", "Delete");
    newMenuSeparator(*PopUpMenu_Image, "PopUp_ImageLine2");
    PopUp_ImageProps = newMenuItem(*PopUpMenu_Image, "PopUp_ImageProps", "Properties");
    connectItem(*this, PopUp_Georef, &MainForm::PopUp_Georef_Click);
    connectItem(*this, PopUp_ImageDel, &MainForm::PopUp_ImageDel_Click);
    connectItem(*this, PopUp_ImageProps, &MainForm::PopUp_ImageProps_Click);

    PopUpMenu_SHP = newSubMenu(*PopUp_Menu, "PopUpMenu_SHP", "SHP");
    PopUp_SHPZone = newSubMenu(*PopUpMenu_SHP, "PopUp_SHPZone", "Zone");
    for (int i = 1; i <= 5; ++i) {
        if (i == kZoneSeparator) {
            PopUp_SHPZoneNum.setElement(i, newMenuSeparator(*PopUp_SHPZone, PopUp_SHPZoneNum.elementName(i)));
            continue;
        }
        QAction* item = newMenuItem(*PopUp_SHPZone, PopUp_SHPZoneNum.elementName(i), QString());
        PopUp_SHPZoneNum.setElement(i, item);
        connectMenuClick(*item, this, [this, i] { PopUp_SHPZoneNum_Click(i); });
    }
    PopUp_SHPBuffer = newMenuItem(*PopUpMenu_SHP, "PopUp_SHPBuffer", "Buffer", {}, MenuCheck::CheckMark);
    newMenuSeparator(*PopUpMenu_SHP, "PopUp_SHPLine1");
    PopUp_SHPColor = newMenuItem(*PopUpMenu_SHP, "PopUp_SHPColor", "Colour");
    PopUp_SHPThick = newSubMenu(*PopUpMenu_SHP, "PopUp_SHPThick", "Thickness");
    createThicknessItems(*this, *PopUp_SHPThick, PopUp_SHPThickNum, &MainForm::PopUp_SHPThickNum_Click);
    newMenuSeparator(*PopUpMenu_SHP, "PopUp_SHPLine2");
    PopUp_SHPZoom = newMenuItem(*PopUpMenu_SHP, "PopUp_SHPZoom", "Zoom Layer");
    newMenuSeparator(*PopUpMenu_SHP, "PopUp_SHPLine3");
    PopUp_SHPDel = newMenuItem(*PopUpMenu_SHP, "PopUp_SHPDel", "Delete");
    newMenuSeparator(*PopUpMenu_SHP, "PopUp_SHPLine4");
    PopUp_SHPProps = newMenuItem(*PopUpMenu_SHP, "PopUp_SHPProps", "Properties");
    connect(PopUpMenu_SHP, &QMenu::aboutToShow, this, [this] { PopUpMenu_SHP_Click(); });
    connectItem(*this, PopUp_SHPBuffer, &MainForm::PopUp_SHPBuffer_Click);
    connectItem(*this, PopUp_SHPColor, &MainForm::PopUp_SHPColor_Click);
    connectItem(*this, PopUp_SHPZoom, &MainForm::PopUp_SHPZoom_Click);
    connectItem(*this, PopUp_SHPDel, &MainForm::PopUp_SHPDel_Click);
    connectItem(*this, PopUp_SHPProps, &MainForm::PopUp_SHPProps_Click);

    PopUpMenu_AGNAV = newSubMenu(*PopUp_Menu, "PopUpMenu_AGNAV", "AG-NAV");
    PopUp_OpenGuidance = newMenuItem(*PopUpMenu_AGNAV, "PopUp_OpenGuidance", "Load Guidance File");
    PopUp_OpenExclusion = newMenuItem(*PopUpMenu_AGNAV, "PopUp_OpenExclusion", "Load Exclusion Zones");
    PopUp_OpenFlight = newMenuItem(*PopUpMenu_AGNAV, "PopUp_OpenFlight", "Load Spray Data");
    newMenuSeparator(*PopUpMenu_AGNAV, "PopUp_AGNAVLine1");
    PopUp_DigitizeGuidance
        = newMenuItem(*PopUpMenu_AGNAV, "PopUp_DigitizeGuidance", "Digitize Guidance Lines");
    PopUp_DigitizeExclusion
        = newMenuItem(*PopUpMenu_AGNAV, "PopUp_DigitizeExclusion", "Digitize Exclusion Zone");
    newMenuSeparator(*PopUpMenu_AGNAV, "PopUp_AGNAVLine2");
    PopUp_AGNAVColor = newMenuItem(*PopUpMenu_AGNAV, "PopUp_AGNAVColor", "Colour");
    PopUp_AGNAVThick = newSubMenu(*PopUpMenu_AGNAV, "PopUp_AGNAVThick", "Thickness");
    createThicknessItems(*this, *PopUp_AGNAVThick, PopUp_AGNAVThickNum, &MainForm::PopUp_AGNAVThickNum_Click);
    newMenuSeparator(*PopUpMenu_AGNAV, "PopUp_AGNAVLine3");
    PopUp_AGNAVZoom = newMenuItem(*PopUpMenu_AGNAV, "PopUp_AGNAVZoom", "Zoom Boundary");
    newMenuSeparator(*PopUpMenu_AGNAV, "PopUp_AGNAVLine4");
    PopUp_AGNAVDel = newMenuItem(*PopUpMenu_AGNAV, "PopUp_AGNAVDel", "Delete");
    newMenuSeparator(*PopUpMenu_AGNAV, "PopUp_AGNAVLine5");
    PopUp_AGNAVProps = newMenuItem(*PopUpMenu_AGNAV, "PopUp_AGNAVProps", "Properties");
    connect(PopUpMenu_AGNAV, &QMenu::aboutToShow, this, [this] { PopUpMenu_AGNAV_Click(); });
    connectMenuClick(*PopUp_OpenGuidance, this, [this] { PopUp_OpenGuidance_Click(SelectedLayer); });
    connectMenuClick(*PopUp_OpenExclusion, this, [this] { PopUp_OpenExclusion_Click(SelectedLayer); });
    connectMenuClick(*PopUp_OpenFlight, this, [this] { PopUp_OpenFlight_Click(SelectedLayer); });
    connectItem(*this, PopUp_DigitizeGuidance, &MainForm::PopUp_DigitizeGuidance_Click);
    connectItem(*this, PopUp_DigitizeExclusion, &MainForm::PopUp_DigitizeExclusion_Click);
    connectItem(*this, PopUp_AGNAVColor, &MainForm::PopUp_AGNAVColor_Click);
    connectItem(*this, PopUp_AGNAVZoom, &MainForm::PopUp_AGNAVZoom_Click);
    connectItem(*this, PopUp_AGNAVDel, &MainForm::PopUp_AGNAVDel_Click);
    connectItem(*this, PopUp_AGNAVProps, &MainForm::PopUp_AGNAVProps_Click);
}

void MainForm::PopUpMenu_SHP_Click()
{
    // The zone can be changed only while the map is in metres, whichever
    // list opened the menu.
    PopUp_SHPZone->menuAction()->setEnabled(globals().UTMMode);
    const GISLayer* layer = layerAtPosition(SelectedLayer);
    if (!layer) {
        return;
    }
    for (int i = 1; i <= kThicknesses; ++i) {
        PopUp_SHPThickNum[i].setChecked(i == layer->Thickness);
    }
    const std::array<int, 4> zones = neighbourZones(layer->Zone);
    const int items[] = { 1, 2, 4, 5 };
    for (int k = 0; k < 4; ++k) {
        PopUp_SHPZoneNum[items[k]].setText(CStr(zones[size_t(k)]));
    }
}

void MainForm::PopUpMenu_AGNAV_Click()
{
    const AgnavData& agnav = agnavData();
    const int thickness = SelectedLayer >= 1 && SelectedLayer <= agnav.BlockCount
        ? agnav.Blocks[size_t(SelectedLayer)].Thickness
        : 0;
    for (int i = 1; i <= kThicknesses; ++i) {
        PopUp_AGNAVThickNum[i].setChecked(i == thickness);
    }
}

GISLayer* MainForm::layerAtPosition(int position)
{
    LayerData& layers = layerData();
    if (position < 1 || position > layers.GISCount || position >= int(layers.GISOrder.size())) {
        return nullptr;
    }
    const int record = layers.GISOrder[size_t(position)];
    if (record < 1 || record >= int(layers.GISLayers.size())) {
        return nullptr;
    }
    return &layers.GISLayers[size_t(record)];
}

void prepareShapefilePopUp(MainForm& form, int position)
{
    const GISLayer* layer = form.layerAtPosition(position);
    if (!layer) {
        return;
    }
    form.PopUp_SHPZone->setTitle(QStringLiteral("Zone ") + CStr(layer->Zone));
    form.PopUp_SHPBuffer->setChecked(layer->Buffer);
}

void enableBlockPopUpItems(const MainForm& form, const std::array<QAction*, 5>& items, int block)
{
    for (QAction* item : items) {
        item->setEnabled(false);
    }
    const AgnavData& agnav = agnavData();
    if (block < 1 || block > agnav.BlockCount || block >= int(agnav.Blocks.size())) {
        return;
    }
    const bool digitizing = form.Tools_DigitizeBoundary->isChecked()
        || form.Tools_DigitizeGuidance->isChecked() || form.Tools_DigitizeExclusion->isChecked();
    const BlockPopUpStates states = blockPopUpStates(agnav.Blocks[size_t(block)], digitizing);
    items[0]->setEnabled(states.openGuidance);
    items[1]->setEnabled(states.openExclusion);
    items[2]->setEnabled(states.openFlight);
    items[3]->setEnabled(states.digitize);
    items[4]->setEnabled(states.digitize);
}

void ShowLayerPopUp(MainForm& form, LayerKind kind)
{
    switch (kind) {
    case LayerKind::Image:
        PopupMenu(*form.PopUpMenu_Image);
        break;
    case LayerKind::GISLayer:
        prepareShapefilePopUp(form, form.SelectedLayer);
        PopupMenu(*form.PopUpMenu_SHP);
        break;
    case LayerKind::Block:
        enableBlockPopUpItems(form,
            { form.PopUp_OpenGuidance, form.PopUp_OpenExclusion, form.PopUp_OpenFlight,
                form.PopUp_DigitizeGuidance, form.PopUp_DigitizeExclusion },
            form.SelectedLayer);
        PopupMenu(*form.PopUpMenu_AGNAV, vbPopupMenuLeftAlign, {}, form.PopUp_OpenGuidance);
        break;
    }
}
