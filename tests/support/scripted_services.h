#pragma once
// The scripted stand-ins for everything that would wait for a person or start
// another program: message and input boxes, the common dialog, modal forms
// and the process launcher. One set exists for the whole test run, made by
// the test main() right after the application object; it is installed all
// the time, so a test never reaches a real dialog unless it asks for one.
#include "platform/scripted_common_dialog.h"
#include "platform/scripted_modal.h"
#include "platform/scripted_msg_box.h"
#include "platform/scripted_popup_menu.h"
#include "platform/scripted_printers.h"
#include "platform/scripted_process_launcher.h"

class ScriptedServices
{
public:
    ScriptedServices();
    ~ScriptedServices();
    ScriptedServices(const ScriptedServices&) = delete;
    ScriptedServices& operator=(const ScriptedServices&) = delete;

    static ScriptedServices& instance();

    // Empty queues and records, scripted backends installed, modal guard on.
    void reset();
    // Qt's real message box, common dialog, pop-up menus and modal event loop, guard off,
    // for tests of the real paths (which close them with a timer). The
    // launcher stays scripted. Lasts until the next reset().
    void useRealDialogs();

    // Everything that went against the script plus every queued answer left
    // unused; clears them.
    QStringList takeFailures();

    ScriptedMsgBox msgBox;
    ScriptedCommonDialog commonDialog;
    ScriptedModalForms modalForms;
    ScriptedProcessLauncher launcher;
    ScriptedPopupMenu popupMenu;
    ScriptedPrinters printers; // none installed: the current printer is the PDF file

private:
    void install();
};
