#include "tests/korvel/map/map_view_fixture.h"

#include "korvel/shell/status_progress.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/picture_box.h"
#include "platform/sequential_file.h"

#include <QLineEdit>
#include <algorithm>

void MapViewTest::SetUp()
{
    KorvelTest::SetUp();
    globals().ScreenWidth = 1024;
    globals().ScreenHeight = 768;
}

MainForm& MapViewTest::form()
{
    MainForm& window = MainForm::instance();
    if (window.Picture1->size() != QSize(404, 303)) {
        window.Picture1->setGeometry(4, 4, 404, 303);
    }
    // Tests that look at the status sink install their own.
    setStatusProgress(nullptr);
    return window;
}

MapView& MapViewTest::view()
{
    form();
    return MapView::instance();
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

QString MapViewTest::writePolygons(
    const QString& name, const std::vector<std::vector<TestPart>>& shapes) const
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

int addTestLayer(int shapeType, const std::vector<std::vector<TestPart>>& features, qint32 colour)
{
    const int index = appendGISLayer();
    GISLayer& layer = layerData().GISLayers[size_t(index)];
    layer.ShapeType = shapeType;
    layer.Colours = { colour };
    layer.Thickness = 1;
    layer.Zone = 17;
    layer.CoordType = QStringLiteral("UTM");
    layer.Path = QStringLiteral("/maps/layer%1.shp").arg(index);
    layer.FileName = QStringLiteral("layer%1.shp").arg(index);
    layer.XMin = layer.YMin = 1e300;
    layer.XMax = layer.YMax = -1e300;
    layer.ShapeParts.resize(features.size() + 1);
    int shape = 0;
    for (const std::vector<TestPart>& parts : features) {
        ShapeRecord record;
        record.X.assign(1, 0.0);
        record.Y.assign(1, 0.0);
        ShapeParts& table = layer.ShapeParts[size_t(++shape)];
        table.PartCount = int(parts.size());
        if (parts.size() > 1) {
            table.PartStart.assign(1, 0);
        }
        record.XMin = record.YMin = 1e300;
        record.XMax = record.YMax = -1e300;
        for (const TestPart& part : parts) {
            if (parts.size() > 1) {
                table.PartStart.push_back(int(record.X.size()));
            }
            for (const TestVertex& v : part) {
                record.X.push_back(v.x);
                record.Y.push_back(v.y);
                record.XMin = std::min(record.XMin, v.x);
                record.YMin = std::min(record.YMin, v.y);
                record.XMax = std::max(record.XMax, v.x);
                record.YMax = std::max(record.YMax, v.y);
            }
        }
        if (parts.size() > 1) {
            table.PartStart.push_back(int(record.X.size()));
        }
        if (shapeType == 1) {
            // Point features have no box when read.
            record.XMin = record.YMin = record.XMax = record.YMax = 0.0;
        }
        layer.Shapes.append(record);
        for (std::size_t k = 1; k < record.X.size(); ++k) {
            layer.XMin = std::min(layer.XMin, record.X[k]);
            layer.YMin = std::min(layer.YMin, record.Y[k]);
            layer.XMax = std::max(layer.XMax, record.X[k]);
            layer.YMax = std::max(layer.YMax, record.Y[k]);
        }
    }
    if (shapeType == 1) {
        layer.ShapeParts.clear();
    }
    globals().GISLoaded = true;
    return index;
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
