#pragma once
// The base fixture of every test: each test gets its own registry folder,
// program folder and single-instance name, starts from freshly reset module
// data on a 1024 x 768 screen at 32 bits and 15 twips per pixel, and talks to
// scripted message boxes, dialogs, modal forms and launcher. After the test,
// an unexpected box or dialog, a message still waiting to open
// (deferred_msg_box.h) and every queued answer left unused fail it.
#include "tests/support/qt_printers.h"
#include "tests/support/scripted_services.h"

#include <QString>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>

class KorvelTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A private copy of the program folder (executables' data files), ending in "/".
    QString programDir() const;
    // A private scratch folder for files a test writes, ending in "/".
    QString workDir() const;
    // The private registry folder (KORVEL_REGISTRY_DIR points at it).
    QString registryDir() const;
    // The user's data folder (under a private XDG_DATA_HOME), ending in "/";
    // made only when the program writes there.
    QString userDataDir() const;

    ScriptedServices& services() const { return ScriptedServices::instance(); }

    // Message and input boxes.
    const std::vector<MsgBoxRequest>& msgBoxes() const { return services().msgBox.boxes(); }
    const std::vector<InputBoxRequest>& inputBoxes() const { return services().msgBox.inputBoxes(); }
    void queueMsgBoxAnswer(int answer) { services().msgBox.queueAnswer(answer); }
    void queueInputBoxAnswer(const QString& text) { services().msgBox.queueInputText(text); }

    // Common dialog.
    const std::vector<CommonDialogRequest>& dialogs() const { return services().commonDialog.dialogs(); }
    void queueOpenFiles(const QStringList& paths, int filterIndex = 0)
    {
        services().commonDialog.queueOpenFiles(paths, filterIndex);
    }
    void queueSaveFile(const QString& path, int filterIndex = 0)
    {
        services().commonDialog.queueSaveFile(path, filterIndex);
    }
    void queueColor(qint32 vbColor) { services().commonDialog.queueColor(vbColor); }
    void queueFolder(const QString& path) { services().commonDialog.queueFolder(path); }
    void queueDialogCancel() { services().commonDialog.queueCancel(); }

    // Modal forms: the next form of this type shown through ShowModal goes to
    // the handler, which must close it (press OK or Cancel, or call accept()).
    template <class Form, class Handler> void onModal(Handler handler)
    {
        services().modalForms.queueHandler(
            [](QWidget& form) { return dynamic_cast<Form*>(&form) != nullptr; },
            [handler](QWidget& form) { handler(dynamic_cast<Form&>(form)); },
            QString::fromLatin1(Form::staticMetaObject.className()));
    }
    // The same for the next form with this objectName.
    void onModalNamed(const QString& objectName, std::function<void(QWidget&)> handler);
    const std::vector<ScriptedModalForms::ModalRecord>& modalForms() const
    {
        return services().modalForms.forms();
    }

    // Pop-up menus: the item the user picks in the next one (its objectName).
    void queuePopupChoice(const QString& itemName) { services().popupMenu.queueChoice(itemName); }
    const std::vector<ScriptedPopupMenu::Shown>& popupMenus() const { return services().popupMenu.shown(); }

    // Screen.
    void setScreen(int widthPixels, int heightPixels, int bitsPerPixel);
    void setTwipsPerPixel(float x, float y);

    // Program starts and desktop launches (nothing is started).
    const std::vector<LaunchRequest>& launches() const { return services().launcher.launches(); }
    void queueProgramStartFailure(const QString& reason) { services().launcher.queueStartFailure(reason); }

    // For tests that expect the script to be broken: takes what would fail
    // the test at its end.
    QStringList takeScriptFailures() { return services().takeFailures(); }
    // Real Qt dialogs and modal loops until the test ends; see ScriptedServices.
    void useRealDialogs() { services().useRealDialogs(); }

private:
    QTemporaryDir m_root;
};
