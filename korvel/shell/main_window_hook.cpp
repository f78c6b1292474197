// The main window's watch on two messages from outside, for its whole life:
// another program becoming active (the floating tool windows then stop
// covering it, and come back on top when this program is active again), and
// a shutdown request on the window's mailbox (the local socket named after
// the window property "KORVEL_APPLICATION").
#include "korvel/shell/floating_windows.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/shutdown_request.h"
#include "platform/application_activation.h"
#include "platform/single_instance.h"

void MainForm::HookWindowProc()
{
    UnhookWindowProc();
    m_activationHook = connect(
        &ApplicationActivation::instance(), &ApplicationActivation::activeChanged, this, [](bool active) {
            if (active) {
                RestoreFloatingWindows();
            } else {
                ReleaseFloatingWindows();
            }
        });
    if (m_mailbox) {
        m_copyDataHook
            = connect(m_mailbox, &SingleInstance::copyDataReceived, this, &MainForm::HandleCopyData);
    }
}

void MainForm::UnhookWindowProc()
{
    disconnect(m_activationHook);
    disconnect(m_copyDataHook);
}

void MainForm::closeMailbox()
{
    UnhookWindowProc();
    // Safe inside the mailbox's own signal: it checks that it still exists
    // after each message it hands on.
    delete m_mailbox;
    m_mailbox = nullptr;
}

void MainForm::HandleCopyData(quint32 dwData, const QByteArray& data)
{
    // A request that arrives while the save dialog of an earlier one is open
    // would end the window under it.
    if (m_exiting) {
        return;
    }
    switch (shutdownRequestOf(dwData, data)) {
    case ShutdownRequest::SaveAndShutdown:
        // The program quits also when the user cancels the save.
        m_exiting = true;
        File_SaveSession_Click();
        ExitKORVEL();
        break;
    case ShutdownRequest::Shutdown:
        ExitKORVEL();
        break;
    case ShutdownRequest::None:
        break;
    }
}
