#include "tests/korvel/map/map_view_fixture.h"

#include "korvel/map/map_state.h"
#include "korvel/shell/program_globals.h"
#include "korvel/shell/status_progress.h"
#include "platform/picture_box.h"
#include "platform/sequential_file.h"

#include <QLineEdit>

void MapViewTest::SetUp()
{
    KorvelTest::SetUp();
    globals().ScreenWidth = 1024;
    globals().ScreenHeight = 768;
}

MainForm& MapViewTest::form()
{
    MainForm& window = MainForm::instance();
    if (window.Picture1->size() != QSize(404, 304)) {
        window.Picture1->setGeometry(4, 4, 404, 304);
    }
    // Tests that look at the status sink install their own.
    setStatusProgress(nullptr);
    return window;
}

void MapViewTest::applyExtent(double west, double south, double east, double north)
{
    MainForm& window = form();
    window.Text1->setText(QString::number(west, 'f', 4));
    window.Text2->setText(QString::number(south, 'f', 4));
    window.Text3->setText(QString::number(east, 'f', 4));
    window.Text4->setText(QString::number(north, 'f', 4));
    mapState().ExtentEdited = true;
    mapState().ExtentEntryMode = true;
    window.ApplyMapExtent();
}

QColor MapViewTest::mapColourAt(double x, double y)
{
    PictureBox& picture = *form().Picture1;
    return pixelAt(int(std::floor(picture.toClientX(x))), int(std::floor(picture.toClientY(y))));
}

QColor MapViewTest::pixelAt(int px, int py)
{
    const QImage image = form().Picture1->composedImage();
    if (!image.rect().contains(px, py)) {
        ADD_FAILURE() << "pixel " << px << ", " << py << " lies outside the picture";
        return {};
    }
    return image.pixelColor(px, py);
}

QString MapViewTest::writePolygons(const QString& name, const std::vector<std::vector<TestPart>>& shapes) const
{
    ShapefileWriter writer(5);
    for (const std::vector<TestPart>& parts : shapes) {
        writer.addPoly(parts);
    }
    const QString path = workDir() + name;
    writer.write(path);
    return path;
}

QString MapViewTest::writeLines(const QString& name, const std::vector<std::vector<TestPart>>& shapes) const
{
    ShapefileWriter writer(3);
    for (const std::vector<TestPart>& parts : shapes) {
        writer.addPoly(parts);
    }
    const QString path = workDir() + name;
    writer.write(path);
    return path;
}

QString MapViewTest::writeImage(const QString& name, QSize pixels, QColor colour) const
{
    QImage image(pixels, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = workDir() + name;
    EXPECT_TRUE(image.save(path)) << path.toStdString();
    return path;
}

void MapViewTest::writeGeoReference(
    const QString& imagePath, qint32 x, qint32 y, qint32 width, qint32 height, int zone) const
{
    SequentialWriter ref;
    ref.printLine(QStringLiteral("KORVEL Graphic Georeferencing File"));
    ref.printLine(imagePath.mid(imagePath.lastIndexOf(u'/') + 1));
    ref.printLine(QStringLiteral("%1,%2").arg(x).arg(y));
    ref.printLine(QStringLiteral("%1,%2").arg(width).arg(height));
    ref.printLine(QString::number(zone));
    ref.printLine(QStringLiteral("---"));
    ref.printLine(QStringLiteral("0"));
    ref.printLine(QStringLiteral(",0,,0"));
    ASSERT_TRUE(ref.save(imagePath.left(imagePath.size() - 3) + QStringLiteral("ref")));
}

TestPart ringOf(double x0, double y0, double x1, double y1)
{
    return { { x0, y0 }, { x0, y1 }, { x1, y1 }, { x1, y0 }, { x0, y0 } };
}

TestPart holeOf(double x0, double y0, double x1, double y1)
{
    return { { x0, y0 }, { x1, y0 }, { x1, y1 }, { x0, y1 }, { x0, y0 } };
}

bool sameColour(const QColor& a, const QColor& b)
{
    return a.rgb() == b.rgb();
}
