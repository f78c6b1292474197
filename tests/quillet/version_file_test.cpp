#include "quillet/version_file.h"

#include "tests/support/korvel_test.h"

#include <QLocale>

#include <string>

using namespace quillet;

namespace {

using VersionFileTest = KorvelTest;

UpdateCheck check(const char* installed, const char* file)
{
    return checkForUpdate(QString::fromLatin1(installed), splitVersionFile(QByteArray(file)));
}

} // namespace

TEST_F(VersionFileTest, LinesEndAtTheFirstTwoLineFeeds)
{
    const VersionFile file = splitVersionFile("1.05\n2048000\nnotes\nmore\n");
    EXPECT_EQ(file.latestVersion, "1.05");
    EXPECT_EQ(file.setupSize, "2048000");
    EXPECT_EQ(file.checksum, "notes\nmore\n") << "line 3 is everything after the second line feed";
    EXPECT_EQ(splitVersionFile("1.05").setupSize, "");
    EXPECT_EQ(splitVersionFile("1.05\n2048000").checksum, "");
    // Each byte is one character, whatever it is.
    EXPECT_EQ(splitVersionFile("\xe9\n1").latestVersion, QString(QChar(0xE9)));
}

TEST_F(VersionFileTest, VersionsCompareAsNumbers)
{
    const struct
    {
        const char* name;
        const char* installed;
        const char* file;
        bool offered;
    } rows[] = {
        { "default against 1.1", "1.00", "1.1\n100", true },
        { "1.10 is 1.1", "1.1", "1.10\n100", false },
        { "1.9 is above 1.10", "1.10", "1.9\n100", true },
        { "the same version", "1.05", "1.05\n100", false },
        { "an older server", "2.0", "1.9\n100", false },
        { "whole numbers", "1", "2\n100", true },
    };
    for (const auto& row : rows) {
        const UpdateCheck result = check(row.installed, row.file);
        EXPECT_TRUE(result.error.isEmpty()) << row.name << ": " << result.error.toStdString();
        EXPECT_EQ(result.updateAvailable, row.offered) << row.name;
    }
    EXPECT_EQ(check("1.00", "1.05\n2048000").setupSize, 2048000);
    EXPECT_EQ(check("1.05", "1.05\n2048000").setupSize, 0) << "no size without an update";
}

TEST_F(VersionFileTest, WindowsLineEndsAndBlanksDoNotCount)
{
    const UpdateCheck result = check(" 1.00 ", "  1.2 \r\n 4096 \r\n");
    EXPECT_TRUE(result.error.isEmpty()) << result.error.toStdString();
    EXPECT_TRUE(result.updateAvailable);
    EXPECT_EQ(result.setupSize, 4096);
    EXPECT_EQ(shownLine(splitVersionFile("1.2\r\n4096").latestVersion), "1.2");
}

TEST_F(VersionFileTest, PointIsTheDecimalPointInEveryLocale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const UpdateCheck point = check("1.00", "1.5\n10");
    const UpdateCheck comma = check("1.00", "1,5\n10");
    QLocale::setDefault(saved);
    EXPECT_TRUE(point.updateAvailable);
    EXPECT_FALSE(comma.error.isEmpty()) << "a comma is no decimal point in the file";
}

TEST_F(VersionFileTest, LinesThatAreNoNumbersOfferNothing)
{
    const struct
    {
        const char* name;
        const char* installed;
        std::string file;
        const char* messagePart;
    } rows[] = {
        { "no line feed", "1.00", "1.05", "second line, \"\"" },
        { "a word for a version", "1.00", "latest\n100", "first line, \"latest\"" },
        { "three parts", "1.00", "1.2.3\n100", "first line, \"1.2.3\"" },
        { "an empty file", "1.00", "", "first line, \"\"" },
        { "a word for a size", "1.00", "1.1\nbig", "second line, \"big\"" },
        { "a size with a fraction", "1.00", "1.1\n100.5", "second line, \"100.5\"" },
        { "a negative size", "1.00", "1.1\n-100", "second line, \"-100\"" },
        { "no bytes at all", "1.00", "1.1\n0", "second line, \"0\"" },
        { "a size beyond 32 bits", "1.00", "1.1\n4294967296", "second line" },
        { "further lines after the size", "1.00", "1.1\n100\nnotes", "third line, \"notes\"" },
        { "a checksum one digit short", "1.00", "1.1\n100\nSHA256 " + std::string(63, 'a'), "third line" },
        { "a checksum that is no hex", "1.00", "1.1\n100\nSHA256 " + std::string(63, 'a') + "g",
            "third line" },
        { "another hash", "1.00", "1.1\n100\nMD5 " + std::string(32, 'a'), "third line, \"MD5" },
        { "a checksum and more", "1.00", "1.1\n100\nSHA256 " + std::string(64, 'a') + "\nx", "third line" },
        { "a version beyond Single", "1.00", "1E300\n100", "first line" },
        { "an installed version that is no number", "one", "1.1\n100", "installed version \"one\"" },
    };
    for (const auto& row : rows) {
        const UpdateCheck result = check(row.installed, row.file.c_str());
        EXPECT_FALSE(result.updateAvailable) << row.name;
        EXPECT_TRUE(result.error.contains(QLatin1String(row.messagePart)))
            << row.name << ": " << result.error.toStdString();
    }
    // The size is checked even when the version is not newer: the file is wrong either way.
    EXPECT_FALSE(check("2.0", "1.1\nbig").error.isEmpty());
}

TEST_F(VersionFileTest, ThirdLineMayNameTheSetupsChecksum)
{
    const QByteArray digest = QByteArray::fromHex(QByteArray("0123456789abcdef").repeated(4));
    const struct
    {
        const char* name;
        QByteArray file;
        QByteArray sha256;
    } rows[] = {
        { "two lines, as before", "1.1\n100", {} },
        { "two lines and a line end", "1.1\n100\r\n", {} },
        { "an empty third line", "1.1\n100\n\r\n", {} },
        { "lower case", "1.1\n100\nSHA256 " + QByteArray("0123456789abcdef").repeated(4), digest },
        { "upper case, Windows line ends",
            "1.1\r\n100\r\nSHA256  " + QByteArray("0123456789ABCDEF").repeated(4) + "\r\n", digest },
    };
    for (const auto& row : rows) {
        const UpdateCheck result = checkForUpdate("1.00", splitVersionFile(row.file));
        EXPECT_TRUE(result.error.isEmpty()) << row.name << ": " << result.error.toStdString();
        EXPECT_TRUE(result.updateAvailable) << row.name;
        EXPECT_EQ(result.setupSize, 100) << row.name;
        EXPECT_EQ(result.setupSha256, row.sha256) << row.name;
    }
}

TEST_F(VersionFileTest, QuotedLinesAreCutAndFreeOfControlCharacters)
{
    EXPECT_EQ(quotedLine(" 1.05 \r"), "1.05");
    EXPECT_EQ(quotedLine(QString(80, 'x')), QString(80, 'x'));
    EXPECT_EQ(quotedLine(QString(20'000'000, 'x')), QString(80, 'x') + "...");
    EXPECT_EQ(quotedLine("a\tb\nc\x1b"
                         "d"),
        "a b c d");
    const UpdateCheck result = check("1.00", (std::string(1'000'000, 'v') + "\n100").c_str());
    EXPECT_LT(result.error.size(), 300) << "a long line is quoted by its start only";
}
