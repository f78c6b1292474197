// Two panels of the status bar that are controls as well as displays: a
// right click on the ellipsoid panel (5) pops up the list of ellipsoids, and
// choosing one makes it the ellipsoid of the conversions that follow; a click
// on the coordinate panel (3) switches the whole map between UTM metres and
// latitude/longitude degrees, converting every GIS layer and block in place,
// and then zooms to what is shown.
#include "korvel/layers/layer_list.h"
#include "korvel/layers/map_mode_switch.h"
#include "korvel/map/map_extent.h"
#include "korvel/map/map_view.h"
#include "korvel/shell/conversion_ellipsoid.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/row_ticks.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/program_globals.h"
#include "platform/msg_box.h"
#include "platform/popup_menu.h"
#include "platform/status_bar.h"
#include "platform/tool_bar.h"
#include "platform/vb_input_codes.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>

namespace {

constexpr int kModePanel = 3;
constexpr int kEllipsoidPanel = 5;
constexpr int kPreviousExtentButton = 4;

bool anyTicked(const ControlArray<QCheckBox>& checks, int count)
{
    for (int i = 1; i <= count; ++i) {
        if (rowTicked(checks, i)) {
            return true;
        }
    }
    return false;
}

} // namespace

void LayerList::StatusBar1_MouseUp(int Button, int Shift, float X, float Y)
{
    Q_UNUSED(Y);
    const int left = m_form.StatusBar1->panelLeft(kEllipsoidPanel);
    const int width = m_form.StatusBar1->panelWidth(kEllipsoidPanel);
    if (Button != vbRightButton || Shift != 0 || X < float(left) || X > float(left + width)) {
        return;
    }
    // Centred on the pointer, its top at the status bar's top edge.
    PopupMenu(*m_form.PopUpMenu_Ellipsoid, vbPopupMenuCenterAlign,
        m_form.StatusBar1->mapToGlobal(QPoint(int(X), 0)));
}

void LayerList::PopUp_EllipsoidList_Click(int Index)
{
    if (!m_form.PopUp_EllipsoidList.exists(Index)) {
        return;
    }
    const QString name = m_form.PopUp_EllipsoidList[Index].text();
    ProgramGlobals& program = globals();
    const int rows = int(program.EllipsoidTable.size()) - 1;
    for (int i = 1; i <= rows; ++i) {
        if (QAction* item = m_form.PopUp_EllipsoidList.at(i)) {
            item->setChecked(false);
        }
    }
    // With two rows of one name the last one's values stay.
    for (int i = 1; i <= rows; ++i) {
        const EllipsoidRecord& row = program.EllipsoidTable[size_t(i)];
        if (row.Name == name) {
            program.Ellipsoid = row;
            m_form.PopUp_EllipsoidList[Index].setChecked(true);
        }
    }
    // Nothing is converted or stored: the ellipsoid applies to the
    // conversions that follow, and only the preferences store it.
    m_form.StatusBar1->setPanelText(kEllipsoidPanel, program.Ellipsoid.Name);
}

void LayerList::StatusBar1_PanelClick(int Panel)
{
    if (Panel != kModePanel) {
        return;
    }
    // A digitized outline and the shift preview hold points in the present
    // system; converted under them, they would end in the wrong place.
    const QString refusal = modeSwitchRefusal(m_form.Tools_DigitizeBoundary->isChecked(),
        m_form.Tools_DigitizeExclusion->isChecked(), m_form.GISShiftPreviewShown());
    if (!refusal.isEmpty()) {
        MsgBox(refusal, vbExclamation);
        return;
    }
    if (const QString missing = missingEllipsoidMessage(); !missing.isEmpty()) {
        MsgBox(missing, vbExclamation);
        return;
    }
    ProgramGlobals& program = globals();
    const int direction = program.UTMMode ? 1 : 2;
    // Every layer and block is checked before the first is converted: the
    // map switches whole or not at all.
    if (const QString refusal = loadedDataConversionRefusal(direction, m_form); !refusal.isEmpty()) {
        MsgBox(refusal, vbExclamation);
        return;
    }
    const ViewEdges view = MapView::of(m_form).boxedExtent();
    convertLoadedData(direction, m_form);
    program.UTMMode = !program.UTMMode;
    // The previous extent is in the other system.
    m_form.Toolbar->setEnabled(kPreviousExtentButton, false);
    program.CoordFormat = program.UTMMode ? QStringLiteral("0") : QStringLiteral("0.0000");
    RefreshChecklist();
    zoomAfterModeSwitch(view, direction);
}

void LayerList::zoomAfterModeSwitch(const ViewEdges& oldView, int direction)
{
    // The zoom to the ticked layers falls back on the extent boxes when
    // nothing is ticked, and they still hold the other system's numbers:
    // they get the extent of all loaded data first, or with nothing loaded
    // the same ground as before.
    const AgnavData& agnav = agnavData();
    const bool ticked
        = anyTicked(m_form.GISCheck, layerData().GISCount) || anyTicked(m_form.AGCheck, agnav.BlockCount);
    if (!ticked) {
        std::optional<ViewEdges> edges = loadedDataExtent();
        if (!edges) {
            edges = convertedView(oldView, direction);
        }
        if (edges) {
            MapView::of(m_form).writeExtentBoxes(edges->west, edges->south, edges->east, edges->north);
        }
    }
    m_form.ZoomToLayers(0, 1);
}
