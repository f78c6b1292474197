// The geo-referencing window driven as a user would: typed and clicked
// points, the fit and its residuals, deleting, the save and the reopening.
#include "korvel/georef/geo_reference_file.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/picture_box.h"
#include "platform/vb_colors.h"
#include "tests/korvel/georef/georef_form_fixture.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <cerrno>
#include <iterator>

namespace {

// Three places of an 800 x 600 photo, 2 m a pixel from (500000, 4800000):
// pixel (column, row) and UTM (easting, northing).
struct Place
{
    int column;
    int row;
    double easting;
    double northing;
};
constexpr Place kPlaces[] = { { 100, 100, 500200, 4799800 }, { 700, 200, 501400, 4799600 },
    { 400, 500, 500800, 4799000 }, { 300, 300, 500600, 4799400 } };

class GeoRefWindow : public GeoRefFormTest
{
protected:
    static void typePoint(GeoRefForm& form, const Place& place)
    {
        clickImage(form, place.column, place.row);
        typeUtm(form, QString::number(place.northing, 'f', 0), QString::number(place.easting, 'f', 0));
    }
    static void clickPoint(GeoRefForm& form, const Place& place)
    {
        clickMap(form, place.easting, place.northing);
        clickImage(form, place.column, place.row);
    }
    QString refPath() const { return workDir() + "photo.ref"; }
    // A file's bytes; none for a folder or no file.
    static QByteArray onDisk(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(GeoRefWindow, WithNothingTickedTheUtmValuesAreTyped)
{
    const int image = loadImage("photo.bmp", QSize(800, 600));
    queueMsgBoxAnswer(vbOK);
    openOn(image, [&](GeoRefForm& form) {
        EXPECT_FALSE(form.ImagePicture.isNull()) << "loaded as the window activated";
        EXPECT_FALSE(form.MapAvailable);
        EXPECT_FALSE(form.Picture1->isEnabled()) << "the map view takes no clicks";
        clickImage(form, 40000, 10);
        EXPECT_EQ(form.ControlPoints.count(), 0) << "beyond what a 16-bit pixel holds";
        clickImage(form, 100.4, 50.5);
        ASSERT_TRUE(form.entryOpen());
        EXPECT_EQ(form.Text1->text(), "Northings");
        EXPECT_EQ(form.Text2->text(), "Eastings");
        EXPECT_EQ(form.Command1->text(), "Cancel");
        for (QWidget* idle : std::initializer_list<QWidget*> { form.Picture2, form.ExitButton,
                 form.SaveButton, form.Option1, form.Option2, form.Option3 }) {
            EXPECT_FALSE(idle->isEnabled()) << idle->objectName().toStdString();
        }
        EXPECT_TRUE(form.Option4->isEnabled());
        form.Text1->setText("4800000");
        EXPECT_EQ(form.Command1->text(), "Cancel") << "one box still holds no number";
        form.Text2->setText("1e50");
        form.Command1->click();
        EXPECT_TRUE(form.entryOpen()) << "a number beyond a float is refused, the entry stays";
        form.Text2->setText("500000.4");
        EXPECT_EQ(form.Command1->text(), "Accept UTM");
        form.Command1->click();
        EXPECT_FALSE(form.entryOpen());
        EXPECT_TRUE(form.Text1->isHidden());
        EXPECT_TRUE(form.ExitButton->isEnabled());
        EXPECT_TRUE(form.Picture2->isEnabled());
        const ControlPoint& point = form.ControlPoints.point(1);
        EXPECT_EQ(point.Northing, 4800000.0f) << "Text1 feeds the northing";
        EXPECT_EQ(point.Easting, 500000.4f);
        EXPECT_EQ(form.UTMLabel[1].text(), "4800000 N x 500000 E");
        EXPECT_EQ(form.PixelLabel[1].text(), "50 x 100") << "row first, halves to even";
        EXPECT_EQ(form.CounterLabel[1].text(), " 1.");
        EXPECT_FALSE(form.SaveButton->isEnabled()) << "one point is no fit";
        form.ExitButton_Click();
    });
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_TRUE(msgBoxes()[0].prompt.startsWith("KORVEL encountered the following error:\r"));
}

TEST_F(GeoRefWindow, CancellingATypedPointTakesItBackAndEscapePressesTheEntryButton)
{
    const int image = loadImage("photo.bmp", QSize(800, 600));
    openOn(image, [&](GeoRefForm& form) {
        clickImage(form, 10, 10);
        form.Command1->click();
        EXPECT_EQ(form.ControlPoints.count(), 0);
        EXPECT_FALSE(form.CounterPic.exists(1)) << "its row is gone";
        EXPECT_FALSE(form.SaveButton->isEnabled());
        EXPECT_TRUE(form.PreviewFrame->isHidden());

        typePoint(form, kPlaces[0]);
        clickImage(form, 20, 20);
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(&form, &escape);
        EXPECT_TRUE(form.isVisible()) << "Escape cancels the entry, not the window";
        EXPECT_FALSE(form.entryOpen());
        EXPECT_EQ(form.ControlPoints.count(), 1);
        EXPECT_FALSE(form.SaveButton->isEnabled()) << "one complete point";
        QCoreApplication::sendEvent(&form, &escape);
        EXPECT_FALSE(form.isVisible()) << "now Escape is the window's Cancel";
    });
}

TEST_F(GeoRefWindow, DuringATypedEntryARowClickDeletesNothing)
{
    const int image = loadImage("photo.bmp", QSize(800, 600));
    openOn(image, [&](GeoRefForm& form) {
        typePoint(form, kPlaces[0]);
        form.Option4->click();
        clickImage(form, 30, 30);
        form.CounterPic_MouseDown(1, 1, 0, 0, 0);
        form.DeltaLabel_MouseDown(2, 1, 0, 0, 0);
        EXPECT_EQ(form.ControlPoints.count(), 2);
        EXPECT_TRUE(form.entryOpen());
        form.Command1->click();
        form.UTMLabel_MouseDown(1, 2, 0, 0, 0);
        EXPECT_EQ(form.ControlPoints.count(), 0) << "after the entry any button deletes";
        form.ExitButton_Click();
    });
}

TEST_F(GeoRefWindow, ThreeTypedPointsFitAndSaveTheGeoReference)
{
    const int image = loadImage("photo.jpeg", QSize(800, 600));
    openOn(image, [&](GeoRefForm& form) {
        for (int i = 0; i < 3; ++i) {
            typePoint(form, kPlaces[i]);
        }
        EXPECT_TRUE(form.SaveButton->isEnabled());
        EXPECT_TRUE(form.PreviewFrame->isHidden()) << "no map data to preview with";
        EXPECT_EQ(form.OriginEasting, 500000);
        EXPECT_EQ(form.OriginNorthing, 4800000);
        EXPECT_EQ(form.GroundWidth, 1600);
        EXPECT_EQ(form.GroundHeight, -1200);
        for (int i = 1; i <= 3; ++i) {
            EXPECT_EQ(form.DeltaLabel[i].text(), " 0dY  0dX");
        }
        form.SaveButton->click();
    });
    const ImageLayer& record = layerData().Images[size_t(image)];
    EXPECT_TRUE(record.Georeferenced);
    EXPECT_EQ(record.X, 500000);
    EXPECT_EQ(record.Height, -1200);
    EXPECT_EQ(record.ControlPointCount, 3);
    EXPECT_EQ(record.Zone, mapState().Zone);
    EXPECT_EQ(main().CurrentImage, 0);
    EXPECT_TRUE(msgBoxes().empty());
    QFile file(workDir() + "photo.jref");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "photo.jpeg gives photo.jref";
    EXPECT_TRUE(
        file.readAll().startsWith("KORVEL Graphic Georeferencing File\r\nphoto.jpeg\r\n500000,4800000\r\n"
                                  "1600,-1200\r\n17\r\n---\r\n3\r\n4799800,500200,100,100\r\n"));
    EXPECT_TRUE(main().ImageCheck[1].isEnabled()) << "the row can be ticked now";
}

TEST_F(GeoRefWindow, WithMapDataPicksOnBothViewsMakeThePoints)
{
    loadRectangleLayer("fields.shp", 500000, 4798800, 501600, 4800000);
    const int image = loadImage("photo.bmp", QSize(800, 600));
    openOn(image, [&](GeoRefForm& form) {
        EXPECT_TRUE(form.MapAvailable);
        EXPECT_TRUE(form.Picture1->isEnabled());
        EXPECT_FLOAT_EQ(form.Picture1->ScaleTop(), 4800200.0f) << "the 1600 x 1200 m extent made square";
        EXPECT_FLOAT_EQ(form.Picture1->ScaleHeight(), -1600.0f);
        clickImage(form, kPlaces[0].column, kPlaces[0].row);
        EXPECT_FALSE(form.entryOpen()) << "the UTM half comes from the map";
        clickMap(form, kPlaces[0].easting, kPlaces[0].northing);
        clickPoint(form, kPlaces[1]);
        EXPECT_TRUE(form.SaveButton->isEnabled());
        EXPECT_FALSE(form.PreviewFrame->isHidden());
        clickImage(form, kPlaces[2].column, kPlaces[2].row);
        EXPECT_TRUE(form.SaveButton->isEnabled()) << "a pending point keeps the last fit";
        EXPECT_TRUE(form.DeltaLabel[3].text().isEmpty());
        clickMap(form, kPlaces[2].easting, kPlaces[2].northing);
        EXPECT_EQ(form.ControlPoints.completeCount(), 3);
        EXPECT_EQ(form.GroundWidth, 1600);
        form.ExitButton_Click();
    });
    EXPECT_FALSE(layerData().Images[size_t(image)].Georeferenced) << "Cancel changes nothing";
    EXPECT_FALSE(QFile::exists(refPath()));
}

TEST_F(GeoRefWindow, DeletingAPointMovesTheLaterOnesUpAndRefits)
{
    loadRectangleLayer("fields.shp", 500000, 4798800, 501600, 4800000);
    const int image = loadImage("photo.bmp", QSize(800, 600));
    openOn(image, [&](GeoRefForm& form) {
        for (const Place& place : kPlaces) {
            clickPoint(form, place);
        }
        form.ControlPoints.point(4).Easting += 10.0f; // a misplaced click
        form.UpdatePointList();
        EXPECT_NE(form.DeltaLabel[4].text(), " 0dY  0dX");
        form.Option4->click();
        form.PixelLabel_MouseDown(2, 1, 0, 0, 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(form.ControlPoints.count(), 3);
        EXPECT_FALSE(form.CounterPic.exists(4)) << "the last row goes";
        EXPECT_EQ(form.UTMLabel[2].text(), "4799000 N x 500800 E") << "point 3 is point 2 now";
        EXPECT_EQ(form.CounterLabel[3].text(), " 3.");
        form.ExitButton_Click();
    });
}

TEST_F(GeoRefWindow, ANinthPointIsRefusedOnEitherView)
{
    loadRectangleLayer("fields.shp", 500000, 4798800, 501600, 4800000);
    const int image = loadImage("photo.bmp", QSize(800, 600));
    queueMsgBoxAnswer(vbOK);
    queueMsgBoxAnswer(vbOK);
    openOn(image, [&](GeoRefForm& form) {
        for (int i = 0; i < 8; ++i) {
            clickPoint(form, { 10 + 90 * i, 20 + 70 * i, 500020.0 + 180 * i, 4799960.0 - 140 * i });
        }
        clickMap(form, 500500, 4799500);
        clickImage(form, 5, 5);
        EXPECT_EQ(form.ControlPoints.count(), 8);
        form.ExitButton_Click();
    });
    ASSERT_EQ(msgBoxes().size(), 2u);
    EXPECT_EQ(msgBoxes()[0].prompt, "No more than 8 points can be used");
}

TEST_F(GeoRefWindow, PointsInOnePixelColumnGiveNoFitToSave)
{
    const int image = loadImage("photo.bmp", QSize(800, 600));
    openOn(image, [&](GeoRefForm& form) {
        typePoint(form, { 100, 100, 500200, 4799800 });
        typePoint(form, { 100, 500, 500210, 4799000 });
        EXPECT_FALSE(form.SaveButton->isEnabled());
        EXPECT_TRUE(form.DeltaLabel[1].text().isEmpty());
        typePoint(form, { 700, 100, 501400, 4799800 });
        EXPECT_TRUE(form.SaveButton->isEnabled());
        form.ExitButton_Click();
    });
}

TEST_F(GeoRefWindow, AGeoReferencedImageReopensWithItsPointsAndCorrections)
{
    loadRectangleLayer("fields.shp", 500000, 4798800, 501600, 4800000);
    const int image = loadImage("photo.bmp", QSize(800, 600));
    openOn(image, [&](GeoRefForm& form) {
        for (int i = 0; i < 3; ++i) {
            clickPoint(form, kPlaces[i]);
        }
        form.FactorSlider->setValue(2);
        form.ShiftButton[2].click();
        form.StretchButton[1].click();
        form.SaveButton->click();
    });
    openOn(image, [&](GeoRefForm& form) {
        EXPECT_EQ(form.ControlPoints.count(), 3);
        EXPECT_EQ(form.UTMLabel[3].text(), "4799000 N x 500800 E");
        EXPECT_EQ(form.Corrections.ShiftX, 100.0);
        EXPECT_EQ(form.Corrections.StretchY, 100);
        EXPECT_FALSE(form.Corrections.StretchX) << "never touched";
        EXPECT_EQ(form.OriginEasting, 500100);
        EXPECT_EQ(form.GroundHeight, -1100);
        EXPECT_TRUE(form.SaveButton->isEnabled());
        EXPECT_FALSE(form.PreviewFrame->isHidden());
        EXPECT_EQ(form.ShiftXLabel->text(), "100 m") << "drawn as the window activated";
        form.ExitButton_Click();
    });
}

TEST_F(GeoRefWindow, ATypedHalfMetreShowsAsItIsSavedAndReopens)
{
    const int image = loadImage("photo.bmp", QSize(800, 600));
    QStringList before;
    const auto rows = [](GeoRefForm& form) {
        QStringList shown;
        for (int i = 1; i <= form.ControlPoints.count(); ++i) {
            shown << form.UTMLabel[i].text() + " | " + form.DeltaLabel[i].text();
        }
        return shown;
    };
    openOn(image, [&](GeoRefForm& form) {
        clickImage(form, kPlaces[0].column, kPlaces[0].row);
        typeUtm(form, "4799800.5", "500201.45");
        for (int i = 1; i < 3; ++i) {
            typePoint(form, kPlaces[i]);
        }
        before = rows(form);
        form.SaveButton->click();
    });
    EXPECT_TRUE(before.value(0).startsWith("4799800 N x 500201 E")) << before.value(0).toStdString();
    QFile file(refPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("\r\n4799800,500201.4,100,100\r\n"));
    openOn(image, [&](GeoRefForm& form) {
        EXPECT_EQ(rows(form), before) << "the same rows and residuals";
        form.ExitButton_Click();
    });
}

TEST_F(GeoRefWindow, AFileTheWindowDidNotReadIsNamedAndReplacedOnlyWhenTheUserSaysSo)
{
    // Each file lies beside its image when the image is loaded: the loader
    // places the image only by the head of a file of ours.
    const QByteArray head
        = "KORVEL Graphic Georeferencing File\r\nphoto.bmp\r\n500000,4800000\r\n1600,-1200\r\n"
          "17\r\n---\r\n3\r\n4799800,500200,100,100\r\n4799600,501400,200,700\r\n";
    const QString foreign = QStringLiteral("%1 is not a KORVEL geo-reference file.");
    const struct
    {
        const char* name;
        QByteArray bytes;
        QString opening; // the message as the window opens; empty: none
        QString what; // what the question says of the file
    } rows[] = {
        { "ours, cut inside its third point", head,
            "The geo-reference file \"%1\" is damaged (line 10): Input past end of file.\r"
            "Its control points were not read.",
            "%1 could not be read (line 10)." },
        { "another program's", "WORLDFILE 5.0\r\n2.0\r\n0.0\r\n0.0\r\n-2.0\r\n500000.0\r\n", {}, foreign },
        { "binary", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\x01\xff\0\x80", 20), {}, foreign },
        { "ours with its header in lower case", head.toLower() + "4799000,500800,500,400\r\n,0,,0\r\n", {},
            foreign },
    };
    for (size_t r = 0; r < std::size(rows); ++r) {
        const auto& row = rows[r];
        const QString ref = workDir() + QStringLiteral("photo%1.ref").arg(r);
        writeTestFile(ref, row.bytes);
        const size_t seen = msgBoxes().size();
        if (!row.opening.isEmpty()) {
            queueMsgBoxAnswer(vbOK);
        }
        const int image = loadImage(QStringLiteral("photo%1.bmp").arg(r), QSize(800, 600));
        openOn(image, [&](GeoRefForm& form) {
            EXPECT_EQ(form.ControlPoints.count(), 0) << row.name;
            EXPECT_FALSE(form.CounterPic.exists(1)) << row.name;
            for (int i = 0; i < 3; ++i) {
                typePoint(form, kPlaces[i]);
            }
            queueMsgBoxAnswer(vbNo);
            form.SaveButton->click();
            EXPECT_EQ(msgBoxes().back().defaultAnswer(), vbNo) << row.name;
            EXPECT_EQ(msgBoxes().back().answers(), QList<int>({ vbYes, vbNo })) << row.name;
            EXPECT_EQ(onDisk(ref), row.bytes) << row.name << ": No leaves the file as it was";
            EXPECT_FALSE(form.saved()) << row.name;
            EXPECT_EQ(form.ControlPoints.count(), 3) << row.name << ": and the window open with its points";
            queueMsgBoxAnswer(vbYes);
            form.SaveButton->click();
            EXPECT_TRUE(form.saved()) << row.name;
        });
        QStringList expected;
        if (!row.opening.isEmpty()) {
            expected << row.opening.arg(ref);
        }
        const QString question = row.what.arg(ref) + " Replace it with the control points of this window?";
        expected << question << question;
        QStringList shown;
        for (size_t i = seen; i < msgBoxes().size(); ++i) {
            shown << msgBoxes()[i].prompt;
        }
        EXPECT_EQ(shown, expected) << row.name;
        EXPECT_EQ(readGeoReferencePoints(ref).Points.size(), 3u) << row.name << ": Yes replaces it";
    }
    // A placed image whose file has gone opens with an empty list, without a word.
    QFile::remove(workDir() + "photo0.ref");
    const size_t seen = msgBoxes().size();
    openOn(1, [&](GeoRefForm& form) {
        EXPECT_EQ(form.ControlPoints.count(), 0);
        form.ExitButton_Click();
    });
    EXPECT_EQ(msgBoxes().size(), seen);
}

TEST_F(GeoRefWindow, AFileThatCannotBeWrittenIsReportedWithItsReasonAndTheRecordKeepsTheFit)
{
    const struct
    {
        const char* name;
        QByteArray bytes; // of a read-only file; empty: a folder in its place
        int reason;
    } rows[] = {
        { "a read-only file",
            "KORVEL Graphic Georeferencing File\r\nphoto.bmp\r\n1000,2000\r\n100,-100\r\n"
            "17\r\n---\r\n0\r\n,0,,0\r\n",
            EACCES },
        { "a folder in its place", {}, EISDIR },
    };
    for (size_t r = 0; r < std::size(rows); ++r) {
        const auto& row = rows[r];
        const QString ref = workDir() + QStringLiteral("photo%1.ref").arg(r);
        if (row.bytes.isEmpty()) {
            ASSERT_TRUE(QDir().mkdir(ref));
        } else {
            writeTestFile(ref, row.bytes);
            QFile::setPermissions(ref, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        }
        const size_t seen = msgBoxes().size();
        queueMsgBoxAnswer(vbOK);
        const int image = loadImage(QStringLiteral("photo%1.bmp").arg(r), QSize(800, 600));
        openOn(image, [&](GeoRefForm& form) {
            for (int i = 0; i < 2; ++i) {
                typePoint(form, kPlaces[i]);
            }
            form.SaveButton->click();
            EXPECT_FALSE(form.isVisible()) << row.name;
        });
        ASSERT_EQ(msgBoxes().size(), seen + 1) << row.name;
        EXPECT_EQ(msgBoxes().back().prompt,
            QStringLiteral(
                "There was an error creating the georeference file.\r"
                "This is probably because the file is set as Read-Only.\r%1 could not be written: %2.")
                .arg(ref, qt_error_string(row.reason)))
            << row.name;
        EXPECT_EQ(layerData().Images[size_t(image)].X, 500000)
            << row.name << ": the record holds the new place";
        EXPECT_EQ(onDisk(ref), row.bytes) << row.name;
    }
}

TEST_F(GeoRefWindow, WithOnlyBlocksTickedTheMapViewFramesTheirBoundaries)
{
    addBlock(600000, 4900000, 1000);
    const int image = loadImage("photo.bmp", QSize(800, 600));
    openOn(image, [&](GeoRefForm& form) {
        EXPECT_TRUE(form.MapAvailable);
        EXPECT_EQ(form.Extent.XMin, 600000);
        EXPECT_EQ(form.Extent.YMax, 4901000);
        EXPECT_FLOAT_EQ(form.Picture1->ScaleLeft(), 600000.0f);
        EXPECT_FLOAT_EQ(form.Picture1->ScaleWidth(), 1000.0f);
        clickMap(form, 600500, 4900500);
        EXPECT_EQ(form.ControlPoints.UTMCount, 1);
        form.ExitButton_Click();
    });
}

TEST_F(GeoRefWindow, PointMarkersTellEightPointsApartByColourAndShape)
{
    loadRectangleLayer("fields.shp", 500000, 4798800, 501600, 4800000);
    const int image = loadImage("photo.bmp", QSize(800, 600));
    openOn(image, [&](GeoRefForm& form) {
        for (int i = 0; i < 5; ++i) {
            clickPoint(form, { 10 + 90 * i, 20 + 70 * i, 500020.0 + 180 * i, 4799960.0 - 140 * i });
        }
        const QColor lightRed = toQColor(QBColor(12));
        const QColor lightGreen = toQColor(QBColor(10));
        for (int row : { 1, 2, 5 }) {
            PictureBox& marker = form.CounterPic[row];
            const QImage picture = marker.composedImage();
            const QPoint centre(picture.width() / 2, picture.height() / 2);
            EXPECT_EQ(picture.pixelColor(centre), row == 2 ? lightGreen : lightRed) << row;
            // 32 % across and down lies inside the square, outside the circle.
            const QPoint corner(picture.width() * 32 / 100 + 1, picture.height() * 32 / 100 + 1);
            EXPECT_EQ(picture.pixelColor(corner) == lightRed, row == 5) << row;
        }
        EXPECT_EQ(colourAt(*form.Picture2, 10, 20), lightRed) << "the image view's marker";
        form.ExitButton_Click();
    });
}

} // namespace
