#pragma once
// What the job dialog's tests share: a new block appended as digitizing
// leaves it before the dialog, the dialog itself shown (not modal), and the
// user's focus moves into and out of its boxes.
#include "korvel/agnav/agnav_form.h"
#include "korvel/agnav/block_creation.h"
#include "korvel/map/map_state.h"
#include "tests/korvel/agnav/agnav_commands_fixture.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>

class AgnavFormTest : public AgnavCommandsTest
{
protected:
    void TearDown() override
    {
        AGNAVForm::release();
        AgnavCommandsTest::TearDown();
    }

    // The block the dialog works on: an 800 x 600 m field in zone 17 whose
    // boundary file is to be `name`.
    int appendNewBlock(const QString& name = QStringLiteral("FIELD7.no1"))
    {
        CreatedBlockSource source;
        source.path = workDir() + name;
        source.ring.resize(4);
        source.ring.X = { 0, 500000, 500000, 500800, 500800 };
        source.ring.Y = { 0, 4800000, 4800600, 4800600, 4800000 };
        return appendCreatedBlock(source);
    }

    // The dialog loaded, as the user first sees it.
    AGNAVForm& openForm()
    {
        AGNAVForm& dialog = AGNAVForm::instance();
        dialog.show();
        return dialog;
    }

    static void enter(QLineEdit* box)
    {
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(box, &in);
    }
    static void leave(QLineEdit* box)
    {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(box, &out);
    }
    // The user types a text into a box and leaves it.
    static void type(QLineEdit* box, const QString& text)
    {
        enter(box);
        box->setText(text);
        leave(box);
    }
};
