// The sample block FIELD17 as a newcomer meets it: loaded from the File
// menu over the sample GIS layers with its guidance lines and exclusion
// zones, its three spray flights loaded from "Spray Data", everything drawn.
// With KORVEL_AGNAV_SCREENSHOT set to a file name, the test saves a picture
// of the window there.
#include "korvel/agnav/agnav_commands.h"
#include "korvel/map/map_view.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/map_state.h"
#include "platform/msg_box.h"
#include "platform/vb_colors.h"
#include "tests/korvel/agnav/agnav_commands_fixture.h"

#include <QCoreApplication>

namespace {

class AgnavSampleLoading : public AgnavCommandsTest
{
protected:
    static QString sample(const QString& name)
    {
        return QStringLiteral(KORVEL_TEST_SOURCE_DIR "/samples/") + name;
    }

    static void settle()
    {
        for (int i = 0; i < 5; ++i) {
            QCoreApplication::processEvents();
        }
    }
};

TEST_F(AgnavSampleLoading, Field17LoadsOverTheGISLayersAndIsDrawn)
{
    MainForm& window = form();
    window.showMaximized();
    settle();
    mainSettings().AutoLoadGuidance = true;
    mainSettings().AutoLoadExclusion = true;

    queueOpenFiles({ sample("fields.shp"), sample("roads.shp"), sample("streams.e00") });
    MapView::instance().File_OpenGIS_Click();
    queueOpenFiles({ sample("agnav/FIELD17.no1") });
    AgnavCommands::instance().File_OpenAGNAV_Click();
    const QString folder = sample("agnav/FIELD17/");
    queueOpenFiles({ folder + "N0612A01.T01", folder + "N0612A02.T01", folder + "N0613A01.T01" });
    queueInputBoxAnswer(QStringLiteral("180"));
    AgnavCommands::instance().File_OpenFlight_Click();
    window.ZoomToLayers(0, 2); // everything: the GIS layers around the block
    settle();

    ASSERT_TRUE(msgBoxes().empty()) << msgBoxes().front().prompt.toStdString();
    ASSERT_EQ(agnavData().BlockCount, 1);
    const AGNAVBlock& block = blockAt(1);
    EXPECT_EQ(block.Guidance.LineCount, 60);
    EXPECT_EQ(block.ExclusionZoneCount, 2);
    EXPECT_EQ(block.FlightCount, 3);
    EXPECT_EQ(inputBoxes().size(), 1u) << "only the log without flow data asks";
    EXPECT_EQ(layerData().GISCount, 3);

    EXPECT_EQ(mapColourAt(501230, 4801500), toQColor(mainSettings().BufferColour)) << "the pond";
    EXPECT_EQ(mapColourAt(502400, 4801300), QColor(Qt::black)) << "the boundary's east edge";
    EXPECT_EQ(mapColourAt(503500, 4802500), toQColor(layerData().GISLayers[1].Colours[0]))
        << "a field beside it";
    // Guidance lies above the tracks by default: a sprayed stretch in the
    // middle of the field between two lines shows the track's colours.
    const QColor track = mapColourAt(500630, 4801000);
    EXPECT_NE(track, QColor(Qt::white));
    EXPECT_EQ(track.blue(), 0) << "green fading to red: on or over the target";

    if (const QByteArray shot = qgetenv("KORVEL_AGNAV_SCREENSHOT"); !shot.isEmpty()) {
        settle();
        window.grab().save(QString::fromLocal8Bit(shot));
    }
}

} // namespace
