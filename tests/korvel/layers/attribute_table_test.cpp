#include "korvel/layers/attribute_table.h"

#include "korvel/workspace/layer_records.h"
#include "tests/support/dbase_writer.h"
#include "tests/support/korvel_test.h"
#include "tests/support/recording_status_progress.h"
#include "tests/support/shapefile_writer.h"

#include <QDir>
#include <QFile>
#include <QLocale>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const QString ErrorLead = QStringLiteral("KORVEL encountered the following error:\r");

GISLayer layerAt(const QString& path, int shapes)
{
    GISLayer layer;
    layer.Path = path;
    layer.FileName = path.mid(path.lastIndexOf(u'/') + 1);
    layer.Shapes.resize(shapes);
    layer.Colours = { 0x123456 };
    return layer;
}

DBaseWriter landUse()
{
    DBaseWriter writer;
    writer.addField("PARCEL", 'N', 6);
    writer.addField("CROP", 'C', 10);
    writer.addField("ORGANIC", 'L', 1);
    writer.addRecord({ "101", "Canola", "T" });
    writer.addRecord({ "102", "", "F" });
    writer.addRecord({ "103", "Wheat", "" });
    return writer;
}

// Points the system temporary folder (where private copies go) at a folder
// of the test's own while the object lives.
class PrivateTempFolder
{
public:
    explicit PrivateTempFolder(const QString& path)
        : m_path(path)
        , m_old(qgetenv("TMPDIR"))
    {
        QDir().mkpath(path);
        qputenv("TMPDIR", path.toLocal8Bit());
    }
    ~PrivateTempFolder() { qputenv("TMPDIR", m_old); }
    QStringList files() const { return QDir(m_path).entryList(QDir::Files | QDir::Hidden); }

private:
    QString m_path;
    QByteArray m_old;
};

// No file larger than `bytes` can be written while this lives, root or not.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old {};
    void (*m_oldHandler)(int) = nullptr;
};

class ReadDBFTableTest : public KorvelTest
{
protected:
    AttributeTableRead read(const GISLayer& layer)
    {
        // A table left from an earlier reading must not survive a failed one.
        table.FieldCount = 9;
        table.FieldNames = QStringList { "", "OLD" };
        return ReadDBFTable(layer, table);
    }
    void expectEmpty() const
    {
        EXPECT_EQ(table.FieldCount, 0);
        EXPECT_EQ(table.RecordCount, 0);
        EXPECT_TRUE(table.FieldNames.isEmpty());
        EXPECT_TRUE(table.Values.empty());
    }

    AttributeTable table;
};

} // namespace

TEST_F(ReadDBFTableTest, ReadsTheWholeTableThroughAPrivateCopyThatGoes)
{
    landUse().write(workDir() + "parcels.dbf");
    writeTestFile(programDir() + "temp.dbf", "not ours");
    const PrivateTempFolder temp(workDir() + "tmp/");
    RecordingStatusProgress status;

    const AttributeTableRead result = read(layerAt(workDir() + "parcels.shp", 3));
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_EQ(result.message, QString());

    EXPECT_EQ(table.FieldCount, 3);
    EXPECT_EQ(table.FieldNames, (QStringList { "", "PARCEL", "CROP", "ORGANIC" }));
    EXPECT_EQ(table.RecordCount, 3);
    EXPECT_EQ(table.value(0, 2), AttributeValue(103.0));
    EXPECT_TRUE(isNull(table.value(1, 1)));
    EXPECT_EQ(table.value(2, 0), AttributeValue(true));
    EXPECT_TRUE(isNull(table.value(3, 0))) << "outside the table";
    EXPECT_TRUE(isNull(table.value(0, 3))) << "outside the table";

    EXPECT_EQ(temp.files(), QStringList()) << "the private copy is gone";
    QFile left(programDir() + "temp.dbf");
    ASSERT_TRUE(left.open(QIODevice::ReadOnly));
    EXPECT_EQ(left.readAll(), "not ours") << "nothing is written into the program folder";
    EXPECT_EQ(status.texts, (QStringList { "Reading dBase info...", "" }));
}

TEST_F(ReadDBFTableTest, FindsTheTableInAnyLetterCase)
{
    landUse().write(workDir() + "PARCELS.DBF");
    const GISLayer layer = layerAt(workDir() + "PARCELS.shp", 3);
    EXPECT_EQ(attributeTablePath(layer), workDir() + "PARCELS.DBF");
    EXPECT_TRUE(read(layer).ok);
    EXPECT_EQ(attributeTablePath(layerAt(QString(), 0)), QString());
}

// Record k describes shape k + 1: records without a shape are not kept,
// shapes without a record simply have none.
TEST_F(ReadDBFTableTest, KeepsOnlyTheRecordsThatHaveAShape)
{
    landUse().write(workDir() + "parcels.dbf");
    ASSERT_TRUE(read(layerAt(workDir() + "parcels.shp", 2)).ok);
    EXPECT_EQ(table.RecordCount, 2);
    EXPECT_EQ(table.Values[0], (std::vector<AttributeValue> { 101.0, 102.0 }));

    ASSERT_TRUE(read(layerAt(workDir() + "parcels.shp", 7)).ok);
    EXPECT_EQ(table.RecordCount, 3);
    EXPECT_EQ(table.Values[0].size(), 3u);
}

TEST_F(ReadDBFTableTest, ByIndexReadsTheLayerRecord)
{
    landUse().write(workDir() + "parcels.dbf");
    const int index = appendGISLayer();
    layerData().GISLayers[std::size_t(index)] = layerAt(workDir() + "parcels.shp", 3);
    EXPECT_TRUE(ReadDBFTable(index, table).ok);
    EXPECT_EQ(table.RecordCount, 3);

    const AttributeTableRead outside = ReadDBFTable(index + 1, table);
    EXPECT_FALSE(outside.ok);
    EXPECT_EQ(outside.message, ErrorLead + "Subscript out of range");
    expectEmpty();
}

TEST_F(ReadDBFTableTest, MissingEmptyOrDamagedTablesAreReportedWithNothingRead)
{
    const GISLayer layer = layerAt(workDir() + "parcels.shp", 3);

    AttributeTableRead result = read(layer);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, ErrorLead + "'parcels.dbf' cannot be read: File not found");
    expectEmpty();

    DBaseWriter empty;
    empty.addField("PARCEL", 'N', 6);
    empty.write(workDir() + "parcels.dbf");
    result = read(layer);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, ErrorLead + "The attribute table 'parcels.dbf' holds no records.");
    expectEmpty();

    writeTestFile(workDir() + "parcels.dbf", landUse().bytes().left(20));
    result = read(layer);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message,
        ErrorLead + "'parcels.dbf' is not a dBASE table: its header is cut short (20 of 32 bytes).");
    expectEmpty();
}

TEST_F(ReadDBFTableTest, FailedCopyIsReported)
{
    landUse().write(workDir() + "parcels.dbf");
    const PrivateTempFolder temp(workDir() + "tmp/");
    const FileSizeLimit limit(16);
    const AttributeTableRead result = read(layerAt(workDir() + "parcels.shp", 3));
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.message.startsWith(ErrorLead + "'parcels.dbf' cannot be read: "))
        << result.message.toStdString();
    expectEmpty();
}

TEST_F(ReadDBFTableTest, LockedTableIsReported)
{
    if (geteuid() == 0) {
        GTEST_SKIP() << "permissions do not lock files for root";
    }
    landUse().write(workDir() + "parcels.dbf");
    QFile::setPermissions(workDir() + "parcels.dbf", QFileDevice::Permissions());
    const AttributeTableRead result = read(layerAt(workDir() + "parcels.shp", 3));
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.message.startsWith(ErrorLead + "'parcels.dbf' cannot be read: "))
        << result.message.toStdString();
    expectEmpty();
}

using AttributeValueTextTest = KorvelTest;

TEST_F(AttributeValueTextTest, EachTypeInItsGeneralForm)
{
    struct Row
    {
        const char* name;
        AttributeValue value;
        QString text;
    };
    const std::vector<Row> rows {
        { "Null", std::monostate {}, "Null" },
        { "whole number", 3.0, "3" },
        { "fraction", 2.5, "2.5" },
        { "negative", -0.25, "-0.25" },
        { "large", 1e20, "1E+20" },
        { "true", true, "True" },
        { "false", false, "False" },
        { "text as stored", QStringLiteral("  Null "), "  Null " },
    };
    for (const Row& row : rows) {
        EXPECT_EQ(attributeValueText(row.value), row.text) << row.name;
    }
}

TEST_F(AttributeValueTextTest, DatesKeepTheirCentury)
{
    const QString y2k = attributeValueText(QDate(2001, 2, 3));
    const QString y1k = attributeValueText(QDate(1901, 2, 3));
    EXPECT_NE(y2k, y1k);
    // The year in the locale's digits.
    const QString year = QLocale::system().toString(QDate(2001, 2, 3), QStringLiteral("yyyy"));
    EXPECT_TRUE(y2k.contains(year)) << y2k.toStdString();
    const QString localeForm = QLocale::system().toString(QDate(2001, 2, 3), QLocale::ShortFormat);
    EXPECT_TRUE(localeForm.contains(year) ? y2k == localeForm : y2k.size() == localeForm.size() + 2)
        << "the locale's short form, with the year widened";
}
