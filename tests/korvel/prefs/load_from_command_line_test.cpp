#include "korvel/prefs/load_from_command_line.h"

#include "korvel/shell/main_form.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/program_globals.h"
#include "platform/msg_box.h"
#include "platform/picture_box.h"
#include "tests/support/korvel_test.h"
#include "tests/support/shapefile_writer.h"

#include <QDir>
#include <QImage>

namespace {

class CommandLine : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        globals().ScreenWidth = 1024;
        globals().ScreenHeight = 768;
        MainForm::instance().Picture1->setGeometry(4, 4, 404, 303);
    }

    QString writeFields(const QString& relativePath) const
    {
        QDir().mkpath(QFileInfo(workDir() + relativePath).path());
        ShapefileWriter writer(5);
        writer.addPoly({ { { 500000, 4800000 }, { 500000, 4801000 }, { 502000, 4801000 }, { 502000, 4800000 },
            { 500000, 4800000 } } });
        writer.write(workDir() + relativePath);
        return workDir() + relativePath;
    }

    static PictureBox& picture() { return *MainForm::instance().Picture1; }
};

TEST_F(CommandLine, TheExtensionIsTheTextAfterTheLastPointInLowerCase)
{
    EXPECT_EQ(commandLineExtension(QStringLiteral("/maps/Fields.SHP")), "shp");
    EXPECT_EQ(commandLineExtension(QStringLiteral("/maps/v1.2/roads")), "2/roads");
    EXPECT_EQ(commandLineExtension(QStringLiteral("\"")), "\"");
    EXPECT_EQ(commandLineExtension(QStringLiteral("/maps/photo.jpeg")), "jpeg");
}

TEST_F(CommandLine, AQuotedPathWithABlankAndCapitalsOpensAndZooms)
{
    const QString path = writeFields(QStringLiteral("my maps/FIELDS.SHP"));
    QString commandLine = '"' + path + '"';
    LoadFromCommandLine(commandLine);
    EXPECT_EQ(commandLine, path) << "the cleaned path is written back";
    ASSERT_EQ(layerData().GISCount, 1);
    EXPECT_EQ(picture().ScaleLeft(), 500000.0f);
    EXPECT_EQ(picture().ScaleWidth(), 2000.0f);
    EXPECT_TRUE(msgBoxes().empty());
}

TEST_F(CommandLine, BlanksAroundThePathAreTrimmed)
{
    const QString path = writeFields(QStringLiteral("fields.shp"));
    QString commandLine = "  " + path + "  ";
    LoadFromCommandLine(commandLine);
    EXPECT_EQ(layerData().GISCount, 1);
}

TEST_F(CommandLine, TextsWithoutAKnownExtensionOpenNothing)
{
    QDir().mkpath(workDir() + "v1.2");
    QImage tiff(4, 4, QImage::Format_RGB32);
    tiff.fill(Qt::red);
    ASSERT_TRUE(tiff.save(workDir() + "scan.tif"));
    ASSERT_TRUE(tiff.save(workDir() + "scan.jpeg", "jpg"));
    for (QString text : { workDir() + "v1.2/fields", QStringLiteral("\""), workDir() + "scan.tif",
             workDir() + "scan.jpeg", QString() }) {
        LoadFromCommandLine(text);
    }
    EXPECT_EQ(layerData().GISCount, 0);
    EXPECT_EQ(layerData().ImageCount, 0);
    EXPECT_TRUE(msgBoxes().empty());
}

TEST_F(CommandLine, AMissingFileIsReportedByItsCheck)
{
    QString commandLine = workDir() + "gone.shp";
    queueMsgBoxAnswer(vbOK);
    LoadFromCommandLine(commandLine);
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_EQ(msgBoxes()[0].prompt, "File does not exist");
}

TEST_F(CommandLine, AnImageThatCannotBeLoadedIsReportedAndTheProgramGoesOn)
{
    const QString bad = workDir() + "scan.bmp";
    writeTestFile(bad, "no pixels here");
    QString commandLine = bad;
    queueMsgBoxAnswer(vbOK);
    LoadFromCommandLine(commandLine);
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_TRUE(msgBoxes()[0].prompt.startsWith("Invalid picture"));
    EXPECT_EQ(layerData().ImageCount, 0);
}

TEST_F(CommandLine, AnImageOpensAndTheMapFitsIt)
{
    QImage photo(20, 10, QImage::Format_RGB32);
    photo.fill(Qt::green);
    const QString path = workDir() + "photo.gif.bmp";
    ASSERT_TRUE(photo.save(path));
    writeTestFile(workDir() + "photo.gif.ref",
        "KORVEL Graphic Georeferencing "
        "File\r\nphoto\r\n1000,5000\r\n4000,-3000\r\n17\r\n---\r\n0\r\n,0,,0\r\n");
    QString commandLine = path;
    LoadFromCommandLine(commandLine);
    ASSERT_EQ(layerData().ImageCount, 1);
    EXPECT_EQ(picture().ScaleLeft(), 1000.0f);
    EXPECT_EQ(picture().ScaleTop(), 5000.0f);
}

} // namespace
