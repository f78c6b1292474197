// The statistics window's navigation: the tabs, the keyboard's Ctrl+Tab and
// Ctrl+Shift+Tab, and the bar readout under the pointer.
#include "korvel/statistics/bar_readout.h"
#include "korvel/statistics/stat_form.h"
#include "platform/picture_box.h"
#include "platform/tab_cycling.h"
#include "platform/vb_input_codes.h"

#include <QCursor>
#include <QFrame>
#include <QTabBar>
#include <QToolTip>

void StatForm::showGraph(int graph)
{
    Frame[CurrentGraph].hide();
    CurrentGraph = graph;
    Frame[CurrentGraph].show();
}

void StatForm::TabStrip1_Click()
{
    const int selected = TabStrip1->currentIndex() + 1;
    if (selected >= 1 && selected != CurrentGraph) {
        showGraph(selected);
    }
}

void StatForm::Form_KeyUp(int KeyCode, int Shift)
{
    if (KeyCode != vbKeyTab) {
        return;
    }
    Frame[CurrentGraph].hide();
    CurrentGraph = cycledTab(CurrentGraph, Shift, TabStrip1->count());
    // CurrentGraph is set first, so the tab strip's click finds nothing to do.
    TabStrip1->setCurrentIndex(CurrentGraph - 1);
    Frame[CurrentGraph].show();
}

void StatForm::showReadout(int graph, float X, float Y)
{
    PictureBox& picture = graphPicture(graph);
    const QString text = barReadout(Graphs[std::size_t(graph)], StatGraph(graph), X, Y);
    picture.setToolTip(text);
    // A tip already up follows the pointer's bar at once (an empty text hides it).
    if (QToolTip::isVisible()) {
        QToolTip::showText(QCursor::pos(), text, &picture);
    }
}

void StatForm::Picture1_MouseMove(int, int, float X, float Y)
{
    showReadout(SprayTimeGraph, X, Y);
}

void StatForm::Picture2_MouseMove(int, int, float X, float Y)
{
    showReadout(TurnTimeGraph, X, Y);
}

void StatForm::Picture3_MouseMove(int, int, float X, float Y)
{
    showReadout(ApplicationRateGraph, X, Y);
}

void StatForm::Picture4_MouseMove(int, int, float X, float Y)
{
    showReadout(CrossTrackGraph, X, Y);
}

void StatForm::Picture5_MouseMove(int, int, float X, float Y)
{
    showReadout(AltitudeGraph, X, Y);
}

void StatForm::Picture6_MouseMove(int, int, float X, float Y)
{
    showReadout(DGPSGraph, X, Y);
}
