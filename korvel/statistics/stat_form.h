#pragma once
// "Spray Statistics": the modal window of Tools > Spray Statistics. Its load
// runs the statistics pass over the flights ticked in the "Loaded Files" list
// and draws six bar graphs, one per tab of TabStrip1: spray time, turn time,
// application rates, cross-track error, altitude and DGPS quality. The user
// switches graphs with the tabs or with Ctrl+Tab and Ctrl+Shift+Tab (on the
// key's release), reads the bar under the pointer in the picture's tooltip,
// and closes the window with Escape or its close box.
//
//     StatForm& stats = StatForm::instance(); // loads: computes and draws
//     ShowModal(stats);
//     StatForm::release();
//
// Everything is drawn before the window shows; switching tabs only shows
// another frame. The pass's result (Statistics) and each graph's
// description (Graphs) stay until the window is released, for the readouts
// and the printed report.
#include "korvel/statistics/histogram_graphs.h"
#include "korvel/statistics/spray_statistics.h"
#include "platform/control_array.h"

#include <QDialog>
#include <QRectF>
#include <array>

class KeyPreview;
class PictureBox;
class QFrame;
class QLabel;
class QPushButton;
class QTabBar;

class StatForm final : public QDialog
{
    Q_OBJECT
public:
    // The window, created and loaded (the pass run, the graphs drawn) on first use.
    static StatForm& instance();
    static StatForm* existing();
    // Unloads (once) and destroys it; the next use starts afresh.
    static void release();

    QTabBar* TabStrip1 = nullptr; // tabs 1..6, as the graphs
    ControlArray<QFrame> Frame { "Frame" }; // 1..6, frame n holds graph n
    PictureBox* Picture1 = nullptr;
    PictureBox* Picture2 = nullptr;
    PictureBox* Picture3 = nullptr;
    PictureBox* Picture4 = nullptr;
    PictureBox* Picture5 = nullptr;
    PictureBox* Picture6 = nullptr;
    QLabel* Label1 = nullptr; // "Time (sec)" under graph 1
    QLabel* Label2 = nullptr; // and under graph 2
    QLabel* Label5 = nullptr; // "Altitude (msl)"
    // Tick labels; element 0 of each is the design's (the rest are made by
    // the pass), except Label6X, whose elements 1..4 are the design's.
    ControlArray<QLabel> Label1X { "Label1X" };
    ControlArray<QLabel> Label2X { "Label2X" };
    ControlArray<QLabel> Label3X { "Label3X" };
    ControlArray<QLabel> Label4X { "Label4X" };
    ControlArray<QLabel> Label5X { "Label5X" };
    ControlArray<QLabel> Label6X { "Label6X" };
    ControlArray<QLabel> Label1Y { "Label1Y" };
    ControlArray<QLabel> Label2Y { "Label2Y" };
    ControlArray<QLabel> Label3Y { "Label3Y" };
    ControlArray<QLabel> Label4Y { "Label4Y" };
    ControlArray<QLabel> Label5Y { "Label5Y" };
    ControlArray<QLabel> Label6Y { "Label6Y" };
    QLabel* Label3X2 = nullptr; // ">" under the last application-rate bar
    QLabel* Label4X2 = nullptr; // ">" under the last cross-track bar
    QPushButton* PrintButton = nullptr;

    // The graph (tab) shown, 1..6: exactly its frame is visible and its tab selected.
    int CurrentGraph = 1;
    // The pass's result and what each graph shows (Graphs[1..6]).
    SprayStatistics Statistics;
    std::array<HistogramGraph, StatGraphCount + 1> Graphs;

    void Form_Load();
    // Escape (27) unloads the window.
    void Form_KeyDown(int KeyCode, int Shift);
    // Tab (9) with exactly Ctrl shows the next graph, with Ctrl+Shift the
    // one before, wrapping round; other keys and modifiers change nothing.
    void Form_KeyUp(int KeyCode, int Shift);
    void Form_Unload(int& Cancel);
    // The pass over the ticked flights, then the six graphs drawn.
    void ComputeStatistics();
    // The six graphs of Statistics described (Graphs) and drawn afresh.
    void drawGraphs();
    void TabStrip1_Click();
    void Picture1_MouseMove(int Button, int Shift, float X, float Y);
    void Picture2_MouseMove(int Button, int Shift, float X, float Y);
    void Picture3_MouseMove(int Button, int Shift, float X, float Y);
    void Picture4_MouseMove(int Button, int Shift, float X, float Y);
    void Picture5_MouseMove(int Button, int Shift, float X, float Y);
    void Picture6_MouseMove(int Button, int Shift, float X, float Y);
    void PrintButton_Click();

    // The picture and the label arrays of graph 1..6.
    PictureBox& graphPicture(int graph) const;
    ControlArray<QLabel>& xLabels(int graph);
    ControlArray<QLabel>& yLabels(int graph);

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    explicit StatForm(QWidget* parent);
    ~StatForm() override;

    void createControls();
    void createGraphFrame(int graph);
    void createAxisLabels();
    QLabel* newLabel(QWidget* parent, const QString& name, const QString& caption);
    void connectControls();

    // Drawing (stat_form_graphs.cpp).
    void drawGraph(int graph);
    void placeYLabels(int graph);
    void placeXLabels(int graph);
    double xLabelLeft(int graph, const GraphAxisLabel& label, const QLabel& element) const;
    std::vector<QRectF> shownLabelRects(int graph) const;
    void showPlacedLabels(int graph, const std::vector<QLabel*>& labels, const std::vector<int>& ranks);
    // The readouts (stat_form_navigation.cpp).
    void showReadout(int graph, float X, float Y);
    void showGraph(int graph);

    KeyPreview* m_keyPreview = nullptr;
    bool m_unloaded = false;
};
