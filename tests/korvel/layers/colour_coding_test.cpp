#include "korvel/layers/colour_coding.h"

#include "korvel/layers/value_classes.h"
#include "tests/support/korvel_test.h"

namespace {

constexpr std::int32_t LayerColour = 0x00AA00;
constexpr std::int32_t Earlier = 0x777777;
constexpr std::int32_t Red = 0x0000FF;
constexpr std::int32_t Blue = 0xFF0000;
constexpr std::int32_t Yellow = 0x00FFFF;

const AttributeValue Null = std::monostate {};

AttributeValue text(const char* value)
{
    return QString::fromUtf8(value);
}

// A table whose second field holds these values (the first holds numbers,
// so the field number is seen to count).
AttributeTable tableOf(const std::vector<AttributeValue>& values)
{
    AttributeTable table;
    table.FieldCount = 2;
    table.FieldNames = { QString(), "ID", "CROP" };
    table.RecordCount = int(values.size());
    std::vector<AttributeValue> ids;
    for (std::size_t r = 0; r < values.size(); ++r) {
        ids.emplace_back(std::in_place_type<double>, double(r));
    }
    table.Values = { ids, values };
    return table;
}

GISLayer layerOf(int shapes)
{
    GISLayer layer;
    layer.Shapes.resize(shapes);
    layer.Colours = { LayerColour };
    layer.CodingField = -1;
    return layer;
}

std::vector<ColourClass> classes(std::vector<ColourClass> rows)
{
    rows.insert(rows.begin(), ColourClass {}); // slot 0 is unused
    return rows;
}

using AssignValueClassesTest = KorvelTest;
using ApplyColourCodingTest = KorvelTest;

} // namespace

TEST_F(AssignValueClassesTest, EachShapeTakesTheColourOfItsRecordsClass)
{
    GISLayer layer = layerOf(4);
    layer.Colours = { LayerColour, Earlier, Earlier, Earlier, Earlier };
    layer.ColourClasses = classes({ { Yellow, "Null" }, { Red, "A" }, { Blue, "B" } });
    AssignValueClasses(layer, 2, tableOf({ Null, text("B"), text("b"), text("A") }));
    EXPECT_EQ(layer.Colours, (std::vector<std::int32_t> { LayerColour, Yellow, Blue, Earlier, Red }))
        << "b matches no class and keeps its colour; the layer colour stays";
}

TEST_F(AssignValueClassesTest, NumbersMatchByTheirGeneralText)
{
    GISLayer layer = layerOf(3);
    layer.ColourClasses = classes({ { Red, "2.5" }, { Blue, "3.0" }, { Yellow, "3" } });
    AssignValueClasses(layer, 2, tableOf({ 2.5, 3.0, text("3.0") }));
    EXPECT_EQ(layer.Colours, (std::vector<std::int32_t> { LayerColour, Red, Yellow, Blue }));
}

TEST_F(AssignValueClassesTest, TheFirstOfTwoClassesWithOneTextWins)
{
    GISLayer layer = layerOf(1);
    layer.ColourClasses = classes({ { Red, "A" }, { Blue, "A" } });
    AssignValueClasses(layer, 2, tableOf({ text("A") }));
    EXPECT_EQ(layer.Colours[1], Red);
}

// New slots start in the layer colour, not black; shapes without a record
// take the layer colour even when coloured before.
TEST_F(AssignValueClassesTest, ShapesBeyondTheRecordsTakeTheLayerColour)
{
    GISLayer layer = layerOf(5);
    layer.Colours = { LayerColour, Earlier, Earlier, Earlier, Earlier };
    layer.ColourClasses = classes({ { Red, "A" } });
    AssignValueClasses(layer, 2, tableOf({ text("A"), text("Z") }));
    EXPECT_EQ(layer.Colours,
        (std::vector<std::int32_t> { LayerColour, Red, Earlier, LayerColour, LayerColour, LayerColour }));

    GISLayer fresh = layerOf(2);
    fresh.ColourClasses = classes({ { Red, "A" } });
    AssignValueClasses(fresh, 2, tableOf({ text("Z") }));
    EXPECT_EQ(fresh.Colours, (std::vector<std::int32_t> { LayerColour, LayerColour, LayerColour }));
}

TEST_F(AssignValueClassesTest, RecordsBeyondTheShapesAreIgnored)
{
    GISLayer layer = layerOf(2);
    layer.ColourClasses = classes({ { Red, "A" }, { Blue, "B" } });
    AssignValueClasses(layer, 2, tableOf({ text("A"), text("B"), text("A"), text("B") }));
    EXPECT_EQ(layer.Colours, (std::vector<std::int32_t> { LayerColour, Red, Blue }));
}

TEST_F(AssignValueClassesTest, AFieldOutsideTheTableMatchesOnlyTheNullClass)
{
    GISLayer layer = layerOf(1);
    layer.ColourClasses = classes({ { Red, "A" } });
    AssignValueClasses(layer, 7, tableOf({ text("A") }));
    EXPECT_EQ(layer.Colours, (std::vector<std::int32_t> { LayerColour, LayerColour }));

    AssignValueClasses(99, 2, tableOf({ text("A") })); // no such layer: nothing happens
}

TEST_F(ApplyColourCodingTest, ChosenValuesBecomeTheLayersClasses)
{
    GISLayer layer = layerOf(3);
    const AttributeTable table = tableOf({ text("B"), Null, text("A") });
    ColourCodingChoice choice { true, true, 1, { { Yellow, "Null" }, { LayerColour, "A" }, { Blue, "B" } },
        true };
    applyColourCoding(layer, choice, table);

    EXPECT_EQ(layer.ColourCoding, -1);
    EXPECT_EQ(layer.CodingField, 2);
    EXPECT_TRUE(layer.Redraw);
    ASSERT_EQ(colourClassCount(layer), 3);
    EXPECT_EQ(layer.ColourClasses[1].Value, "Null");
    EXPECT_EQ(layer.ColourClasses[3].Colour, Blue);
    EXPECT_EQ(layer.Colours, (std::vector<std::int32_t> { LayerColour, Blue, Yellow, LayerColour }));

    // Opening again offers the stored colours for the same field.
    EXPECT_EQ(proposedValueColours(layer, 1, 3), (std::vector<std::int32_t> { Yellow, LayerColour, Blue }));

    // Accepted again unchanged: the map needs no redraw.
    layer.Redraw = false;
    choice.coloursChanged = false;
    applyColourCoding(layer, choice, table);
    EXPECT_FALSE(layer.Redraw);
    EXPECT_EQ(layer.ColourCoding, -1);
}

TEST_F(ApplyColourCodingTest, SwatchesAllInTheLayerColourSwitchCodingOff)
{
    GISLayer layer = layerOf(2);
    const AttributeTable table = tableOf({ text("A"), text("B") });
    applyColourCoding(layer, { true, true, 1, { { Red, "A" }, { Blue, "B" } }, true }, table);
    ASSERT_EQ(layer.ColourCoding, -1);
    layer.Redraw = false;

    applyColourCoding(layer, { true, true, 1, { { LayerColour, "A" }, { LayerColour, "B" } }, false }, table);
    EXPECT_EQ(layer.ColourCoding, 0);
    EXPECT_EQ(layer.CodingField, -1);
    EXPECT_EQ(colourClassCount(layer), 0);
    EXPECT_EQ(layer.Colours, (std::vector<std::int32_t> { LayerColour }));
    EXPECT_TRUE(layer.Redraw) << "the coded colours must go from the map";

    layer.Redraw = false;
    applyColourCoding(layer, { true, false, 1, { { Red, "A" } }, true }, table);
    EXPECT_EQ(layer.ColourCoding, 0) << "None";
    EXPECT_FALSE(layer.Redraw) << "it was not coded";
}

// Accepting a new display name without opening "Colours >>" must not undo
// the coding only because the area's option still shows "None".
TEST_F(ApplyColourCodingTest, AnAreaNeverOpenedChangesNothing)
{
    GISLayer layer = layerOf(2);
    const AttributeTable table = tableOf({ text("A"), text("B") });
    applyColourCoding(layer, { true, true, 1, { { Red, "A" }, { Blue, "B" } }, true }, table);
    const std::vector<std::int32_t> coded = layer.Colours;
    layer.Redraw = false;

    applyColourCoding(layer, ColourCodingChoice {}, AttributeTable());
    EXPECT_EQ(layer.ColourCoding, -1);
    EXPECT_EQ(layer.CodingField, 2);
    EXPECT_EQ(colourClassCount(layer), 2);
    EXPECT_EQ(layer.Colours, coded);
    EXPECT_FALSE(layer.Redraw);
}
