#pragma once
// What the preferences' tests share: the main window, the dialog itself
// shown (not modal) as the user first sees it, and the settings store read
// back.
#include "korvel/prefs/pref_form.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/reg_settings.h"
#include "korvel/workspace/main_settings.h"
#include "korvel/workspace/program_globals.h"
#include "platform/picture_box.h"
#include "tests/support/focus_moves.h"
#include "tests/support/korvel_test.h"

#include <QLineEdit>

class PrefFormTest : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        MainForm::instance();
    }
    void TearDown() override
    {
        PrefForm::release();
        KorvelTest::TearDown();
    }

    static MainForm& mainForm() { return MainForm::instance(); }

    // The dialog loaded and filled, on tab `tab`.
    static PrefForm& openPrefs(int tab = 1)
    {
        PrefForm& prefs = PrefForm::instance();
        prefs.StartTab = tab;
        prefs.show();
        return prefs;
    }

    static QString stored(const QString& section, const QString& name)
    {
        return GetRegSetting(section, name, QStringLiteral("<none>"));
    }
};
