// The optimization overlay on the map: Tools > Optimization switches it on
// and off, and Optimize places it for the record a source shows. For every
// block whose guidance-lines row is ticked in the layer list, each guidance
// line gets a copy moved by the wind-driven offset of the chosen module
// (optimization_overlay.h), drawn as an OptimizeLine control over the map.
// On a geographic map a block whose lines lie beyond the reach of the map's
// zone gets none, and switching the overlay on says so.
// Nothing is kept between calls: every call rebuilds the whole overlay.
#include "korvel/agnav/agnav_coordinate_conversion.h"
#include "korvel/met/met_data.h"
#include "korvel/met/met_panel.h"
#include "korvel/met/optimization_module.h"
#include "korvel/met/optimization_overlay.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/row_ticks.h"
#include "korvel/shell/utm_projection.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/list_rows.h"
#include "korvel/workspace/main_settings.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/line_control.h"
#include "platform/msg_box.h"
#include "platform/vb_numbers.h"

#include <QAction>
#include <QCheckBox>

#include <optional>

namespace {

// The overlay's element numbers are 16-bit: past this many lines no more are made.
constexpr int kMostOverlayLines = 32767;

// The block's guidance lines by their two ends, in UTM metres.
std::vector<GridSegment> gridLines(const GuidanceSet& set, const std::optional<UtmProjection>& geographic)
{
    std::vector<GridSegment> lines;
    for (int k = 1; k <= set.LineCount && k < int(set.Lines.size()); ++k) {
        const GuidancePolyline& line = set.Lines[size_t(k)];
        if (line.PointCount < 1) {
            continue;
        }
        const size_t last = size_t(std::min(line.PointCount, 2));
        GridSegment segment { line.X[1], line.Y[1], line.X[last], line.Y[last] };
        if (geographic) {
            geographic->forward(segment.y1, segment.x1, segment.x1, segment.y1);
            geographic->forward(segment.y2, segment.x2, segment.x2, segment.y2);
        }
        lines.push_back(segment);
    }
    return lines;
}

// Whether block b's guidance lines take part in the overlay: loaded, their
// row ticked.
bool overlaid(const MainForm& form, const AGNAVBlock& block, int b)
{
    return block.GuidanceLoaded && rowTicked(form.Check3, guidanceSubRow(b));
}

// Whether the lines can be moved on the map: a geographic map moves them in
// UTM in its zone, which must reach them (conversion_reach.h).
bool placeable(const AGNAVBlock& block)
{
    const ProgramGlobals& program = globals();
    return program.UTMMode
        || guidanceSetWithinReach(
            block.Guidance, mapState().Zone, 2, program.Ellipsoid.Axis, program.Ellipsoid.InverseFlattening);
}

// Why a block's lines get no overlay, for the first such block; empty when
// every ticked block's do.
QString overlayRefusal(const MainForm& form)
{
    const AgnavData& agnav = agnavData();
    for (int b = 1; b <= agnav.BlockCount; ++b) {
        const AGNAVBlock& block = agnav.Blocks[size_t(b)];
        if (overlaid(form, block, b) && !placeable(block)) {
            return blockOutOfReachMessage(
                block, QStringLiteral("the guidance lines of"), mapState().Zone, true);
        }
    }
    return {};
}

} // namespace

void MetPanel::Tools_Optimize_Click()
{
    if (m_form.Tools_Optimize->isChecked()) {
        m_form.Tools_Optimize->setChecked(false);
        m_form.OptimizeLine.unloadAll();
        return;
    }
    const QString fileName = globals().OptimizationFile;
    if (fileName.isEmpty()) {
        MsgBox(QStringLiteral("No optimization file selected\rPlease do so in Preferences (Ctrl-P)"));
        return;
    }
    // Read before the tick: a module that cannot be used leaves the overlay
    // off and the coefficients of the last good one.
    const QString path = optimizationModulePath(fileName);
    const OptimizationModule module = readOptimizationModule(path);
    if (!module.ok) {
        MsgBox(QStringLiteral("The optimization file \"") + path + QStringLiteral("\" cannot be used:\r")
                + module.error + QStringLiteral("\rPlease choose another in Preferences (Ctrl-P)"),
            vbExclamation);
        return;
    }
    metData().Coefficients = module.coefficients;
    m_form.Tools_Optimize->setChecked(true);
    Optimize(m_form.CurrentMet);
    // Told once, as the overlay is switched on; playback moves the others.
    if (const QString refusal = overlayRefusal(m_form); !refusal.isEmpty()) {
        MsgBox(refusal, vbExclamation);
    }
}

void MetPanel::Optimize(int& MetIndex)
{
    m_form.OptimizeLine.unloadAll();
    if (!metSourceLoaded(MetIndex)) {
        m_form.repaint();
        return;
    }
    const MetRecord& record = currentMetRecord(MetIndex);
    const ProgramGlobals& program = globals();
    std::optional<UtmProjection> geographic;
    if (!program.UTMMode) {
        geographic.emplace(mapState().Zone, program.Ellipsoid.Axis, program.Ellipsoid.InverseFlattening);
    }
    const float distance = optimizationDistance(metData().Coefficients, record.WindSpeed);
    const MainSettings& settings = mainSettings();
    const AgnavData& agnav = agnavData();
    int n = 0;
    for (int b = 1; b <= agnav.BlockCount && n < kMostOverlayLines; ++b) {
        const AGNAVBlock& block = agnav.Blocks[size_t(b)];
        if (!overlaid(m_form, block, b) || !placeable(block)) {
            continue;
        }
        const std::vector<GridSegment> lines = gridLines(block.Guidance, geographic);
        const float bearing = referenceBearing(lines);
        const float halfSwath = float(Val(block.SwathWidthText)) * float(block.OffsetCode) / 2.0f;
        const GridOffset offset = overlayOffset(distance, record.WindDirection, bearing, halfSwath);
        for (const GridSegment& line : lines) {
            if (n >= kMostOverlayLines) {
                break;
            }
            GridSegment moved { line.x1 + offset.dx, line.y1 + offset.dy, line.x2 + offset.dx,
                line.y2 + offset.dy };
            if (geographic) {
                geographic->inverse(moved.x1, moved.y1, moved.y1, moved.x1);
                geographic->inverse(moved.x2, moved.y2, moved.y2, moved.x2);
            }
            LineControl& element = m_form.OptimizeLine.load(++n);
            element.setEnds(moved.x1, moved.y1, moved.x2, moved.y2);
            element.setBorderColor(settings.OptColour);
            element.setBorderWidth(settings.OptWidth);
            element.setVisible(true);
        }
    }
    m_form.repaint();
}
