// The docked guidance panel's procedures ("Create AGNAV Guidance Lines",
// Cluttered Mode). The frame's controls are built and each procedure hands
// them to the rule shared with the floating window (guidance_panel_controls.h,
// guidance_panel.h); the layout places the controls
// (korvel/shell/main_form_panel_layout.cpp).
#include "korvel/guidance/guidance_form.h"
#include "korvel/guidance/guidance_panel.h"
#include "korvel/guidance/guidance_panel_controls.h"
#include "korvel/shell/main_form.h"

#include <QAction>
#include <QGroupBox>
#include <QScrollBar>

void MainForm::createGuidanceFrame()
{
    GuidanceFrame = new QGroupBox(QStringLiteral("Create AGNAV Guidance Lines"), m_client);
    GuidanceFrame->setObjectName(QStringLiteral("GuidanceFrame"));
    createGuidanceControls(*this, *GuidanceFrame);
    // Shown while guidance lines are being created in Cluttered Mode.
    GuidanceFrame->hide();
}

void MainForm::connectGuidancePanel()
{
    setUpGuidanceSpins(GuidancePanel::of(*this));
    connectGuidanceControls(*this);
}

QWidget& MainForm::guidancePanelWindow()
{
    if (View_MapMode->isChecked()) {
        return GuidanceForm::instance();
    }
    return *this;
}

QString MainForm::guidanceSwathShown() const
{
    const int swath = Tools_DigitizeGuidance->isChecked() ? VScroll2->value() : defaultSwathShown();
    return QString::number(swath);
}

void MainForm::GuidanceOption_Click(int Index)
{
    switchGuidanceMode(*this, GuidancePanel::of(*this), Index);
}

void MainForm::VScroll1_Change()
{
    headingSpinChanged(*this, GuidancePanel::of(*this));
}

void MainForm::VScroll2_Change()
{
    swathSpinChanged(*this, GuidancePanel::of(*this));
}

void MainForm::OffsetOption_Click(int Index)
{
    Q_UNUSED(Index);
    FitGuidanceLines();
}

void MainForm::GuidanceText_GotFocus()
{
    selectWholeText(*GuidanceText);
}

void MainForm::GuidanceText_LostFocus()
{
    leaveGuidanceText(GuidancePanel::of(*this));
}

void MainForm::GuidanceText_KeyDown(int& KeyCode, int Shift)
{
    Q_UNUSED(Shift);
    if (guidanceTextKey(GuidancePanel::of(*this), KeyCode)) {
        KeyCode = 0;
    }
}

void MainForm::SwathText_GotFocus()
{
    selectWholeText(*SwathText);
}

void MainForm::SwathText_LostFocus()
{
    leaveSwathText(GuidancePanel::of(*this));
}

void MainForm::SwathText_KeyDown(int& KeyCode, int Shift)
{
    Q_UNUSED(Shift);
    if (swathTextKey(GuidancePanel::of(*this), KeyCode)) {
        KeyCode = 0;
    }
}
