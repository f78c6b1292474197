#include "tests/korvel/layers/layer_list_fixture.h"

#include "korvel/shell/status_progress.h"
#include "korvel/workspace/program_globals.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>

namespace {

ShapeRecord square(double x, double y, double size)
{
    ShapeRecord ring;
    ring.X = { 0.0, x, x, x + size, x + size };
    ring.Y = { 0.0, y, y + size, y + size, y };
    ring.XMin = x;
    ring.YMin = y;
    ring.XMax = x + size;
    ring.YMax = y + size;
    return ring;
}

// The window is never shown: it takes the whole screen, its client area
// the size a shown window's would, and the controls are placed in that.
void arrange(MainForm& window)
{
    window.resize(globals().ScreenWidth, globals().ScreenHeight);
    window.layout()->activate();
    window.ArrangeControls();
}

} // namespace

void LayerListTest::SetUp()
{
    KorvelTest::SetUp();
    useScreen(1024, 768);
    // Redraws are looked at by the tests that want them.
    globals().ImmediateGraph = false;
}

void LayerListTest::useScreen(int width, int height)
{
    setScreen(width, height, 32);
    globals().ScreenWidth = width;
    globals().ScreenHeight = height;
    if (MainForm* window = MainForm::existing()) {
        arrange(*window);
    }
}

MainForm& LayerListTest::form()
{
    const bool made = MainForm::existing() == nullptr;
    MainForm& window = MainForm::instance();
    if (made) {
        globals().ImmediateGraph = false;
        arrange(window);
        setStatusProgress(nullptr);
    }
    return window;
}

int LayerListTest::addImage(const QString& name, bool georeferenced)
{
    MainForm& window = form();
    const int index = appendImage();
    ImageLayer& image = layerData().Images[size_t(index)];
    image.Path = workDir() + name;
    image.FileName = name;
    image.DisplayName = image.Path;
    image.Georeferenced = georeferenced;
    image.X = 500000;
    image.Y = 4801000;
    image.Width = 1000;
    image.Height = -1000;
    globals().ImageLoaded = true;
    window.AddImageListEntry();
    return index;
}

int LayerListTest::addLayer(const QString& name, qint32 colour, double x, double y)
{
    MainForm& window = form();
    const int index = appendGISLayer();
    GISLayer& layer = layerData().GISLayers[size_t(index)];
    layer.Path = workDir() + name;
    layer.FileName = name;
    layer.DisplayName = layer.Path;
    layer.ShapeType = 5;
    layer.Zone = 17;
    layer.CoordType = QStringLiteral("UTM");
    layer.Thickness = 1;
    layer.Colours = { colour, colour };
    layer.ShapeParts.resize(2);
    layer.ShapeParts[1].PartCount = 1;
    layer.Shapes.append(square(x, y, 1000.0));
    layer.XMin = x;
    layer.YMin = y;
    layer.XMax = x + 1000.0;
    layer.YMax = y + 1000.0;
    globals().GISLoaded = true;
    window.AddGISListEntry();
    return index;
}

int LayerListTest::addBlock(const QString& name, double x, double y)
{
    MainForm& window = form();
    const int index = appendBlock();
    AGNAVBlock& block = blockAt(index);
    block.Path = workDir() + name;
    block.FileName = name;
    block.DisplayName = block.Path;
    block.CoordType = QStringLiteral("UTM");
    block.Zone = 17;
    block.Ellipsoid = globals().Ellipsoid;
    block.Thickness = 1;
    block.Boundary = square(x, y, 800.0);
    block.VertexCount = 4;
    block.DataFolder = workDir() + QStringLiteral("JOB/");
    block.DataSubfolder = QStringLiteral("JOB/");
    globals().AGNAVLoaded = true;
    window.AddBlockListEntry();
    return index;
}

void LayerListTest::addGuidance(int block)
{
    AGNAVBlock& record = blockAt(block);
    GuidancePolyline line;
    line.PointCount = 2;
    line.X = { 0.0, record.Boundary.XMin, record.Boundary.XMax };
    line.Y = { 0.0, record.Boundary.YMin, record.Boundary.YMax };
    record.Guidance.Lines = { GuidancePolyline(), line };
    record.Guidance.LineCount = 1;
    record.GuidanceLoaded = true;
    ++agnavData().GuidanceCount;
    form().AddGuidanceListEntry(block);
}

void LayerListTest::addExclusion(int block, int zones)
{
    AGNAVBlock& record = blockAt(block);
    record.ExclusionZones.assign(1, ShapeRecord());
    for (int z = 0; z < zones; ++z) {
        record.ExclusionZones.push_back(square(record.Boundary.XMin + 100.0 * z, record.Boundary.YMin, 50.0));
    }
    record.ExclusionZoneCount = zones;
    record.ExclusionLoaded = true;
    ++agnavData().ExclusionCount;
    form().AddExclusionListEntry(block);
}

void LayerListTest::addFlight(int block, const QString& name)
{
    FlightFile flight;
    flight.Path = workDir() + QStringLiteral("JOB/") + name;
    flight.Name = name;
    flight.Position.resize(3);
    const ShapeRecord& boundary = blockAt(block).Boundary;
    flight.Position[1] = { boundary.XMin + 10.0, boundary.YMin + 10.0 };
    flight.Position[2] = { boundary.XMax - 10.0, boundary.YMax - 10.0 };
    flight.SampleCount = 2;
    appendFlight(block, std::move(flight));
    form().AddFlightListEntry(block);
}

QString LayerListTest::ticks(const ControlArray<QCheckBox>& checks)
{
    QString text;
    for (int i = 1; i <= checks.UBound(); ++i) {
        const QCheckBox* check = checks.at(i);
        text += check ? (check->isChecked() ? u'1' : u'0') : u'-';
    }
    return text;
}

QStringList LayerListTest::captions(const ControlArray<QLabel>& labels)
{
    QStringList texts;
    for (int i = 1; i <= labels.UBound(); ++i) {
        const QLabel* label = labels.at(i);
        texts << (label ? label->text() : QStringLiteral("-"));
    }
    return texts;
}

QList<int> LayerListTest::shownRows(const ControlArray<QCheckBox>& checks)
{
    QList<int> rows;
    for (int i = 1; i <= checks.UBound(); ++i) {
        const QCheckBox* check = checks.at(i);
        if (check && check->isVisibleTo(check->parentWidget())) {
            rows << i;
        }
    }
    return rows;
}

void LayerListTest::settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
