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

void MainForm::HandleCopyData(quint32 dwData, const QByteArray& data)
{
    switch (shutdownRequestOf(dwData, data)) {
    case ShutdownRequest::SaveAndShutdown:
        // The program quits also when the user cancels the save.
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
