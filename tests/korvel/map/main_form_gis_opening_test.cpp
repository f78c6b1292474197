// Opening GIS layers through File > "Load GIS Layer": the checks and their
// refusals, failures that leave nothing behind, the coordinate mode an
// empty map takes from its first layer, and the zoom to the first layers.
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/main_settings.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "korvel/workspace/redraw_state.h"
#include "platform/msg_box.h"
#include "platform/picture_box.h"
#include "platform/vb_colors.h"
#include "tests/korvel/map/map_view_fixture.h"
#include "tests/support/arcinfo_export_writer.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>

namespace {

class GISOpening : public MapViewTest
{
protected:
    QString fieldsFile(const QString& name = QStringLiteral("fields.shp"))
    {
        return writePolygons(name, { { ringOf(500000, 4800000, 502000, 4801000) } });
    }

    void open(const QStringList& paths)
    {
        queueOpenFiles(paths);
        view().File_OpenGIS_Click();
    }

    QStringList prompts() const
    {
        QStringList texts;
        for (const MsgBoxRequest& box : msgBoxes()) {
            texts.append(box.prompt);
        }
        return texts;
    }
};

TEST_F(GISOpening, AFirstLayerIsListedTickedDrawnAndZoomedTo)
{
    const QString path = fieldsFile();
    open({ path });
    const LayerData& data = layerData();
    ASSERT_EQ(data.GISCount, 1);
    const GISLayer& layer = data.GISLayers[1];
    EXPECT_EQ(layer.Path, path);
    EXPECT_EQ(layer.FileName, "fields.shp");
    EXPECT_EQ(layer.Thickness, 1);
    EXPECT_EQ(layer.CoordType, "UTM");
    EXPECT_EQ(layer.Zone, 17) << "the map's zone";
    EXPECT_TRUE(globals().GISLoaded);
    EXPECT_FALSE(mapState().MapEmpty);
    EXPECT_EQ(data.DataExtent.XMin, 500000.0) << "the first layer's extent replaces the start values";
    EXPECT_EQ(data.DataExtent.YMax, 4801000.0);
    MainForm& window = form();
    EXPECT_TRUE(window.GISCheck[1].isChecked());
    EXPECT_EQ(window.GISCheckLabel[1].text(), layer.DisplayName);
    EXPECT_EQ(window.Picture1->ScaleLeft(), 500000.0f) << "zoomed to the new layer";
    EXPECT_EQ(window.Picture1->ScaleWidth(), 2000.0f);
    EXPECT_EQ(mapColourAt(501000, 4800500), toQColor(layer.Colours[0]));
    EXPECT_EQ(mainSettings().SHPDir, workDir()) << "the next dialog starts here";
    EXPECT_FALSE(redrawState().Busy);
    EXPECT_TRUE(msgBoxes().empty());
}

TEST_F(GISOpening, ALaterLayerGrowsTheExtentAndDoesNotZoom)
{
    open({ fieldsFile() });
    const float left = form().Picture1->ScaleLeft();
    open({ writeLines(QStringLiteral("roads.shp"), { { { { 490000, 4799000 }, { 495000, 4800000 } } } }) });
    EXPECT_EQ(layerData().GISCount, 2);
    EXPECT_EQ(layerData().DataExtent.XMin, 490000.0);
    EXPECT_EQ(layerData().DataExtent.XMax, 502000.0);
    EXPECT_EQ(form().Picture1->ScaleLeft(), left);
}

TEST_F(GISOpening, ChecksRefuseWithTheirMessagesAndTheOtherFilesStillOpen)
{
    const QString good = fieldsFile();
    const QString notShp = workDir() + "notes.shp";
    writeTestFile(notShp, "plain text, no shapefile");
    const QString notExport = workDir() + "cover.e00";
    writeTestFile(notExport, "SOMETHING ELSE\n");
    const QString later
        = writeLines(QStringLiteral("roads.shp"), { { { { 500000, 4800000 }, { 501000, 4800500 } } } });
    for (int i = 0; i < 4; ++i) {
        queueMsgBoxAnswer(vbOK);
    }
    open({ workDir() + "missing.shp", notShp, good, notExport, good, later });
    EXPECT_EQ(prompts(),
        (QStringList { "File does not exist", "File is not in SHP format",
            "File does not seem to be in ArcExport format", good + "\r\rhas already been opened" }));
    ASSERT_EQ(layerData().GISCount, 2);
    EXPECT_EQ(layerData().GISLayers[1].Path, good);
    EXPECT_EQ(layerData().GISLayers[2].Path, later) << "in the order the dialog gave them";
    EXPECT_EQ(msgBoxes()[0].buttons, vbOKOnly);
    EXPECT_EQ(msgBoxes()[0].caption, "KORVEL");
}

// A dot at the start of a name hides a file from listings, not from the
// user who chose it: it opens like any other.
TEST_F(GISOpening, AFileWhoseNameStartsWithADotOpensLikeAnyOther)
{
    const QString hidden = fieldsFile(QStringLiteral(".fields.shp"));
    open({ hidden });
    EXPECT_TRUE(msgBoxes().empty());
    ASSERT_EQ(layerData().GISCount, 1);
    EXPECT_EQ(layerData().GISLayers[1].FileName, ".fields.shp");
}

TEST_F(GISOpening, AReaderRefusalIsShownThenTheFailureAndNothingStaysBehind)
{
    open({ fieldsFile() });
    ShapefileWriter multipoints(8);
    multipoints.addNull();
    const QString path = workDir() + "wells.shp";
    multipoints.write(path);
    queueMsgBoxAnswer(vbOK);
    queueMsgBoxAnswer(vbOK);
    open({ path });
    ASSERT_EQ(msgBoxes().size(), 2u);
    EXPECT_EQ(msgBoxes()[0].prompt, "SHP file format not\rcurrently supported\r\rShapeType = 8");
    EXPECT_TRUE(msgBoxes()[1].prompt.startsWith(
        "KORVEL encountered an error while opening 'wells.shp'.\r\rDescription: "));
    EXPECT_EQ(layerData().GISCount, 1) << "the loaded layer stays, the new one is gone";
    EXPECT_FALSE(form().GISCheck.exists(2));
    EXPECT_TRUE(globals().GISLoaded);
}

TEST_F(GISOpening, AFileThatFailsToReadIsTakenBackWithItsDescription)
{
    const QString path = fieldsFile(QStringLiteral("cut.shp"));
    QFile file(path);
    ASSERT_TRUE(file.resize(120)); // the header and half a record
    queueMsgBoxAnswer(vbOK);
    open({ path });
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_TRUE(msgBoxes()[0].prompt.contains("cut.shp")) << msgBoxes()[0].prompt.toStdString();
    EXPECT_EQ(layerData().GISCount, 0);
    EXPECT_FALSE(globals().GISLoaded);
    EXPECT_TRUE(mapState().MapEmpty);
}

TEST_F(GISOpening, ErrorsOutsideTheOpeningAreShownNotSwallowed)
{
    // An export file with nothing in it cannot even be checked.
    const QString empty = workDir() + "empty.e00";
    writeTestFile(empty, QByteArray());
    queueMsgBoxAnswer(vbOK);
    open({ empty, fieldsFile() });
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_TRUE(msgBoxes()[0].prompt.contains("empty.e00")) << msgBoxes()[0].prompt.toStdString();
    EXPECT_TRUE(msgBoxes()[0].prompt.contains("Input past end of file"));
    EXPECT_EQ(layerData().GISCount, 0) << "the command ends there";

    // The 256th layer.
    for (int i = 1; i <= 255; ++i) {
        appendGISLayer();
    }
    queueMsgBoxAnswer(vbOK);
    open({ fieldsFile(QStringLiteral("one-too-many.shp")) });
    ASSERT_EQ(msgBoxes().size(), 2u);
    EXPECT_EQ(msgBoxes()[1].prompt, "Cannot load more than 255 GIS layers.");
    EXPECT_EQ(layerData().GISCount, 255);
    EXPECT_FALSE(redrawState().Busy);
}

TEST_F(GISOpening, AGeographicLayerTurnsAnEmptyMapToLatitudeAndLongitude)
{
    const QString degrees
        = writePolygons(QStringLiteral("county.shp"), { { ringOf(-81.1, 43.2, -80.9, 43.4) } });
    open({ degrees });
    EXPECT_FALSE(globals().UTMMode);
    EXPECT_EQ(globals().CoordFormat, "0.0000");
    const GISLayer& layer = layerData().GISLayers[1];
    EXPECT_EQ(layer.CoordType, "GEO");
    EXPECT_DOUBLE_EQ(layer.XMin, -81.1) << "not converted";
    EXPECT_EQ(form().Text2->text(), "43.2000") << "the boxes in degrees";
}

TEST_F(GISOpening, AGeographicLayerOnAUTMMapIsConverted)
{
    open({ fieldsFile() });
    open({ writePolygons(QStringLiteral("county.shp"), { { ringOf(-81.1, 43.2, -80.9, 43.4) } }) });
    EXPECT_TRUE(globals().UTMMode);
    const GISLayer& layer = layerData().GISLayers[2];
    EXPECT_EQ(layer.CoordType, "GEO") << "the type names the file's system";
    EXPECT_NEAR(layer.XMin, 492000, 2000) << "now in metres of zone 17";
    EXPECT_NEAR(layer.YMin, 4783000, 2000);
    EXPECT_EQ(layerData().DataExtent.XMin, layer.XMin);
}

TEST_F(GISOpening, ExportFilesOpenWithTheirProjection)
{
    ArcInfoExportWriter writer(ArcInfoExportWriter::Precision::Double);
    writer.addArc(1, { { 500100, 4800100 }, { 501900, 4800900 } });
    writer.setProjection({ "Projection    UTM", "Zone          18" });
    const QString path = workDir() + "streams.e00";
    writer.write(path);
    open({ path });
    ASSERT_EQ(layerData().GISCount, 1);
    EXPECT_EQ(layerData().GISLayers[1].ShapeType, 3);
    EXPECT_EQ(layerData().GISLayers[1].Zone, 18);
}

TEST_F(GISOpening, CancellingOpensNothingAndStillRedraws)
{
    const QString before = mainSettings().SHPDir;
    form().Picture1->PSet(1, 1, 0);
    queueDialogCancel();
    view().File_OpenGIS_Click();
    EXPECT_EQ(mainSettings().SHPDir, before);
    EXPECT_EQ(layerData().GISCount, 0);
    EXPECT_FALSE(redrawState().Busy);
    EXPECT_TRUE(msgBoxes().empty());
    EXPECT_EQ(dialogs().size(), 1u);
    EXPECT_EQ(dialogs()[0].title, "Open GIS Layer");
    EXPECT_EQ(
        dialogs()[0].filter, "Shape Files (*.shp)|*.shp|Interchange Files (*.e00)|*.e00|All Files (*.*)|*.*");
    EXPECT_EQ(form().Picture1->image().pixelColor(1, 1), QColor(255, 255, 255)) << "redrawn: nothing loaded";
}

TEST_F(GISOpening, ASessionReopensALayerInItsStoredColour)
{
    MainForm& window = form();
    window.LoadingSession = true;
    mapState().SessionLayerColour = 0x123456;
    open({ fieldsFile() });
    EXPECT_EQ(layerData().GISLayers[1].Colours[0], 0x123456);
}

} // namespace

TEST_F(GISOpening, ALayerOfTheOtherKindIsRefusedWithoutAnEllipsoid)
{
    open({ fieldsFile() });
    const MapExtent extent = layerData().DataExtent;
    globals().Ellipsoid = { QStringLiteral("Everest 1830"), 0.0, 0.0 };
    queueMsgBoxAnswer(vbOK);
    open({ writePolygons(QStringLiteral("county.shp"), { { ringOf(-81.1, 43.2, -80.9, 43.4) } }) });
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_TRUE(msgBoxes()[0].prompt.contains("'county.shp'"));
    EXPECT_TRUE(msgBoxes()[0].prompt.contains("The ellipsoid \"Everest 1830\" is not in \"ellipsoid.dat\""))
        << msgBoxes()[0].prompt.toStdString();
    EXPECT_EQ(layerData().GISCount, 1) << "the layer is not kept half-converted";
    EXPECT_TRUE(globals().UTMMode);
    EXPECT_EQ(layerData().DataExtent.XMin, extent.XMin);

    // A layer of the map's own kind needs no conversion and still opens.
    open({ fieldsFile(QStringLiteral("more.shp")) });
    EXPECT_EQ(layerData().GISCount, 2);
}
