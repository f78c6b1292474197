#include "korvel/shell/floating_windows.h"

#include "korvel/shell/main_form.h"
#include "platform/window_stacking.h"

#include <QAction>
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
    for (FloatingTool tool : kTools) {
        if (QWidget* window = shownWindow(tool)) {
            placeBehind(*window, *form);
        }
    }
    sendToBack(*form);
}
