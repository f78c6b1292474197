#pragma once
// Colour coding of a GIS layer by attribute value: what the layer keeps
// when the layer properties dialog is accepted (its ColourClasses,
// CodingField and ColourCoding), and the colour of every shape from the
// class its record's value falls into. The map then draws shape s in
// Colours element s while ColourCoding is on, and in element 0 otherwise.
#include "korvel/layers/attribute_table.h"
#include "korvel/workspace/layer_records.h"

#include <vector>

// Gives every shape the colour of the first class whose value text equals
// the text of its record's value in field `fieldNumber` (1-based, the
// layer's CodingField); a Null value matches the class "Null". First the
// Colours list is sized to the slots 0..ShapeCount, keeping element 0 (the
// layer colour) and the earlier colours; new slots start in the layer
// colour. A shape whose value matches no class keeps its colour; shapes
// beyond the table's records take the layer colour. Records beyond the
// shapes are ignored.
void AssignValueClasses(GISLayer& layer, int fieldNumber, const AttributeTable& table);
// The same for GISLayers(layerIndex), the record index; nothing happens for
// an index outside 1..GISCount.
void AssignValueClasses(int layerIndex, int fieldNumber, const AttributeTable& table);

// What the dialog's colour coding area holds when the user accepts it.
struct ColourCodingChoice
{
    // The user opened the area ("Colours >>") in this opening of the dialog.
    // While not, its option still shows "None" only because nothing was
    // loaded into it, and accepting (say, a new display name) must leave the
    // layer's coding as it was.
    bool opened = false;
    bool byValue = false; // "By Value" is chosen rather than "None"
    int fieldIndex = -1; // the chosen field, from 0
    // The value rows as shown: value text and swatch colour, from 0.
    std::vector<ColourClass> rows;
    bool coloursChanged = false; // a swatch was changed by the user or the ramp
};

// Stores the choice in the layer; nothing changes while the area was never
// opened. Coding counts as chosen only with "By
// Value" and at least one swatch that differs from the layer colour; then
// the rows become the layer's classes (slots 1..N), CodingField becomes
// fieldIndex + 1, ColourCoding True (-1), and the shapes are coloured from
// `table`. Otherwise the coding is switched off: no classes, Colours cut back
// to the layer colour, ColourCoding 0 and CodingField -1. Redraw is set when
// the coding is switched on or off, or its colours changed.
void applyColourCoding(GISLayer& layer, const ColourCodingChoice& choice, const AttributeTable& table);

// The number of classes a layer holds (its ColourClasses use the slots from 1).
int colourClassCount(const GISLayer& layer);
