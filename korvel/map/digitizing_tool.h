#pragma once
// The digitizing clicks: while a block boundary or an exclusion zone is being
// digitized, presses on the map place the polygon's vertices, take the last
// one back or close the polygon and hand it to the procedure that ends the
// digitizing (Tools_DigitizeBoundary_Click, Tools_DigitizeExclusion_Click);
// a rubber-band segment follows the pointer from the last vertex.
//
// The polygon lives only in the main window's line array DigitizeLine:
// element 0 is the hidden template, element k (k = 1 .. Count - 1) carries
// vertex k at its first end and runs to vertex k + 1, the last one to the
// pointer. Elements are made with the next free index and taken away from
// the top, so the vertices are always 1 .. Count - 1 in the order placed.
//
// The mouse arguments are compared with one exact value each: Button 1 is
// the left button alone, Shift 0 no modifier, Shift 2 Ctrl alone.
#include "korvel/workspace/shape_record.h"
#include "platform/control_array.h"

#include <QtGlobal>

class LineControl;
class MainForm;

enum class DigitizeClick {
    End, // right press with no vertex: end at once, nothing to save
    PlaceVertex, // left press, no modifier
    TakeBack, // Ctrl + left press with a vertex placed
    Close, // right press with vertices: close the ring and end
    Ignore, // middle button, other modifiers, Ctrl + left with no vertex
};

DigitizeClick digitizeClick(int button, int shift, int vertexCount);

// The vertices placed so far, 1..n in the order placed (element 0 unused).
ShapeRecord digitizedVertices(const ControlArray<LineControl>& lines);
int digitizedVertexCount(const ControlArray<LineControl>& lines);

// The colour of new segments: the pointer's palette colour for a boundary,
// the block's colour for an exclusion zone of a chosen block. A zone started
// from the Tools menu has no block until it is closed (block 0), so it is
// drawn in the pointer's colour too.
qint32 digitizeSegmentColour(bool boundary, int selectedBlock);

class DigitizingTool
{
public:
    explicit DigitizingTool(MainForm& form);

    void press(int button, int shift, float x, float y);
    // The live segment's second end follows the pointer.
    void move(float x, float y);

private:
    void placeVertex(float x, float y);
    void takeBack();
    void closeRing();
    // Hands the polygon to the procedure of the digitizing that is on.
    void end();

    MainForm& m_form;
};
