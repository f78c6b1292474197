#include "tests/support/korvel_test.h"

#include "platform/deferred_msg_box.h"
#include "platform/screen_metrics.h"
#include "tests/support/state_reset.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace {

// Copies the data files of the built program folder (not the executables)
// so a test may add, change or delete them freely.
void copyProgramData(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        const QString target = to + "/" + QDir(from).relativeFilePath(path);
        if (info.isDir()) {
            QDir().mkpath(target);
        } else if (!info.isExecutable()) {
            QFile::copy(path, target);
        }
    }
}

} // namespace

void KorvelTest::SetUp()
{
    ASSERT_TRUE(m_root.isValid());
    QDir(m_root.path()).mkpath("registry");
    QDir(m_root.path()).mkpath("work");
    QDir(m_root.path()).mkpath("data");
    copyProgramData(QStringLiteral(KORVEL_TEST_PROGRAM_DIR), m_root.path() + "/program");
    qputenv("KORVEL_REGISTRY_DIR", registryDir().toUtf8());
    // The user's data folder of this test alone (user_data_files.h).
    qputenv("XDG_DATA_HOME", (m_root.path() + "/data").toUtf8());
    // A socket of this test's own, so parallel runs never see each other's copy.
    qputenv("KORVEL_INSTANCE_NAME", (m_root.path() + "/instance").toUtf8());
    resetAllState(programDir());
}

void KorvelTest::TearDown()
{
    if (const QString waiting = waitingMsgBoxPrompt(); !waiting.isEmpty()) {
        ADD_FAILURE() << "A message waits unseen: " << waiting.toStdString();
    }
    for (const QString& failure : services().takeFailures()) {
        ADD_FAILURE() << failure.toStdString();
    }
    resetAllState(programDir());
}

QString KorvelTest::programDir() const { return m_root.path() + "/program/"; }
QString KorvelTest::workDir() const { return m_root.path() + "/work/"; }
QString KorvelTest::registryDir() const { return m_root.path() + "/registry/"; }
QString KorvelTest::userDataDir() const { return m_root.path() + "/data/KORVEL/"; }

void KorvelTest::onModalNamed(const QString& objectName, std::function<void(QWidget&)> handler)
{
    services().modalForms.queueHandler(
        [objectName](QWidget& form) { return form.objectName() == objectName; }, std::move(handler),
        objectName);
}

void KorvelTest::setScreen(int widthPixels, int heightPixels, int bitsPerPixel)
{
    ScreenMetrics metrics = screenMetrics();
    metrics.widthPixels = widthPixels;
    metrics.heightPixels = heightPixels;
    metrics.bitsPerPixel = bitsPerPixel;
    setScreenMetrics(metrics);
}

void KorvelTest::setTwipsPerPixel(float x, float y)
{
    ScreenMetrics metrics = screenMetrics();
    metrics.twipsPerPixelX = x;
    metrics.twipsPerPixelY = y;
    setScreenMetrics(metrics);
}
