// Accept stores the preferences as one update: a program killed while it
// writes them leaves the settings file with all the old values or all the
// new ones, never some of each.
#include "tests/korvel/prefs/pref_form_fixture.h"
#include "tests/support/child_process.h"
#include "tests/support/shapefile_writer.h"
#include "tests/support/state_reset.h"

#include <QFile>
#include <QPushButton>
#include <QScrollBar>

#include <chrono>
#include <csignal>
#include <sys/inotify.h>
#include <thread>
#include <unistd.h>

namespace {

QByteArray readTestFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Kills this process as soon as the registry folder shows the event `at`
// asks for: "temporary" (a temporary file is being written), "rename" (a
// file was renamed into place).
void killOnFirst(const QString& folder, const QString& at)
{
    const int watch = ::inotify_init1(IN_CLOEXEC);
    ::inotify_add_watch(watch, QFile::encodeName(folder).constData(), IN_CREATE | IN_MOVED_TO);
    const uint32_t wanted = at == u"rename" ? IN_MOVED_TO : IN_CREATE;
    std::thread([watch, wanted] {
        alignas(inotify_event) char buffer[4096];
        for (;;) {
            const ssize_t size = ::read(watch, buffer, sizeof buffer);
            for (ssize_t at = 0; at < size;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                const QByteArray name(event->len ? event->name : "");
                if ((event->mask & wanted) && !name.endsWith(".lock")) {
                    ::kill(::getpid(), SIGKILL);
                }
                at += ssize_t(sizeof(inotify_event) + event->len);
            }
        }
    }).detach();
}

} // namespace

// Arguments: the program folder, where to be killed ("never", "temporary",
// "rename"). Accepts new folders, zone and buffer width.
KORVEL_CHILD_ACTION(accept_preferences)
{
    resetAllState(arguments.value(0));
    MainForm::instance();
    PrefForm& prefs = PrefForm::instance();
    prefs.show();
    prefs.Text1[1].setText("/new/sessions/");
    prefs.Text1[5].setText("/new/met/");
    prefs.HScroll1->setValue(20);
    prefs.BufferWidthText->setText("99");
    if (arguments.value(1) != u"never") {
        killOnFirst(qEnvironmentVariable("KORVEL_REGISTRY_DIR"), arguments.value(1));
    }
    prefs.AcceptButton->click();
    if (arguments.value(1) == u"never") {
        return 0;
    }
    // The watcher kills from its own thread: give it time to act on a busy
    // machine, or an Accept that finishes first would look like one the
    // kill missed.
    std::this_thread::sleep_for(std::chrono::seconds(5));
    return 3;
}

namespace {

using PrefAccept = PrefFormTest;

TEST_F(PrefAccept, KilledWhileStoringLeavesAllOldOrAllNewSettings)
{
    SaveRegSetting("DefaultDirs", "SessionDir", "/old/sessions/");
    SaveRegSetting("DefaultDirs", "MetDir", "/old/met/");
    SaveRegSetting("Settings", "Zone", "5");
    SaveRegSetting("Settings", "BufferWidth", "10");
    const QString store = registryDir() + "HKEY_CURRENT_USER.txt";
    const QByteArray old = readTestFile(store);
    QByteArray all; // the file after an Accept left to finish

    const struct
    {
        const char* killed;
        bool finishes;
    } rows[] = { { "never", true }, { "temporary", false }, { "rename", false } };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.killed);
        writeTestFile(store, old);
        const ChildResult child = runChildAction("accept_preferences", { programDir(), row.killed }, 60000);
        EXPECT_EQ(child.finished, row.finishes) << child.output.toStdString();
        const QByteArray after = readTestFile(store);
        if (row.finishes) {
            ASSERT_EQ(child.exitCode, 0) << child.output.toStdString();
            all = after;
            ASSERT_TRUE(all.contains("/new/sessions/") && all.contains("/new/met/")) << all.toStdString();
        } else {
            EXPECT_TRUE(after == old || after == all) << "a mix of old and new:\n" << after.toStdString();
        }
    }
}

} // namespace
