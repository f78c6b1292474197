#include "korvel/layers/layer_list.h"
#include "korvel/workspace/program_globals.h"
#include "platform/control_drag.h"
#include "platform/picture_box.h"
#include "platform/vb_input_codes.h"
#include "tests/korvel/layers/layer_list_fixture.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>

namespace {

class RowInteraction : public LayerListTest
{
protected:
    // The record names of the list positions: "ABCD".
    static QString imageOrder()
    {
        QString names;
        const LayerData& layers = layerData();
        for (int p = 1; p <= layers.ImageCount; ++p) {
            names += layers.Images[size_t(layers.ImageOrder[size_t(p)])].FileName.left(1);
        }
        return names;
    }

    static void mouse(QWidget& receiver, QEvent::Type type, QWidget& at, Qt::MouseButtons held)
    {
        const QPointF global = at.mapToGlobal(QPointF(at.width() / 2.0, at.height() / 2.0));
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, receiver.mapFromGlobal(global), global, button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&receiver, &event);
    }

    // A drag of `source` with the mouse over each of `over`, released over the last.
    static void drag(QLabel& source, std::initializer_list<QWidget*> over)
    {
        mouse(source, QEvent::MouseButtonPress, source, Qt::LeftButton);
        for (QWidget* target : over) {
            mouse(source, QEvent::MouseMove, *target, Qt::LeftButton);
        }
        mouse(source, QEvent::MouseButtonRelease, **(over.end() - 1), Qt::NoButton);
    }
};

TEST_F(RowInteraction, ATickRedrawsAtOnceOnlyWithImmediateGraph)
{
    addLayer("fields.shp", 0);
    MainForm& window = form();
    const GISLayer& layer = layerData().GISLayers[1];
    window.GISCheck[1].setChecked(false);
    window.GISCheck[1].setChecked(true);
    EXPECT_FALSE(layer.Visible) << "no redraw yet";
    globals().ImmediateGraph = true;
    window.GISCheck[1].setChecked(false);
    window.GISCheck[1].setChecked(true);
    EXPECT_TRUE(layer.Visible);
}

TEST_F(RowInteraction, ADroppedRowTakesItsTickAlongAndDeletionKeepsEveryOtherRowsLayer)
{
    for (const char* name : { "A.jpg", "B.jpg", "C.jpg", "D.jpg" }) {
        addImage(QString::fromLatin1(name), true);
    }
    MainForm& window = form();
    window.ImageCheck[2].setChecked(false);
    LayerList::instance().ImageCheckLabel_DragDrop(1, &window.ImageCheckLabel[3], 0, 0);
    EXPECT_EQ(imageOrder(), "CABD");
    EXPECT_EQ(ticks(window.ImageCheck), "1101");
    EXPECT_TRUE(layerData().Images[1].Redraw) << "A, which stood at the target";
    EXPECT_TRUE(window.ImageCheckLabel[1].text().endsWith("C.jpg"));

    LayerList::instance().ImageCheckLabel_DragDrop(3, &window.ImageCheckLabel[1], 0, 0);
    EXPECT_EQ(imageOrder(), "ABCD");
    EXPECT_EQ(ticks(window.ImageCheck), "1011");

    LayerList::instance().ImageCheckLabel_DragDrop(1, &window.ImageCheckLabel[3], 0, 0); // CABD again
    LayerList::instance().DeleteImage(2); // A
    EXPECT_EQ(imageOrder(), "CBD");
    EXPECT_EQ(ticks(window.ImageCheck), "101");
    EXPECT_EQ(layerData().Images.size(), 4u);
    EXPECT_TRUE(window.ImageCheckLabel[2].text().endsWith("B.jpg"));

    // A label of the other group, or the row itself, moves nothing.
    addLayer("fields.shp", 0);
    LayerList::instance().ImageCheckLabel_DragOver(1, &window.GISCheckLabel[1], 0, 0, vbOver);
    LayerList::instance().ImageCheckLabel_DragDrop(1, &window.GISCheckLabel[1], 0, 0);
    LayerList::instance().ImageCheckLabel_DragDrop(2, &window.ImageCheckLabel[2], 0, 0);
    EXPECT_EQ(imageOrder(), "CBD");
    EXPECT_EQ(window.ImageCheckLabel[1].palette().color(QPalette::WindowText), QColor(0, 0, 0));
}

TEST_F(RowInteraction, DraggingWithTheMouseReordersAndAShapefileRowDraggedOverTheMapIsCancelled)
{
    addLayer("fields.shp", 0);
    addLayer("roads.e00", 0);
    addLayer("streams.shp", 0);
    MainForm& window = form();
    const auto names = [] {
        QString order;
        for (int p = 1; p <= 3; ++p) {
            order += layerData().GISLayers[size_t(layerData().GISOrder[size_t(p)])].FileName.left(1);
        }
        return order;
    };

    drag(window.GISCheckLabel[3], { &window.GISCheckLabel[2], &window.GISCheckLabel[1] });
    EXPECT_EQ(names(), "sfr");

    // "streams.shp", now first, passes over the map on its way: the drag ends there.
    drag(window.GISCheckLabel[1], { window.Picture1, &window.GISCheckLabel[3] });
    EXPECT_EQ(names(), "sfr");
    // "roads.e00" is no shapefile's row: it may cross the map.
    drag(window.GISCheckLabel[3], { window.Picture1, &window.GISCheckLabel[1] });
    EXPECT_EQ(names(), "rsf");
}

TEST_F(RowInteraction, ARightClickSelectsTheRowAndCtrlRightDeletesIt)
{
    addLayer("fields.shp", 0);
    addLayer("roads.shp", 0);
    MainForm& window = form();
    LayerList::instance().GISCheckLabel_MouseDown(2, vbRightButton, 0, 0, 0);
    EXPECT_EQ(window.SelectedLayer, 2);
    LayerList::instance().GISCheckLabel_MouseDown(1, vbRightButton, vbCtrlMask | vbAltMask, 0, 0);
    EXPECT_EQ(layerData().GISCount, 2);
    LayerList::instance().GISCheckLabel_MouseDown(1, vbRightButton, vbCtrlMask, 0, 0);
    EXPECT_EQ(layerData().GISCount, 1);
    EXPECT_EQ(layerData().GISLayers[1].FileName, "roads.shp");
    EXPECT_FALSE(window.GISCheck.exists(2));
}

} // namespace
