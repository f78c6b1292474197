#include "tests/korvel/georef/georef_form_fixture.h"

#include "korvel/shell/status_progress.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/program_globals.h"
#include "platform/picture_box.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <cmath>

void GeoRefFormTest::SetUp()
{
    KorvelTest::SetUp();
    globals().ScreenWidth = 1024;
    globals().ScreenHeight = 768;
}

MainForm& GeoRefFormTest::main()
{
    MainForm& window = MainForm::instance();
    setStatusProgress(nullptr);
    return window;
}

int GeoRefFormTest::loadImage(const QString& name, QSize pixels, QColor left, QColor right)
{
    QImage image(pixels, QImage::Format_RGB32);
    image.fill(left);
    QPainter painter(&image);
    painter.fillRect(
        QRect(pixels.width() / 2, 0, pixels.width() - pixels.width() / 2, pixels.height()), right);
    painter.end();
    const QString path = workDir() + name;
    EXPECT_TRUE(image.save(path, "BMP")) << path.toStdString();
    main().LoadImageLayer(path);
    return layerData().ImageCount;
}

int GeoRefFormTest::loadRectangleLayer(
    const QString& name, double x0, double y0, double x1, double y1, int shapeType)
{
    ShapefileWriter writer(shapeType);
    writer.addPoly({ { { x0, y1 }, { x1, y1 }, { x1, y0 }, { x0, y0 }, { x0, y1 } } });
    const QString path = workDir() + name;
    writer.write(path);
    main().OpenGISLayer(path);
    return layerData().GISCount;
}

int GeoRefFormTest::addBlock(double x, double y, double side)
{
    MainForm& window = main();
    const int index = appendBlock();
    AGNAVBlock& block = blockAt(index);
    block.Path = workDir() + QStringLiteral("block%1.no1").arg(index);
    block.FileName = QStringLiteral("block%1.no1").arg(index);
    block.DisplayName = block.Path;
    block.CoordType = QStringLiteral("UTM");
    block.Zone = 17;
    block.Thickness = 1;
    block.Boundary.X = { 0.0, x, x + side, x + side, x };
    block.Boundary.Y = { 0.0, y + side, y + side, y, y };
    block.VertexCount = 4;
    globals().AGNAVLoaded = true;
    window.AddBlockListEntry();
    return index;
}

void GeoRefFormTest::openOn(int image, const std::function<void(GeoRefForm&)>& handler)
{
    onModal<GeoRefForm>(handler);
    MainForm& window = main();
    window.CurrentImage = image;
    window.ShowGeoReferencing();
}

void GeoRefFormTest::clickMap(GeoRefForm& form, double easting, double northing, int shift)
{
    form.Picture1_MouseDown(1, shift, float(easting), float(northing));
}

void GeoRefFormTest::clickImage(GeoRefForm& form, double column, double row, int shift)
{
    form.Picture2_MouseDown(1, shift, float(column), float(row));
}

void GeoRefFormTest::typeUtm(GeoRefForm& form, const QString& northing, const QString& easting)
{
    form.Text1->setText(northing);
    form.Text2->setText(easting);
    form.Command1->click();
}

QColor GeoRefFormTest::colourAt(PictureBox& picture, double x, double y)
{
    const QImage image = picture.composedImage();
    const QPoint pixel(int(std::floor(picture.toClientX(x))), int(std::floor(picture.toClientY(y))));
    if (!image.rect().contains(pixel)) {
        ADD_FAILURE() << "pixel " << pixel.x() << ", " << pixel.y() << " lies outside the picture";
        return {};
    }
    return image.pixelColor(pixel);
}
