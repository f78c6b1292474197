// The map picture's mouse events on the main window: every move shows the
// pointer's coordinates, then each event goes to the tool that the mode
// state chooses (map_pointer_modes.h). The tools live in their own files;
// this file only routes. A move over the window's bare area empties the
// readout.
#include "korvel/map/digitizing_tool.h"
#include "korvel/map/map_pointer_modes.h"
#include "korvel/map/ruler_tool.h"
#include "korvel/map/zoom_box_tool.h"
#include "korvel/shell/main_form.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/picture_box.h"
#include "platform/status_bar.h"

#include <QAction>
#include <QLineEdit>

void MainForm::connectPointerEvents()
{
    // Moves without a button held count too: the readout follows the pointer.
    Picture1->setMouseTracking(true);
    m_client->setMouseTracking(true);
    connect(Picture1, &PictureBox::MouseDown, this, &MainForm::Picture1_MouseDown);
    connect(Picture1, &PictureBox::MouseMove, this, &MainForm::Picture1_MouseMove);
    connect(Picture1, &PictureBox::MouseUp, this, &MainForm::Picture1_MouseUp);
    connect(Picture1, &PictureBox::DblClick, this, &MainForm::Picture1_DblClick);
}

PointerModes MainForm::pointerModes() const
{
    return { mapState().ExtentEntryMode, Tools_Ruler->isChecked(), Tools_DigitizeBoundary->isChecked(),
        Tools_DigitizeExclusion->isChecked() };
}

void MainForm::Picture1_MouseDown(int Button, int Shift, float X, float Y)
{
    switch (pressTool(pointerModes(), Button)) {
    case MapTool::ZoomBox:
        ZoomBoxTool(*this).press(X, Y);
        break;
    case MapTool::Ruler:
        RulerTool(*this).press(X, Y);
        break;
    case MapTool::Digitize:
        DigitizingTool(*this).press(Button, Shift, X, Y);
        break;
    case MapTool::None:
        break;
    }
}

void MainForm::Picture1_MouseMove(int Button, int Shift, float X, float Y)
{
    const CoordinateReadout readout = coordinateReadout(X, Y, globals().UTMMode);
    StatusLabel1->setText(readout.northing);
    StatusLabel2->setText(readout.easting);

    switch (moveTool(pointerModes(), Button)) {
    case MapTool::ZoomBox:
        ZoomBoxTool(*this).drag(X, Y);
        break;
    case MapTool::Ruler:
        RulerTool(*this).drag(Shift, X, Y);
        break;
    case MapTool::Digitize:
        DigitizingTool(*this).move(X, Y);
        break;
    case MapTool::None:
        break;
    }
}

void MainForm::Picture1_MouseUp(int Button, int Shift, float X, float Y)
{
    Q_UNUSED(Shift);
    Q_UNUSED(X);
    Q_UNUSED(Y);
    if (releaseTool(pointerModes(), Button) == MapTool::ZoomBox) {
        ZoomBoxTool(*this).release();
    }
}

void MainForm::Picture1_DblClick()
{
    // The second press of a double click arrives only here, and no tool
    // takes it: a quick double click is one press for every tool.
}

void MainForm::Form_MouseMove(int Button, int Shift, float X, float Y)
{
    Q_UNUSED(Button);
    Q_UNUSED(Shift);
    Q_UNUSED(X);
    Q_UNUSED(Y);
    StatusBar1->setPanelText(1, QString());
    StatusBar1->setPanelText(2, QString());
    StatusLabel1->clear();
    StatusLabel2->clear();
}
