// The korvel executable: runs the start-up procedure, then the event loop.
#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    return 0;
}
