// Starting and ending the digitizing of a block boundary, and the start of
// guidance-line creation, from Tools > "Digitize AG-NAV". The clicks that
// place the vertices are the map's (korvel/map/digitizing_tool.h). At most
// one digitizing mode is on at a time, and none while the GIS shift tool
// shows its outline, since all of them draw into DigitizeLine.
//
// A finished boundary becomes a new block through the AG-NAV job dialog,
// which writes the block's boundary file; this file ends at the question
// "Save AGNAV boundary to file?" and hands the vertices on.
#include "korvel/agnav/agnav_commands.h"
#include "korvel/map/digitizing_tool.h"
#include "korvel/map/map_pointer_modes.h"
#include "korvel/shell/main_form.h"
#include "korvel/workspace/main_settings.h"
#include "platform/line_control.h"
#include "platform/menu_item.h"
#include "platform/msg_box.h"
#include "platform/vb_error.h"

#include <QAction>

namespace {

constexpr int kMinimumVertices = 3;

} // namespace

void AgnavCommands::connectDigitizingCommands()
{
    connectMenuClick(*m_form.Tools_DigitizeBoundary, this, [this] { Tools_DigitizeBoundary_Click(); });
    connectMenuClick(*m_form.Tools_DigitizeGuidance, this, [this] { Tools_DigitizeGuidance_Click(); });
    connectMenuClick(*m_form.Tools_DigitizeExclusion, this, [this] { Tools_DigitizeExclusion_Click(); });
}

bool AgnavCommands::shiftPreviewRefusesDigitizing()
{
    if (!m_form.GISShiftPreviewShown()) {
        return false;
    }
    MsgBox(QStringLiteral("Please close the GIS Shift tool before digitizing."), vbExclamation);
    return true;
}

void AgnavCommands::removeDigitizedSegments()
{
    m_form.DigitizeLine.unloadAll();
}

void AgnavCommands::Tools_DigitizeBoundary_Click()
{
    if (m_form.Tools_DigitizeGuidance->isChecked() || m_form.Tools_DigitizeExclusion->isChecked()) {
        return;
    }
    const bool starting = !m_form.Tools_DigitizeBoundary->isChecked();
    if (starting && shiftPreviewRefusesDigitizing()) {
        return;
    }
    m_form.Tools_DigitizeBoundary->setChecked(starting);
    if (starting) {
        // Leftovers of an earlier polygon go; the template takes the colour
        // the segments will have and stays hidden.
        removeDigitizedSegments();
        m_form.DigitizeLine[0].setBorderColor(pointerLineColour(mainSettings().PointerColour));
        return;
    }
    const ShapeRecord vertices = digitizedVertices(m_form.DigitizeLine);
    try {
        if (vertices.upperBound() >= kMinimumVertices
            && MsgBox(QStringLiteral("Save AGNAV boundary to file?"), vbYesNo) == vbYes) {
            SaveDigitizedBoundary(vertices);
        }
    } catch (const VbError& error) {
        MsgBox(QStringLiteral("Error: ") + error.Description(), vbCritical);
    }
    removeDigitizedSegments();
}

void AgnavCommands::Tools_DigitizeGuidance_Click()
{
    if (m_form.Tools_DigitizeBoundary->isChecked() || m_form.Tools_DigitizeExclusion->isChecked()) {
        return;
    }
    if (m_form.Tools_DigitizeGuidance->isChecked()) {
        m_form.GuidanceCancel_Click();
        return;
    }
    if (shiftPreviewRefusesDigitizing()) {
        return;
    }
    m_form.StartGuidanceCreation();
}
