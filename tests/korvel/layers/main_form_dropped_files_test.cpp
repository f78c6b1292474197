#include "korvel/layers/dropped_files.h"
#include "korvel/workspace/program_globals.h"
#include "korvel/workspace/redraw_state.h"
#include "platform/picture_box.h"
#include "tests/korvel/layers/layer_list_fixture.h"
#include "tests/support/shapefile_writer.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDropEvent>
#include <QGroupBox>
#include <QImage>
#include <QMimeData>
#include <QUrl>

namespace {

class DroppedFiles : public LayerListTest
{
protected:
    QString writeShapefile(const QString& name) const
    {
        ShapefileWriter writer(5);
        writer.addPoly(
            { { { 500000, 4800000 }, { 500000, 4801000 }, { 501000, 4801000 }, { 500000, 4800000 } } });
        const QString path = workDir() + name;
        writer.write(path);
        return path;
    }

    QString writePicture(const QString& name) const
    {
        QImage picture(8, 8, QImage::Format_RGB32);
        picture.fill(Qt::green);
        const QString path = workDir() + name;
        EXPECT_TRUE(picture.save(path, "JPG"));
        return path;
    }

    // The shell's drop of these files on a control, and the wait until it is handled.
    static void drop(QWidget& target, const QStringList& paths)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& path : paths) {
            urls << QUrl::fromLocalFile(path);
        }
        urls << QUrl(QStringLiteral("https://example.org/page.shp")); // not a file: left out
        data.setUrls(urls);
        // A drop reaches only the control that took the drag as it entered.
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&target, &enter);
        QDropEvent event(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&target, &event);
        QCoreApplication::processEvents();
    }
};

TEST_F(DroppedFiles, KindsGoByTheLastThreeCharactersInAnyLetterCase)
{
    const std::pair<const char*, DroppedFileKind> rows[]
        = { { "/a/b.JPG", DroppedFileKind::Image }, { "/a/b.Gif", DroppedFileKind::Image },
              { "/a/b.bmp", DroppedFileKind::Image }, { "/a/b.jpeg", DroppedFileKind::Ignored },
              { "/a/b.tif", DroppedFileKind::Ignored }, { "/a/b.SHP", DroppedFileKind::GISLayer },
              { "/a/b.e00", DroppedFileKind::GISLayer }, { "/a/b.no1", DroppedFileKind::BlockBoundary },
              { "/a/b.korvel", DroppedFileKind::Ignored }, { "/a/shp", DroppedFileKind::GISLayer } };
    for (auto [path, kind] : rows) {
        EXPECT_EQ(droppedFileKind(QString::fromLatin1(path)), kind) << path;
    }
}

TEST_F(DroppedFiles, MixedFilesLoadOneByOneAndARefusedOneDoesNotStopTheRest)
{
    MainForm& window = form();
    globals().ImmediateGraph = true;
    const QString layer = writeShapefile("fields.shp");
    const QString picture = writePicture("photo.JPG");
    queueMsgBoxAnswer(vbOK);
    drop(*window.Frame1,
        { layer, workDir() + "notes.txt", workDir() + "work.korvel", layer, picture,
            workDir() + "scan.tif" });

    EXPECT_EQ(layerData().GISCount, 1);
    EXPECT_EQ(layerData().ImageCount, 1);
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_TRUE(msgBoxes()[0].prompt.endsWith("has already been opened"));
    EXPECT_TRUE(window.GISCheck[1].isChecked());
    EXPECT_FALSE(layerData().GISLayers[1].Visible) << "the drop itself draws nothing";
    EXPECT_FALSE(redrawState().Busy);
}

TEST_F(DroppedFiles, TheMapTakesDropsLikeTheList)
{
    MainForm& window = form();
    drop(*window.Picture1, { writeShapefile("roads.shp") });
    EXPECT_EQ(layerData().GISCount, 1);
}

} // namespace
