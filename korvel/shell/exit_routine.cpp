// How the program ends: File > Exit and every other close of the main window
// (its close box, the end of the desktop session) ask "Quit KORVEL?"; a
// shutdown request from another program does not. ExitKORVEL then drops
// everything loaded without saving, closes the floating windows (they store
// their places), and unloads the main window, which ends the program.
#include "korvel/shell/floating_windows.h"
#include "korvel/shell/main_form.h"
#include "platform/msg_box.h"
#include "platform/window_stacking.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPushButton>
#include <QSessionManager>

namespace {

bool userConfirmsQuit()
{
    // The one box of the program whose caption is empty.
    return MsgBox(QStringLiteral("Quit KORVEL?"), vbYesNo, MsgBoxCaption::Empty) == vbYes;
}

void unloadFloatingWindow(FloatingTool tool)
{
    FloatingToolWindow* window = floatingToolWindow(tool);
    if (window && window->window()) {
        window->unload();
    }
}

} // namespace

void MainForm::File_Exit_Click()
{
    // The floating windows must not cover the question; the guidance window
    // is left as it is.
    for (FloatingTool tool : { FloatingTool::CheckList, FloatingTool::Zoom }) {
        const FloatingToolWindow* window = floatingToolWindow(tool);
        if (floatingWindowShown(tool) && window && window->window()) {
            setTopmost(*window->window(), false);
        }
    }
    if (userConfirmsQuit()) {
        ExitKORVEL();
    }
}

void MainForm::Form_QueryUnload(int& Cancel, int UnloadMode)
{
    if (UnloadMode == vbFormCode) {
        return;
    }
    if (userConfirmsQuit()) {
        ExitKORVEL();
    } else {
        Cancel = 1;
    }
}

void MainForm::ExitKORVEL()
{
    // Nothing is saved and nothing is asked: settings are written only by
    // their dialogs, sessions only by Save Session.
    m_exiting = true;
    // Close All ends the tools before the data goes, then empties it all.
    File_CloseAll_Click();
    unloadFloatingWindow(FloatingTool::CheckList);
    unloadFloatingWindow(FloatingTool::Zoom);
    UnhookWindowProc();
    unloadForm();
}

void MainForm::unloadForm()
{
    m_unloadMode = vbFormCode;
    if (!m_unloading) {
        close();
    }
    emit unloaded();
    release();
}

void MainForm::closeEvent(QCloseEvent* event)
{
    // A close request while the exit routine's own close runs needs no
    // question; the first close records that it is under way.
    const int mode = m_unloadMode;
    m_unloadMode = vbFormControlMenu;
    if (m_unloading) {
        event->accept();
        return;
    }
    m_unloading = true;
    int cancel = 0;
    Form_QueryUnload(cancel, mode);
    m_unloading = cancel == 0;
    if (cancel) {
        event->ignore();
    } else {
        event->accept();
    }
}

void MainForm::connectSessionEnd()
{
#ifndef QT_NO_SESSIONMANAGER
    // The end of the desktop session closes the window like its close box.
    if (auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(application, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
            if (!manager.allowsInteraction()) {
                return;
            }
            int cancel = 0;
            Form_QueryUnload(cancel, vbAppWindows);
            manager.release();
            if (cancel) {
                manager.cancel();
            }
        });
    }
#endif
}
