// The map redraw on the main window. Graph draws the picture bottom to top
// (images, GIS layers, AG-NAV blocks, then the optimization and guidance
// overlays), from the lowest item that changed since the last redraw,
// painting over what the persistent picture already shows; it clears the
// picture and draws everything only for a full redraw, after a ticked layer
// was removed, or when something drawn last time was switched off. The rows'
// tick boxes say what is wanted; the records' Visible flags what is drawn.
#include "korvel/map/gis_layer_drawing.h"
#include "korvel/map/image_drawing.h"
#include "korvel/map/map_view.h"
#include "korvel/map/redraw_input_guard.h"
#include "korvel/map/redraw_start.h"
#include "korvel/shell/floating_windows.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/row_ticks.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/program_globals.h"
#include "korvel/workspace/redraw_state.h"
#include "platform/line_control.h"
#include "platform/msg_box.h"
#include "platform/picture_box.h"
#include "platform/vb_error.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>

namespace {

// Clears the redraw's flags however the drawing ends.
class DrawingPhase
{
public:
    explicit DrawingPhase(bool& redrawing)
        : m_redrawing(redrawing)
    {
        m_redrawing = true;
    }
    ~DrawingPhase()
    {
        RedrawState& redraw = redrawState();
        redraw.Busy = false;
        redraw.CancelDrawing = false;
        m_redrawing = false;
    }
    DrawingPhase(const DrawingPhase&) = delete;
    DrawingPhase& operator=(const DrawingPhase&) = delete;

private:
    bool& m_redrawing;
};

} // namespace

void MapView::Graph(bool FullRedraw)
{
    // Asked for again while drawing (a layout during a look at the event
    // loop): once more when this redraw is done, not in the middle of it.
    if (m_redrawing) {
        m_redrawAgain = true;
        m_redrawAgainFull = m_redrawAgainFull || FullRedraw;
        return;
    }
    try {
        DrawingPhase phase(m_redrawing);
        hideRedrawOverlays();
        m_form.Picture1->Refresh();
        RedrawState& redraw = redrawState();
        const int start = redrawStart(redrawItems(), FullRedraw, redraw.LayerRemoved);
        // Recorded before drawing: a redraw stopped by Escape still counts
        // the ticked items as drawn.
        recordDrawnState();
        redraw.LayerRemoved = false;
        if (start == 1) {
            m_form.Picture1->Cls();
        }
        m_form.Picture1->Refresh();

        RedrawInputGuard guard;
        m_inputGuard = &guard;
        redraw.Busy = true;
        const int images = layerData().ImageCount;
        const int layers = layerData().GISCount;
        const int blocks = agnavData().BlockCount;
        if (start <= images) {
            drawImageLayers(start);
        }
        if (start - images <= layers) {
            int position = start - images;
            DrawSHPData(position);
        }
        if (start - images - layers <= blocks) {
            int block = start - images - layers;
            DrawAGNAVBlock(block);
        }
        if (m_form.Tools_Optimize->isChecked() && globals().MetLoaded) {
            m_form.Optimize(m_form.CurrentMet);
        }
        drawGuidanceOverlays();
        m_inputGuard = nullptr;
    } catch (const VbError& error) {
        m_inputGuard = nullptr;
        MsgBox(QStringLiteral("KORVEL encountered the following error:\r") + error.Description());
    }
    if (m_redrawAgain) {
        const bool full = m_redrawAgainFull;
        m_redrawAgain = false;
        m_redrawAgainFull = false;
        Graph(full);
    }
}

void MapView::hideRedrawOverlays()
{
    m_form.RulerLine->setVisible(false);
    for (int i = 1; i <= 2; ++i) {
        if (QLabel* label = m_form.Label2.at(i)) {
            label->setVisible(false);
        }
        if (LineControl* line = m_form.LabelLine.at(i)) {
            line->setVisible(false);
        }
    }
    m_form.OptimizeLine.unloadAll();
    if (m_form.Tools_DigitizeGuidance->isChecked()) {
        for (ControlArray<LineControl>* lines : { &m_form.GuidanceLine, &m_form.DigitizeLine }) {
            for (int i = 1; i <= lines->UBound(); ++i) {
                if (LineControl* line = lines->at(i)) {
                    line->setVisible(false);
                }
            }
        }
    }
}

RedrawItems MapView::redrawItems() const
{
    const LayerData& data = layerData();
    RedrawItems items;
    for (int p = 1; p <= data.ImageCount; ++p) {
        const ImageLayer& image = data.Images[size_t(data.ImageOrder[size_t(p)])];
        items.images.push_back({ { image.Visible, rowTicked(m_form.ImageCheck, p) }, image.Redraw });
    }
    for (int p = 1; p <= data.GISCount; ++p) {
        const GISLayer& layer = data.GISLayers[size_t(data.GISOrder[size_t(p)])];
        items.gisLayers.push_back({ { layer.Visible, rowTicked(m_form.GISCheck, p) }, layer.Redraw });
    }
    // A block's sub-rows follow on from those of the blocks before it.
    const AgnavData& agnav = agnavData();
    int subRow = 0;
    for (int b = 1; b <= agnav.BlockCount; ++b) {
        const AGNAVBlock& block = agnav.Blocks[size_t(b)];
        BlockState state;
        state.boundary = { { block.Visible, rowTicked(m_form.AGCheck, b) }, block.Redraw };
        if (block.GuidanceLoaded) {
            state.guidance = RowState { block.Guidance.Visible, rowTicked(m_form.Check3, ++subRow) };
        }
        if (block.ExclusionLoaded) {
            state.exclusion = RowState { block.ExclusionVisible, rowTicked(m_form.Check3, ++subRow) };
        }
        for (int j = 1; j <= block.FlightCount; ++j) {
            state.flights.push_back({ block.Flights[size_t(j)].Visible, rowTicked(m_form.Check3, ++subRow) });
        }
        items.blocks.push_back(std::move(state));
    }
    return items;
}

void MapView::recordDrawnState()
{
    LayerData& data = layerData();
    for (int p = 1; p <= data.ImageCount; ++p) {
        ImageLayer& image = data.Images[size_t(data.ImageOrder[size_t(p)])];
        image.Visible = rowTicked(m_form.ImageCheck, p);
        image.Redraw = false;
    }
    for (int p = 1; p <= data.GISCount; ++p) {
        GISLayer& layer = data.GISLayers[size_t(data.GISOrder[size_t(p)])];
        layer.Visible = rowTicked(m_form.GISCheck, p);
        layer.Redraw = false;
    }
    AgnavData& agnav = agnavData();
    int subRow = 0;
    for (int b = 1; b <= agnav.BlockCount; ++b) {
        AGNAVBlock& block = agnav.Blocks[size_t(b)];
        block.Visible = rowTicked(m_form.AGCheck, b);
        block.Redraw = false;
        if (block.GuidanceLoaded) {
            block.Guidance.Visible = rowTicked(m_form.Check3, ++subRow);
        }
        if (block.ExclusionLoaded) {
            block.ExclusionVisible = rowTicked(m_form.Check3, ++subRow);
        }
        for (int j = 1; j <= block.FlightCount; ++j) {
            block.Flights[size_t(j)].Visible = rowTicked(m_form.Check3, ++subRow);
        }
    }
}

bool MapView::CountVisibleLayers()
{
    return somethingSwitchedOff(redrawItems());
}

void MapView::GraphButton_Click()
{
    Graph(false);
}

void MapView::drawImageLayers(int first)
{
    const std::optional<ImageDrawFailure> failure = DrawImage(first, *m_form.Picture1, [this](int position) {
        const QCheckBox* row = m_form.ImageCheck.at(position);
        return row && row->isChecked() && row->isEnabled();
    });
    if (!failure) {
        return;
    }
    // Unticking runs the row's own handling; while Busy it does not redraw.
    m_form.ImageCheck[failure->position].setChecked(false);
    // The user must be able to answer the box in the middle of the redraw.
    if (m_inputGuard) {
        RedrawInputGuard::Pause pause(*m_inputGuard);
        MsgBox(imageDrawFailureMessage(failure->path));
    } else {
        MsgBox(imageDrawFailureMessage(failure->path));
    }
}

void MapView::DrawSHPData(int& Start)
{
    ::DrawSHPData(
        Start, *m_form.Picture1, [this](int position) { return rowTicked(m_form.GISCheck, position); });
}

void MapView::drawGuidanceOverlays()
{
    if (!m_form.Tools_DigitizeGuidance->isChecked()) {
        return;
    }
    if (m_form.View_ClutteredMode->isChecked()) {
        if (const QRadioButton* edge = m_form.GuidanceOption.at(2); edge && edge->isChecked()) {
            m_form.RefreshBlockLines(m_form);
        }
    } else if (m_form.View_MapMode->isChecked()) {
        const FloatingToolWindow* window = floatingToolWindow(FloatingTool::Guidance);
        QWidget* form = window ? window->window() : nullptr;
        const QRadioButton* edge
            = form ? form->findChild<QRadioButton*>(m_form.GuidanceOption.elementName(2)) : nullptr;
        if (edge && edge->isChecked()) {
            m_form.RefreshBlockLines(*form);
        }
    }
    m_form.FitGuidanceLines();
}
