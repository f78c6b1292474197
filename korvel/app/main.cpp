// The korvel executable: runs the start-up procedure, then the event loop.
#include "platform/program_identity.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    setProgramTitle(QStringLiteral("KORVEL"));
    return 0;
}
