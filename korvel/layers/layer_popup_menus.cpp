#include "korvel/layers/layer_popup_menus.h"

#include "korvel/layers/layer_list.h"
#include "korvel/layers/layer_popup_states.h"
#include "korvel/map/shape_plotting.h"
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
    LayerList& list, QMenu& menu, ControlArray<QAction>& items, void (LayerList::*handler)(int))
{
    for (int i = 1; i <= kThicknesses; ++i) {
        QAction* item = newMenuItem(menu, items.elementName(i), CStr(i), {}, MenuCheck::CheckMark);
        items.setElement(i, item);
        connectMenuClick(*item, &list, [&list, handler, i] { (list.*handler)(i); });
    }
}

void connectItem(LayerList& list, QAction* item, void (LayerList::*handler)())
{
    connectMenuClick(*item, &list, [&list, handler] { (list.*handler)(); });
}

} // namespace

void LayerList::createLayerPopUpMenus()
{
    m_form.PopUpMenu_Image = newSubMenu(*m_form.PopUp_Menu, "PopUpMenu_Image", "Image");
    m_form.PopUp_Georef = newMenuItem(*m_form.PopUpMenu_Image, "PopUp_Georef", "Geo-reference");
    newMenuSeparator(*m_form.PopUpMenu_Image, "PopUp_ImageLine1");
    m_form.PopUp_ImageDel = newMenuItem(*m_form.PopUpMenu_Image, "PopUp_ImageDel", "Delete");
    newMenuSeparator(*m_form.PopUpMenu_Image, "PopUp_ImageLine2");
    m_form.PopUp_ImageProps = newMenuItem(*m_form.PopUpMenu_Image, "PopUp_ImageProps", "Properties");
    connectItem(*this, m_form.PopUp_Georef, &LayerList::PopUp_Georef_Click);
    connectItem(*this, m_form.PopUp_ImageDel, &LayerList::PopUp_ImageDel_Click);
    connectItem(*this, m_form.PopUp_ImageProps, &LayerList::PopUp_ImageProps_Click);

    m_form.PopUpMenu_SHP = newSubMenu(*m_form.PopUp_Menu, "PopUpMenu_SHP", "SHP");
    m_form.PopUp_SHPZone = newSubMenu(*m_form.PopUpMenu_SHP, "PopUp_SHPZone", "Zone");
    for (int i = 1; i <= 5; ++i) {
        if (i == kZoneSeparator) {
            m_form.PopUp_SHPZoneNum.setElement(
                i, newMenuSeparator(*m_form.PopUp_SHPZone, m_form.PopUp_SHPZoneNum.elementName(i)));
            continue;
        }
        QAction* item = newMenuItem(*m_form.PopUp_SHPZone, m_form.PopUp_SHPZoneNum.elementName(i), QString());
        m_form.PopUp_SHPZoneNum.setElement(i, item);
        connectMenuClick(*item, this, [this, i] { PopUp_SHPZoneNum_Click(i); });
    }
    m_form.PopUp_SHPBuffer
        = newMenuItem(*m_form.PopUpMenu_SHP, "PopUp_SHPBuffer", "Buffer", {}, MenuCheck::CheckMark);
    newMenuSeparator(*m_form.PopUpMenu_SHP, "PopUp_SHPLine1");
    m_form.PopUp_SHPColor = newMenuItem(*m_form.PopUpMenu_SHP, "PopUp_SHPColor", "Colour");
    m_form.PopUp_SHPThick = newSubMenu(*m_form.PopUpMenu_SHP, "PopUp_SHPThick", "Thickness");
    createThicknessItems(
        *this, *m_form.PopUp_SHPThick, m_form.PopUp_SHPThickNum, &LayerList::PopUp_SHPThickNum_Click);
    newMenuSeparator(*m_form.PopUpMenu_SHP, "PopUp_SHPLine2");
    m_form.PopUp_SHPZoom = newMenuItem(*m_form.PopUpMenu_SHP, "PopUp_SHPZoom", "Zoom Layer");
    newMenuSeparator(*m_form.PopUpMenu_SHP, "PopUp_SHPLine3");
    m_form.PopUp_SHPDel = newMenuItem(*m_form.PopUpMenu_SHP, "PopUp_SHPDel", "Delete");
    newMenuSeparator(*m_form.PopUpMenu_SHP, "PopUp_SHPLine4");
    m_form.PopUp_SHPProps = newMenuItem(*m_form.PopUpMenu_SHP, "PopUp_SHPProps", "Properties");
    connect(m_form.PopUpMenu_SHP, &QMenu::aboutToShow, this, [this] { PopUpMenu_SHP_Click(); });
    connectItem(*this, m_form.PopUp_SHPBuffer, &LayerList::PopUp_SHPBuffer_Click);
    connectItem(*this, m_form.PopUp_SHPColor, &LayerList::PopUp_SHPColor_Click);
    connectItem(*this, m_form.PopUp_SHPZoom, &LayerList::PopUp_SHPZoom_Click);
    connectItem(*this, m_form.PopUp_SHPDel, &LayerList::PopUp_SHPDel_Click);
    connectItem(*this, m_form.PopUp_SHPProps, &LayerList::PopUp_SHPProps_Click);

    m_form.PopUpMenu_AGNAV = newSubMenu(*m_form.PopUp_Menu, "PopUpMenu_AGNAV", "AG-NAV");
    m_form.PopUp_OpenGuidance
        = newMenuItem(*m_form.PopUpMenu_AGNAV, "PopUp_OpenGuidance", "Load Guidance File");
    m_form.PopUp_OpenExclusion
        = newMenuItem(*m_form.PopUpMenu_AGNAV, "PopUp_OpenExclusion", "Load Exclusion Zones");
    m_form.PopUp_OpenFlight = newMenuItem(*m_form.PopUpMenu_AGNAV, "PopUp_OpenFlight", "Load Spray Data");
    newMenuSeparator(*m_form.PopUpMenu_AGNAV, "PopUp_AGNAVLine1");
    m_form.PopUp_DigitizeGuidance
        = newMenuItem(*m_form.PopUpMenu_AGNAV, "PopUp_DigitizeGuidance", "Digitize Guidance Lines");
    m_form.PopUp_DigitizeExclusion
        = newMenuItem(*m_form.PopUpMenu_AGNAV, "PopUp_DigitizeExclusion", "Digitize Exclusion Zone");
    newMenuSeparator(*m_form.PopUpMenu_AGNAV, "PopUp_AGNAVLine2");
    m_form.PopUp_AGNAVColor = newMenuItem(*m_form.PopUpMenu_AGNAV, "PopUp_AGNAVColor", "Colour");
    m_form.PopUp_AGNAVThick = newSubMenu(*m_form.PopUpMenu_AGNAV, "PopUp_AGNAVThick", "Thickness");
    createThicknessItems(
        *this, *m_form.PopUp_AGNAVThick, m_form.PopUp_AGNAVThickNum, &LayerList::PopUp_AGNAVThickNum_Click);
    newMenuSeparator(*m_form.PopUpMenu_AGNAV, "PopUp_AGNAVLine3");
    m_form.PopUp_AGNAVZoom = newMenuItem(*m_form.PopUpMenu_AGNAV, "PopUp_AGNAVZoom", "Zoom Boundary");
    newMenuSeparator(*m_form.PopUpMenu_AGNAV, "PopUp_AGNAVLine4");
    m_form.PopUp_AGNAVDel = newMenuItem(*m_form.PopUpMenu_AGNAV, "PopUp_AGNAVDel", "Delete");
    newMenuSeparator(*m_form.PopUpMenu_AGNAV, "PopUp_AGNAVLine5");
    m_form.PopUp_AGNAVProps = newMenuItem(*m_form.PopUpMenu_AGNAV, "PopUp_AGNAVProps", "Properties");
    connect(m_form.PopUpMenu_AGNAV, &QMenu::aboutToShow, this, [this] { PopUpMenu_AGNAV_Click(); });
    connectMenuClick(
        *m_form.PopUp_OpenGuidance, this, [this] { m_form.PopUp_OpenGuidance_Click(m_form.SelectedLayer); });
    connectMenuClick(*m_form.PopUp_OpenExclusion, this,
        [this] { m_form.PopUp_OpenExclusion_Click(m_form.SelectedLayer); });
    connectMenuClick(
        *m_form.PopUp_OpenFlight, this, [this] { m_form.PopUp_OpenFlight_Click(m_form.SelectedLayer); });
    connectMenuClick(*m_form.PopUp_DigitizeGuidance, this, [this] { m_form.PopUp_DigitizeGuidance_Click(); });
    connectMenuClick(
        *m_form.PopUp_DigitizeExclusion, this, [this] { m_form.PopUp_DigitizeExclusion_Click(); });
    connectItem(*this, m_form.PopUp_AGNAVColor, &LayerList::PopUp_AGNAVColor_Click);
    connectItem(*this, m_form.PopUp_AGNAVZoom, &LayerList::PopUp_AGNAVZoom_Click);
    connectItem(*this, m_form.PopUp_AGNAVDel, &LayerList::PopUp_AGNAVDel_Click);
    connectItem(*this, m_form.PopUp_AGNAVProps, &LayerList::PopUp_AGNAVProps_Click);
}

void LayerList::PopUpMenu_SHP_Click()
{
    // The zone can be changed only while the map is in metres, whichever
    // list opened the menu.
    m_form.PopUp_SHPZone->menuAction()->setEnabled(globals().UTMMode);
    const GISLayer* layer = gisLayerAtPosition(m_form.SelectedLayer);
    if (!layer) {
        return;
    }
    for (int i = 1; i <= kThicknesses; ++i) {
        m_form.PopUp_SHPThickNum[i].setChecked(i == layer->Thickness);
    }
    const std::array<int, 4> zones = neighbourZones(layer->Zone);
    const int items[] = { 1, 2, 4, 5 };
    for (int k = 0; k < 4; ++k) {
        m_form.PopUp_SHPZoneNum[items[k]].setText(CStr(zones[size_t(k)]));
    }
}

void LayerList::PopUpMenu_AGNAV_Click()
{
    const AgnavData& agnav = agnavData();
    const int thickness = m_form.SelectedLayer >= 1 && m_form.SelectedLayer <= agnav.BlockCount
        ? agnav.Blocks[size_t(m_form.SelectedLayer)].Thickness
        : 0;
    for (int i = 1; i <= kThicknesses; ++i) {
        m_form.PopUp_AGNAVThickNum[i].setChecked(i == thickness);
    }
}

void prepareShapefilePopUp(MainForm& form, int position)
{
    const GISLayer* layer = gisLayerAtPosition(position);
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
