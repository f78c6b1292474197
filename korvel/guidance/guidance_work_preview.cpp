// The guidance preview on the map: FitGuidanceLines lays the lines of the
// block being worked on (SelectedBlock) as the panel in use describes them
// and shows them as the line objects GuidanceLine(1..L) in the block's
// colour; RefreshBlockLines marks the chosen boundary edge with
// DigitizeLine(0). Both run after every change on the panel and after every
// redraw of the map while guidance lines are being created; the preview is
// made afresh each time, and a refusal leaves no line. A refusal is told
// once the event that changed the panel is handled (deferred_msg_box.h):
// a box opened inside a spin's change would leave the spin stepping.
#include "korvel/guidance/guidance_panel.h"
#include "korvel/guidance/guidance_panel_rules.h"
#include "korvel/guidance/guidance_preview.h"
#include "korvel/guidance/guidance_state.h"
#include "korvel/guidance/guidance_work.h"
#include "korvel/shell/main_form.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/program_globals.h"
#include "platform/deferred_msg_box.h"
#include "platform/line_control.h"
#include "platform/vb_colors.h"
#include "platform/vb_error.h"

#include <QAction>
#include <QStringList>

namespace {

constexpr int kLightRed = 12;

const AGNAVBlock* blockOrNull(int block)
{
    return isBlock(block) ? &blockAt(block) : nullptr;
}

// The preview's line objects 1..L: the ones there already are moved, the
// rest made; those beyond L go.
void showLines(ControlArray<LineControl>& lines, const std::vector<GuidanceSegment>& segments, qint32 colour)
{
    const int count = int(segments.size());
    for (int i = lines.UBound(); i > count; --i) {
        if (lines.exists(i)) {
            lines.unload(i);
        }
    }
    for (int i = 1; i <= count; ++i) {
        LineControl& line = lines.exists(i) ? lines[i] : lines.load(i);
        const GuidanceSegment& segment = segments[std::size_t(i - 1)];
        line.setEnds(segment.x1, segment.y1, segment.x2, segment.y2);
        line.setBorderColor(colour);
        line.setVisible(true);
    }
}

// True when the error is to be told now: not while the panel is being filled
// and not again for the same block and values (a redraw lays them again).
bool toldOnce(int block, const GuidancePanelValues& values, const QString& message)
{
    GuidanceData& data = guidanceData();
    if (data.FillingPanel) {
        return false;
    }
    const QString told = QStringList { QString::number(block), QString::number(values.headingMode),
        values.guidanceText, values.swathText, QString::number(values.halfSwath),
        QString::number(globals().MetricSystem), message }
                             .join(u'\n');
    if (data.ToldRefusal == told) {
        return false;
    }
    data.ToldRefusal = told;
    return true;
}

} // namespace

void GuidanceWork::FitGuidanceLines()
{
    try {
        const AGNAVBlock* block = blockOrNull(m_form.SelectedBlock);
        if (!m_form.Tools_DigitizeGuidance->isChecked() || !block) {
            m_form.GuidanceLine.unloadAll();
            return;
        }
        const GuidancePanel panel = GuidancePanel::of(guidancePanelWindow());
        if (!panel.complete()) {
            m_form.GuidanceLine.unloadAll();
            return;
        }
        const GuidancePanelValues values = panel.values();
        const GuidanceMapFrame frame = currentMapFrame(*m_form.Picture1);
        const GuidanceLayout layout = computeGuidancePreview(
            block->Boundary, block->VertexCount, values, globals().MetricSystem, frame);
        showLines(m_form.GuidanceLine, layout.lines, block->Colour);
        const QString message = guidancePreviewMessage(*block, layout, frame);
        if (message.isEmpty()) {
            guidanceData().ToldRefusal.clear();
        }
        if (!message.isEmpty() && toldOnce(m_form.SelectedBlock, values, message)) {
            // Laid from a spin's or a box's change and from a redraw: the
            // box opens once that is over.
            showMsgBoxAfterEvent(message);
        }
    } catch (const VbError& error) {
        showMsgBoxAfterEvent(
            QStringLiteral("KORVEL encountered the following error:\r") + error.Description());
    }
}

void GuidanceWork::RefreshBlockLines(QWidget& OptionsForm)
{
    const AGNAVBlock* block = blockOrNull(m_form.SelectedBlock);
    const GuidancePanel panel = GuidancePanel::of(OptionsForm);
    LineControl& mark = m_form.DigitizeLine[0];
    const int n = block ? std::min(block->VertexCount, block->Boundary.upperBound()) : 0;
    const std::optional<int> edge
        = panel.GuidanceText ? typedWholeNumber(panel.GuidanceText->text(), 1, n) : std::nullopt;
    if (!edge) {
        // A text that names no edge marks none.
        mark.setVisible(false);
        return;
    }
    const std::size_t from = std::size_t(*edge);
    const std::size_t to = *edge < n ? from + 1 : 1;
    const ShapeRecord& boundary = block->Boundary;
    mark.setEnds(boundary.X[from], boundary.Y[from], boundary.X[to], boundary.Y[to]);
    mark.setVisible(true);
    if (panel.edgeMode()) {
        mark.setBorderColor(QBColor(kLightRed));
    }
}
