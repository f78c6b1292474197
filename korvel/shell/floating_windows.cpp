#include "korvel/shell/floating_windows.h"

#include "korvel/shell/main_form.h"
#include "platform/program_window.h"
#include "platform/screen_metrics.h"
#include "platform/window_stacking.h"

#include <QAction>
#include <QMargins>
#include <QPoint>
#include <QPushButton>
#include <QWidget>

#include <array>

namespace {

std::array<FloatingToolWindow*, 3> g_windows {};

// In the order the procedures go through them.
constexpr std::array<FloatingTool, 3> kTools { FloatingTool::CheckList, FloatingTool::Zoom,
    FloatingTool::Guidance };

// The window of a tool that counts as shown and exists.
QWidget* shownWindow(FloatingTool tool)
{
    if (!floatingWindowShown(tool)) {
        return nullptr;
    }
    const FloatingToolWindow* toolWindow = floatingToolWindow(tool);
    return toolWindow ? toolWindow->window() : nullptr;
}

} // namespace

FloatingToolWindow* floatingToolWindow(FloatingTool tool)
{
    return g_windows[size_t(tool)];
}

void setFloatingToolWindow(FloatingTool tool, FloatingToolWindow* window)
{
    g_windows[size_t(tool)] = window;
}

void resetFloatingToolWindows()
{
    g_windows.fill(nullptr);
}

bool floatingWindowShown(FloatingTool tool)
{
    const MainForm* form = MainForm::existing();
    if (!form) {
        return false;
    }
    switch (tool) {
    case FloatingTool::CheckList:
        return form->Check1[1].isChecked();
    case FloatingTool::Zoom:
        return form->Check1[2].isChecked();
    case FloatingTool::Guidance:
        return form->Tools_DigitizeGuidance->isChecked() && form->View_MapMode->isChecked();
    }
    return false;
}

void RestoreFloatingWindows()
{
    for (FloatingTool tool : kTools) {
        if (QWidget* window = shownWindow(tool)) {
            setTopmost(*window, true);
            window->repaint();
        }
    }
}

void ReleaseFloatingWindows()
{
    MainForm* form = MainForm::existing();
    if (!form) {
        return;
    }
    // The main window stays where it is: sent to the back, it would drop
    // behind every other program, there to stay after the dialog closes.
    for (FloatingTool tool : kTools) {
        if (QWidget* window = shownWindow(tool)) {
            placeBehind(*window, *form);
        }
    }
}

QPoint floatingWindowPlace(double storedLeft, double storedTop, const QWidget& window)
{
    constexpr int kEdgeMargin = 25;
    const double tx = TwipsPerPixelX();
    const double ty = TwipsPerPixelY();
    // The frame the desktop puts around it, whatever its size there.
    const QMargins frame = windowFrame(window);
    const double outerWidth = (frame.left() + window.width() + frame.right()) * tx;
    const double outerHeight = (frame.top() + window.height() + frame.bottom()) * ty;
    // The edges of the part of the screen that the desktop's panels leave free.
    const QRect area = availableArea();
    const double rightEdge = (area.right() + 1) * tx;
    const double bottomEdge = (area.bottom() + 1) * ty;

    double left = storedLeft;
    if (left > rightEdge - kEdgeMargin * tx) {
        left = rightEdge - outerWidth;
    } else if (left < kEdgeMargin * tx) {
        left = 0;
    }
    double top = storedTop;
    if (top > bottomEdge - kEdgeMargin * ty) {
        top = bottomEdge - outerHeight;
    } else if (top < 0) {
        top = 0;
    }
    return { twipsToPixelsX(left), twipsToPixelsY(top) };
}
