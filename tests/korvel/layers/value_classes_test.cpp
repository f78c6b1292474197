#include "korvel/layers/value_classes.h"

#include "tests/support/korvel_test.h"

namespace {

using ValueClassesTest = KorvelTest;

// A table of one field holding these values, record by record.
AttributeTable tableOf(std::vector<AttributeValue> values)
{
    AttributeTable table;
    table.FieldCount = 1;
    table.FieldNames = { QString(), "FIELD" };
    table.RecordCount = int(values.size());
    table.Values.push_back(std::move(values));
    return table;
}

AttributeValue text(const char* value)
{
    return QString::fromUtf8(value);
}

const AttributeValue Null = std::monostate {};

} // namespace

TEST_F(ValueClassesTest, ListsEachValueOnceSorted)
{
    struct Row
    {
        const char* name;
        std::vector<AttributeValue> records;
        QStringList values;
        bool numeric;
    };
    const std::vector<Row> rows {
        { "numbers by value, Null first", { 10.0, 9.0, Null, 100.0, 9.0, Null }, { "Null", "9", "10", "100" },
            true },
        { "texts by character code", { text("b"), text("B"), text("a"), text("b") }, { "B", "a", "b" },
            false },
        { "one text makes all texts", { text("2"), text("x"), text("1") }, { "1", "2", "x" }, false },
        { "numeric texts by value", { text("10"), text("9"), text("-1.5") }, { "-1.5", "9", "10" }, true },
        { "only blanks", { Null, Null }, { "Null" }, true },
        { "logicals", { true, false, Null }, { "Null", "False", "True" }, false },
        { "the same text differs by case", { text("Oats"), text("oats") }, { "Oats", "oats" }, false },
    };
    for (const Row& row : rows) {
        const FieldValueList list = distinctFieldValues(tableOf(row.records), 0);
        EXPECT_EQ(list.Values, row.values) << row.name;
        EXPECT_EQ(list.Numeric, row.numeric) << row.name;
    }
}

// Single precision would take 16777217 for 16777216 and keep them in record
// order.
TEST_F(ValueClassesTest, NumbersCompareAsDoubles)
{
    const AttributeTable table = tableOf({ 16777217.0, 16777216.0, 1e50, 1e-50, -1e300 });
    EXPECT_EQ(distinctFieldValues(table, 0).Values,
        (QStringList { "-1E+300", "1E-50", "16777216", "16777217", "1E+50" }));
}

// A text beyond the range of a double reads as no number (IsNumeric), so
// the list sorts as text rather than failing.
TEST_F(ValueClassesTest, NumbersBeyondADoubleMakeATextList)
{
    const AttributeTable table = tableOf({ text("1E400"), text("5"), text("-1E400") });
    const FieldValueList list = distinctFieldValues(table, 0);
    EXPECT_EQ(list.Values, (QStringList { "-1E400", "1E400", "5" }));
    EXPECT_FALSE(list.Numeric);
}

// The word "Null" in a text field is listed like a blank; among numeric
// texts it would otherwise be a text that reads as no number.
TEST_F(ValueClassesTest, TheWordNullLeadsLikeABlank)
{
    const AttributeTable table = tableOf({ text("10"), text("Null"), text("2"), Null });
    const FieldValueList list = distinctFieldValues(table, 0);
    EXPECT_EQ(list.Values, (QStringList { "Null", "2", "10" }));
    EXPECT_TRUE(list.Numeric);
}

TEST_F(ValueClassesTest, FieldOutsideTheTableHasNoValues)
{
    const AttributeTable table = tableOf({ 1.0 });
    EXPECT_TRUE(distinctFieldValues(table, 1).Values.isEmpty());
    EXPECT_TRUE(distinctFieldValues(table, -1).Values.isEmpty());
    EXPECT_TRUE(distinctFieldValues(AttributeTable(), 0).Values.isEmpty());
}

TEST_F(ValueClassesTest, ProposedColoursComeFromTheClassesOfTheCodingField)
{
    GISLayer layer;
    layer.Colours = { 0x00AA00 };
    layer.CodingField = 2;
    layer.ColourClasses = { {}, { 0x0000FF, "Null" }, { 0xFF0000, "A" } };

    EXPECT_EQ(proposedValueColours(layer, 1, 3), (std::vector<std::int32_t> { 0x0000FF, 0xFF0000, 0x00AA00 }))
        << "values beyond the classes take the layer colour";
    EXPECT_EQ(proposedValueColours(layer, 0, 2), (std::vector<std::int32_t> { 0x00AA00, 0x00AA00 }))
        << "another field starts in the layer colour";
    EXPECT_TRUE(proposedValueColours(layer, 1, 0).empty());

    layer.CodingField = -1;
    EXPECT_EQ(proposedValueColours(layer, 1, 1), (std::vector<std::int32_t> { 0x00AA00 }));
}
