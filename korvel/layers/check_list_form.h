#pragma once
// "Table of Contents": the floating twin of the main window's "Loaded Files"
// list, a small tool window the user can place anywhere (for work in Map
// Mode, where the main list is hidden). It holds no layer state: every
// rebuild copies the main list's rows (ticks, places, captions, colours) into
// its own controls, and every command given in it is carried out by the main
// window's procedure of the same name, after which it copies the main list
// again. Its own work is its window (where it opens, its minimum size, its
// closing), its keys, passing its ticks to the main list, preparing its
// pop-up menus and reordering image and GIS rows by dragging.
//
// It is open while the main window's toggle Check1(1) is down. Its place is
// kept in the settings "CheckList.Left" and "CheckList.Top" (section
// "Settings", twips), read when it opens and written when it closes.
#include "platform/control_array.h"

#include <QPoint>
#include <QWidget>

class ControlDrag;
class FloatingToolWindow;
class KeyPreview;
class LayerList;
enum class LayerKind;
class MainForm;
class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QMenu;
class QScrollBar;

class CheckListForm final : public QWidget
{
    Q_OBJECT
public:
    // The window, created and loaded on first use (not shown).
    static CheckListForm& instance();
    static CheckListForm* existing();
    // Unloads the window once (it stores its place and releases the main
    // window's toggle), then it is released.
    static void unload();

    ~CheckListForm() override;

    QFrame* Frame1 = nullptr;
    ControlArray<QCheckBox> ImageCheck { "ImageCheck" };
    ControlArray<QLabel> ImageCheckLabel { "ImageCheckLabel" };
    ControlArray<QCheckBox> GISCheck { "GISCheck" };
    ControlArray<QLabel> GISColorBox { "GISColorBox" };
    ControlArray<QLabel> GISCheckLabel { "GISCheckLabel" };
    ControlArray<QCheckBox> AGCheck { "AGCheck" };
    ControlArray<QLabel> AGColorBox { "AGColorBox" };
    ControlArray<QLabel> AGCheckLabel { "AGCheckLabel" };
    ControlArray<QCheckBox> Check3 { "Check3" };
    ControlArray<QLabel> CheckLabel3 { "CheckLabel3" };
    QFrame* Line1 = nullptr;
    QFrame* Line2 = nullptr;
    QLabel* Label1 = nullptr; // "No Files Loaded"
    QScrollBar* ChecklistScroll = nullptr;

    // Its own image and block pop-up menus; shapefile rows use the main window's.
    QMenu* PopUpMenu_Image = nullptr;
    QAction* PopUp_Georef = nullptr;
    QAction* PopUp_ImageDel = nullptr;
    QAction* PopUp_ImageProps = nullptr;
    QMenu* PopUpMenu_AGNAV = nullptr;
    QAction* PopUp_OpenGuidance = nullptr;
    QAction* PopUp_OpenExclusion = nullptr;
    QAction* PopUp_OpenFlight = nullptr;
    QAction* PopUp_DigitizeGuidance = nullptr;
    QAction* PopUp_DigitizeExclusion = nullptr;
    QAction* PopUp_AGNAVColor = nullptr;
    QMenu* PopUp_AGNAVThick = nullptr;
    ControlArray<QAction> PopUp_AGNAVThickNum { "PopUp_AGNAVThickNum" }; // 1..5
    QAction* PopUp_AGNAVZoom = nullptr;
    QAction* PopUp_AGNAVDel = nullptr;
    QAction* PopUp_AGNAVProps = nullptr;

    void Form_Load();
    void Form_Resize();
    void Form_KeyDown(int KeyCode, int Shift);
    void Form_Unload();
    // Copies the main list into this one.
    void RefreshChecklist();

    void ImageCheck_Click(int Index);
    void GISCheck_Click(int Index);
    void AGCheck_Click(int Index);
    void Check3_Click(int Index);
    void ImageCheckLabel_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void GISCheckLabel_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void AGCheckLabel_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void CheckLabel3_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void ImageCheckLabel_DragOver(int Index, QWidget* Source, float X, float Y, int State);
    void GISCheckLabel_DragOver(int Index, QWidget* Source, float X, float Y, int State);
    void ImageCheckLabel_DragDrop(int Index, QWidget* Source, float X, float Y);
    void GISCheckLabel_DragDrop(int Index, QWidget* Source, float X, float Y);
    void GISColorBox_DblClick(int Index);
    void PopUpMenu_AGNAV_Click();

    // A check box of this list was clicked since its last rebuild.
    bool mapChanged() const { return MapChanged; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    explicit CheckListForm(MainForm& main);
    void createControls();
    void createRowTemplates();
    void createPopUpMenus();
    void placeOnScreen();
    void unloadOnce();
    // Passes the tick of row Index of a group to the main list's row.
    void passTick(ControlArray<QCheckBox>& own, ControlArray<QCheckBox>& main, int Index);
    void openPopUp(QLabel& label, int Index, LayerKind kind);
    void dispatchDragOver(QWidget* target, QWidget* source, QPoint position, int state);
    void dispatchDragDrop(QWidget* target, QWidget* source, QPoint position);
    void dispatchMouseDown(QLabel& label, int button, int shift, float x, float y);
    bool eventFilter(QObject* watched, QEvent* event) override;

    MainForm& m_main;
    LayerList& m_list; // the main window's list, whose procedures this one's rows call
    KeyPreview* m_keyPreview = nullptr;
    ControlDrag* m_rowDrag = nullptr;
    bool MapChanged = false;
    int PopupRow = 0;
    bool m_copying = false; // the rebuild is copying ticks: not a click
    bool m_unloaded = false;
};

// The floating list as the main window's toggle, its exit and the floating
// windows' stacking see it; the program registers it for FloatingTool::CheckList.
FloatingToolWindow& checkListFormTool();
