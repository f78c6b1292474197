#include "tests/korvel/met/met_fixture.h"

#include "korvel/met/manual_form.h"
#include "korvel/met/met_panel.h"
#include "korvel/shell/status_progress.h"
#include "korvel/workspace/program_globals.h"
#include "platform/file_helpers.h"

#include <QCoreApplication>
#include <QDir>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>

void MetWindowTest::SetUp()
{
    KorvelTest::SetUp();
    setScreen(1024, 768, 32);
    globals().ScreenWidth = 1024;
    globals().ScreenHeight = 768;
    globals().ImmediateGraph = false;
}

MainForm& MetWindowTest::form()
{
    const bool made = MainForm::existing() == nullptr;
    MainForm& window = MainForm::instance();
    if (made) {
        // Never shown: it takes the whole screen and the controls are placed in it.
        window.resize(globals().ScreenWidth, globals().ScreenHeight);
        window.layout()->activate();
        window.ArrangeControls();
        setStatusProgress(nullptr);
    }
    return window;
}

QString MetWindowTest::writeFile(const QString& name, const QByteArray& bytes) const
{
    const QString path = workDir() + name;
    QDir().mkpath(QFileInfo(path).absolutePath());
    EXPECT_TRUE(writeFileAtomically(path, bytes));
    return path;
}

void MetWindowTest::loadKitoon(const QString& path)
{
    queueOpenFiles({ path });
    MetPanel::instance().Met_LoadKitoon_Click();
}

void MetWindowTest::loadTower(const QString& path)
{
    queueOpenFiles({ path });
    MetPanel::instance().Met_LoadTower_Click();
}

QString MetWindowTest::writeThreeRecords(const QString& name) const
{
    return writeFile(name,
        "71599,9,0,0,0,1,60,55\r\n"
        "71599,9,0,10,90,2,61,56\r\n"
        "71599,9,0,20,180,3,62,57\r\n");
}

void MetWindowTest::enterManual(const QString& knots, const QString& direction, const QString& temperature)
{
    onModal<ManualForm>([=](ManualForm& entry) {
        entry.SpeedText->setText(knots);
        entry.DirectionText->setText(direction);
        entry.AirTempText->setText(temperature);
        entry.AcceptButton->click();
    });
    MetPanel::instance().Met_EnterManual_Click();
}

const MetRecord& MetWindowTest::shown(int source)
{
    return currentMetRecord(source);
}

int MetWindowTest::addBlock(const QString& name, int lines, double x, double y)
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
    block.Boundary.X = { 0.0, x, x, x + 400.0, x + 400.0 };
    block.Boundary.Y = { 0.0, y, y + 400.0, y + 400.0, y };
    block.VertexCount = 4;
    block.DataFolder = workDir() + QStringLiteral("JOB/");
    block.DataSubfolder = QStringLiteral("JOB/");
    block.SwathWidthText = QStringLiteral("30");
    block.OffsetCode = 0;
    globals().AGNAVLoaded = true;
    window.AddBlockListEntry();
    if (lines > 0) {
        GuidanceSet& set = block.Guidance;
        set.Lines.assign(1, GuidancePolyline());
        for (int k = 0; k < lines; ++k) {
            GuidancePolyline line;
            line.PointCount = 2;
            line.X = { 0.0, x, x + 400.0 };
            line.Y = { 0.0, y + 30.0 * k, y + 30.0 * k };
            set.Lines.push_back(line);
        }
        set.LineCount = lines;
        block.GuidanceLoaded = true;
        ++agnavData().GuidanceCount;
        window.AddGuidanceListEntry(index);
    }
    return index;
}

void MetWindowTest::addExclusion(int block)
{
    AGNAVBlock& record = blockAt(block);
    record.ExclusionZones.assign(2, record.Boundary);
    record.ExclusionZoneCount = 1;
    record.ExclusionLoaded = true;
    ++agnavData().ExclusionCount;
    form().AddExclusionListEntry(block);
}

void MetWindowTest::addFlight(int block, const QString& name)
{
    FlightFile flight;
    flight.Path = workDir() + QStringLiteral("JOB/") + name;
    flight.Name = name;
    flight.Position.resize(2);
    flight.Position[1] = { blockAt(block).Boundary.X[1], blockAt(block).Boundary.Y[1] };
    flight.SampleCount = 1;
    appendFlight(block, std::move(flight));
    form().AddFlightListEntry(block);
}

void MetWindowTest::chooseModule(const QString& name, float c0, float c1, float c2)
{
    const QString path = programDir() + QStringLiteral("optimization/") + name;
    const QByteArray text = "Test product\r\nTest aircraft\r\n3 m\r\nTest nozzle\r\nwritten by the test\r\n"
        + QStringLiteral("%1, %2, %3\r\n").arg(c0).arg(c1).arg(c2).toLatin1();
    EXPECT_TRUE(writeFileAtomically(path, text));
    globals().OptimizationFile = name;
}

void MetWindowTest::settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
