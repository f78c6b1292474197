// The quillet executable: the updater's window, then the event loop until
// the window closes.
#include "platform/program_identity.h"
#include "platform/text_fitting.h"
#include "platform/vb_fonts.h"
#include "quillet/frm_main.h"
#include "quillet/quillet_icon.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    setProgramTitle(QStringLiteral("Quillet"));
    useDialogFontAsDefault();
    installTextFitting();
    QApplication::setWindowIcon(quillet::quilletIcon());
    frmMain::instance().show();
    const int exitCode = QApplication::exec();
    frmMain::release();
    return exitCode;
}
