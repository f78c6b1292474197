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
#include "korvel/shell/main_form.h"
#include "korvel/shell/selection_form.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/program_globals.h"
#include "platform/line_control.h"
#include "platform/menu_item.h"
#include "platform/msg_box.h"
#include "platform/show_modal.h"

#include <QAction>
#include <QLabel>
#include <QSpinBox>

#include <algorithm>

void MainForm::connectGisShift()
{
    connectMenuClick(*Tools_GIS_Shift, this, [this] { Tools_GIS_Shift_Click(); });
}

GISShiftPanel& MainForm::gisShiftPanel()
{
    if (!m_gisShiftPanel) {
        m_gisShiftPanel = new GISShiftPanel(*this);
    }
    return *m_gisShiftPanel;
}

void MainForm::Tools_GIS_Shift_Click()
{
    if (Tools_DigitizeGuidance->isChecked()) {
        return;
    }
    if (Tools_DigitizeBoundary->isChecked() || Tools_DigitizeExclusion->isChecked()) {
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
        DigitizeLine.unloadAll();
    }
    ShiftBlock = block;
    ShiftX = 0.0;
    ShiftY = 0.0;
    GISShiftPanel& panel = gisShiftPanel();
    panel.OffsetYLabel->setText(gisShiftOffsetText(ShiftY));
    panel.OffsetXLabel->setText(gisShiftOffsetText(ShiftX));
    m_gisShiftOpen = true;
    panel.show();

    const AGNAVBlock& shifted = blockAt(ShiftBlock);
    for (int i = 1; i <= shifted.VertexCount; ++i) {
        LineControl& line = DigitizeLine.load(i);
        line.setBorderColor(shifted.Colour);
        line.setBorderWidth(std::max(1, shifted.Thickness));
        line.setDrawMode(vbCopyPen);
        line.setVisible(true);
    }
    DrawGISShiftPreview();
}

void MainForm::DrawGISShiftPreview()
{
    if (!m_gisShiftOpen || ShiftBlock < 1 || ShiftBlock > agnavData().BlockCount) {
        return;
    }
    const AGNAVBlock& block = blockAt(ShiftBlock);
    const MapPoint shift = offsetInMapUnits({ ShiftX, ShiftY }, globals().UTMMode,
        boundaryMiddleY(block.Boundary, block.VertexCount), block.Ellipsoid);
    const std::vector<OutlineSegment> outline = shiftedOutline(block.Boundary, block.VertexCount, shift);
    for (size_t i = 0; i < outline.size(); ++i) {
        if (LineControl* line = DigitizeLine.at(int(i) + 1)) {
            line->setEnds(outline[i].from.x, outline[i].from.y, outline[i].to.x, outline[i].to.y);
            // A full redraw may have hidden the outline meanwhile.
            line->setVisible(true);
        }
    }
}

void MainForm::OnGISShiftChange(int Index)
{
    if (!m_gisShiftOpen) {
        return;
    }
    GISShiftPanel& panel = gisShiftPanel();
    const GisShiftOffset offset = shiftedOffset({ ShiftX, ShiftY }, Index,
        gisShiftStepMetres(panel.StepX->value()), gisShiftStepMetres(panel.StepY->value()));
    ShiftX = offset.east;
    ShiftY = offset.north;
    panel.OffsetYLabel->setText(gisShiftOffsetText(ShiftY));
    panel.OffsetXLabel->setText(gisShiftOffsetText(ShiftX));
    DrawGISShiftPreview();
}

void MainForm::OnGISShiftStepXChange()
{
    GISShiftPanel& panel = gisShiftPanel();
    panel.StepXLabel->setText(gisShiftStepText(panel.StepX->value()));
}

void MainForm::OnGISShiftStepYChange()
{
    GISShiftPanel& panel = gisShiftPanel();
    panel.StepYLabel->setText(gisShiftStepText(panel.StepY->value()));
}

void MainForm::OnGISShiftRedraw()
{
    ShiftX = 0.0;
    ShiftY = 0.0;
    GISShiftPanel& panel = gisShiftPanel();
    panel.OffsetYLabel->setText(gisShiftOffsetText(ShiftY));
    panel.OffsetXLabel->setText(gisShiftOffsetText(ShiftX));
    DrawGISShiftPreview();
}

bool MainForm::GISShiftPreviewShown() const
{
    return m_gisShiftOpen;
}

void MainForm::HideGISShiftPanel()
{
    // The offset and the block stay until the next opening.
    if (m_gisShiftOpen) {
        DigitizeLine.unloadAll();
    }
    m_gisShiftOpen = false;
    if (m_gisShiftPanel) {
        m_gisShiftPanel->hide();
    }
}
