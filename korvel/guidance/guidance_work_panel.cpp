// The docked guidance panel's procedures ("Create AGNAV Guidance Lines",
// Cluttered Mode). The main window builds the frame's controls
// (korvel/shell/guidance_panel_controls.h, korvel/shell/main_form_panels.cpp)
// and its layout places them (korvel/shell/main_form_panel_layout.cpp); each
// procedure hands them to the rule shared with the floating window
// (guidance_panel.h).
#include "korvel/guidance/guidance_form.h"
#include "korvel/guidance/guidance_panel.h"
#include "korvel/guidance/guidance_work.h"
#include "korvel/shell/main_form.h"

#include <QAction>
#include <QScrollBar>

void GuidanceWork::connectGuidancePanel()
{
    setUpGuidanceSpins(GuidancePanel::of(m_form));
    connectGuidanceControls(m_form, *this);
}

QWidget& GuidanceWork::guidancePanelWindow()
{
    if (m_form.View_MapMode->isChecked()) {
        return GuidanceForm::instance();
    }
    return m_form;
}

QString GuidanceWork::guidanceSwathShown() const
{
    const int swath
        = m_form.Tools_DigitizeGuidance->isChecked() ? m_form.VScroll2->value() : defaultSwathShown();
    return QString::number(swath);
}

void GuidanceWork::GuidanceOption_Click(int Index)
{
    switchGuidanceMode(m_form, GuidancePanel::of(m_form), Index);
}

void GuidanceWork::VScroll1_Change()
{
    headingSpinChanged(m_form, GuidancePanel::of(m_form));
}

void GuidanceWork::VScroll2_Change()
{
    swathSpinChanged(m_form, GuidancePanel::of(m_form));
}

void GuidanceWork::OffsetOption_Click(int Index)
{
    Q_UNUSED(Index);
    FitGuidanceLines();
}

void GuidanceWork::GuidanceText_GotFocus()
{
    selectWholeText(*m_form.GuidanceText);
}

void GuidanceWork::GuidanceText_LostFocus()
{
    leaveGuidanceText(GuidancePanel::of(m_form));
}

void GuidanceWork::GuidanceText_KeyDown(int& KeyCode, int Shift)
{
    Q_UNUSED(Shift);
    if (guidanceTextKey(GuidancePanel::of(m_form), KeyCode)) {
        KeyCode = 0;
    }
}

void GuidanceWork::SwathText_GotFocus()
{
    selectWholeText(*m_form.SwathText);
}

void GuidanceWork::SwathText_LostFocus()
{
    leaveSwathText(GuidancePanel::of(m_form));
}

void GuidanceWork::SwathText_KeyDown(int& KeyCode, int Shift)
{
    Q_UNUSED(Shift);
    if (swathTextKey(GuidancePanel::of(m_form), KeyCode)) {
        KeyCode = 0;
    }
}
