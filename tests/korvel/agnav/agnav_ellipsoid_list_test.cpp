#include "korvel/agnav/agnav_ellipsoid_list.h"

#include "korvel/workspace/program_globals.h"
#include "platform/complete_lines.h"
#include "tests/korvel/agnav/agnav_test_data.h"
#include "tests/support/korvel_test.h"

#include <QDir>
#include <QFile>

namespace {

class AgnavEllipsoidList : public KorvelTest
{
protected:
    QString userFile() const { return programDir() + AgnavEllipsoidFileName; }
};

// Bad lines give no row; the good ones around them keep theirs, in order.
TEST_F(AgnavEllipsoidList, FileRowsSkipMalformedLines)
{
    const std::vector<AGNAVEllipsoid> rows = parseAgnavEllipsoidFile("MINE,6378140.5,298.3\r\n"
                                                                     "\r\n"
                                                                     "NO COMMAS\r\n"
                                                                     "ONE,6378140\r\n"
                                                                     ",6378140,298\r\n"
                                                                     "WORDS,big,flat\r\n"
                                                                     "EXTRA,6378140,298,1\r\n"
                                                                     "NO AXIS,0,298\r\n"
                                                                     "NEGATIVE,-1,298\r\n"
                                                                     "  SPACED , 6377000 , 299.1 \n"
                                                                     "LAST,6378000,297\r\n");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].EllipsoidName, "MINE");
    EXPECT_EQ(rows[0].EllipsoidAxis, "6378140.5");
    EXPECT_EQ(rows[1].EllipsoidName, "SPACED");
    EXPECT_EQ(rows[1].EllipsoidAxis, "6377000");
    EXPECT_EQ(rows[1].EllipsoidFlattening, "299.1");
    EXPECT_EQ(rows[2].EllipsoidName, "LAST");
    EXPECT_TRUE(parseAgnavEllipsoidFile(QByteArray()).empty());
}

// Every cut inside a line refuses the whole file, naming the file and the line.
TEST_F(AgnavEllipsoidList, EveryCutInsideALineRefusesTheFile)
{
    const QByteArray file = "MINE,6378140.5,298.3\r\nOTHER,6378000,297\r\n";
    for (qsizetype size = 1; size < file.size(); ++size) {
        const QByteArray cut = file.left(size);
        QString refusal;
        const std::size_t rows = parseAgnavEllipsoidFile(cut, &refusal).size();
        const bool whole = cut.endsWith('\n') || cut.endsWith('\r');
        EXPECT_EQ(rows, whole ? std::size_t(cut.count('\r')) : 0u) << size;
        EXPECT_EQ(refusal, whole ? QString() : cutOffLineMessage(int(cut.count('\n')) + 1)) << size;
    }
    writeTestFile(userFile(), file.left(30));
    QString refusal;
    EXPECT_EQ(agnavEllipsoidList(&refusal).size(), builtInAgnavEllipsoids().size());
    EXPECT_EQ(refusal,
        "The user ellipsoids of \"AGNAV Ellipsoids.txt\" were not loaded:\r"
        "Line 2 stops without its line end: the file was cut off.");
}

TEST_F(AgnavEllipsoidList, MatchingRowComparesNumbersFromRowOne)
{
    std::vector<AGNAVEllipsoid> list = builtInAgnavEllipsoids();
    EXPECT_EQ(matchingEllipsoidRow(list, 6378137.0, 298.257223563), 22);
    EXPECT_EQ(matchingEllipsoidRow(list, 6377397.155, 299.1528128), 4) << "the first of two equal rows";
    EXPECT_EQ(matchingEllipsoidRow(list, 6378137.0, 298.0), std::nullopt);
    list.push_back({ QStringLiteral("MINE"), QStringLiteral("6378140.50"), QStringLiteral("298.3") });
    EXPECT_EQ(matchingEllipsoidRow(list, 6378140.5, 298.3), 24);
}

TEST_F(AgnavEllipsoidList, NameRefusals)
{
    const std::vector<AGNAVEllipsoid> list = builtInAgnavEllipsoids();
    EXPECT_TRUE(userEllipsoidNameRefusal(list, "MINE").isEmpty());
    EXPECT_EQ(userEllipsoidNameRefusal(list, "WGS-84"), "There is already an ellipsoid called 'WGS-84'.");
    EXPECT_TRUE(userEllipsoidNameRefusal(list, "wgs-84").isEmpty()) << "case counts";
    EXPECT_TRUE(userEllipsoidNameRefusal(list, "USER-ENTER").isEmpty()) << "row 0 takes no part";
    EXPECT_EQ(userEllipsoidNameRefusal(list, "A,B"), "The name of an ellipsoid may not contain a comma.");
}

TEST_F(AgnavEllipsoidList, AppendingCreatesRefusesACutFileAndKeepsTheFileOnFailure)
{
    const QString path = userFile();
    ASSERT_TRUE(appendUserEllipsoid(path, { "A", "6378001", "298" }).isDone());
    EXPECT_EQ(readTestFile(path), "A,6378001,298\r\n");
    ASSERT_TRUE(appendUserEllipsoid(path, { "B", "6378002.5", "299" }).isDone());
    EXPECT_EQ(readTestFile(path), "A,6378001,298\r\nB,6378002.5,299\r\n");
    writeTestFile(path, "A,6378001,2"); // cut off: ending it would make a row of it
    EXPECT_EQ(appendUserEllipsoid(path, { "B", "6378002.5", "299" }).message(),
        "Cannot write " + path + ": Line 1 stops without its line end: the file was cut off.");
    EXPECT_EQ(readTestFile(path), "A,6378001,2");

    const QString folder = workDir() + "AGNAV Ellipsoids.txt";
    ASSERT_TRUE(QDir().mkpath(folder));
    const AgnavOutcome failed = appendUserEllipsoid(folder, { "C", "1", "2" });
    EXPECT_TRUE(failed.isRefused());
    EXPECT_TRUE(failed.message().startsWith("Cannot write " + folder + ": "))
        << failed.message().toStdString();
}

// The program folder may be read-only (installed): a saved ellipsoid goes to
// the user's data folder, whose copy is read before the shipped one and
// starts with the shipped rows.
TEST_F(AgnavEllipsoidList, SavingGoesToTheUsersDataFolderWhichIsReadFirst)
{
    const struct
    {
        const char* name;
        QByteArray shipped; // empty: no file in the program folder
        QByteArray own; // empty: no copy of the user's yet
        QByteArray saved;
        std::vector<QString> listed;
    } rows[] = {
        { "nothing yet", "", "", "NEW,6378009,297\r\n", { "NEW" } },
        { "shipped rows are kept", "SHIP,6378001,298\r\n", "", "SHIP,6378001,298\r\nNEW,6378009,297\r\n",
            { "SHIP", "NEW" } },
        { "the user's copy wins", "SHIP,6378001,298\r\n", "OWN,6378002,299\r\n",
            "OWN,6378002,299\r\nNEW,6378009,297\r\n", { "OWN", "NEW" } },
    };
    const QString shipped = programDir() + AgnavEllipsoidFileName;
    const QString own = userDataDir() + AgnavEllipsoidFileName;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QFile::setPermissions(programDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::remove(shipped);
        QFile::remove(own);
        if (!row.shipped.isEmpty()) {
            writeTestFile(shipped, row.shipped);
        }
        if (!row.own.isEmpty()) {
            QDir().mkpath(userDataDir());
            writeTestFile(own, row.own);
        }
        QFile::setPermissions(
            programDir(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);

        ASSERT_TRUE(saveUserEllipsoidRow({ "NEW", "6378009", "297" }).isDone());
        EXPECT_EQ(readTestFile(own), row.saved);
        EXPECT_EQ(QFile::exists(shipped) ? readTestFile(shipped) : QByteArray(), row.shipped)
            << "the program folder is left alone";
        std::vector<QString> listed;
        for (const AGNAVEllipsoid& ellipsoid : agnavEllipsoidList()) {
            listed.push_back(ellipsoid.EllipsoidName);
        }
        listed.erase(listed.begin(), listed.begin() + FirstUserRow);
        EXPECT_EQ(listed, row.listed);
    }
    QFile::setPermissions(programDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace
