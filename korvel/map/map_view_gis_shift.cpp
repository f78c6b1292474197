// The GIS shift tool on the main window: Tools > "GIS Shift" draws the
// chosen block's boundary as an outline in the line array DigitizeLine
// (elements 1..VertexCount) and the panel moves it by the offset ShiftX,
// ShiftY (metres, east and north). The map is never redrawn for it, and
// nothing is written into the block, a GIS layer or a file.
//
// The outline shares DigitizeLine with the digitizing tools, so the tool
// refuses to open while a boundary or an exclusion zone is being digitized,
// and the digitizing refuses to start while the outline is shown.
#include "korvel/map/gis_shift_panel.h"
#include "korvel/map/gis_shift_tool.h"
#include "korvel/map/map_view.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/selection_form.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/program_globals.h"
#include "platform/line_control.h"
#include "platform/menu_item.h"
#include "platform/msg_box.h"

#include <QAction>
#include <QLabel>
#include <QSpinBox>

#include <algorithm>

void MapView::connectGisShift()
{
    connectMenuClick(*m_form.Tools_GIS_Shift, this, [this] { Tools_GIS_Shift_Click(); });
}

GISShiftPanel& MapView::gisShiftPanel()
{
    if (!m_gisShiftPanel) {
        m_gisShiftPanel = new GISShiftPanel(m_form, *this);
    }
    return *m_gisShiftPanel;
}

void MapView::Tools_GIS_Shift_Click()
{
    if (m_form.Tools_DigitizeGuidance->isChecked()) {
        return;
    }
    if (m_form.Tools_DigitizeBoundary->isChecked() || m_form.Tools_DigitizeExclusion->isChecked()) {
        MsgBox(QStringLiteral("Please finish or cancel the digitizing before using the GIS Shift tool."),
            vbExclamation);
        return;
    }
    const int block = chooseLoadedBlock();
    if (block < 1) {
        return;
    }
    // Opening again starts afresh from the block's present boundary.
    if (m_gisShiftOpen) {
        m_form.DigitizeLine.unloadAll();
    }
    m_form.ShiftBlock = block;
    m_form.ShiftX = 0.0;
    m_form.ShiftY = 0.0;
    GISShiftPanel& panel = gisShiftPanel();
    panel.OffsetYLabel->setText(gisShiftOffsetText(m_form.ShiftY));
    panel.OffsetXLabel->setText(gisShiftOffsetText(m_form.ShiftX));
    m_gisShiftOpen = true;
    panel.show();

    const AGNAVBlock& shifted = blockAt(m_form.ShiftBlock);
    for (int i = 1; i <= shifted.VertexCount; ++i) {
        LineControl& line = m_form.DigitizeLine.load(i);
        line.setBorderColor(shifted.Colour);
        line.setBorderWidth(std::max(1, shifted.Thickness));
        line.setDrawMode(vbCopyPen);
        line.setVisible(true);
    }
    DrawGISShiftPreview();
}

void MapView::DrawGISShiftPreview()
{
    if (!m_gisShiftOpen || m_form.ShiftBlock < 1 || m_form.ShiftBlock > agnavData().BlockCount) {
        return;
    }
    const AGNAVBlock& block = blockAt(m_form.ShiftBlock);
    const MapPoint shift = offsetInMapUnits({ m_form.ShiftX, m_form.ShiftY }, globals().UTMMode,
        boundaryMiddleY(block.Boundary, block.VertexCount), block.Ellipsoid);
    const std::vector<OutlineSegment> outline = shiftedOutline(block.Boundary, block.VertexCount, shift);
    for (size_t i = 0; i < outline.size(); ++i) {
        if (LineControl* line = m_form.DigitizeLine.at(int(i) + 1)) {
            line->setEnds(outline[i].from.x, outline[i].from.y, outline[i].to.x, outline[i].to.y);
            // A full redraw may have hidden the outline meanwhile.
            line->setVisible(true);
        }
    }
}

void MapView::OnGISShiftChange(int Index)
{
    if (!m_gisShiftOpen) {
        return;
    }
    GISShiftPanel& panel = gisShiftPanel();
    const GisShiftOffset offset = shiftedOffset({ m_form.ShiftX, m_form.ShiftY }, Index,
        gisShiftStepMetres(panel.StepX->value()), gisShiftStepMetres(panel.StepY->value()));
    m_form.ShiftX = offset.east;
    m_form.ShiftY = offset.north;
    panel.OffsetYLabel->setText(gisShiftOffsetText(m_form.ShiftY));
    panel.OffsetXLabel->setText(gisShiftOffsetText(m_form.ShiftX));
    DrawGISShiftPreview();
}

void MapView::OnGISShiftStepXChange()
{
    GISShiftPanel& panel = gisShiftPanel();
    panel.StepXLabel->setText(gisShiftStepText(panel.StepX->value()));
}

void MapView::OnGISShiftStepYChange()
{
    GISShiftPanel& panel = gisShiftPanel();
    panel.StepYLabel->setText(gisShiftStepText(panel.StepY->value()));
}

void MapView::OnGISShiftRedraw()
{
    m_form.ShiftX = 0.0;
    m_form.ShiftY = 0.0;
    GISShiftPanel& panel = gisShiftPanel();
    panel.OffsetYLabel->setText(gisShiftOffsetText(m_form.ShiftY));
    panel.OffsetXLabel->setText(gisShiftOffsetText(m_form.ShiftX));
    DrawGISShiftPreview();
}

bool MapView::GISShiftPreviewShown() const
{
    return m_gisShiftOpen;
}

void MapView::HideGISShiftPanel()
{
    // The offset and the block stay until the next opening.
    if (m_gisShiftOpen) {
        m_form.DigitizeLine.unloadAll();
    }
    m_gisShiftOpen = false;
    if (m_gisShiftPanel) {
        m_gisShiftPanel->hide();
    }
}
