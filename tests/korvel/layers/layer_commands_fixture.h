#pragma once
// What the tests of the layer pop-up menus, the floating list and the
// properties dialog share: the main window laid out on a known screen with
// the real floating list registered, and layers, blocks and images built in
// memory with their list rows, as the loaders leave them.
#include "korvel/shell/main_form.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/layer_records.h"
#include "tests/support/korvel_test.h"

#include <QString>

class LayerCommandsTest : public KorvelTest
{
protected:
    void SetUp() override;

    MainForm& form();

    // A polygon layer of `shapes` squares of 100 m from (x, y) eastwards, in
    // UTM zone `zone`, with its ticked row; returns its list position.
    int addLayer(int zone = 17, int shapes = 3, double x = 500000.0, double y = 4800000.0);
    // A block whose boundary file lies in the work folder (written, empty),
    // with its row; returns its number.
    int addBlock(const QString& name = QStringLiteral("field.no1"));
    // An image with its row; geo-referenced images are ticked.
    int addImage(const QString& name, bool georeferenced);

    // A pixel in the map picture's corner that only a full redraw (which
    // clears the picture first) wipes.
    void markPicture();
    bool markWiped();
};

// A square ring of side `size` metres with its south-west corner at (x, y),
// clockwise (north up) or counter-clockwise.
ShapeRecord squareRing(double x, double y, double size, bool clockwise);
