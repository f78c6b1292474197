#include "platform/attribute_table.h"

#include "tests/support/dbase_writer.h"
#include "tests/support/korvel_test.h"
#include "tests/support/shapefile_writer.h"

#include <QDir>
#include <QFile>
#include <clocale>

namespace {

using DBaseTableTest = KorvelTest;

std::unique_ptr<DBaseTable> tableOf(const QByteArray& bytes, QString* error = nullptr)
{
    return DBaseTable::fromBytes(bytes, QStringLiteral("parcels.dbf"), error);
}

AttributeColumns allRows(const DBaseTable& table)
{
    AttributeColumns columns;
    QString error;
    EXPECT_TRUE(table.getRows(0, table.recordCount(), columns, &error)) << error.toStdString();
    return columns;
}

// A table with one field of each type the program reads.
DBaseWriter everyType()
{
    DBaseWriter writer;
    writer.addField("NAME", 'C', 12);
    writer.addField("AREA", 'N', 10, 2);
    writer.addField("RATE", 'F', 12, 4);
    writer.addField("SPRAYED", 'D', 8);
    writer.addField("ORGANIC", 'L', 1);
    writer.addRecord({ "North 40", "12.50", "-0.2500", "20230615", "T" });
    writer.addRecord({ "", "", "", "", "" });
    writer.addRecord({ "  Creek  ", "3", "1.5E+3", "19991231", "n" });
    return writer;
}

// Sets LC_NUMERIC for the life of the object, where the system has the locale.
class NumericLocale
{
public:
    explicit NumericLocale(const char* name)
        : m_old(std::setlocale(LC_NUMERIC, nullptr))
    {
        m_active = std::setlocale(LC_NUMERIC, name) != nullptr;
    }
    ~NumericLocale() { std::setlocale(LC_NUMERIC, m_old.c_str()); }
    bool active() const { return m_active; }

private:
    std::string m_old;
    bool m_active = false;
};

} // namespace

TEST_F(DBaseTableTest, ReadsEachFieldTypeWithNullForBlanks)
{
    const auto table = tableOf(everyType().bytes());
    ASSERT_TRUE(table);
    ASSERT_EQ(table->fieldCount(), 5);
    ASSERT_EQ(table->recordCount(), 3);
    EXPECT_EQ(table->fieldName(0), "NAME");
    EXPECT_EQ(table->fieldName(4), "ORGANIC");
    EXPECT_EQ(table->fieldType(1), DBaseFieldType::Number);
    EXPECT_EQ(table->fieldType(2), DBaseFieldType::Float);
    EXPECT_EQ(table->fieldType(3), DBaseFieldType::Date);

    const AttributeColumns columns = allRows(*table);
    ASSERT_EQ(columns.size(), 5u);
    EXPECT_EQ(columns[0][0], AttributeValue(QStringLiteral("North 40")));
    EXPECT_EQ(columns[1][0], AttributeValue(12.5));
    EXPECT_EQ(columns[2][0], AttributeValue(-0.25));
    EXPECT_EQ(columns[3][0], AttributeValue(QDate(2023, 6, 15)));
    EXPECT_EQ(columns[4][0], AttributeValue(true));
    for (std::size_t f = 0; f < columns.size(); ++f) {
        EXPECT_TRUE(isNull(columns[f][1])) << "blank field " << f;
    }
    // Trailing blanks go, leading ones are part of the text.
    EXPECT_EQ(columns[0][2], AttributeValue(QStringLiteral("  Creek")));
    EXPECT_EQ(columns[1][2], AttributeValue(3.0));
    EXPECT_EQ(columns[2][2], AttributeValue(1500.0));
    EXPECT_EQ(columns[3][2], AttributeValue(QDate(1999, 12, 31)));
    EXPECT_EQ(columns[4][2], AttributeValue(false));
}

TEST_F(DBaseTableTest, ValuesThatCannotBeOfTheirTypeAreNull)
{
    DBaseWriter writer;
    writer.addField("N", 'N', 6);
    writer.addField("D", 'D', 8);
    writer.addField("L", 'L', 1);
    writer.addField("MEMO", 'M', 10);
    writer.addRecord({ "******", "00000000", "?", "1" }); // a numeric overflow, the empty date
    writer.addRecord({ "1.2.3", "20230230", "x", "" }); // no number, February 30th
    writer.addRecord({ "inf", "2023061", " ", "" });
    writer.addRecord({ "-0", "       0", "Y", "" });
    const auto table = tableOf(writer.bytes());
    ASSERT_TRUE(table);
    EXPECT_EQ(table->fieldType(3), DBaseFieldType::Other);
    const AttributeColumns columns = allRows(*table);
    for (int r = 0; r < 3; ++r) {
        for (std::size_t f = 0; f < 4; ++f) {
            EXPECT_TRUE(isNull(columns[f][std::size_t(r)])) << "record " << r << " field " << f;
        }
    }
    EXPECT_EQ(columns[0][3], AttributeValue(0.0));
    EXPECT_FALSE(std::signbit(std::get<double>(columns[0][3]))) << "-0 reads as zero";
    EXPECT_TRUE(isNull(columns[1][3]));
    EXPECT_EQ(columns[2][3], AttributeValue(true));
}

// Deleted records stay, so record k still describes shape k + 1.
TEST_F(DBaseTableTest, DeletedRecordsAreKeptInTheirPlace)
{
    DBaseWriter writer;
    writer.addField("ID", 'N', 4);
    writer.addRecord({ "1" });
    writer.addRecord({ "2" }, true);
    writer.addRecord({ "3" });
    const auto table = tableOf(writer.bytes());
    ASSERT_TRUE(table);
    const AttributeColumns columns = allRows(*table);
    EXPECT_EQ(columns[0], (std::vector<AttributeValue> { 1.0, 2.0, 3.0 }));
}

TEST_F(DBaseTableTest, NumbersReadTheSameInEveryLocale)
{
    const NumericLocale german("de_DE.UTF-8");
    if (!german.active()) {
        GTEST_SKIP() << "no German locale on this system";
    }
    const auto table = tableOf(everyType().bytes());
    ASSERT_TRUE(table);
    EXPECT_EQ(allRows(*table)[1][0], AttributeValue(12.5));
}

TEST_F(DBaseTableTest, TextsReadAsUtf8OrWindows1252)
{
    DBaseWriter writer;
    writer.addField("NAME", 'C', 10);
    writer.addField(QByteArray("CR\xC9"
                               "EK"),
        'C', 4);
    writer.addRecord({ "Sa\xF4ne", "x" });
    writer.addRecord({ "Sa\xC3\xB4ne", "y" });
    const auto table = tableOf(writer.bytes());
    ASSERT_TRUE(table);
    EXPECT_EQ(table->fieldName(1), QString::fromUtf8("CRÉEK"));
    const AttributeColumns columns = allRows(*table);
    EXPECT_EQ(columns[0][0], AttributeValue(QString::fromUtf8("Saône")));
    EXPECT_EQ(columns[0][1], AttributeValue(QString::fromUtf8("Saône")));
}

TEST_F(DBaseTableTest, ZeroRecordsOpenAsAnEmptyTable)
{
    DBaseWriter writer;
    writer.addField("ID", 'N', 4);
    const auto table = tableOf(writer.bytes());
    ASSERT_TRUE(table);
    EXPECT_EQ(table->recordCount(), 0);
    EXPECT_EQ(table->fieldCount(), 1);
    EXPECT_EQ(allRows(*table), AttributeColumns(1));
}

TEST_F(DBaseTableTest, GetRowsFetchesARangeAndRefusesOneBeyondTheTable)
{
    const auto table = tableOf(everyType().bytes());
    ASSERT_TRUE(table);
    AttributeColumns columns;
    QString error;
    ASSERT_TRUE(table->getRows(2, 1, columns, &error));
    EXPECT_EQ(columns[1], (std::vector<AttributeValue> { 3.0 }));

    EXPECT_FALSE(table->getRows(2, 2, columns, &error));
    EXPECT_EQ(error, "'parcels.dbf' has no records 3 to 4: it holds 3.");
    EXPECT_FALSE(table->getRows(-1, 1, columns, &error));
    EXPECT_EQ(columns[1], (std::vector<AttributeValue> { 3.0 })) << "a refused fetch leaves the result";
}

// FoxPro writes 263 bytes after the terminator; the header length covers them.
TEST_F(DBaseTableTest, HeaderLongerThanItsFieldsIsRead)
{
    DBaseWriter writer;
    writer.addField("ID", 'N', 4);
    writer.addRecord({ "7" });
    QByteArray bytes = writer.bytes();
    bytes.insert(writer.headerLength(), QByteArray(263, '\0'));
    putLittleEndian16(bytes, DBaseWriter::HeaderLengthOffset, quint16(writer.headerLength() + 263));
    const auto table = tableOf(bytes);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->fieldCount(), 1);
    EXPECT_EQ(allRows(*table)[0], (std::vector<AttributeValue> { 7.0 }));
}

// Damaged tables: each is refused with a message naming the table and the
// fault, never read past its end.
TEST_F(DBaseTableTest, DamagedTablesAreRefused)
{
    const QByteArray good = everyType().bytes();
    const DBaseWriter writer = everyType();
    struct Case
    {
        const char* fault;
        QByteArray bytes;
        const char* message;
    };
    QByteArray longRecords = good;
    putLittleEndian16(longRecords, DBaseWriter::RecordLengthOffset, quint16(writer.recordLength() + 1));
    QByteArray paddedRecords = longRecords + QByteArray(2, ' ');
    QByteArray shortRecords = good;
    putLittleEndian16(shortRecords, DBaseWriter::RecordLengthOffset, quint16(writer.recordLength() - 1));
    QByteArray tooManyRecords = good;
    putLittleEndian32(tooManyRecords, DBaseWriter::RecordCountOffset, 4);
    QByteArray absurdCount = good;
    putLittleEndian32(absurdCount, DBaseWriter::RecordCountOffset, -1);
    QByteArray longHeader = good;
    putLittleEndian16(longHeader, DBaseWriter::HeaderLengthOffset, 0xFFFF);
    QByteArray noFields = good.left(32);
    noFields += '\x0D';
    putLittleEndian16(noFields, DBaseWriter::HeaderLengthOffset, 33);
    putLittleEndian16(noFields, DBaseWriter::RecordLengthOffset, 1);
    putLittleEndian32(noFields, DBaseWriter::RecordCountOffset, 0);
    QByteArray zeroWidth = good;
    zeroWidth[32 + 32 + 16] = 0; // AREA
    QByteArray noLength = good;
    putLittleEndian16(noLength, DBaseWriter::RecordLengthOffset, 0);

    const std::vector<Case> cases {
        { "empty file", QByteArray(),
            "'parcels.dbf' is not a dBASE table: its header is cut short (0 of 32 bytes)." },
        { "truncated header", good.left(20),
            "'parcels.dbf' is not a dBASE table: its header is cut short (20 of 32 bytes)." },
        { "truncated field descriptors", good.left(100),
            "'parcels.dbf' is damaged: its header of 193 bytes is cut short at 100 bytes." },
        { "header length beyond the file", longHeader,
            "'parcels.dbf' is damaged: its header of 65535 bytes is cut short at 326 bytes." },
        { "records longer than the fields", longRecords,
            "'parcels.dbf' is damaged: its header counts 3 records of 45 bytes, but the file holds only 2." },
        { "records longer than the fields, file long enough", paddedRecords,
            "'parcels.dbf' is damaged: its records are 45 bytes long, but its fields and the deletion flag "
            "take 44 bytes." },
        // shapelib itself refuses fields that overrun the record.
        { "records shorter than the fields", shortRecords,
            "'parcels.dbf' is not a dBASE table or is damaged." },
        { "record count beyond the file", tooManyRecords,
            "'parcels.dbf' is damaged: its header counts 4 records of 44 bytes, but the file holds only 3." },
        { "absurd record count", absurdCount,
            "'parcels.dbf' is damaged: its header counts 4294967295 records of 44 bytes, but the file holds "
            "only 3." },
        { "truncated last record", good.left(good.size() - 10),
            "'parcels.dbf' is damaged: its header counts 3 records of 44 bytes, but the file holds only 2." },
        { "no fields", noFields, "'parcels.dbf' is damaged: its header describes no fields." },
        { "field without width", zeroWidth, "'parcels.dbf' is damaged: its field 2 ('AREA') has no width." },
        { "records without length", noLength,
            "'parcels.dbf' is damaged: its header gives its records no length." },
    };
    for (const Case& c : cases) {
        QString error;
        EXPECT_FALSE(tableOf(c.bytes, &error)) << c.fault;
        EXPECT_EQ(error, QString::fromUtf8(c.message)) << c.fault;
    }
}

TEST_F(DBaseTableTest, OtherFilesAreRefused)
{
    QByteArray text = "This is a text file with a dbf extension and nothing of a table in it.\r\n";
    text = text.repeated(4);
    QString error;
    EXPECT_FALSE(tableOf(text, &error));
    EXPECT_TRUE(error.startsWith("'parcels.dbf' is ")) << error.toStdString();
}

using DBaseDatabaseTest = KorvelTest;

TEST_F(DBaseDatabaseTest, OpensATableOfTheFolderByItsFileName)
{
    everyType().write(workDir() + "copy-1.dbf");
    DBaseDatabase database;
    QString error;
    ASSERT_TRUE(database.open(workDir(), &error));
    const auto table = database.openTable("copy-1.dbf", &error, "parcels.dbf");
    ASSERT_TRUE(table) << error.toStdString();
    EXPECT_EQ(table->recordCount(), 3);
    database.close();
    EXPECT_FALSE(database.isOpen());
}

TEST_F(DBaseDatabaseTest, MissingFolderOrTableIsReportedByTheShownName)
{
    DBaseDatabase database;
    QString error;
    EXPECT_FALSE(database.open(workDir() + "nowhere", &error));
    EXPECT_EQ(error, "Path not found");
    ASSERT_TRUE(database.open(workDir(), &error));
    EXPECT_FALSE(database.openTable("copy-1.dbf", &error, "parcels.dbf"));
    EXPECT_EQ(error, "'parcels.dbf' cannot be read: File not found");
    writeTestFile(workDir() + "short.dbf", "\x03\x7C");
    EXPECT_FALSE(database.openTable("short.dbf", &error));
    EXPECT_EQ(error, "'short.dbf' is not a dBASE table: its header is cut short (2 of 32 bytes).");
}
