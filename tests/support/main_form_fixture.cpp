#include "tests/support/main_form_fixture.h"

#include "korvel/shell/reg_settings.h"
#include "korvel/workspace/program_globals.h"
#include "platform/file_helpers.h"

#include <QCoreApplication>
#include <QEvent>

StandInFloatingWindow::StandInFloatingWindow(const QString& name)
    : m_name(name)
{
}

StandInFloatingWindow::~StandInFloatingWindow()
{
    delete m_window;
}

void StandInFloatingWindow::show()
{
    if (!m_window) {
        m_window = new QWidget(MainForm::existing(), Qt::Tool);
        m_window->setObjectName(m_name);
        m_window->resize(200, 300);
    }
    m_window->show();
    ++shows;
}

void StandInFloatingWindow::unload()
{
    delete m_window;
    ++unloads;
}

void MainFormTest::SetUp()
{
    KorvelTest::SetUp();
    // The screen the start-up would have measured.
    globals().ScreenWidth = 1024;
    globals().ScreenHeight = 768;
}

MainForm& MainFormTest::form()
{
    MainForm& window = MainForm::instance();
    setFloatingToolWindow(FloatingTool::CheckList, &checkList);
    setFloatingToolWindow(FloatingTool::Zoom, &zoomWindow);
    return window;
}

MainForm& MainFormTest::shownForm()
{
    MainForm& window = form();
    window.showMaximized();
    settle();
    return window;
}

void MainFormTest::settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void MainFormTest::storeSetting(const QString& section, const QString& name, const QString& value)
{
    SaveRegSetting(section, name, value);
}

void MainFormTest::writeEllipsoidTable(const QByteArray& bytes) const
{
    ASSERT_TRUE(writeFileAtomically(programDir() + "ellipsoid.dat", bytes));
}
