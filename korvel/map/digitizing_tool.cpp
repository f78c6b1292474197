#include "korvel/map/digitizing_tool.h"

#include "korvel/map/map_pointer_modes.h"
#include "korvel/shell/main_form.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/main_settings.h"
#include "platform/line_control.h"
#include "platform/vb_input_codes.h"

#include <QAction>

namespace {

constexpr int kSegmentWidth = 2;

} // namespace

DigitizeClick digitizeClick(int button, int shift, int vertexCount)
{
    if (button == vbRightButton) {
        return vertexCount == 0 ? DigitizeClick::End : DigitizeClick::Close;
    }
    if (button == vbLeftButton && shift == 0) {
        return DigitizeClick::PlaceVertex;
    }
    if (button == vbLeftButton && shift == vbCtrlMask && vertexCount > 0) {
        return DigitizeClick::TakeBack;
    }
    return DigitizeClick::Ignore;
}

int digitizedVertexCount(const ControlArray<LineControl>& lines)
{
    return lines.UBound() < 1 ? 0 : lines.UBound();
}

ShapeRecord digitizedVertices(const ControlArray<LineControl>& lines)
{
    const int n = digitizedVertexCount(lines);
    ShapeRecord vertices;
    vertices.resize(n);
    for (int k = 1; k <= n; ++k) {
        vertices.X[size_t(k)] = lines[k].X1();
        vertices.Y[size_t(k)] = lines[k].Y1();
    }
    return vertices;
}

qint32 digitizeSegmentColour(bool boundary, int selectedBlock)
{
    const AgnavData& agnav = agnavData();
    if (!boundary && selectedBlock >= 1 && selectedBlock <= agnav.BlockCount
        && selectedBlock < int(agnav.Blocks.size())) {
        return agnav.Blocks[size_t(selectedBlock)].Colour;
    }
    return pointerLineColour(mainSettings().PointerColour);
}

DigitizingTool::DigitizingTool(MainForm& form)
    : m_form(form)
{
}

void DigitizingTool::press(int button, int shift, float x, float y)
{
    switch (digitizeClick(button, shift, digitizedVertexCount(m_form.DigitizeLine))) {
    case DigitizeClick::End:
        end();
        break;
    case DigitizeClick::PlaceVertex:
        placeVertex(x, y);
        break;
    case DigitizeClick::TakeBack:
        takeBack();
        break;
    case DigitizeClick::Close:
        closeRing();
        end();
        break;
    case DigitizeClick::Ignore:
        break;
    }
}

void DigitizingTool::move(float x, float y)
{
    ControlArray<LineControl>& lines = m_form.DigitizeLine;
    // With no vertex this moves the hidden template, which shows nothing.
    if (LineControl* live = lines.at(lines.UBound())) {
        live->setX2(x);
        live->setY2(y);
    }
}

void DigitizingTool::placeVertex(float x, float y)
{
    ControlArray<LineControl>& lines = m_form.DigitizeLine;
    const int next = lines.UBound() + 1;
    // The live segment stays where the last move left it, now drawn for good.
    lines[next - 1].setDrawMode(vbCopyPen);
    LineControl& segment = lines.load(next);
    segment.setEnds(x, y, x, y);
    segment.setBorderColor(
        digitizeSegmentColour(m_form.Tools_DigitizeBoundary->isChecked(), m_form.SelectedBlock));
    segment.setDrawMode(vbInvert);
    segment.setBorderWidth(kSegmentWidth);
    segment.setVisible(true);
}

void DigitizingTool::takeBack()
{
    // The segment below keeps its copy pen; its free end follows the
    // pointer again from the next move.
    ControlArray<LineControl>& lines = m_form.DigitizeLine;
    lines.unload(lines.UBound());
}

void DigitizingTool::closeRing()
{
    ControlArray<LineControl>& lines = m_form.DigitizeLine;
    LineControl& last = lines[lines.UBound()];
    const LineControl& first = lines[1];
    // The ring closes on the first vertex; the press point is no vertex.
    last.setX2(first.X1());
    last.setY2(first.Y1());
    last.setDrawMode(vbCopyPen);
}

void DigitizingTool::end()
{
    if (m_form.Tools_DigitizeBoundary->isChecked()) {
        m_form.Tools_DigitizeBoundary_Click();
    } else if (m_form.Tools_DigitizeExclusion->isChecked()) {
        m_form.Tools_DigitizeExclusion_Click();
    }
}
