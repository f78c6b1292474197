// The map picture's mouse events on the main window: every move shows the
// pointer's coordinates, then each event goes to the tool that the mode
// state chooses (map_pointer_modes.h). The tools live in their own files;
// this file only routes. A move over the window's bare area empties the
// readout.
#include "korvel/map/digitizing_tool.h"
#include "korvel/map/map_pointer_modes.h"
#include "korvel/map/map_view.h"
#include "korvel/map/ruler_tool.h"
#include "korvel/map/zoom_box_tool.h"
#include "korvel/shell/main_form.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/picture_box.h"
#include "platform/status_bar.h"

#include <QAction>
#include <QLineEdit>

void MapView::connectPointerEvents()
{
    // Moves without a button held count too: the readout follows the pointer.
    m_form.Picture1->setMouseTracking(true);
    m_form.clientArea()->setMouseTracking(true);
    connect(m_form.Picture1, &PictureBox::MouseDown, this, &MapView::Picture1_MouseDown);
    connect(m_form.Picture1, &PictureBox::MouseMove, this, &MapView::Picture1_MouseMove);
    connect(m_form.Picture1, &PictureBox::MouseUp, this, &MapView::Picture1_MouseUp);
    connect(m_form.Picture1, &PictureBox::DblClick, this, &MapView::Picture1_DblClick);
}

PointerModes MapView::pointerModes() const
{
    return { mapState().ExtentEntryMode, m_form.Tools_Ruler->isChecked(),
        m_form.Tools_DigitizeBoundary->isChecked(), m_form.Tools_DigitizeExclusion->isChecked() };
}

void MapView::Picture1_MouseDown(int Button, int Shift, float X, float Y)
{
    switch (pressTool(pointerModes(), Button)) {
    case MapTool::ZoomBox:
        ZoomBoxTool(m_form).press(X, Y);
        break;
    case MapTool::Ruler:
        RulerTool(m_form).press(X, Y);
        break;
    case MapTool::Digitize:
        DigitizingTool(m_form).press(Button, Shift, X, Y);
        break;
    case MapTool::None:
        break;
    }
}

void MapView::Picture1_MouseMove(int Button, int Shift, float X, float Y)
{
    const CoordinateReadout readout = coordinateReadout(X, Y, globals().UTMMode);
    m_form.StatusLabel1->setText(readout.northing);
    m_form.StatusLabel2->setText(readout.easting);

    switch (moveTool(pointerModes(), Button)) {
    case MapTool::ZoomBox:
        ZoomBoxTool(m_form).drag(X, Y);
        break;
    case MapTool::Ruler:
        RulerTool(m_form).drag(Shift, X, Y);
        break;
    case MapTool::Digitize:
        DigitizingTool(m_form).move(X, Y);
        break;
    case MapTool::None:
        break;
    }
}

void MapView::Picture1_MouseUp(int Button, int Shift, float X, float Y)
{
    Q_UNUSED(Shift);
    Q_UNUSED(X);
    Q_UNUSED(Y);
    if (releaseTool(pointerModes(), Button) == MapTool::ZoomBox) {
        ZoomBoxTool(m_form).release();
    }
}

void MapView::Picture1_DblClick()
{
    // The second press of a double click arrives only here, and no tool
    // takes it: a quick double click is one press for every tool.
}

void MapView::Form_MouseMove(int Button, int Shift, float X, float Y)
{
    Q_UNUSED(Button);
    Q_UNUSED(Shift);
    Q_UNUSED(X);
    Q_UNUSED(Y);
    m_form.StatusBar1->setPanelText(1, QString());
    m_form.StatusBar1->setPanelText(2, QString());
    m_form.StatusLabel1->clear();
    m_form.StatusLabel2->clear();
}
