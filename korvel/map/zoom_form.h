#pragma once
// The floating zoom window "Zoom Options": a small copy of the main window's
// "Map Scale" frame with the four extent boxes and the zoom toolbar. It is
// open while the main window's toggle Check1(2) is down, stays above the
// main window, shows the main window's extent texts after every extent
// change (RefreshForm), and hands every toolbar press to the map view's
// toolbar handler, so its buttons do what the main toolbar's do. Its own
// boxes only show: a typed or boxed extent is always the main window's.
//
// Its place is kept in the settings "ZoomWindow.Left" and "ZoomWindow.Top"
// (section "Settings", twips), read when it opens and written when it
// closes; a place off a now smaller screen is pulled back onto it. Escape
// and Ctrl+2 close it, Ctrl+Tab goes back to the main window, and every
// other key goes on to the main window's shortcut handler.
#include "platform/control_array.h"

#include <QWidget>

class FloatingToolWindow;
class KeyPreview;
class MainForm;
class QGroupBox;
class QLabel;
class QLineEdit;
class ToolBar;

class ZoomForm final : public QWidget
{
    Q_OBJECT
public:
    // The window, created and loaded on first use (not shown).
    static ZoomForm& instance();
    // The window while it exists; never creates it.
    static ZoomForm* existing();
    // Unloads the window, once: it stores its place, releases the main
    // window's toggle and hides; then it is released.
    static void unload();

    ~ZoomForm() override;

    QGroupBox* Frame2 = nullptr;
    QWidget* Picture3 = nullptr;
    ToolBar* Toolbar = nullptr; // 1 GIS layers, 2 images, 3 custom zoom (check), 4 previous zoom
    QLineEdit* Text1 = nullptr; // west
    QLineEdit* Text2 = nullptr; // south
    QLineEdit* Text3 = nullptr; // east
    QLineEdit* Text4 = nullptr; // north
    ControlArray<QLabel> MapExtent { "MapExtent" }; // 1..4

    void Form_Load();
    void Form_Activate();
    void Form_KeyDown(int KeyCode, int Shift);
    void Form_Unload();
    // Copies the geometry of the main window's "Map Scale" frame.
    void ShowMapExtent();
    void Toolbar_ButtonClick(int Button);
    // Enables buttons 1 and 2 by what is loaded and copies the main
    // window's extent texts.
    void RefreshForm();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    explicit ZoomForm(MainForm& main);
    void createControls();
    void placeOnScreen();
    void unloadOnce();

    MainForm& m_main;
    KeyPreview* m_keyPreview = nullptr;
    bool m_unloaded = false;
};

// The zoom window as the main window's toggle, its exit and the floating
// windows' stacking see it; the program registers it for FloatingTool::Zoom.
FloatingToolWindow& zoomFormTool();
