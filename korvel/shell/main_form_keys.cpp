// The main window's keyboard: Form_KeyDown is its one shortcut handler. The
// window's key preview hands it every key pressed in the window before the
// control with the focus, which still receives the key; the floating tool
// windows pass it the keys they do not handle. What each key means is
// decided in shortcut_keys.h; this file carries it out.
#include "korvel/shell/floating_windows.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/shortcut_keys.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/redraw_state.h"
#include "platform/key_preview.h"
#include "platform/line_control.h"
#include "platform/tool_bar.h"

#include <QAction>
#include <QPushButton>

namespace {

constexpr int kTypedExtentButton = 3;
constexpr int kPreviousExtentButton = 4;

// Gives a shown floating tool window the keyboard; false when it is not shown.
bool focusFloatingWindow(FloatingTool tool)
{
    const FloatingToolWindow* floating = floatingToolWindow(tool);
    QWidget* window = floating ? floating->window() : nullptr;
    if (!floatingWindowShown(tool) || !window) {
        return false;
    }
    window->activateWindow();
    window->setFocus();
    return true;
}

// The zoom window's own "Custom Zoom" button, while the window is shown.
ToolBar* zoomWindowToolbar()
{
    const FloatingToolWindow* floating = floatingToolWindow(FloatingTool::Zoom);
    QWidget* window = floating ? floating->window() : nullptr;
    return window ? window->findChild<ToolBar*>(QStringLiteral("Toolbar")) : nullptr;
}

} // namespace

void MainForm::connectKeyboard()
{
    connect(m_keyPreview, &KeyPreview::KeyDown, this, &MainForm::Form_KeyDown);
}

void MainForm::Form_KeyDown(int KeyCode, int Shift)
{
    switch (shortcutAction(KeyCode, Shift, View_MapMode->isChecked())) {
    case ShortcutAction::FocusFloatingWindow:
        // With both windows open the layer list comes first.
        if (Check1[1].isChecked()) {
            focusFloatingWindow(FloatingTool::CheckList);
        } else if (Check1[2].isChecked()) {
            focusFloatingWindow(FloatingTool::Zoom);
        }
        break;
    case ShortcutAction::LayerList:
        if (!Check1[1].isChecked()) {
            Check1[1].setChecked(true); // its handler opens the window
        } else {
            focusFloatingWindow(FloatingTool::CheckList);
        }
        break;
    case ShortcutAction::ZoomWindow:
        if (!focusFloatingWindow(FloatingTool::Zoom)) {
            Check1[2].setChecked(true);
        }
        break;
    case ShortcutAction::ConfirmExtent:
        confirmTypedExtent();
        break;
    case ShortcutAction::SwitchViewMode:
        if (View_ClutteredMode->isChecked()) {
            View_MapMode_Click();
        } else {
            View_ClutteredMode_Click();
        }
        break;
    case ShortcutAction::Cancel:
        escapeKey();
        break;
    case ShortcutAction::None:
        break;
    }
}

void MainForm::confirmTypedExtent()
{
    MapState& map = mapState();
    if (Toolbar->Value(kTypedExtentButton) == 1) {
        const bool edited = map.ExtentEdited;
        if (edited) {
            Toolbar->setEnabled(kPreviousExtentButton, true);
        }
        Toolbar->setValue(kTypedExtentButton, 0);
        ApplyMapExtent();
        if (!map.ExtentEntryMode && edited) {
            Graph(true);
        }
        return;
    }
    ToolBar* zoomToolbar = Check1[2].isChecked() ? zoomWindowToolbar() : nullptr;
    if (zoomToolbar && zoomToolbar->Value(kTypedExtentButton) == 1) {
        // The zoom window's button redraws even when no box was edited.
        zoomToolbar->setValue(kTypedExtentButton, 0);
        ApplyMapExtent();
        if (!map.ExtentEntryMode) {
            Graph(true);
        }
    }
}

void MainForm::escapeKey()
{
    EscapeState state;
    state.customZoomPressed = Toolbar->Value(kTypedExtentButton) == 1;
    state.busy = redrawState().Busy;
    state.ruler = Tools_Ruler->isChecked();
    state.digitizeBoundary = Tools_DigitizeBoundary->isChecked();
    state.digitizeGuidance = Tools_DigitizeGuidance->isChecked();
    state.digitizeExclusion = Tools_DigitizeExclusion->isChecked();

    switch (escapeAction(state)) {
    case EscapeAction::DiscardTypedExtent:
        Toolbar->setValue(kTypedExtentButton, 0);
        mapState().ExtentEdited = false;
        ApplyMapExtent(); // refills the boxes from the picture and locks them
        break;
    case EscapeAction::CancelDrawing:
        redrawState().CancelDrawing = true;
        break;
    case EscapeAction::RulerOff:
        Tools_Ruler_Click();
        break;
    case EscapeAction::DropBoundary:
        removeDigitizedSegments();
        Tools_DigitizeBoundary->setChecked(false);
        break;
    case EscapeAction::CancelGuidance:
        GuidanceCancel_Click();
        break;
    case EscapeAction::DropExclusionZone:
        removeDigitizedSegments();
        Tools_DigitizeExclusion->setChecked(false);
        // As when the zone ends by a right press: the typed extent is
        // offered again and no block stays chosen for the next zone.
        Toolbar->setEnabled(kTypedExtentButton, true);
        SelectedBlock = 0;
        break;
    case EscapeAction::AskToQuit:
        File_Exit_Click();
        break;
    }
}
