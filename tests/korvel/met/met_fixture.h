#pragma once
// What the tests of the meteorology on the main window share: the window
// laid out for a 1024 x 768 screen (not shown), data files written into the
// work folder and loaded through the menu commands, manual entries typed
// into the dialog, and blocks with guidance lines listed in the layer list.
#include "korvel/met/met_data.h"
#include "korvel/shell/main_form.h"
#include "korvel/workspace/agnav_block.h"
#include "tests/support/korvel_test.h"

#include <QString>

class ManualForm;

class MetWindowTest : public KorvelTest
{
protected:
    void SetUp() override;

    MainForm& form();
    QString writeFile(const QString& name, const QByteArray& bytes) const;

    // Chooses the file in the dialog of the load command.
    void loadKitoon(const QString& path);
    void loadTower(const QString& path);
    // A Kitoon file of three records, 9:00:00, 9:00:10 and 9:00:20 on
    // 15 July 1999, blowing from 0, 90 and 180 degrees at 1, 2 and 3 m/s.
    QString writeThreeRecords(const QString& name) const;
    // Types the values into the manual entry dialog and presses Accept.
    void enterManual(const QString& knots, const QString& direction, const QString& temperature);

    // The record a source shows.
    static const MetRecord& shown(int source);

    // A UTM block in zone 17 whose guidance lines run east from (x, y),
    // one every 30 m northwards, each 400 m long; listed and ticked.
    int addBlock(const QString& name, int lines, double x = 500000.0, double y = 4800000.0);
    void addExclusion(int block);
    void addFlight(int block, const QString& name);
    // A module in the program folder's "optimization/", chosen in the settings.
    void chooseModule(const QString& name, float c0, float c1, float c2);
    // Lets deferred deletes run.
    static void settle();
};
