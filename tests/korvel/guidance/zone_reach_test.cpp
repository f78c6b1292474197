// Every computation that takes a field's degrees into the map's UTM zone, on
// a field beside zone 10's meridian and one 17.5 degrees east of it: the far
// one is refused with the block named, its area left unknown and nothing
// written; the near one is worked out and written as ever.
#include "korvel/agnav/boundary_file_writer.h"
#include "korvel/guidance/guidance_save.h"
#include "korvel/layers/layer_property_rows.h"
#include "korvel/map/ruler_tool.h"
#include "korvel/shell/polygon_area.h"
#include "korvel/workspace/map_state.h"
#include "tests/korvel/agnav/agnav_test_data.h"
#include "tests/support/korvel_test.h"

#include <QFile>
#include <cmath>
#include <utility>

namespace {

using ZoneReachTest = KorvelTest;

// A lat/long job's field of 0.02 by 0.01 degrees at 50.5 N, clockwise, in zone 10.
AGNAVBlock fieldAt(const QString& path, double west)
{
    AGNAVBlock block = utmBlock(path);
    block.CoordType = QStringLiteral("GEO");
    block.Zone = 10;
    block.Boundary.resize(4);
    block.Boundary.X = { 0.0, west, west, west + 0.02, west + 0.02 };
    block.Boundary.Y = { 0.0, 50.5, 50.51, 50.51, 50.5 };
    block.VertexCount = 4;
    return block;
}

TEST_F(ZoneReachTest, BeyondTheReachOfTheZoneNothingIsWorkedOutOrWritten)
{
    globals().UTMMode = false;
    globals().Ellipsoid = Wgs84;
    mapState().Zone = 10;
    const struct
    {
        const char* name;
        double west;
        bool reached;
    } rows[] = { { "FAR", -105.5, false }, { "NEAR", -122.5, true } };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = workDir() + row.name + ".no1";
        const int b = appendBlock();
        blockAt(b) = fieldAt(path, row.west);
        const AGNAVBlock& block = blockAt(b);

        // About 1419 m by 1112 m on the ground, scaled by 0.9996 near the meridian.
        const double area = blockAt(b).Area = BoundaryArea(b);
        EXPECT_EQ(std::isnan(area), !row.reached);
        EXPECT_EQ(blockPropertyRows(block, true)[5].value == "n/a", !row.reached);
        if (row.reached) {
            EXPECT_NEAR(area, 1577200.0, 1500.0);
        }
        const std::optional<double> ruler
            = rulerDistance({ row.west, 50.5 }, { row.west, 50.51 }, false, 10, Wgs84);
        EXPECT_EQ(ruler.has_value(), row.reached);
        EXPECT_NEAR(ruler.value_or(1112.0), 1112.0, 1.0);

        AGNAVJob job = utmJob();
        job.CoordLetter = QStringLiteral("L");
        const AgnavOutcome accepted = writeBoundaryFile(job, block);
        EXPECT_EQ(accepted.isDone(), row.reached);
        EXPECT_EQ(QFile::exists(path), row.reached);

        GuidanceSaveRequest request;
        request.block = b;
        request.panel = { true, QStringLiteral("0"), QStringLiteral("30"), false };
        request.frame = { false, 10, Wgs84, row.west + 0.05, 50.52, 50.49 };
        const GuidanceLayout layout
            = computeGuidancePreview(block.Boundary, 4, request.panel, true, request.frame);
        EXPECT_EQ(layout.lines.size(), row.reached ? 48u : 0u);
        request.lines = layout.lines;
        request.computationRefusal = guidancePreviewMessage(block, layout, request.frame);
        const AgnavOutcome saved = saveGuidanceLines(request);
        EXPECT_EQ(saved.isDone(), row.reached) << saved.message().toStdString();
        EXPECT_EQ(QFile::exists(workDir() + row.name + ".xyz"), row.reached);

        if (!row.reached) {
            EXPECT_TRUE(accepted.message().startsWith(
                "Points of the block \"FAR.no1\" lie more than 12 degrees of longitude from 123° W"));
            // Laid in zone 13, the lines still cannot be written in zone 10,
            // the block's own: each refusal says what it left undone and that
            // the block is to be made again.
            const GuidanceMapFrame zone10 = request.frame;
            request.frame.zone = 13;
            request.lines
                = computeGuidancePreview(block.Boundary, 4, request.panel, true, request.frame).lines;
            EXPECT_FALSE(request.lines.empty());
            const std::pair<QString, const char*> told[] = {
                { accepted.message(), "so the boundary file was not written.\r" },
                { std::exchange(request.computationRefusal, QString()), "so no guidance lines were laid.\r" },
                { saveGuidanceLines(request).message(),
                    "so the guidance lines were not written, and the boundary file stays as it was.\r" },
            };
            for (const auto& [message, outcome] : told) {
                EXPECT_TRUE(message.contains(outcome)) << message.toStdString();
                EXPECT_TRUE(message.contains("make the block again from its shape")) << message.toStdString();
            }
            EXPECT_TRUE(told[2].first.contains("The block's boundary file names UTM zone 10"));
            // A block whose own zone holds it needs only the map's zone changed.
            blockAt(b).Zone = 13;
            EXPECT_TRUE(
                guidancePreviewMessage(block, layout, zone10)
                    .endsWith("Please choose the UTM zone of its area on the \"UTM Ellipsoid\" page of "
                              "View > Preferences."));
            EXPECT_EQ(rulerRefusal({ row.west, 50.5 }, { row.west, 50.51 }, false, 10, Wgs84),
                "No distance: more than 12° from UTM zone 10");
        }
    }
}

} // namespace
