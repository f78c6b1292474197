#include "korvel/shell/ellipsoid_table.h"

#include "tests/support/korvel_test.h"

namespace {

QStringList names(const std::vector<EllipsoidRecord>& rows)
{
    QStringList list;
    for (size_t i = 1; i < rows.size(); ++i) {
        list << rows[i].Name;
    }
    return list;
}

} // namespace

TEST(EllipsoidTable, ReadsRecordsInFileOrderFromRowOne)
{
    const EllipsoidTableResult table = parseEllipsoidTable(
        "\"WGS84\",6378137,298.257223563\r\n\"Clarke 1880, modified\",6378249.145,293.4663\r\n");
    ASSERT_TRUE(table.error.isEmpty()) << table.error.toStdString();
    EXPECT_EQ(names(table.rows), QStringList({ "WGS84", "Clarke 1880, modified" }));
    EXPECT_DOUBLE_EQ(table.rows[2].Axis, 6378249.145);
    EXPECT_DOUBLE_EQ(table.rows[2].InverseFlattening, 293.4663);
    EXPECT_TRUE(table.rows[0].Name.isEmpty()) << "row 0 is unused";
}

TEST(EllipsoidTable, FieldsMaySpreadOverLinesAndBlankLinesMayFollow)
{
    const EllipsoidTableResult table
        = parseEllipsoidTable("Bessel 1841\n6377397.155\n299.1528128\n\n\r\n  \n");
    ASSERT_TRUE(table.error.isEmpty()) << table.error.toStdString();
    EXPECT_EQ(names(table.rows), QStringList({ "Bessel 1841" }));
}

TEST(EllipsoidTableDamaged, EmptyFileIsRefused)
{
    EXPECT_EQ(parseEllipsoidTable("").error, "Input past end of file in line 1");
    EXPECT_EQ(parseEllipsoidTable("\r\n\r\n").error.left(22), "Input past end of file");
}

TEST(EllipsoidTableDamaged, NumberFieldThatIsNoNumberNamesItsLine)
{
    const EllipsoidTableResult table
        = parseEllipsoidTable("\"WGS84\",6378137,298.25\r\n\"GRS80\",big,298.25\r\n");
    EXPECT_EQ(table.error, "Type mismatch in line 2");
    EXPECT_TRUE(table.rows.empty()) << "nothing of a refused table is kept";
    EXPECT_EQ(parseEllipsoidTable("\"GRS80\",6378137,big\r\n").error, "Type mismatch in line 1")
        << "a value that ends its line";
}

TEST(EllipsoidTableDamaged, RecordCutShortIsRefused)
{
    EXPECT_FALSE(parseEllipsoidTable("\"WGS84\",6378137,298.25\r\n\"GRS80\",6378137").error.isEmpty());
    EXPECT_FALSE(parseEllipsoidTable("\"WGS84\"").error.isEmpty());
}

TEST(EllipsoidTableDamaged, MissingFileGivesTheSystemsReason)
{
    EXPECT_EQ(readEllipsoidTable("/nonexistent/ellipsoid.dat").error, "File not found");
}

TEST(EllipsoidSelection, NameMatchesExactlyAndTheLastRowWins)
{
    std::vector<EllipsoidRecord> rows(1);
    rows.push_back({ "WGS84", 6378137.0, 298.257223563 });
    rows.push_back({ "wgs84", 1.0, 2.0 });
    rows.push_back({ "WGS84", 6378140.0, 298.25 });
    EllipsoidRecord ellipsoid;
    EXPECT_EQ(selectEllipsoid(rows, "WGS84", ellipsoid), std::vector<int>({ 1, 3 }));
    EXPECT_EQ(ellipsoid.Axis, 6378140.0);
    EXPECT_EQ(ellipsoid.InverseFlattening, 298.25);

    EXPECT_TRUE(selectEllipsoid(rows, "WGS 84", ellipsoid).empty());
    EXPECT_EQ(ellipsoid.Name, "WGS 84");
    EXPECT_EQ(ellipsoid.Axis, 0.0) << "axis 0 marks an ellipsoid the table lacks";
}
