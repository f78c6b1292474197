// The korvel executable: runs the start-up procedure, then the event loop
// until the exit routine unloads the main window.
#include "korvel/app/main_window_assembly.h"
#include "korvel/app/startup.h"
#include "korvel/guidance/guidance_form.h"
#include "korvel/layers/check_list_form.h"
#include "korvel/map/zoom_form.h"
#include "korvel/shell/floating_windows.h"
#include "korvel/shell/main_form.h"
#include "korvel/workspace/program_globals.h"
#include "platform/console_msg_box.h"
#include "platform/key_preview.h"
#include "platform/msg_box.h"
#include "platform/program_identity.h"
#include "platform/text_fitting.h"
#include "platform/vb_fonts.h"

#include <QDir>
#include <QEvent>
#include <QStringList>

int main(int argc, char** argv)
{
    // A relative path on the command line is taken from the folder KORVEL
    // was started in, noted before anything else runs.
    globals().StartDir = QDir::currentPath();
    // It tells the forms' key previews which control each key went to first.
    KeyPreviewApplication app(argc, argv);
    setProgramTitle(QStringLiteral("KORVEL"));
    // Every window in the forms' face, every text whole.
    useDialogFontAsDefault();
    installTextFitting();
    // With no display to show them on, message boxes go to standard error.
    ConsoleMsgBox consoleMsgBox;
    if (isHeadlessPlatform()) {
        setMsgBoxBackend(&consoleMsgBox);
    }
    // The window's close ends the program even if a window of its own (one
    // the exit routine only lets go of) is still open.
    app.setQuitOnLastWindowClosed(false);
    // The main window comes with its parts, and its toggles open the
    // floating windows.
    installMainWindowAssembly();
    setFloatingToolWindow(FloatingTool::CheckList, &checkListFormTool());
    setFloatingToolWindow(FloatingTool::Zoom, &zoomFormTool());
    setFloatingToolWindow(FloatingTool::Guidance, &guidanceFormTool());
    // The command line as one text, the way the start-up takes it:
    // a path with blanks arrives whole whether it was quoted or not.
    const QString commandLine = QCoreApplication::arguments().mid(1).join(u' ');
    if (!Main(commandLine)) {
        return 0;
    }
    QObject::connect(
        &MainForm::instance(), &MainForm::unloaded, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    const int result = app.exec();
    // The released window is deleted from the event loop, which has ended.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    setMsgBoxBackend(nullptr);
    return result;
}
