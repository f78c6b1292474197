#include "platform/sequential_file.h"
#include "tests/platform/raised_error.h"
#include "tests/support/korvel_test.h"

#include <QDir>
#include <QFile>

using SequentialInput = KorvelTest;
using SequentialOutput = KorvelTest;

TEST_F(SequentialInput, ReadsQuotedStringsWithCommasAndSkipsToTheDelimiter)
{
    SequentialReader in("\"Clarke 1866, modified\" , 6378206.4,294.9786982\r\n"
                        "\"WGS 84\"junk,6378137,298.257223563\r\n");
    EXPECT_EQ(in.readText(), "Clarke 1866, modified");
    EXPECT_DOUBLE_EQ(in.readDouble(), 6378206.4);
    EXPECT_DOUBLE_EQ(in.readDouble(), 294.9786982);
    EXPECT_EQ(in.lineNumber(), 2);
    EXPECT_EQ(in.readText(), "WGS 84");
    EXPECT_DOUBLE_EQ(in.readDouble(), 6378137);
    EXPECT_DOUBLE_EQ(in.readDouble(), 298.257223563);
    EXPECT_TRUE(in.atEnd());
}

TEST_F(SequentialInput, UnquotedTextEndsAtCommaOrLineEndWithBlanksTrimmed)
{
    SequentialReader in("  first field  ,second\tpart \n, last");
    EXPECT_EQ(in.readText(), "first field");
    EXPECT_EQ(in.readText(), "second\tpart");
    EXPECT_EQ(in.readText(), ""); // the empty field before the comma
    EXPECT_EQ(in.readText(), "last");
    EXPECT_TRUE(in.atEnd());
}

TEST_F(SequentialInput, NumbersEndAtBlanksCommasAndLineEnds)
{
    // A tall-tower record: numbers separated by blanks, commas and mixed line ends.
    SequentialReader in("1 1999 196 1430 3.5, 0 270.5 0\r68.2\r\n2,,-7.25e1\n");
    EXPECT_EQ(in.readByte(), 1);
    EXPECT_EQ(in.readInteger(), 1999);
    EXPECT_EQ(in.readInteger(), 196);
    EXPECT_EQ(in.readInteger(), 1430);
    EXPECT_FLOAT_EQ(in.readSingle(), 3.5f);
    EXPECT_FLOAT_EQ(in.readSingle(), 0.0f);
    EXPECT_EQ(in.readInteger(), 270); // 270.5 rounds to the even 270
    EXPECT_FLOAT_EQ(in.readSingle(), 0.0f);
    EXPECT_FLOAT_EQ(in.readSingle(), 68.2f);
    EXPECT_EQ(in.lineNumber(), 3);
    EXPECT_EQ(in.readLong(), 2);
    EXPECT_DOUBLE_EQ(in.readDouble(), 0.0); // empty field
    EXPECT_DOUBLE_EQ(in.readDouble(), -72.5);
    EXPECT_TRUE(in.atEnd());
}

TEST_F(SequentialInput, BooleansAndQuotedNumbers)
{
    SequentialReader in("#TRUE#,#FALSE#,\"12\",True,0\r\n");
    EXPECT_TRUE(in.readBoolean());
    EXPECT_FALSE(in.readBoolean());
    EXPECT_EQ(in.readInteger(), 12);
    EXPECT_TRUE(in.readBoolean());
    EXPECT_FALSE(in.readBoolean());
}

TEST_F(SequentialInput, LineInputTakesWholeLinesWhateverTheirEnding)
{
    SequentialReader in("EXP  0 /a/b.e00\r\nsecond, with comma\nthird\rfourth");
    EXPECT_EQ(in.readLine(), "EXP  0 /a/b.e00");
    EXPECT_EQ(in.readLine(), "second, with comma");
    EXPECT_EQ(in.readLine(), "third");
    EXPECT_FALSE(in.atEnd());
    EXPECT_EQ(in.readLine(), "fourth");
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(raisedError([&in] { in.readLine(); }), 62);
}

TEST_F(SequentialInput, FieldsAndLinesMix)
{
    SequentialReader in("QZT\r\n#TRUE#\r\n2\r\n\"/maps/one.bmp\"\r\n");
    EXPECT_EQ(in.readLine(), "QZT");
    EXPECT_TRUE(in.readBoolean());
    EXPECT_EQ(in.readByte(), 2);
    EXPECT_EQ(in.readLine(), "\"/maps/one.bmp\"");
    EXPECT_TRUE(in.atEnd());
}

TEST_F(SequentialInput, EmptyLinesAtTheEndAreBlanksOnly)
{
    SequentialReader in("1,2\r\n\r\n  \r\n");
    in.readDouble();
    in.readDouble();
    EXPECT_FALSE(in.atEnd());
    EXPECT_TRUE(in.onlyBlanksRemain());
    EXPECT_EQ(raisedError([&in] { in.readDouble(); }), 62);
}

TEST_F(SequentialInput, DamagedInputIsRefusedWithTheRuntimeErrors)
{
    EXPECT_EQ(raisedError([] { SequentialReader("").readText(); }), 62);
    EXPECT_EQ(raisedError([] { SequentialReader("abc").readDouble(); }), 13);
    EXPECT_EQ(raisedError([] { SequentialReader("12abc").readDouble(); }), 13);
    EXPECT_EQ(raisedError([] { SequentialReader("\"x\"").readLong(); }), 13);
    EXPECT_EQ(raisedError([] { SequentialReader("300").readByte(); }), 6);
    EXPECT_EQ(raisedError([] { SequentialReader("40000").readInteger(); }), 6);
    EXPECT_EQ(raisedError([] { SequentialReader("1E400").readDouble(); }), 6);
    EXPECT_EQ(raisedError([] { SequentialReader("maybe").readBoolean(); }), 13);

    // A record cut short in the middle: the fields read, then the end.
    SequentialReader cut("71599,9,5,30,270,3.");
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(raisedError([&cut] { cut.readSingle(); }), 0);
    EXPECT_EQ(raisedError([&cut] { cut.readSingle(); }), 62);

    // An unterminated quote runs to the end of the file.
    SequentialReader open("\"no closing quote, at all\r\n");
    EXPECT_EQ(open.readText(), "no closing quote, at all\r\n");
    EXPECT_TRUE(open.atEnd());
}

TEST_F(SequentialInput, ReadsWindows1252AndDropsTheEndOfFileMark)
{
    SequentialReader in("\"M\xFCller\",1\r\n\x1A");
    EXPECT_EQ(in.readText(), QStringLiteral(u"Müller"));
    EXPECT_EQ(in.readInteger(), 1);
    EXPECT_TRUE(in.atEnd());
}

TEST_F(SequentialInput, OpenReportsAMissingFile)
{
    QString error;
    EXPECT_FALSE(SequentialReader::open(workDir() + "missing.dat", &error).has_value());
    EXPECT_EQ(error, "File not found");
    EXPECT_FALSE(SequentialReader::open(workDir(), &error).has_value());
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(SequentialOutput, PrintSeparatesNumbersByBlanksAndZonesByFourteenColumns)
{
    SequentialWriter out;
    out.print("LINE");
    out.print(10);
    out.endLine();
    out.print(-2.5);
    out.print(0.5f);
    out.endLine();
    out.print("612345");
    out.nextZone();
    out.print("4567890");
    out.nextZone();
    out.print("612400");
    out.nextZone();
    out.print("4568000");
    out.endLine();
    out.print("12345678901234"); // fills the zone: the next one is at 29
    out.nextZone();
    out.print("x");
    out.endLine();
    out.nextZone();
    out.print(true);
    out.endLine();
    EXPECT_EQ(out.text(),
        "LINE 10 \r\n"
        "-2.5  .5 \r\n"
        "612345        4567890       612400        4568000\r\n"
        "12345678901234              x\r\n"
        "              True\r\n");
}

TEST_F(SequentialOutput, ExclusionLineLayout)
{
    // Zone 2, easting printed right behind the padded zone number, northing
    // in the next print zone.
    SequentialWriter out;
    out.print("2   ");
    out.print("612345.5");
    out.nextZone();
    out.printLine("4567890.2");
    EXPECT_EQ(out.text(), "2   612345.5  4567890.2\r\n");
}

TEST_F(SequentialOutput, TabAndSpcPlaceColumns)
{
    SequentialWriter out;
    out.print("4");
    out.tab(12);
    out.print("12");
    out.tab(33);
    out.print("NUMBER OF LINES");
    out.endLine();
    out.print("too long for column five");
    out.tab(5);
    out.print("x");
    out.spc(2);
    out.print("y");
    out.endLine();
    EXPECT_EQ(out.text(),
        "4          12                   NUMBER OF LINES\r\n"
        "too long for column five\r\n"
        "    x  y\r\n");
    EXPECT_EQ(out.column(), 1);
}

TEST_F(SequentialOutput, WriteQuotesTextsAndWritesPlainNumbers)
{
    SequentialWriter out;
    out.writeLine({ true });
    out.writeLine({ "/maps/a b.shp", 255, 1 });
    out.writeLine({ 17, false, "WGS 84" });
    out.writeLine({ -0.5, 1e20, 0.1f, "" });
    EXPECT_EQ(out.text(),
        "#TRUE#\r\n"
        "\"/maps/a b.shp\",255,1\r\n"
        "17,#FALSE#,\"WGS 84\"\r\n"
        "-0.5,1E+20,0.1,\"\"\r\n");
}

TEST_F(SequentialOutput, WrittenFieldsReadBack)
{
    SequentialWriter out;
    out.writeLine({ QStringLiteral(u"say \"hi\", Zürich"), -12.75, true });
    SequentialReader in(out.bytes());
    EXPECT_EQ(in.readText(), QStringLiteral(u"say \"hi\", Zürich"));
    EXPECT_DOUBLE_EQ(in.readDouble(), -12.75);
    EXPECT_TRUE(in.readBoolean());
    EXPECT_TRUE(in.atEnd());
}

TEST_F(SequentialOutput, SaveAndAppendGoThroughTheAtomicWrite)
{
    const QString path = workDir() + "AGNAV Ellipsoids.txt";
    SequentialWriter first;
    first.printLine(QStringLiteral(u"Clarke,6378206.4,294.9786982"));
    ASSERT_TRUE(first.appendTo(path)); // created when missing
    SequentialWriter second;
    second.printLine(QStringLiteral(u"Müller,6378137,298.257"));
    ASSERT_TRUE(second.appendTo(path));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "Clarke,6378206.4,294.9786982\r\nM\xFCller,6378137,298.257\r\n");
    file.close();

    SequentialWriter replacement;
    replacement.printLine("QZT");
    ASSERT_TRUE(replacement.save(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "QZT\r\n");
}

TEST_F(SequentialOutput, AppendedLinesGoBeforeTheEndMark)
{
    const QString path = workDir() + "AGNAV Ellipsoids.txt";
    SequentialWriter line;
    line.printLine("B,2,3");
    for (const QByteArray mark : { "\r\n\x1A\r\n", "\x1A" }) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write("A,1,2" + mark));
        file.close();
        ASSERT_TRUE(line.appendTo(path));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), "A,1,2\r\nB,2,3\r\n" + mark.mid(mark.indexOf('\x1A')));
    }
}

TEST_F(SequentialOutput, FailedSaveKeepsNothingAndReports)
{
    QFile blocker(workDir() + "plain-file");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SequentialWriter out;
    out.printLine("QZT");
    QString error;
    EXPECT_FALSE(out.save(workDir() + "plain-file/session.korvel", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(out.appendTo(workDir() + "plain-file/more.txt", &error));
}
