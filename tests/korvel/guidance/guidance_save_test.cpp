#include "korvel/guidance/guidance_save.h"

#include "korvel/agnav/block_loading.h"
#include "korvel/agnav/boundary_file_writer.h"
#include "korvel/guidance/guidance_file.h"
#include "korvel/shell/utm_projection.h"
#include "platform/safe_file_writer.h"
#include "tests/korvel/agnav/agnav_test_data.h"
#include "tests/support/child_process.h"
#include "tests/support/korvel_test.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <functional>
#include <sys/stat.h>

// Writes a block's boundary and guidance-line files as a guidance save does
// and is killed after the first is in place. Arguments: the boundary file,
// its new contents' file, the guidance-line file, its new contents' file.
KORVEL_CHILD_ACTION(guidance_save_killed_between_files)
{
    const auto bytes = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    SafeFileSetWriter files({ arguments.value(0), arguments.value(2) });
    files.setReplacedObserver([](const QString&) { std::raise(SIGKILL); });
    if (files.open() && files.write(0, bytes(arguments.value(1))) && files.write(1, bytes(arguments.value(3)))) {
        files.commit();
    }
    return 1;
}

namespace {

class GuidanceSaveTest : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        globals().Ellipsoid = Wgs84;
        m_b = appendBlock();
        AGNAVBlock& block = blockAt(m_b) = utmBlock(workDir() + QStringLiteral("FIELD17.no1"));
        block.MasterPoint = { QStringLiteral("500600.0"), QStringLiteral("4800700.0") };
        block.SwathWidthText = QStringLiteral("30");
        block.HeadingText = QStringLiteral("90.00");
        block.OffsetCode = 1;
        ASSERT_TRUE(writeBoundaryFile(utmJob(), block).isDone());
        m_original = readTestFile(block.Path);
    }

    AGNAVBlock& block() { return blockAt(m_b); }

    GuidanceSaveRequest request(const char* guidance = "45", const char* swath = "30") const
    {
        GuidanceSaveRequest r;
        r.block = m_b;
        r.lines = { { 500615.2, 4800700.0, 500615.2, 4801300.0 }, { 500645.2, 4800700.0, 500645.2, 4801300.0 } };
        r.panel = { true, QString::fromLatin1(guidance), QString::fromLatin1(swath), false };
        r.frame.ellipsoid = Wgs84;
        return r;
    }

    // The record of the boundary file as it now stands.
    QByteArray record(const char* number) const
    {
        for (const QByteArray& line : readTestFile(blockAt(m_b).Path).split('\n')) {
            if (line.startsWith(QByteArray(number) + ' ')) {
                return line.trimmed();
            }
        }
        return {};
    }

    QString xyz() const { return workDir() + QStringLiteral("FIELD17.xyz"); }
    static QString backup()
    {
        return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/KORVEL/temp.no1";
    }

    int m_b = 0;
    QByteArray m_original;
};

TEST_F(GuidanceSaveTest, TheLinesGoIntoTheBlockAndBothFiles)
{
    ASSERT_TRUE(saveGuidanceLines(request()).isDone());
    EXPECT_EQ(readTestFile(xyz()),
        "LINE 10 \r\n500615      4800700  1\r\n500615      4801300  2\r\n"
        "LINE 20 \r\n500645      4800700  1\r\n500645      4801300  2\r\n");
    EXPECT_EQ(record("4"), "4            2                  NUMBER OF LINES");
    EXPECT_EQ(record("17"), "17   500600.0  4800700.0  45.00 MASTER POINT, HEADING");
    EXPECT_EQ(record("36"), "36         30         1  1      SWATH WIDTH, NO OF A/C, SPRAY ON CLOSURE OF CONTACT");
    EXPECT_EQ(record("37"), "37          0                   NO OFFSET OF THE FIRST LINE");
    EXPECT_EQ(readTestFile(backup()), m_original) << "the file as it was";

    EXPECT_TRUE(block().GuidanceLoaded);
    EXPECT_EQ(agnavData().GuidanceCount, 1);
    EXPECT_EQ(block().HeadingText, "45");
    EXPECT_EQ(block().LineCountText, "2");
    EXPECT_EQ(block().OffsetCode, 0);
    EXPECT_EQ(block().Guidance.SourcePath, xyz());
    ASSERT_EQ(block().Guidance.LineCount, 2);
    EXPECT_EQ(block().Guidance.Lines[2].X, (std::vector<double> { 0, 500645.2, 500645.2 }));

    // A second save replaces the lines; the block keeps its one set.
    GuidanceSaveRequest again = request("45");
    again.lines.resize(1);
    again.panel.halfSwath = true;
    ASSERT_TRUE(saveGuidanceLines(again).isDone());
    EXPECT_EQ(agnavData().GuidanceCount, 1);
    EXPECT_EQ(block().Guidance.LineCount, 1);
    EXPECT_EQ(block().Guidance.Lines.size(), 2u);
    EXPECT_EQ(record("37"), "37          1                   HALF-SWATH OFFSET OF THE FIRST LINE");
}

TEST_F(GuidanceSaveTest, WhatTheBlockKeeps)
{
    const struct
    {
        const char* name;
        bool heading;
        const char* guidance;
        const char* swath;
        bool metric;
        const char* headingText;
        const char* swathText;
    } rows[] = {
        { "98 ft are 30 m", true, "0", "98", false, "0", "30" },
        { "a heading of 359.5 is 0", true, "359.5", "30", true, "0", "30" },
        { "a swath of 30.5 m is 30 (half to even)", true, "10", "30.5", true, "10", "30" },
        { "edge 2 runs east", false, "2", "30", true, "90", "30" },
        { "edge 3 closes the ring south-west", false, "3", "30", true, "233.130102354156", "30" },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        GuidanceSaveRequest r = request(row.guidance, row.swath);
        r.panel.headingMode = row.heading;
        r.metric = row.metric;
        ASSERT_TRUE(saveGuidanceLines(r).isDone());
        EXPECT_EQ(block().HeadingText, row.headingText);
        EXPECT_EQ(block().SwathWidthText, row.swathText);
        EXPECT_TRUE(record("36").startsWith(QByteArray("36         ") + row.swathText + ' '));
    }
}

TEST_F(GuidanceSaveTest, AGeographicMapWritesTheBlocksOwnZoneAndEllipsoid)
{
    // The block lies in zone 18 on Clarke 1866; the map is in zone 17 on WGS-84.
    block().Zone = 18;
    block().Ellipsoid = Clarke1866;
    for (std::size_t i = 1; i < block().Boundary.X.size(); ++i) {
        const GeographicDeg corner
            = toGeographic({ block().Boundary.X[i], block().Boundary.Y[i], 17, true }, Wgs84);
        block().Boundary.X[i] = corner.longitude;
        block().Boundary.Y[i] = corner.latitude;
    }
    GuidanceSaveRequest r = request();
    r.frame.utm = false;
    r.frame.zone = 17;
    r.frame.ellipsoid = Wgs84;
    const GeographicDeg start { 43.35, -75.01 };
    const GeographicDeg end { 43.36, -75.01 };
    r.lines = { { start.longitude, start.latitude, end.longitude, end.latitude } };
    ASSERT_TRUE(saveGuidanceLines(r).isDone());

    const ProjectedMetres p1 = toUtm(start, 18, Clarke1866);
    const ProjectedMetres p2 = toUtm(end, 18, Clarke1866);
    GuidanceSet set;
    ASSERT_TRUE(parseGuidanceFile(readTestFile(xyz()), set).isDone());
    ASSERT_EQ(set.LineCount, 1);
    EXPECT_NEAR(set.Lines[1].X[1], p1.easting, 0.5);
    EXPECT_NEAR(set.Lines[1].Y[1], p1.northing, 0.5);
    EXPECT_NEAR(set.Lines[1].Y[2], p2.northing, 0.5);
    EXPECT_EQ(block().Guidance.Lines[1].X[1], start.longitude) << "the block keeps the map's system";
}

TEST_F(GuidanceSaveTest, AUtmMapInAnotherEllipsoidGoesThroughDegrees)
{
    block().Ellipsoid = Clarke1866;
    GuidanceSaveRequest r = request();
    ASSERT_TRUE(saveGuidanceLines(r).isDone());
    const ProjectedMetres expected
        = toUtm(toGeographic({ 500615.2, 4800700.0, 17, true }, Wgs84), 17, Clarke1866);
    GuidanceSet set;
    ASSERT_TRUE(parseGuidanceFile(readTestFile(xyz()), set).isDone());
    EXPECT_NEAR(set.Lines[1].X[1], expected.easting, 0.5);
    EXPECT_NEAR(set.Lines[1].Y[1], expected.northing, 0.5);
    EXPECT_GT(std::abs(set.Lines[1].Y[1] - 4800700.0), 100.0) << "the datums lie apart";
}

TEST_F(GuidanceSaveTest, ARefusedSaveLeavesTheBlockAndItsFilesAsTheyWere)
{
    const QString blockPath = block().Path;
    const struct
    {
        const char* name;
        std::function<void(GuidanceSaveRequest&)> change;
        QString message;
    } rows[] = {
        { "a swath that is no number", [](GuidanceSaveRequest& r) { r.panel.swathText = "abc"; },
            "The swath width \"abc\" is not a number." },
        { "a swath below half a metre", [](GuidanceSaveRequest& r) { r.panel.swathText = "0.4"; },
            "The swath width of block FIELD17.no1 must be at least 1 m." },
        { "a heading that is no number", [](GuidanceSaveRequest& r) { r.panel.guidanceText = "north"; },
            "The heading \"north\" is not a number." },
        { "edge 0, left by a refused entry",
            [](GuidanceSaveRequest& r) {
                r.panel.headingMode = false;
                r.panel.guidanceText = "0";
            },
            "\"0\" is not an edge of block FIELD17.no1, whose edges are 1 to 3." },
        { "more lines than a job holds",
            [](GuidanceSaveRequest& r) { r.lines.assign(5001, r.lines[0]); },
            "Block FIELD17.no1 would get 5001 guidance lines; at most 5000 can be saved." },
        { "a backup that cannot be written",
            [this](GuidanceSaveRequest& r) { r.backupFolders = { workDir() + "FIELD17.no1/KORVEL" }; },
            QString("Cannot keep a copy of %1FIELD17.no1 before saving: %2").arg(workDir(), qt_error_string(ENOTDIR)) },
        { "a guidance-line file that cannot be written: the boundary file is put back",
            [this](GuidanceSaveRequest&) { QDir(workDir()).mkdir("FIELD17.xyz"); },
            QString("Cannot write %1FIELD17.xyz: ").arg(workDir()) },
        { "a boundary file that is gone", [blockPath](GuidanceSaveRequest&) { QFile::remove(blockPath); },
            QString("Cannot read %1: ").arg(blockPath) },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        GuidanceSaveRequest r = request();
        row.change(r);
        const AgnavOutcome outcome = saveGuidanceLines(r);
        EXPECT_TRUE(outcome.message().startsWith(row.message)) << outcome.message().toStdString();
        if (QFile::exists(blockPath)) {
            EXPECT_EQ(readTestFile(blockPath), m_original);
        }
        EXPECT_FALSE(block().GuidanceLoaded);
        EXPECT_EQ(agnavData().GuidanceCount, 0);
        EXPECT_EQ(block().SwathWidthText, "30");
        EXPECT_EQ(block().HeadingText, "90.00");
        EXPECT_EQ(block().OffsetCode, 1);
        EXPECT_TRUE(block().LineCountText.isEmpty());
    }
}

TEST_F(GuidanceSaveTest, NothingIsSavedForLinesNotComputedOrOverABoundaryNamedLikeThem)
{
    const QByteArray oldLines = "LINE 10 \r\n500600      4800700  1\r\n500600      4801300  2\r\n";
    const struct
    {
        const char* name;
        const char* boundary; // the block's file name
        const char* refusal; // from the preview
        QString message;
    } rows[] = {
        { "an error computing the lines", "FIELD17.no1", "Error computing guidance lines.",
            "The guidance lines of the block FIELD17.no1 could not be computed, so nothing was saved." },
        { "a boundary named FIELD17.xyz", "FIELD17.xyz", "",
            QString("The guidance-line file of %1FIELD17.xyz would be %1FIELD17.xyz itself").arg(workDir()) },
        { "a boundary named FIELD17.XYZ", "FIELD17.XYZ", "",
            QString("The guidance-line file of %1FIELD17.XYZ would be %1FIELD17.XYZ itself").arg(workDir()) },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = workDir() + row.boundary;
        block().Path = path;
        block().FileName = row.boundary;
        writeTestFile(path, m_original);
        if (QLatin1String(row.boundary) == "FIELD17.no1") {
            writeTestFile(xyz(), oldLines);
        }
        const QByteArray lines = readTestFile(xyz());
        GuidanceSaveRequest r = request();
        r.computationRefusal = row.refusal;
        const AgnavOutcome outcome = saveGuidanceLines(r);
        EXPECT_TRUE(outcome.message().startsWith(row.message)) << outcome.message().toStdString();
        EXPECT_EQ(readTestFile(path), m_original);
        EXPECT_EQ(readTestFile(xyz()), lines);
        EXPECT_FALSE(block().GuidanceLoaded);
        if (!*row.refusal) {
            EXPECT_EQ(LoadGuidanceFile(m_b).message(), outcome.message()) << "nor read";
        }
        QFile::remove(path);
    }
}

// FIELD17.xyz may be another block's boundary file: a save replaces only a
// guidance-line file, whole or cut, and never a loaded block's boundary.
TEST_F(GuidanceSaveTest, ASaveReplacesOnlyAGuidanceLineFile)
{
    const struct
    {
        const char* name;
        QByteArray existing;
        bool openAsBlock;
        const char* refusal; // empty: saved
    } rows[] = {
        { "a boundary file", m_original, false, "is not a guidance-line file" },
        { "a boundary file opened as a block", m_original, true, "is the boundary file of block FIELD17.xyz" },
        { "a whole guidance-line file", "\r\nline 10 \r\n500600      4800700  1\r\n500600      4801300  2\r\n",
            false, "" },
        { "a cut guidance-line file", "LINE 10 \r\n5006", false, "" },
        { "an empty file", "", false, "" },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        writeTestFile(block().Path, m_original);
        writeTestFile(xyz(), row.existing);
        if (row.openAsBlock) {
            blockAt(appendBlock()) = utmBlock(xyz());
        }
        const AgnavOutcome outcome = saveGuidanceLines(request());
        if (*row.refusal) {
            EXPECT_EQ(outcome.message(), xyz() + " " + row.refusal
                    + ", so the guidance lines were not saved over it; nothing was changed."
                    + (row.openAsBlock ? "" : " Move or rename that file and save again."));
            EXPECT_EQ(readTestFile(block().Path), m_original);
            EXPECT_EQ(readTestFile(xyz()), row.existing);
        } else {
            EXPECT_TRUE(outcome.isDone()) << outcome.message().toStdString();
            EXPECT_TRUE(readTestFile(xyz()).startsWith("LINE 10 \r\n500615"));
        }
        if (row.openAsBlock) {
            removeBlock(m_b + 1);
        }
    }
}

TEST_F(GuidanceSaveTest, TheCopyBeforeASaveIsPrivateWhateverLiesInTheProgramFolder)
{
    // An installed program's folder, with a link planted where the copy once went.
    writeTestFile(workDir() + "victim", "someone else's file");
    ASSERT_TRUE(QFile::link(workDir() + "victim", programDir() + "temp.no1"));
    const QStringList programFiles = QDir(programDir()).entryList(QDir::AllEntries | QDir::Hidden);
    ASSERT_EQ(::chmod(QFile::encodeName(programDir()).constData(), 0555), 0);
    const AgnavOutcome outcome = saveGuidanceLines(request());
    ::chmod(QFile::encodeName(programDir()).constData(), 0755);
    ASSERT_TRUE(outcome.isDone()) << outcome.message().toStdString();
    EXPECT_EQ(readTestFile(workDir() + "victim"), "someone else's file");
    EXPECT_EQ(QDir(programDir()).entryList(QDir::AllEntries | QDir::Hidden), programFiles);
    EXPECT_EQ(readTestFile(backup()), m_original);
    struct stat info
    {
    };
    ASSERT_EQ(::lstat(QFile::encodeName(backup()).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, mode_t(0600));

    // A link at the copy's own place goes; what it points at stays.
    ASSERT_TRUE(QFile::remove(backup()));
    ASSERT_TRUE(QFile::link(workDir() + "victim", backup()));
    ASSERT_TRUE(saveGuidanceLines(request("90")).isDone());
    EXPECT_EQ(readTestFile(workDir() + "victim"), "someone else's file");
    EXPECT_FALSE(QFileInfo(backup()).isSymLink());
}

TEST_F(GuidanceSaveTest, ASaveKilledBetweenItsTwoFilesLoadsAsOneSave)
{
    writeTestFile(xyz(), "");
    ASSERT_TRUE(saveGuidanceLines(request()).isDone());
    const QByteArray newBoundary = readTestFile(block().Path);
    const QByteArray newLines = readTestFile(xyz());
    writeTestFile(workDir() + "boundary.new", newBoundary);
    writeTestFile(workDir() + "lines.new", newLines);
    writeTestFile(block().Path, m_original);
    writeTestFile(xyz(), "");

    const ChildResult child = runChildAction("guidance_save_killed_between_files",
        { block().Path, workDir() + "boundary.new", xyz(), workDir() + "lines.new" });
    ASSERT_FALSE(child.finished) << child.output.toStdString();
    ASSERT_EQ(readTestFile(xyz()), "") << "the kill came between the two files";

    int index = 0;
    ASSERT_TRUE(loadBlockRecord(block().Path, BlockLoadOptions(), &index).isDone());
    EXPECT_EQ(readTestFile(block().Path), newBoundary);
    EXPECT_EQ(blockAt(index).HeadingText, "45.00");
    ASSERT_TRUE(LoadGuidanceFile(index).isDone());
    EXPECT_EQ(blockAt(index).Guidance.LineCount, 2);
    EXPECT_EQ(readTestFile(xyz()), newLines);
}

TEST_F(GuidanceSaveTest, NoLinesLeaveAnEmptyFileAndABlockWithGuidance)
{
    GuidanceSaveRequest r = request();
    r.lines.clear();
    ASSERT_TRUE(saveGuidanceLines(r).isDone());
    EXPECT_EQ(readTestFile(xyz()), QByteArray());
    EXPECT_EQ(record("4"), "4            0                  NUMBER OF LINES");
    EXPECT_TRUE(block().GuidanceLoaded);
    EXPECT_EQ(block().Guidance.LineCount, 0);
}

TEST_F(GuidanceSaveTest, NoBlockNoSave)
{
    GuidanceSaveRequest r = request();
    r.block = 2;
    EXPECT_EQ(saveGuidanceLines(r).message(), "No block is chosen for the guidance lines.");
}

} // namespace
