// New blocks from start to file: a boundary digitized on the map and a
// shapefile polygon converted, each through the save dialog and the job
// dialog; the block written, listed, drawn, loaded again, and given
// exclusion zones.
#include "korvel/agnav/agnav_form.h"
#include "korvel/layers/layer_list.h"
#include "korvel/map/map_view.h"
#include "korvel/shell/selection_form.h"
#include "korvel/workspace/layer_records.h"
#include "platform/common_dialog.h"
#include "platform/msg_box.h"
#include "platform/vb_colors.h"
#include "tests/korvel/agnav/agnav_commands_fixture.h"
#include "tests/support/shapefile_writer.h"

#include <QAction>
#include <QDir>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

namespace {

const QByteArray kDigitizedField
    = "0  NORTH 40\r\n"
      "1  U  279\r\n"
      "2   500000.0   4800600.0        AREA CORNER 1 \r\n"
      "2   500800.0   4800600.0        AREA CORNER 2 \r\n"
      "2   500800.0   4800000.0        AREA CORNER 3 \r\n"
      "2   500000.0   4800000.0        AREA CORNER 4 \r\n"
      "4           20                  NUMBER OF LINES\r\n"
      "8          100                  MAX CROSS TRACK\r\n"
      "9      0     0     0            DELTA X/Y/Z\r\n"
      "11 0.9996000000       0.0       0.0 K0, X/Y SHIFT\r\n"
      "17   500000.0  4800600.0   0.00 MASTER POINT, HEADING\r\n"
      "20 WGS-84      6378137.0   298.257223563 22      ELLIPSOID\r\n"
      "21          0                   NO EQUATORIAL CROSSING\r\n"
      "30          6    9600  N  1  8  RS-232 PORT 2 INCOMING FORMAT\r\n"
      "35               FIELD7  F  C   CROP DIR, RAM DISK, SPRAY SIDE\r\n"
      "36         30         1  1      SWATH WIDTH, NO OF A/C, SPRAY ON CLOSURE OF "
      "CONTACT\r\n"
      "37          1                   HALF-SWATH OFFSET OF THE FIRST LINE\r\n"
      "38          2                   METRIC SYSTEM DISPLAY\r\n"
      "39     1       1                RACE TRACK, SKIP TRACK\r\n"
      "40          0                   MAGNETIC VARIATION, Deg.\r\n"
      "41       0.00                   SYSTEM LAG, Sec.\r\n"
      "42  0.00    0.00                RELAY ON / OFF, Sec.\r\n"
      "102  UTM                        UTM X/Y SCALE\r\n";

// The field's corners north up, as the user clicks or a shapefile holds them.
const std::pair<double, double> kCounterClockwise[]
    = { { 500000, 4800000 }, { 500800, 4800000 }, { 500800, 4800600 }, { 500000, 4800600 } };
const std::pair<double, double> kClockwise[]
    = { { 500000, 4800000 }, { 500000, 4800600 }, { 500800, 4800600 }, { 500800, 4800000 } };

class BlockCreationCommands : public AgnavCommandsTest
{
protected:
    void SetUp() override
    {
        AgnavCommandsTest::SetUp();
        form().Picture1->Scale(499000, 4801500, 503000, 4798500);
    }

    // The job dialog's answer: the area named, Accept.
    void acceptJob(const QString& areaName = QStringLiteral("NORTH 40"))
    {
        onModal<AGNAVForm>([areaName](AGNAVForm& job) {
            job.NameText->setText(areaName);
            job.AcceptButton->click();
        });
    }
    void closeJob()
    {
        onModal<AGNAVForm>([](AGNAVForm& job) { job.reject(); });
    }

    void clickField(const std::pair<double, double> (&corners)[4])
    {
        for (const auto& [x, y] : corners) {
            MapView::instance().Picture1_MouseDown(1, 0, float(x), float(y));
        }
        MapView::instance().Picture1_MouseDown(2, 0, 0.0f, 0.0f);
    }
    // Tools > Digitize AG-NAV > "Block Boundary", the field clicked
    // counter-clockwise and closed, Yes to saving it; the answers to the
    // boxes after that question are queued by `after`.
    void digitizeField(const std::function<void()>& after = {})
    {
        form().Tools_DigitizeBoundary_Click();
        queueMsgBoxAnswer(vbYes);
        if (after) {
            after();
        }
        clickField(kCounterClockwise);
    }

    QString writeField(
        const QString& name, const std::pair<double, double> (&corners)[4], bool withHole = false)
    {
        TestPart ring;
        for (const auto& [x, y] : corners) {
            ring.push_back({ x, y });
        }
        ring.push_back(ring.front());
        std::vector<TestPart> parts { ring };
        if (withHole) {
            parts.push_back(
                { { 500100, 4800100 }, { 500200, 4800100 }, { 500200, 4800200 }, { 500100, 4800100 } });
        }
        ShapefileWriter writer(5);
        writer.addPoly(parts);
        const QString path = workDir() + name;
        writer.write(path);
        return path;
    }
    void openLayer(const QString& path) { form().OpenGISLayer(path); }

    // A triangle inside the field, an exclusion zone of block 1.
    void digitizeZone()
    {
        MainForm& window = form();
        window.SelectedLayer = 1;
        window.PopUp_DigitizeExclusion_Click();
        MapView::instance().Picture1_MouseDown(1, 0, 500100.0f, 4800100.0f);
        MapView::instance().Picture1_MouseDown(1, 0, 500200.0f, 4800300.0f);
        MapView::instance().Picture1_MouseDown(1, 0, 500300.0f, 4800100.0f);
        queueMsgBoxAnswer(vbYes);
        MapView::instance().Picture1_MouseDown(2, 0, 0.0f, 0.0f);
    }
};

TEST_F(BlockCreationCommands, ADigitizedBlockIsWrittenListedDrawnAndLoadsAgain)
{
    const QString path = workDir() + "FIELD7.no1";
    queueSaveFile(path);
    acceptJob();
    digitizeField();
    ASSERT_EQ(dialogs().size(), 1u);
    EXPECT_EQ(dialogs()[0].title, "Save AGNAV block boundary as...");
    EXPECT_EQ(dialogs()[0].filter, "AGNAV Boundary File (*.NO1)|*.no1");
    EXPECT_EQ(dialogs()[0].flags, cdlOFNOverwritePrompt | cdlOFNHideReadOnly | cdlOFNNoLongNames);
    EXPECT_EQ(readTestFile(path), kDigitizedField) << "clockwise, clicked counter-clockwise";

    const AGNAVBlock& block = agnavData().Blocks[1];
    EXPECT_EQ(agnavData().BlockCount, 1);
    EXPECT_GT(block.Area, 0.0);
    EXPECT_EQ(block.CoordType, "UTM");
    EXPECT_EQ(block.DataFolder, workDir() + "FIELD7/");
    EXPECT_TRUE(form().AGCheck.exists(1)) << "listed";
    EXPECT_EQ(layerData().DataExtent.XMax, 500800.0) << "part of the loaded data";
    EXPECT_EQ(form().DigitizeLine.UBound(), 0);
    EXPECT_FALSE(form().Tools_DigitizeBoundary->isChecked());
    const QColor pointer = toQColor(block.Colour);
    EXPECT_EQ(mapColourAt(500000, 4800300), pointer) << "drawn at once";

    ASSERT_TRUE(LayerList::instance().DeleteAGNAV(1));
    ASSERT_TRUE(form().LoadAGNAVBlock(path));
    form().Picture1->Scale(499000, 4801500, 503000, 4798500);
    form().Graph(false);
    const AGNAVBlock& loaded = agnavData().Blocks[1];
    EXPECT_EQ(loaded.VertexCount, 4);
    EXPECT_EQ(loaded.Boundary.X[1], 500000.0);
    EXPECT_EQ(loaded.Boundary.Y[1], 4800600.0);
    EXPECT_EQ(loaded.Zone, 17);
    EXPECT_EQ(loaded.SwathWidthText, "30");
    EXPECT_EQ(mapColourAt(500000, 4800300), QColor(Qt::black)) << "the loaded block's boundary";
    EXPECT_TRUE(msgBoxes().size() == 1u) << "only the save question";
}

TEST_F(BlockCreationCommands, NamesTheGuidanceSystemCannotUseAreAskedForAgain)
{
    const QString loadedPath = writeUtmBlock(QStringLiteral("OTHER"), 510000, 4800000, 510800, 4800600);
    ASSERT_TRUE(form().LoadAGNAVBlock(loadedPath));
    queueSaveFile(workDir() + "NORTH FIELD.no1");
    queueSaveFile(loadedPath);
    queueSaveFile(workDir() + "FIELD7.no1");
    acceptJob();
    digitizeField([this] {
        queueMsgBoxAnswer(vbOK);
        queueMsgBoxAnswer(vbYes); // replace the existing file
        queueMsgBoxAnswer(vbOK);
    });
    ASSERT_EQ(dialogs().size(), 3u);
    EXPECT_EQ(dialogs()[1].fileName, workDir() + "NORTH FIELD.no1") << "offered again to be mended";
    const QStringList texts = prompts();
    ASSERT_EQ(texts.size(), 4);
    EXPECT_TRUE(texts[1].startsWith("The file name \"NORTH FIELD.no1\" cannot be used"));
    EXPECT_EQ(
        texts[3], loadedPath + "\r\ris the boundary file of a loaded block.\rPlease choose another name.");
    EXPECT_EQ(agnavData().BlockCount, 2);
    EXPECT_EQ(agnavData().Blocks[2].FileName, "FIELD7.no1");
}

// Only a block whose file was written is kept: Cancel in the save dialog
// and a job dialog closed without Accept leave nothing behind.
TEST_F(BlockCreationCommands, CancelledSaveOrJobLeavesNoBlock)
{
    queueDialogCancel();
    digitizeField();
    EXPECT_EQ(agnavData().BlockCount, 0);
    EXPECT_TRUE(modalForms().empty());

    queueSaveFile(workDir() + "FIELD7.no1");
    closeJob();
    digitizeField();
    EXPECT_EQ(agnavData().BlockCount, 0);
    EXPECT_FALSE(globals().AGNAVLoaded);
    EXPECT_FALSE(form().AGCheck.exists(1));
    EXPECT_FALSE(QFile::exists(workDir() + "FIELD7.no1"));
    EXPECT_EQ(form().DigitizeLine.UBound(), 0);
}

// A new block's exclusion-zone file is started by its first zone; zones go
// on being appended whether the file's zones are loaded or not.
TEST_F(BlockCreationCommands, ExclusionZonesAppendToLoadedAndUnloadedFiles)
{
    const QString path = workDir() + "FIELD7.no1";
    queueSaveFile(path);
    acceptJob();
    digitizeField();
    digitizeZone();
    digitizeZone();
    const QString zones = workDir() + "FIELD7.xcl";
    QList<QByteArray> lines = readTestFile(zones).split('\n');
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], "1   500100.0  4800100.0\r") << "clicked clockwise: kept as clicked";
    EXPECT_TRUE(lines[3].startsWith("2   ")) << "the file's zones are the block's";
    EXPECT_EQ(agnavData().Blocks[1].ExclusionZoneCount, 2);

    // Loaded again without its zones: the next zone still follows the file's.
    ASSERT_TRUE(LayerList::instance().DeleteAGNAV(1));
    ASSERT_TRUE(form().LoadAGNAVBlock(path));
    ASSERT_FALSE(agnavData().Blocks[1].ExclusionLoaded);
    digitizeZone();
    lines = readTestFile(zones).split('\n');
    ASSERT_EQ(lines.size(), 10);
    EXPECT_TRUE(lines[6].startsWith("3   "));
    EXPECT_EQ(agnavData().Blocks[1].ExclusionZoneCount, 3) << "the block then shows every zone of its file";
    EXPECT_TRUE(agnavData().Blocks[1].ExclusionLoaded);
}

TEST_F(BlockCreationCommands, ShapefilePolygonsOfBothDirectionsBecomeClockwiseBlocks)
{
    const struct
    {
        const char* name;
        const std::pair<double, double> (&corners)[4];
        const char* fileCorners; // clockwise; the reversed ring starts on its last corner
    } rows[] = {
        { "clockwise", kClockwise,
            "2   500000.0   4800000.0        AREA CORNER 1 \r\n"
            "2   500000.0   4800600.0        AREA CORNER 2 \r\n"
            "2   500800.0   4800600.0        AREA CORNER 3 \r\n"
            "2   500800.0   4800000.0        AREA CORNER 4 \r\n4 " },
        { "counter-clockwise", kCounterClockwise,
            "2   500000.0   4800600.0        AREA CORNER 1 \r\n"
            "2   500800.0   4800600.0        AREA CORNER 2 \r\n"
            "2   500800.0   4800000.0        AREA CORNER 3 \r\n"
            "2   500000.0   4800000.0        AREA CORNER 4 \r\n4 " },
    };
    // Started from elsewhere, as a desktop launcher starts it, with the
    // job's flight logs beside its boundary file.
    ASSERT_TRUE(QDir().mkpath(workDir() + "FIELD7") && QDir().mkpath(workDir() + "desktop"));
    writeTestFile(workDir() + "FIELD7/N1234567.T01", "log");
    const struct Restore
    {
        QString folder = QDir::currentPath();
        ~Restore() { QDir::setCurrent(folder); }
    } restore;
    ASSERT_TRUE(QDir::setCurrent(workDir() + "desktop"));
    for (const auto& row : rows) {
        const QString shp = writeField(QStringLiteral("FIELD7.shp"), row.corners);
        openLayer(shp);
        ASSERT_EQ(layerData().GISCount, 1) << row.name;
        const qint32 colour = layerData().GISLayers[1].Colours[0];
        queueSaveFile(workDir() + "FIELD7.no1");
        acceptJob();
        form().Tools_Convert_Click();
        ASSERT_EQ(dialogs().size(), 1u);
        EXPECT_EQ(dialogs()[0].fileName, workDir() + "FIELD7.no1") << "the shapefile's name";
        EXPECT_EQ(dialogs()[0].filter, "AGNAV Boundary File (*.no1)|*.no1");
        const QByteArray file = readTestFile(workDir() + "FIELD7.no1");
        EXPECT_TRUE(file.contains(row.fileCorners)) << row.name << "\n" << file.toStdString();
        const AGNAVBlock& block = agnavData().Blocks[1];
        EXPECT_EQ(block.VertexCount, 4) << "the closing vertex dropped";
        EXPECT_NEAR(block.Area, 480000.0, 1e-6);
        EXPECT_EQ(block.Colour, colour);
        EXPECT_EQ(block.DataFolder, workDir() + "FIELD7/");
        LayerList::instance().File_Menu_Click();
        EXPECT_TRUE(form().File_OpenFlight->isEnabled()) << "its spray data found";
        EXPECT_EQ(layerData().GISCount, 0) << "the layer became the block";
        EXPECT_TRUE(form().AGCheck.exists(1));
        EXPECT_TRUE(msgBoxes().empty());

        ASSERT_TRUE(LayerList::instance().DeleteAGNAV(1));
        ASSERT_TRUE(QFile::remove(workDir() + "FIELD7.no1"));
        services().commonDialog.reset();
    }
}

TEST_F(BlockCreationCommands, AMultiPartPolygonGivesItsFirstRingAndSaysSo)
{
    openLayer(writeField(QStringLiteral("FIELD7.shp"), kClockwise, true));
    queueMsgBoxAnswer(vbOK);
    queueSaveFile(workDir() + "FIELD7.no1");
    acceptJob();
    form().Tools_Convert_Click();
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_EQ(msgBoxes()[0].prompt, "This polygon has 2 rings.\rIts first ring becomes the AGNAV boundary.");
    EXPECT_EQ(agnavData().Blocks[1].VertexCount, 4);
}

TEST_F(BlockCreationCommands, ConversionRefusalsAndCancelsChangeNothing)
{
    // A line layer.
    ShapefileWriter lines(3);
    lines.addPoly({ { { 500000, 4800000 }, { 500800, 4800600 } } });
    lines.write(workDir() + "ROAD.shp");
    openLayer(workDir() + "ROAD.shp");
    queueMsgBoxAnswer(vbOK);
    form().Tools_Convert_Click();
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_EQ(msgBoxes()[0].prompt,
        "This GIS file does not contain a polygon and\rcannot be converted to an AGNAV boundary.");

    // Two layers: the chooser closed without a choice is a Cancel.
    openLayer(writeField(QStringLiteral("FIELD7.shp"), kClockwise));
    onModal<SelectionForm>([](SelectionForm& chooser) {
        EXPECT_EQ(chooser.ListType, SelectionListGISLayers);
        chooser.reject();
    });
    form().Tools_Convert_Click();
    EXPECT_TRUE(dialogs().empty());

    // The job dialog closed: no block, and the layer stays.
    onModal<SelectionForm>([](SelectionForm& chooser) {
        chooser.Selection = 2;
        chooser.accept();
    });
    queueSaveFile(workDir() + "FIELD7.no1");
    closeJob();
    form().Tools_Convert_Click();
    EXPECT_EQ(agnavData().BlockCount, 0);
    EXPECT_EQ(layerData().GISCount, 2);
    EXPECT_FALSE(QFile::exists(workDir() + "FIELD7.no1"));
}

TEST_F(BlockCreationCommands, ConvertIsOfferedOnlyWithAGISLayer)
{
    MainForm& window = form();
    window.Tools_Menu_Click();
    EXPECT_FALSE(window.Tools_Convert->isEnabled());
    openLayer(writeField(QStringLiteral("FIELD7.shp"), kClockwise));
    window.Tools_Menu_Click();
    EXPECT_TRUE(window.Tools_Convert->isEnabled());
    window.DeleteSHP(1);
    window.Tools_Menu_Click();
    EXPECT_FALSE(window.Tools_Convert->isEnabled());
    window.Tools_Convert_Click();
    EXPECT_TRUE(dialogs().empty()) << "nothing to convert";
}

} // namespace
