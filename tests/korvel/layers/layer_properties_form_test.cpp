#include "tests/korvel/layers/layer_commands_fixture.h"

#include "korvel/layers/layer_list.h"
#include "korvel/layers/layer_properties_form.h"
#include "korvel/workspace/program_globals.h"
#include "platform/flex_grid.h"
#include "platform/msg_box.h"
#include "platform/vb_colors.h"
#include "tests/support/dbase_writer.h"
#include "tests/support/shapefile_writer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

class LayerPropertiesDialog : public LayerCommandsTest
{
protected:
    // A shapefile of four squares with a table of one field per dBASE type
    // (record 4 blank or unreadable throughout), opened as a layer.
    int openCodedLayer(bool withTable = true)
    {
        ShapefileWriter shapes(5);
        for (int s = 0; s < 4; ++s) {
            const double x = 500000.0 + 200.0 * s;
            shapes.addPoly({ { { x, 4800000 }, { x, 4800100 }, { x + 100, 4800100 }, { x + 100, 4800000 },
                { x, 4800000 } } });
        }
        const QString path = workDir() + "parcels.shp";
        shapes.write(path);
        if (withTable) {
            DBaseWriter table;
            table.addField("NAME", 'C', 10);
            table.addField("COUNT", 'N', 5);
            table.addField("RATE", 'F', 8, 2);
            table.addField("SEEN", 'D', 8);
            table.addField("OK", 'L', 1);
            table.addRecord({ "b", "10", "2.5", "20240105", "T" });
            table.addRecord({ "B", "9", "3", "20231231", "F" });
            table.addRecord({ "a", "100", "2.5", "", "T" });
            table.addRecord({ "b", "", "", "20240105", "?" });
            table.write(workDir() + "parcels.dbf");
        }
        form().OpenGISLayer(path);
        layer().Colours = { 255 };
        return layerData().GISCount;
    }
    GISLayer& layer() { return layerData().GISLayers[1]; }

    // Opens the dialog of the row through its pop-up menu; `handler` plays the user.
    template <class Handler> void properties(int kind, int position, Handler handler)
    {
        onModal<PropsForm>(handler);
        const char* items[] = { "", "PopUp_ImageProps", "PopUp_SHPProps", "PopUp_AGNAVProps" };
        queuePopupChoice(items[kind]);
        switch (kind) {
        case 1:
            LayerList::instance().ImageCheckLabel_MouseDown(position, 2, 0, 0, 0);
            break;
        case 2:
            LayerList::instance().GISCheckLabel_MouseDown(position, 2, 0, 0, 0);
            break;
        default:
            LayerList::instance().AGCheckLabel_MouseDown(position, 2, 0, 0, 0);
            break;
        }
        EXPECT_EQ(PropsForm::existing(), nullptr) << "released after closing";
    }
};

QStringList rows(const PropsForm& props)
{
    QStringList texts;
    for (int i = 1; i <= props.Label1.UBound(); ++i) {
        texts << props.Label1[i].text() + "|" + props.Label2[i].text();
    }
    return texts;
}

QStringList values(const PropsForm& props)
{
    QStringList texts;
    for (int r = 0; r < props.RecordsList->Rows(); ++r) {
        texts << props.RecordsList->TextMatrix(r, 1);
    }
    return texts;
}

} // namespace

TEST_F(LayerPropertiesDialog, ImagePageShowsTheGroundSizeOfAGeoReferencedImageOnly)
{
    addImage("plain.bmp", false);
    addImage("placed.bmp", true);
    properties(1, 1, [this](PropsForm& props) {
        EXPECT_EQ(props.windowTitle(), QStringLiteral("File Properties"));
        EXPECT_EQ(rows(props),
            QStringList({ "File Name:|plain.bmp", "Location:|" + workDir(), "Georeferenced:|False",
                "Image Size:|640 \u00D7 480 pixels" }));
        EXPECT_TRUE(props.DBF_Button->isHidden());
        props.CancelButton->click();
    });
    properties(1, 2, [](PropsForm& props) {
        EXPECT_EQ(rows(props).value(4), QStringLiteral("|3200 \u00D7 2400 meters"));
        props.CancelButton->click();
    });
}

TEST_F(LayerPropertiesDialog, BlockAreasCountPositiveWhicheverWayTheRingsRun)
{
    struct Row
    {
        bool metric;
        QString boundary;
        QString spray;
    };
    const Row units[] = { { true, "25.000 ha", "20.000 ha" }, { false, "61.775 ac", "49.420 ac" } };
    const int block = addBlock();
    for (const bool clockwise : { true, false }) {
        AGNAVBlock& record = agnavData().Blocks[size_t(block)];
        // The stored area is signed by the boundary file's direction.
        record.Area = clockwise ? 250000.0 : -250000.0;
        // A 5 ha zone of 250 x 200 m running the same way.
        ShapeRecord zone;
        zone.X = { 0, 500100, 500100, 500350, 500350 };
        zone.Y = { 0, 4800100, 4800300, 4800300, 4800100 };
        if (!clockwise) {
            std::reverse(zone.X.begin() + 1, zone.X.end());
            std::reverse(zone.Y.begin() + 1, zone.Y.end());
        }
        record.ExclusionZones = { ShapeRecord(), zone };
        record.ExclusionZoneCount = 1;
        for (const Row& row : units) {
            globals().MetricSystem = row.metric;
            properties(3, block, [&row, clockwise](PropsForm& props) {
                const QStringList shown = rows(props);
                EXPECT_EQ(shown.value(5), "Boundary Area:|" + row.boundary) << clockwise;
                EXPECT_EQ(shown.value(6), "Spray Area:|" + row.spray) << clockwise;
                props.CancelButton->click();
            });
        }
        EXPECT_EQ(agnavData().Blocks[size_t(block)].ExclusionZones[1].X, zone.X) << "nothing converted";
    }
}

TEST_F(LayerPropertiesDialog, AcceptRenamesTheRowAndAnEmptyNameAppliesNothing)
{
    const int position = openCodedLayer();
    properties(2, position, [](PropsForm& props) {
        EXPECT_EQ(rows(props).mid(2),
            QStringList({ "Topology:|Polygon", "No. of Features:|4", "Projection:|UTM", "Zone:|17" }));
        EXPECT_TRUE(props.DBF_Button->isEnabled());
        props.DisplayNameText->setText("Parcels");
        props.AcceptButton->click();
    });
    EXPECT_EQ(layer().DisplayName, QStringLiteral("Parcels"));
    EXPECT_EQ(form().GISCheckLabel[position].text(), QStringLiteral("Parcels"));

    layer().ColourCoding = -1;
    layer().CodingField = 2;
    properties(2, position, [](PropsForm& props) {
        props.DBF_Button->click();
        props.ColourOption[1].setChecked(true);
        props.DisplayNameText->clear();
        props.AcceptButton->click();
    });
    EXPECT_EQ(layer().DisplayName, QStringLiteral("Parcels"));
    EXPECT_EQ(layer().ColourCoding, -1) << "neither the name nor the colours";
}

TEST_F(LayerPropertiesDialog, EachFieldTypeListsItsDistinctValuesSorted)
{
    const int position = openCodedLayer();
    properties(2, position, [](PropsForm& props) {
        props.DBF_Button->click();
        EXPECT_EQ(props.DBF_Button->text(), QStringLiteral("<< Colours"));
        ASSERT_EQ(props.DBF_FieldsCombo->count(), 5);
        EXPECT_EQ(props.DBF_FieldsCombo->itemText(0), QStringLiteral("NAME"));
        props.ColourOption[2].setChecked(true);
        EXPECT_EQ(values(props), QStringList({ "B", "a", "b" })) << "by character code";
        props.DBF_FieldsCombo->setCurrentIndex(1);
        EXPECT_EQ(values(props), QStringList({ "Null", "9", "10", "100" })) << "as numbers";
        props.DBF_FieldsCombo->setCurrentIndex(2);
        EXPECT_EQ(values(props), QStringList({ "Null", "2.5", "3" }));
        props.DBF_FieldsCombo->setCurrentIndex(3);
        EXPECT_EQ(values(props).size(), 3);
        EXPECT_EQ(values(props).value(0), QStringLiteral("Null"));
        props.DBF_FieldsCombo->setCurrentIndex(4);
        EXPECT_EQ(values(props), QStringList({ "Null", "False", "True" }));
        for (int r = 0; r < props.RecordsList->Rows(); ++r) {
            EXPECT_EQ(props.RecordsList->CellBackColor(r, 0), 255) << "the layer's own colour first";
        }
        props.CancelButton->click();
    });
}

TEST_F(LayerPropertiesDialog, RampColoursEveryFeatureByItsValueAndTheClassesComeBack)
{
    const int position = openCodedLayer();
    properties(2, position, [](PropsForm& props) {
        props.DBF_Button->click();
        props.ColourOption[2].setChecked(true);
        props.DBF_FieldsCombo->setCurrentIndex(1);
        props.ColourRampButton->click();
        EXPECT_EQ(props.RecordsList->CellBackColor(0, 0), RGB(191, 0, 64));
        EXPECT_EQ(props.RecordsList->CellBackColor(3, 0), RGB(0, 0, 255)) << "the last is pure blue";
        props.AcceptButton->click();
    });
    EXPECT_EQ(layer().ColourCoding, -1);
    EXPECT_EQ(layer().CodingField, 2);
    EXPECT_EQ(layer().Colours,
        (std::vector<std::int32_t> {
            255, RGB(64, 0, 191), RGB(128, 0, 128), RGB(0, 0, 255), RGB(191, 0, 64) }));

    // The next opening shows the classes stored, by value, on their field.
    properties(2, position, [](PropsForm& props) {
        props.DBF_Button->click();
        EXPECT_TRUE(props.ColourOption[2].isChecked());
        EXPECT_EQ(props.DBF_FieldsCombo->currentIndex(), 1);
        EXPECT_EQ(props.RecordsList->CellBackColor(1, 0), RGB(128, 0, 128));
        // Accept without opening the area at all is tested below; here the
        // swatches stay as stored and the coding with them.
        props.AcceptButton->click();
    });
    EXPECT_EQ(layer().ColourCoding, -1);
}

TEST_F(LayerPropertiesDialog, ByValueWithTheLayerColourEverywhereTurnsCodingOff)
{
    const int position = openCodedLayer();
    layer().ColourCoding = -1;
    layer().CodingField = 1;
    layer().ColourClasses = { {}, { RGB(0, 255, 0), "b" } };
    properties(2, position, [](PropsForm& props) {
        props.DisplayNameText->setText("Renamed only");
        props.AcceptButton->click();
    });
    EXPECT_EQ(layer().ColourCoding, -1) << "the area was never opened";

    properties(2, position, [](PropsForm& props) {
        props.DBF_Button->click();
        props.DBF_FieldsCombo->setCurrentIndex(1); // not the coded field: layer colour everywhere
        props.AcceptButton->click();
    });
    EXPECT_EQ(layer().ColourCoding, 0);
    EXPECT_EQ(layer().CodingField, -1);
    EXPECT_EQ(layer().Colours, std::vector<std::int32_t> { 255 });
}

TEST_F(LayerPropertiesDialog, ASwatchTakesThePickedColour)
{
    const int position = openCodedLayer();
    properties(2, position, [this](PropsForm& props) {
        props.DBF_Button->click();
        props.ColourOption[2].setChecked(true);
        props.RecordsList_Click(1, 1); // the value column opens nothing
        queueColor(RGB(1, 2, 3));
        props.RecordsList_Click(1, 0);
        EXPECT_EQ(props.RecordsList->CellBackColor(1, 0), RGB(1, 2, 3));
        EXPECT_TRUE(props.ColoursChanged);
        queueDialogCancel();
        props.RecordsList_Click(2, 0);
        EXPECT_EQ(props.RecordsList->CellBackColor(2, 0), 255);
        props.AcceptButton->click();
    });
    // NAME values B, a, b: shapes 1 and 4 are "b" (layer colour), shape 3 "a".
    EXPECT_EQ(layer().Colours, (std::vector<std::int32_t> { 255, 255, 255, RGB(1, 2, 3), 255 }));
    ASSERT_EQ(layer().ColourClasses.size(), 4u);
    EXPECT_EQ(layer().ColourClasses[2].Value, QStringLiteral("a"));
}

TEST_F(LayerPropertiesDialog, TablesThatCannotBeReadAreReportedAndLeaveTheCodingAlone)
{
    const int position = openCodedLayer(false);
    properties(2, position, [](PropsForm& props) {
        EXPECT_FALSE(props.DBF_Button->isHidden());
        EXPECT_FALSE(props.DBF_Button->isEnabled()) << "no table beside the layer";
        props.CancelButton->click();
    });

    QFile damaged(workDir() + "parcels.dbf");
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("not a table");
    damaged.close();
    layer().ColourCoding = -1;
    layer().CodingField = 1;
    layer().ColourClasses = { {}, { RGB(0, 255, 0), "b" } };
    queueMsgBoxAnswer(vbOK);
    properties(2, position, [](PropsForm& props) {
        props.DBF_Button->click();
        EXPECT_EQ(props.DBF_FieldsCombo->count(), 0);
        props.DBF_Button->click();
        props.DBF_Button->click(); // read once per opening: no second message
        props.AcceptButton->click();
    });
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_TRUE(msgBoxes()[0].prompt.startsWith("KORVEL encountered the following error:\r"));
    EXPECT_EQ(layer().ColourCoding, -1) << "a table unreadable now says nothing about the classes";
    EXPECT_EQ(layer().ColourClasses.size(), 2u);
}

TEST_F(LayerPropertiesDialog, OpensBesideTheRowOrRightOfTheListWhenThatLeavesTheScreen)
{
    const int block = addBlock();
    properties(3, block, [this](PropsForm& props) {
        const QPoint anchor(
            form().AGColorBox[1].mapToGlobal(QPoint()).x(), form().AGCheck[1].mapToGlobal(QPoint()).y());
        EXPECT_EQ(props.frameGeometry().right() + 1, anchor.x()) << "its frame's right edge meets the row";
        EXPECT_EQ(props.y(), anchor.y());
        props.CancelButton->click();
    });
    form().move(-700, 0);
    properties(3, block, [this](PropsForm& props) {
        EXPECT_EQ(props.x(), form().x() + form().frameGeometry().width());
        props.CancelButton->click();
    });
}
