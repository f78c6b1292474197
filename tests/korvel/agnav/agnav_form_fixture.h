#pragma once
// What the job dialog's tests share: a new block appended as digitizing
// leaves it before the dialog, the dialog itself shown (not modal), and the
// user's focus moves into and out of its boxes.
#include "korvel/agnav/agnav_form.h"
#include "korvel/agnav/block_creation.h"
#include "korvel/workspace/map_state.h"
#include "tests/korvel/agnav/agnav_commands_fixture.h"
#include "tests/support/focus_moves.h"

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
};
