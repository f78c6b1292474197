// Entry point of every test executable: one headless QApplication for the
// whole run, created before any test touches a widget, and the scripted
// services that keep every test away from real dialogs. Started with a child
// action (tests/support/child_process.h), it runs that action instead.
#include "korvel/app/main_window_assembly.h"
#include "platform/key_preview.h"
#include "platform/text_fitting.h"
#include "platform/vb_fonts.h"
#include "tests/support/child_process.h"
#include "tests/support/scripted_services.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    KeyPreviewApplication app(argc, argv);
    // The windows as the program shows them: the forms' face, texts fitted.
    useDialogFontAsDefault();
    installTextFitting();
    ScriptedServices services;
    installMainWindowAssembly();
    int childExitCode = 0;
    if (runRequestedChildAction(argc, argv, childExitCode)) {
        return childExitCode;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
