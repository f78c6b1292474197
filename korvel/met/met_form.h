#pragma once
// "Meteorological Data": the window that graphs the records of the source
// shown in the main window's meteorology panel (CurrentMet) over the time
// of the recording, on three tabs: wind direction, wind speed and
// temperature. A click or drag on a graph picks a moment; on release the
// playback goes to the record at that moment ("Go To Time"), which updates
// the panel and, while it is on, the optimization overlay.
//
// The panel's first button opens it modeless and disables the main window
// until it closes; it is a window of its own, not the main window's child,
// so it stays usable while the main window is disabled and follows the
// playback timer (MetPlayback). The main window owns it all the same, so the
// desktop keeps it above that window. It exists at most once; closing it releases
// it, so the next opening draws the source then shown. Ctrl+Tab and
// Ctrl+Shift+Tab step through the tabs.
#include "korvel/met/met_graph_axes.h"
#include "korvel/met/met_print.h"
#include "platform/control_array.h"

#include <QWidget>

class KeyPreview;
class LineControl;
class PictureBox;
class QFrame;
class QLabel;
class QPushButton;
class QTabBar;

class MetForm final : public QWidget
{
    Q_OBJECT
public:
    // The window, created and loaded (Form_Load) on first use; not shown.
    static MetForm& instance();
    // The window while it exists; never creates it.
    static MetForm* existing();
    // Closes the window if it is open (Form_Unload runs) and releases it.
    static void unload();

    ~MetForm() override;

    QTabBar* TabStrip1 = nullptr; // "Wind Direction", "Wind Speed", "Temperature"
    ControlArray<QFrame> Frame { "Frame" }; // 1..3, one per tab, stacked
    PictureBox* Picture1 = nullptr; // wind direction
    PictureBox* Picture2 = nullptr; // wind speed
    PictureBox* Picture3 = nullptr; // temperature
    QLabel* Label1 = nullptr; // the time axis titles
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    // Tick labels: element 0 is the template of each, the others are made
    // by the graphs as they draw.
    ControlArray<QLabel> Label1X { "Label1X" };
    ControlArray<QLabel> Label1Y { "Label1Y" };
    ControlArray<QLabel> Label2X { "Label2X" };
    ControlArray<QLabel> Label2Y { "Label2Y" };
    ControlArray<QLabel> Label3X { "Label3X" };
    ControlArray<QLabel> Label3Y { "Label3Y" };
    QLabel* Picture4 = nullptr; // the legend's swatches
    QLabel* Picture5 = nullptr;
    QLabel* Label4 = nullptr; // "= Tethersonde"
    QLabel* Label5 = nullptr; // "= Ground"
    // The selection: a blue vertical line at one X, in the picture of the tab shown.
    LineControl* SelectionLine = nullptr;
    QPushButton* Command3 = nullptr; // "Go To Time"
    QPushButton* Command1 = nullptr; // "Exit"
    QPushButton* Command2 = nullptr; // "Print"

    int CurrentTab = 1; // the tab and frame shown, 1..3

    // The selection line at X (seconds since the first record), top to bottom of its graph.
    void setSelection(double x);
    double selection() const;

    void Form_Load();
    void Form_Activate();
    void Form_Unload();
    void Form_KeyUp(int KeyCode, int Shift);
    void TabStrip1_Click();
    void Command3_Click();
    void Command1_Click();
    // "Print": the three graphs on one page of the current printer, or into
    // a PDF file the user names where no printer is set up.
    void Command2_Click();
    void Picture_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void Picture_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void Picture_MouseUp(int Index, int Button, int Shift, float X, float Y);

    // The graphs (met_graphs.cpp). The wind direction graph sets the time
    // axis that the other two copy.
    void DrawWindDirectionGraph();
    void DrawWindSpeedGraph();
    void DrawTemperatureGraph();

    // Picture 1, 2 or 3.
    PictureBox& picture(int index) const;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    MetForm();
    void createControls();
    void createGraphFrame(int index, const QString& tab);
    void placeOnScreen();
    // The page "Print" lays out: the graphs and their labels as shown.
    MetPrintout printout();
    // Shows frame CurrentTab and moves the selection line into its picture.
    void showCurrentTab();
    void moveSelectionLineTo(PictureBox& picture);
    // The tick labels of the time axis under the graph, its title, and the
    // grey grid lines of the ticks up to `gridTop`.
    void drawTimeAxis(int index, double gridTop);
    // Value labels beside the graph, one per level, from the bottom up.
    void placeValueLabels(int index, const ValueAxis& axis);
    // Clears graph 2 or 3 and draws its scale, grid and labels.
    void drawValueGraph(int index, const ValueAxis& axis);

    TimeAxis m_timeAxis;
    KeyPreview* m_keyPreview = nullptr;
    bool m_unloaded = false;
};
