#include "korvel/app/startup.h"

#include "korvel/app/shown_size_wait.h"
#include "korvel/prefs/load_from_command_line.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/reg_settings.h"
#include "korvel/workspace/program_globals.h"
#include "platform/file_helpers.h"
#include "platform/msg_box.h"
#include "platform/process_launcher.h"
#include "platform/registry_store.h"
#include "platform/screen_metrics.h"
#include "platform/single_instance.h"
#include "platform/vb_error.h"
#include "platform/vb_random.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

// Screens up to this size are refused: the program needs room for its panel.
constexpr int kMinimumWidth = 640;
constexpr int kMinimumHeight = 480;

// The updater saves the new setup program here; it is removed at the next start.
void removeUpdateFolder(const QString& rootDir)
{
    const QString folder = rootDir + QStringLiteral("Update");
    // A link in the folder's place is left alone: following it would delete
    // the files of whatever folder it points to.
    const QFileInfo info(folder);
    if (info.isSymLink() || !info.isDir()) {
        return;
    }
    // Failures are ignored: a file in use stays, and so does its folder.
    deleteFilesInRealFolder(folder);
    removeFolder(folder);
}

// A settings file that cannot be read is left exactly as it is (the store
// never writes it), so every change the user makes would be lost in silence:
// say so once, naming the file.
void warnAboutDamagedSettings()
{
    const QString failure = registryStore().rootFailure(HKEY_CURRENT_USER);
    if (!failure.isEmpty()) {
        MsgBox(QStringLiteral("KORVEL's settings cannot be used:\r") + failure
                + QStringLiteral("\r\rKORVEL starts with its default settings and will not save any "
                                 "setting until the file is repaired."),
            vbExclamation);
    }
}

// Without a private folder for its socket (where XDG_RUNTIME_DIR is unset and
// another user made "korvel-<uid>" in the shared temporary folder first),
// KORVEL can neither see a copy already running nor be reached by another
// program. It still runs, but the user is told once, with the folder to mend.
void warnAboutMissingMailbox()
{
    if (!SingleInstance::serverName().isEmpty()) {
        return;
    }
    QString why;
    SingleInstance::socketFolder(&why);
    MsgBox(QStringLiteral("KORVEL cannot make sure that only one copy of it runs, and other programs "
                          "cannot ask it to save its session and quit:\r")
            + why
            + QStringLiteral("\r\rKORVEL goes on without this check, so take care not to start it twice. "
                             "To mend it, have that folder removed, or set XDG_RUNTIME_DIR to a "
                             "folder of your own."),
        vbExclamation);
}

// True when the screen is large enough; otherwise asks whether to change it.
bool acceptScreen(int width, int height)
{
    if (width > kMinimumWidth && height > kMinimumHeight) {
        return true;
    }
    const QString question = QStringLiteral("KORVEL has detected that your display's resolution\r"
                                            "is %1x%2.  Due to the highly graphical nature of GIS\r"
                                            "data, KORVEL has been designed to run best at a\r"
                                            "resolution of 1024x768 or higher.  Some other common\r"
                                            "resolutions are:\r"
                                            "\t  800x600   (not recommended)\r"
                                            "\t1152x864\r"
                                            "\t1280x960\r"
                                            "\r"
                                            "Would you like to change resolutions now?")
                                 .arg(width)
                                 .arg(height);
    if (MsgBox(question, vbYesNo + vbExclamation) == vbYes) {
        openDisplaySettings();
    }
    return false;
}

} // namespace

QString programFolder(const QString& rootDirSetting, const QString& executableFolder)
{
    QString folder = rootDirSetting.isEmpty() ? executableFolder : rootDirSetting;
    if (!folder.endsWith(u'/')) {
        folder += u'/';
    }
    return folder;
}

int screenWidthPixels()
{
    return twipsToPixelsX(screenWidthTwips());
}

int screenHeightPixels()
{
    return twipsToPixelsY(screenHeightTwips());
}

bool Main(const QString& commandLine, std::chrono::milliseconds shownSizeBound)
{
    if (SingleInstance::anotherInstanceRunning()) {
        // Nothing is passed to the running copy, not even a file to open.
        MsgBox(QStringLiteral("There is already another copy of KORVEL running."), vbExclamation);
        return false;
    }
    warnAboutMissingMailbox();
    warnAboutDamagedSettings();
    ProgramGlobals& program = globals();
    program.RootDir = programFolder(
        GetRegSetting("Settings", "RootDir", QString()), QCoreApplication::applicationDirPath());
    removeUpdateFolder(program.RootDir);

    program.ScreenWidth = screenWidthPixels();
    program.ScreenHeight = screenHeightPixels();
    if (!acceptScreen(program.ScreenWidth, program.ScreenHeight)) {
        return false;
    }

    Randomize();
    program.GISLoaded = false;
    program.AGNAVLoaded = false;
    program.ImageLoaded = false;
    program.UTMMode = true;
    program.Pi = 4.0 * std::atan(1.0);
    program.CoordFormat = QStringLiteral("0");

    MainForm* form = nullptr;
    try {
        form = &MainForm::instance();
    } catch (const VbError& error) {
        MsgBox(error.Description(), vbExclamation);
        return false;
    }
    form->showMaximized();
    if (!commandLine.isEmpty()) {
        // The file's first view is fitted to the map as the window is shown,
        // so it waits for the window manager's maximised size: a view fitted
        // to the smaller window before would keep its scale and fill only
        // part of the map.
        waitForShownSize(*form, shownSizeBound);
    }
    // The first layout runs as the window is shown, before a file is opened.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    if (!commandLine.isEmpty()) {
        QString text = commandLine;
        LoadFromCommandLine(text);
    }
    return true;
}
