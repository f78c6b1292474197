#include "tests/korvel/layers/layer_commands_fixture.h"

#include "korvel/layers/check_list_form.h"
#include "korvel/shell/floating_windows.h"
#include "korvel/workspace/program_globals.h"
#include "platform/picture_box.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QLayout>

namespace {

constexpr QRgb kMark = qRgb(1, 2, 3);

} // namespace

void LayerCommandsTest::SetUp()
{
    KorvelTest::SetUp();
    globals().ScreenWidth = 1024;
    globals().ScreenHeight = 768;
}

MainForm& LayerCommandsTest::form()
{
    MainForm& window = MainForm::instance();
    setFloatingToolWindow(FloatingTool::CheckList, &checkListFormTool());
    if (window.Picture1->size() != QSize(404, 303)) {
        window.resize(1024, 740);
        window.layout()->activate(); // the client area takes its size, as a shown window's does
        window.ArrangeControls();
        window.Picture1->setGeometry(4, 4, 404, 303);
    }
    return window;
}

ShapeRecord squareRing(double x, double y, double size, bool clockwise)
{
    ShapeRecord ring;
    ring.X = { 0.0, x, x, x + size, x + size };
    ring.Y = { 0.0, y, y + size, y + size, y };
    if (!clockwise) {
        std::reverse(ring.X.begin() + 1, ring.X.end());
        std::reverse(ring.Y.begin() + 1, ring.Y.end());
    }
    ring.XMin = x;
    ring.YMin = y;
    ring.XMax = x + size;
    ring.YMax = y + size;
    return ring;
}

int LayerCommandsTest::addLayer(int zone, int shapes, double x, double y)
{
    form();
    const int index = appendGISLayer();
    GISLayer& layer = layerData().GISLayers[size_t(index)];
    layer.ShapeType = 5;
    layer.Colours = { 255 };
    layer.Thickness = 1;
    layer.Zone = zone;
    layer.CoordType = QStringLiteral("UTM");
    layer.Path = workDir() + QStringLiteral("layer%1.shp").arg(index);
    layer.FileName = QStringLiteral("layer%1.shp").arg(index);
    layer.DisplayName = layer.Path;
    layer.CodingField = -1;
    for (int s = 0; s < shapes; ++s) {
        layer.Shapes.append(squareRing(x + 200.0 * s, y, 100.0, true));
    }
    layer.ShapeParts.resize(size_t(shapes) + 1);
    layer.XMin = x;
    layer.YMin = y;
    layer.XMax = x + 200.0 * shapes;
    layer.YMax = y + 100.0;
    globals().GISLoaded = true;
    form().AddGISListEntry();
    return layerData().GISCount;
}

int LayerCommandsTest::addBlock(const QString& name)
{
    form();
    const int index = appendBlock();
    AGNAVBlock& block = agnavData().Blocks[size_t(index)];
    block.Path = workDir() + name;
    block.FileName = name;
    block.DisplayName = block.Path;
    block.CoordType = QStringLiteral("UTM");
    block.Zone = 17;
    block.Thickness = 1;
    block.Ellipsoid = globals().Ellipsoid;
    block.Boundary = squareRing(500000.0, 4800000.0, 500.0, true);
    block.VertexCount = 4;
    block.Area = 250000.0;
    QFile file(block.Path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    globals().AGNAVLoaded = true;
    form().AddBlockListEntry();
    return index;
}

int LayerCommandsTest::addImage(const QString& name, bool georeferenced)
{
    form();
    const int index = appendImage();
    ImageLayer& image = layerData().Images[size_t(index)];
    image.Path = workDir() + name;
    // A picture the map can draw when the row is ticked.
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::green);
    EXPECT_TRUE(picture.save(image.Path, "BMP"));
    image.FileName = name;
    image.DisplayName = image.Path;
    image.Georeferenced = georeferenced;
    image.PixelWidth = 640;
    image.PixelHeight = 480;
    image.X = 500000;
    image.Y = 4802400;
    image.Width = 3200;
    image.Height = -2400;
    globals().ImageLoaded = true;
    form().AddImageListEntry();
    return layerData().ImageCount;
}

void LayerCommandsTest::markPicture()
{
    form().Picture1->pixelsForWriting().setPixel(1, 1, kMark);
}

bool LayerCommandsTest::markWiped()
{
    return form().Picture1->image().pixel(1, 1) != kMark;
}
