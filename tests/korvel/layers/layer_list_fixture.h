#pragma once
// What the layer list's tests share: the main window laid out for a screen
// (not shown), and loaded data built in memory as the loaders leave it,
// each item announced to the list as its loader does.
#include "korvel/shell/main_form.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/layer_records.h"
#include "tests/support/korvel_test.h"

#include <QString>

class QCheckBox;
class QLabel;

class LayerListTest : public KorvelTest
{
protected:
    void SetUp() override;

    // The window laid out for a 1024 x 768 screen, or the screen set by useScreen().
    MainForm& form();
    void useScreen(int width, int height);

    // An image (its file need not exist) with a geo-reference or without.
    int addImage(const QString& name, bool georeferenced);
    // A UTM polygon layer in zone 17: one square per corner given.
    int addLayer(const QString& name, qint32 colour, double x = 500000.0, double y = 4800000.0);
    // A UTM block in zone 17 with a square boundary; its job folder "JOB/".
    int addBlock(const QString& name, double x = 500000.0, double y = 4800000.0);
    void addGuidance(int block);
    void addExclusion(int block, int zones = 1);
    void addFlight(int block, const QString& name);

    // The ticks of rows 1..UBound as "1" and "0".
    static QString ticks(const ControlArray<QCheckBox>& checks);
    // The captions of rows 1..UBound.
    static QStringList captions(const ControlArray<QLabel>& labels);
    // The rows of an array shown inside the panel.
    static QList<int> shownRows(const ControlArray<QCheckBox>& checks);
    // Lets deferred deletes run.
    static void settle();
};
